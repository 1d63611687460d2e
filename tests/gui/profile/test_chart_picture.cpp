// The chart of a known dive must keep its picture while its drawing path is made faster: the
// plot of the bundled FRC dive with ten traces, depth, ceiling and a state band is compared with
// the picture the earlier drawing path made. Set UPDATE_GOLDEN=1 to write the picture afresh
// (a deliberate step: look at the new picture before committing it).
#include <QImage>
#include <QPainter>
#include <QString>
#include <cstdlib>
#include <gtest/gtest.h>

#include "logfile/CDiveLog.h"
#include "viewmodel/CChartModel.h"
#include "views/ProfileChartRenderer.h"

namespace {

const QString kGolden = QStringLiteral(ZELVOR_TEST_DATA_DIR "/golden/chart-sample-frc.png");

QImage RenderSampleDive(QRect& plot) {
    static CDiveLog log;
    if (!log.m_bFileLoaded)
        log.LoadLogFile(ZELVOR_SAMPLE_DIR "/sample-frc.ccl");
    CChartModel model;
    model.SetLog(&log);
    model.SetChartSize(1920, 1080);
    const int codes[kChartSlots] = {101, 102, 103, 104, 105, 106, 107, 601, 303, 909};
    for (int n = 0; n < kChartSlots; ++n) {
        model.State().m_nTraceCode[n] = codes[n];
        model.State().m_bTraceEnabled[n] = true;
    }
    model.TakeLoadedTimes();
    model.Rescale();
    QImage image(1920, 1080, QImage::Format_RGB32);
    const CChartPaintSetup setup =
        CProfileChartRenderer::ScreenSetup(QRectF(0, 0, 1920, 1080), QColor(240, 240, 240));
    QPainter painter(&image);
    CProfileChartRenderer::Paint(painter, model.State(), log, true, setup);
    plot = setup.plotRect.toAlignedRect();
    return image;
}

// Whether `a`'s pixel at (x, y) appears in `b` at most one pixel away.
bool NearbyInOther(const QImage& a, const QImage& b, int x, int y) {
    const QRgb wanted = a.pixel(x, y);
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx) {
            const int nx = x + dx, ny = y + dy;
            if (b.valid(nx, ny) && b.pixel(nx, ny) == wanted)
                return true;
        }
    return false;
}

} // namespace

TEST(ChartPicture, SampleDiveAgreesWithTheEarlierDrawingWithinAPixel) {
    QRect plot;
    const QImage now = RenderSampleDive(plot);
    if (std::getenv("UPDATE_GOLDEN")) {
        ASSERT_TRUE(now.save(kGolden));
        GTEST_SKIP() << "picture written to " << kGolden.toStdString();
    }
    QImage before(kGolden);
    ASSERT_FALSE(before.isNull()) << kGolden.toStdString();
    before = before.convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(before.size(), now.size());
    // Only the plot: the axis labels depend on the fonts of the machine.
    int differing = 0, astray = 0;
    for (int y = plot.top(); y <= plot.bottom(); ++y)
        for (int x = plot.left(); x <= plot.right(); ++x) {
            if (now.pixel(x, y) == before.pixel(x, y))
                continue;
            ++differing;
            if (!NearbyInOther(now, before, x, y) || !NearbyInOther(before, now, x, y))
                ++astray;
        }
    EXPECT_EQ(astray, 0) << differing << " pixels differ";
    // The picture must show the traces: a blank plot would agree with itself too readily.
    int traced = 0;
    const QRgb plotColour = CProfileChartRenderer::PlotColour().rgb();
    for (int y = plot.top(); y <= plot.bottom(); ++y)
        for (int x = plot.left(); x <= plot.right(); ++x)
            traced += now.pixel(x, y) != plotColour;
    EXPECT_GT(traced, 20000);
}
