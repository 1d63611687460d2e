#include <QApplication>
#include <QImage>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QTest>
#include <QWindow>
#include <gtest/gtest.h>
#include <set>

#include "ProfileFixtures.h"
#include "app/CViewerContext.h"
#include "ui/CBNLed.h"
#include "viewmodel/CChartModel.h"
#include "viewmodel/TraceGroups.h"
#include "views/CDiveProfile.h"
#include "views/ProfileAlarms.h"
#include "views/ProfileChart.h"
#include "views/ProfileChartRenderer.h"
#include "views/ProfileMimic.h"
#include "views/ProfileReadout.h"

namespace {

void SendMouse(QWidget* w, QEvent::Type type, QPoint pos, Qt::MouseButton button,
               Qt::MouseButtons buttons) {
    QMouseEvent event(type, QPointF(pos), w->mapToGlobal(QPointF(pos)), button, buttons,
                      Qt::NoModifier);
    QApplication::sendEvent(w, &event);
}

// A page of 860 x 600 whose chart shows the synthetic 600-second dive.
class ProfilePageTest : public ::testing::Test {
protected:
    void SetUp() override {
        profiletest::WriteTenTraceSettings(m_ctx);
        profiletest::BuildSyntheticLog(m_ctx.Log(), 600);
        m_page = std::make_unique<CDiveProfile>(m_ctx);
        m_page->resize(1100, 600);
        m_page->show();
        m_page->Refresh();
        QApplication::processEvents();
        m_chart = m_page->ChartWidget();
    }
    const CChartState& State() const { return m_page->Chart().State(); }
    // x of a time in the chart's current window.
    int XOf(double t) const {
        const CChartModel& m = m_page->Chart();
        return static_cast<int>(m.PlotLeft() + (t - State().m_nViewStart) * m.XScale()) + 1;
    }

    CViewerContext m_ctx;
    std::unique_ptr<CDiveProfile> m_page;
    CProfileChart* m_chart = nullptr;
};

} // namespace

TEST_F(ProfilePageTest, ChartPictureShowsThePlotAndEveryTraceColour) {
    const QImage image = m_page->RenderChart(QSize(900, 400));
    std::set<QRgb> colours;
    for (int y = 0; y < image.height(); ++y) {
        const QRgb* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x)
            colours.insert(line[x] | 0xFF000000u);
    }
    EXPECT_TRUE(colours.count(qRgb(30, 130, 255)));
    EXPECT_TRUE(colours.count(qRgb(0, 0, 0))); // depth and axes
    for (int n = 0; n < 10; ++n)
        EXPECT_TRUE(colours.count(CProfileChartRenderer::SlotColour(n).rgb())) << "slot " << n;
}

TEST_F(ProfilePageTest, NoFileShowsOnlyTheEmptyPlot) {
    m_ctx.Unload();
    m_page->Refresh();
    const QImage image = m_page->RenderChart(QSize(400, 200));
    EXPECT_EQ(image.pixel(200, 100), qRgb(30, 130, 255));
    EXPECT_NE(image.pixel(30, 190), qRgb(0, 0, 0)); // no axes
    EXPECT_EQ(m_page->Alarms()->DisplayLamp(0)->GetColour(), CBNLed::LightGrey);
    EXPECT_TRUE(m_page->ReadoutHeader()->Texts().isEmpty());
}

TEST_F(ProfilePageTest, DragZoomsAClickDoesNot) {
    const int y = 100;
    SendMouse(m_chart, QEvent::MouseButtonPress, {XOf(100), y}, Qt::LeftButton, Qt::LeftButton);
    SendMouse(m_chart, QEvent::MouseButtonRelease, {XOf(100), y}, Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(State().m_nViewStart, 0);
    EXPECT_EQ(State().m_nViewEnd, 599);
    EXPECT_NEAR(State().m_dCursorTime, 100.0, 1.0);

    SendMouse(m_chart, QEvent::MouseButtonPress, {XOf(100), y}, Qt::LeftButton, Qt::LeftButton);
    SendMouse(m_chart, QEvent::MouseMove, {XOf(300), y}, Qt::NoButton, Qt::LeftButton);
    EXPECT_TRUE(State().m_bDragging);
    SendMouse(m_chart, QEvent::MouseButtonRelease, {XOf(300), y}, Qt::LeftButton, Qt::NoButton);
    EXPECT_FALSE(State().m_bDragging);
    EXPECT_NEAR(State().m_nViewStart, 100, 1);
    EXPECT_NEAR(State().m_nViewEnd, 300, 1);
}

// A pointer that slips a few pixels during a double-click (2 pixels are 12 seconds of a
// two-hour dive) must not zoom, neither in the first click nor after the second press.
TEST_F(ProfilePageTest, DoubleClickOnlyTogglesTheLockEvenWhenThePointerSlips) {
    ASSERT_TRUE(QTest::qWaitForWindowExposed(m_page.get()));
    QWindow* window = m_page->windowHandle();
    ASSERT_NE(window, nullptr);
    const QPoint at = m_chart->mapTo(m_page.get(), QPoint(XOf(300), 100));
    const QPoint slipped = at + QPoint(3, 0);
    ulong t = ulong(QTest::lastMouseTimestamp) + 1000;
    const auto platform = [&](QPoint p, Qt::MouseButtons held, Qt::MouseButton button,
                              QEvent::Type type) {
        qt_handleMouseEvent(window, p, window->mapToGlobal(p), held, button, type, Qt::NoModifier,
                            int(++t));
        QApplication::processEvents();
    };
    platform(at, Qt::LeftButton, Qt::LeftButton, QEvent::MouseButtonPress);
    platform(slipped, Qt::LeftButton, Qt::NoButton, QEvent::MouseMove);
    platform(slipped, Qt::NoButton, Qt::LeftButton, QEvent::MouseButtonRelease);
    platform(slipped, Qt::LeftButton, Qt::LeftButton, QEvent::MouseButtonPress);
    platform(at, Qt::LeftButton, Qt::NoButton, QEvent::MouseMove);
    platform(at, Qt::NoButton, Qt::LeftButton, QEvent::MouseButtonRelease);
    QTest::lastMouseTimestamp = int(t) + 1000;
    EXPECT_TRUE(State().m_bCursorLock);
    EXPECT_FALSE(State().m_bDragging);
    EXPECT_EQ(State().m_nViewStart, 0);
    EXPECT_EQ(State().m_nViewEnd, 599);

    // QTest's own double-click (press, release, press, release) unlocks again, still unzoomed.
    QTest::mouseDClick(window, Qt::LeftButton, Qt::NoModifier, at);
    EXPECT_FALSE(State().m_bCursorLock);
    EXPECT_FALSE(State().m_bDragging);
    EXPECT_EQ(State().m_nViewEnd, 599);
}

TEST_F(ProfilePageTest, RightClickResetsTheZoomWhenTheMenuIsSwitchedOff) {
    m_page->Chart().State().m_nViewStart = 100;
    m_page->Chart().State().m_nViewEnd = 200;
    m_ctx.SetChartRightClickMenuEnabled(false);
    SendMouse(m_chart, QEvent::MouseButtonPress, {200, 100}, Qt::RightButton, Qt::RightButton);
    EXPECT_EQ(State().m_nViewStart, 0);
    EXPECT_EQ(State().m_nViewEnd, 599);
    EXPECT_EQ(m_chart->findChild<QMenu*>(QStringLiteral("GraphPop")), nullptr);
}

TEST_F(ProfilePageTest, RightClickOpensTheGraphPopMenu) {
    CTraceSettings traces = m_ctx.Settings().Traces();
    traces.m_nTraceGroup = 2;
    m_ctx.SetTraces(traces);
    SendMouse(m_chart, QEvent::MouseButtonPress, {200, 100}, Qt::RightButton, Qt::RightButton);
    QMenu* menu = m_chart->findChild<QMenu*>(QStringLiteral("GraphPop"));
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(State().m_nViewEnd, 599);
    const QList<QAction*> actions = menu->actions();
    ASSERT_EQ(actions.size(), 9); // seven groups, a separator, Reset Zoom
    EXPECT_EQ(actions[1]->text(), QStringLiteral("PPO2"));
    EXPECT_TRUE(actions[2]->isChecked());
    EXPECT_FALSE(actions[1]->isChecked());
    EXPECT_EQ(actions[8]->text(), QStringLiteral("Reset Zoom"));
    EXPECT_FALSE(actions[8]->isEnabled()); // the view is already the whole dive
    menu->close();
    delete menu;

    // Choosing a group from the menu applies its preset.
    m_page->Chart().State().m_nViewStart = 100;
    std::unique_ptr<QMenu> again(m_chart->BuildGraphPopMenu(nullptr));
    EXPECT_TRUE(again->actions()[8]->isEnabled());
    again->actions()[5]->trigger(); // Gas Toxicity
    EXPECT_EQ(State().m_nTraceCode[0], 501);
    EXPECT_EQ(State().m_nTraceCode[2], 0);
}

TEST_F(ProfilePageTest, KeysMoveTheCursorAndEscapeLeavesADrag) {
    m_chart->setFocus();
    QTest::keyClick(m_chart, Qt::Key_Home);
    EXPECT_DOUBLE_EQ(State().m_dCursorTime, 0.0);
    QTest::keyClick(m_chart, Qt::Key_Right);
    EXPECT_DOUBLE_EQ(State().m_dCursorTime, 1.0);
    QTest::keyClick(m_chart, Qt::Key_End);
    EXPECT_DOUBLE_EQ(State().m_dCursorTime, 599.0);
    QTest::keyClick(m_chart, Qt::Key_Left);
    EXPECT_DOUBLE_EQ(State().m_dCursorTime, 598.0);
    SendMouse(m_chart, QEvent::MouseButtonPress, {XOf(100), 50}, Qt::LeftButton, Qt::LeftButton);
    SendMouse(m_chart, QEvent::MouseMove, {XOf(200), 50}, Qt::NoButton, Qt::LeftButton);
    QTest::keyClick(m_chart, Qt::Key_Escape);
    SendMouse(m_chart, QEvent::MouseButtonRelease, {XOf(200), 50}, Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(State().m_nViewEnd, 599);
}

TEST_F(ProfilePageTest, ReadoutAtTheCursor) {
    m_ctx.SetMetric(false);
    m_page->Chart().State().m_dCursorTime = 599.0;
    m_page->Refresh();
    const QStringList header = m_page->ReadoutHeader()->Texts();
    ASSERT_EQ(header.size(), 4);
    EXPECT_EQ(header[0], QStringLiteral("09:59"));
    EXPECT_EQ(header[1], QStringLiteral("0' 3\" ft")); // 0.1 m on the last sample
    EXPECT_EQ(header[2], QStringLiteral("0.0 ft/min"));
    // Air is diluent 1 of the default gas table.
    EXPECT_EQ(header[3], QStringLiteral("DIL1 AIR"));
    const QStringList lines = m_page->ReadoutLines()->Texts();
    ASSERT_EQ(lines.size(), 9); // the band slot has no line
    EXPECT_EQ(lines[0], QStringLiteral("Setpoint\t1.30 Bar"));
    EXPECT_TRUE(lines[8].startsWith(QStringLiteral("C2 Measured\t")));
}

TEST_F(ProfilePageTest, LampsFollowTheCursorSample) {
    m_page->Chart().State().m_dCursorTime = 100.0;
    m_page->RedrawProfile();
    EXPECT_EQ(m_page->Alarms()->DisplayLamp(0)->GetColour(), CBNLed::White);
    m_page->Chart().State().m_dCursorTime = 500.0;
    m_ctx.Log().m_arSamples[500]->m_byStatus[8] = 0x01; // fast ascent masked
    m_ctx.Log().m_arSamples[500]->m_byC1CellStatus = 0x10;
    m_page->RedrawProfile();
    EXPECT_EQ(m_page->Alarms()->DisplayLamp(0)->GetColour(), CBNLed::Black);
    EXPECT_EQ(m_page->Alarms()->ControllerLamp(0)->GetColour(), CBNLed::Red);
    EXPECT_EQ(m_page->Alarms()->LegendLamp(3)->GetColour(), CBNLed::Black);
    EXPECT_GT(m_page->Mimic()->Picture().CountLit(), 50);
}

TEST_F(ProfilePageTest, ChartSurvivesTinySizes) {
    m_page->resize(10, 10);
    QApplication::processEvents();
    const QImage image = m_page->RenderChart(QSize(3, 3));
    EXPECT_FALSE(image.isNull());
}

// A simulated dive as the user sees it, in metric units with the PPO2 traces, then in imperial
// units with state bands on the right axis; written as pictures for a look by eye.
TEST(ProfileSnapshot, SimulatedDiveInBothUnits) {
    CViewerContext ctx;
    CSimOptions options;
    options.alarms.push_back({ESimAlarm::FastAscent, 1500, 120});
    options.alarms.push_back({ESimAlarm::C2CellWarning, 600, 300});
    ASSERT_TRUE(profiletest::LoadSimulatedDive(ctx.Log(), options));
    {
        CDiveProfile page(ctx);
        CTraceSettings traces = WithTraceGroupPreset(ctx.Settings().Traces(), 1);
        traces.m_nTrace[9] = 601;
        traces.m_nTraceEnable[9] = 1;
        ctx.SetTraces(traces);
        page.ApplyTraceSettings();
        page.resize(1200, 700);
        page.show();
        page.Refresh();
        page.Chart().State().m_dCursorTime = ctx.Log().m_dDiveStartTime + 1200;
        page.RedrawProfile();
        QApplication::processEvents();
        const QImage image = page.grab().toImage();
        EXPECT_FALSE(image.isNull());
        image.save(QStringLiteral(ZELVOR_BINARY_DIR "/profile_page.png"));
    }
    ctx.SetMetric(false);
    const uint32_t codes[10] = {301, 302, 401, 0, 0, 0, 901, 909, 1013, 1103};
    CTraceSettings traces = ctx.Settings().Traces();
    for (size_t n = 0; n < 10; ++n) {
        traces.m_nTrace[n] = codes[n];
        traces.m_nTraceEnable[n] = 1;
    }
    traces.m_nYAxisSelection = 6;
    ctx.SetTraces(traces);
    CDiveProfile page(ctx);
    EXPECT_EQ(page.Chart().State().m_nYAxisSlot, 6);
    const QImage image = page.RenderChart(QSize(1000, 400));
    EXPECT_FALSE(image.isNull());
    image.save(QStringLiteral(ZELVOR_BINARY_DIR "/profile_chart_imperial.png"));
}

TEST_F(ProfilePageTest, HighDensityRenderingKeepsTheLayout) {
    const QImage image = m_page->RenderChart(QSize(400, 200), 2.0);
    EXPECT_EQ(image.width(), 800);
    int plot = 0;
    for (int x = 0; x < image.width(); ++x)
        plot += image.pixel(x, 20) == qRgb(30, 130, 255);
    EXPECT_GT(plot, 600);
    // The time axis runs along the plot bottom: 20 logical pixels above the bottom edge.
    EXPECT_EQ(image.pixel(400, 2 * 180), qRgb(0, 0, 0));
}

// ---- Text that must fit -------------------------------------------------------------------------

// Every readout text lies inside its frame and clear of the others, in both unit systems, at the
// readout's own font and at a much larger one (a big desktop font or a high-DPI screen).
TEST_F(ProfilePageTest, ReadoutTextsFitAtAnyFont) {
    const int codes[kChartSlots] = {401, 301, 307, 601, 105, 204, 501, 502, 102, 109};
    CChartState& state = m_page->Chart().State();
    for (int n = 0; n < kChartSlots; ++n) {
        state.m_nTraceCode[n] = codes[n];
        state.m_bTraceEnabled[n] = true;
    }
    state.m_dCursorTime = 250;
    // The widest dive time: a zoom drag shows both ends.
    state.m_bDragging = true;
    state.m_dDragTime = 590;
    for (int pixels : {12, 21}) {
        for (CProfileReadout* area : {m_page->ReadoutHeader(), m_page->ReadoutLines()}) {
            QFont font = CProfileReadout::ReadoutFont();
            font.setPixelSize(pixels);
            area->setFont(font);
            for (bool metric : {true, false}) {
                area->SetMetric(metric);
                const QList<QRectF> rects = area->TextRects();
                EXPECT_GE(rects.size(), area == m_page->ReadoutLines() ? 20 : 7);
                const QRectF inside = QRectF(area->rect()).adjusted(1, 1, -1, -1);
                for (qsizetype i = 0; i < rects.size(); ++i) {
                    EXPECT_TRUE(inside.contains(rects[i])) << pixels << " px, text " << i;
                    for (qsizetype j = i + 1; j < rects.size(); ++j)
                        EXPECT_FALSE(rects[i].intersects(rects[j]))
                            << pixels << " px, texts " << i << " and " << j;
                }
            }
        }
    }
}

// The state axis labels ("C1", "C2", "Disp") stay inside the chart like the numbers do, even
// in a face wider than the classic one.
TEST_F(ProfilePageTest, StateAxisLabelsFitBesideTheAxis) {
    CChartState& state = m_page->Chart().State();
    state.m_nTraceCode[8] = 901; // a pair, labelled C1 and C2
    state.m_nYAxisSlot = 9;      // the fast-ascent band: "Disp"
    const QSize chart(400, 200);
    QImage image(chart + QSize(40, 0), QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        CChartPaintSetup setup =
            CProfileChartRenderer::ScreenSetup(QRectF(QPointF(0, 0), QSizeF(chart)), Qt::white);
        // A face wider than the classic one, as many desktops substitute.
        setup.labelFont.setPixelSize(16);
        CProfileChartRenderer::Paint(painter, state, m_ctx.Log(), true, setup);
    }
    int inked = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = chart.width(); x < image.width(); ++x)
            inked += image.pixel(x, y) != qRgb(255, 255, 255);
    }
    EXPECT_EQ(inked, 0);
}
