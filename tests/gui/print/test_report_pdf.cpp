// The three reports written as PDF and read back with pdftotext: where the texts land on the
// page, in millimetres, and which way the page is turned.
#include <QFile>
#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

#include "PrintTestEnv.h"
#include "logfile/CDiveLog.h"
#include "print/CReportPainter.h"
#include "print/ReportRender.h"
#include "report/ProfileReport.h"
#include "sim/CDiveSimulator.h"
#include "viewmodel/ChartScale.h"
#include "views/ProfileChartRenderer.h"

using printtest::CPdfPage;

namespace {

constexpr double kA4Short = 210.0;
constexpr double kA4Long = 297.0;
constexpr double kTolerance = 0.6; // mm: glyph side bearings and PDF rounding

class ReportPdf : public ::testing::Test {
protected:
    void SetUp() override {
        if (!printtest::HavePdfToText())
            GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
        CSimOptions options;
        options.durationSeconds = 20 * 60;
        const QString path = printtest::TempRoot() + "/report.ccl";
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(QByteArray::fromStdString(SimulateDive(options).ToText()));
        f.close();
        ASSERT_TRUE(m_log.LoadLogFile(path.toStdString()).loaded);
        m_log.ComputeDiveSummary();

        m_input.log = &m_log;
        m_input.banner = "BANNER      Dive No. 42      Max Depth 30.0 m";
        CChartState& s = m_input.chart;
        s.m_nDiveStart = int(m_log.m_dDiveStartTime);
        s.m_nViewStart = s.m_nDiveStart;
        s.m_nViewEnd = int(m_log.m_dDiveEndTime);
        const int codes[kChartSlots] = {101, 102, 0, 0, 901, 1301, 401, 0, 0, 302};
        for (int n = 0; n < kChartSlots; ++n) {
            s.m_nTraceCode[n] = codes[n];
            s.m_bTraceEnabled[n] = codes[n] != 0;
        }
        RescaleChart(s, m_log);
    }
    CPdfPage Write(EReport report, const char* name) {
        const QString path = printtest::TempRoot() + "/" + name;
        EXPECT_TRUE(reports::WritePdf(path, report, m_input));
        const CPdfPage page = printtest::ReadPdf(path);
        EXPECT_TRUE(page.ok);
        return page;
    }

    CDiveLog m_log;
    CReportInput m_input;
};

} // namespace

TEST_F(ReportPdf, InformationIsPortraitWithCentredBannerAndSectionsAtTheirColumns) {
    const CPdfPage page = Write(EReport::Information, "information.pdf");
    EXPECT_NEAR(page.widthMm, kA4Short, 0.5);
    EXPECT_NEAR(page.heightMm, kA4Long, 0.5);

    // The banner's words are the ones within its line at the top.
    QRectF banner;
    for (const auto& w : page.words) {
        if (w.mm.top() < 8.0)
            banner = banner.isNull() ? w.mm : banner.united(w.mm);
    }
    ASSERT_NE(page.Word("BANNER"), nullptr);
    EXPECT_NEAR(banner.center().x(), kA4Short / 2.0, 1.0);
    EXPECT_NEAR(banner.top(), 5.0, 1.5);

    double lastTop = 0.0;
    for (const char* heading : {"Summary", "Information", "DiveType", "Gas", "Notes"}) {
        const printtest::CPdfWord* w = page.Word(heading);
        ASSERT_NE(w, nullptr) << heading;
        EXPECT_NEAR(w->mm.left(), 12.5, kTolerance) << heading;
        EXPECT_GT(w->mm.top(), lastTop) << heading;
        lastTop = w->mm.top();
    }
    // The three summary columns and the gas table's first columns.
    EXPECT_NEAR(page.Word("Atm.")->mm.left(), 70.0, kTolerance);
    EXPECT_NEAR(page.Words("Peak").back()->mm.left(), 135.0, kTolerance);
    EXPECT_NEAR(page.Word("Helium")->mm.left(), 55.5, kTolerance);
    EXPECT_NEAR(page.Word("Nitrogen")->mm.left(), 74.5, kTolerance);
    for (const auto& w : page.words) {
        EXPECT_LE(w.mm.right(), kA4Short) << w.text.toStdString();
        EXPECT_LE(w.mm.bottom(), kA4Long) << w.text.toStdString();
    }
}

TEST_F(ReportPdf, ProfileIsLandscapeAndLegendSquaresStayBesideTheirOwnNames) {
    m_input.chart.m_bDepthTraceOn = false;
    const CPdfPage page = Write(EReport::Profile, "profile.pdf");
    EXPECT_NEAR(page.widthMm, kA4Long, 0.5);
    EXPECT_NEAR(page.heightMm, kA4Short, 0.5);
    const CTextMeasure measure = CReportPainter::Measure();
    const CProfileReport off = report::LayoutProfileReport(kA4Long, kA4Short, m_input.banner,
                                                           m_input.chart, true, measure);
    const CReportText* setpoint = off.page.FindText("PPO2 - Setpoint"); // first column, row 2
    ASSERT_NE(setpoint, nullptr);
    const printtest::CPdfWord* ppo2 = nullptr;
    for (const auto* w : page.Words("PPO2")) {
        if (std::abs(w->mm.top() - setpoint->y) < 2.0)
            ppo2 = w;
    }
    ASSERT_NE(ppo2, nullptr);
    EXPECT_NEAR(ppo2->mm.left(), setpoint->x, kTolerance);
    for (const auto& w : page.words) {
        if (w.mm.top() > off.legendArea.y) {
            EXPECT_NE(w.text, "Depth") << "the depth trace is off";
        }
    }
    EXPECT_NE(page.Word("(mm:ss)"), nullptr); // the axis titles
    EXPECT_NE(page.Word("(m)"), nullptr);

    // The squares, read back by colour from a painted image, stay beside their own names
    // whether or not the Depth place is used.
    constexpr qreal kDpmm = 8.0;
    for (bool depthOn : {true, false}) {
        m_input.chart.m_bDepthTraceOn = depthOn;
        QImage image(int(kA4Long * kDpmm), int(kA4Short * kDpmm), QImage::Format_RGB32);
        image.fill(Qt::white);
        {
            QPainter painter(&image);
            reports::Render(painter, QRectF(0, 0, image.width(), image.height()), kDpmm,
                            EReport::Profile, m_input);
        }
        const CProfileReport r = report::LayoutProfileReport(kA4Long, kA4Short, m_input.banner,
                                                             m_input.chart, true, measure);
        const auto squareColour = [&](CReportText name, double rowsUp) {
            name.y -= rowsUp * r.legendFrame.h / 3.0;
            const double middle = name.y + measure.lineHeight(name.heightMm) / 2.0;
            return image.pixelColor(int((name.x - 2.5 * r.scale) * kDpmm), int(middle * kDpmm));
        };
        const std::pair<const char*, int> expected[] = {
            {"PPO2 - Setpoint", 0}, {"PPO2 - C1 Cell 1", 1}, {"Ambient Temperature", 6}};
        for (const auto& [text, slot] : expected) {
            const CReportText* name = r.page.FindText(text);
            ASSERT_NE(name, nullptr) << text;
            EXPECT_EQ(squareColour(*name, 0), CProfileChartRenderer::SlotColour(slot)) << text;
        }
        EXPECT_EQ(squareColour(*r.page.FindText("PPO2 - Setpoint"), 1),
                  depthOn ? QColor(Qt::black) : QColor(Qt::white));
    }
}

TEST_F(ReportPdf, LogBookLongerThanAPageIsCutOffAfterThePage) {
    m_input.logBookHeaders = {"Dive Number", "Date", "Duration (mm:ss)", "Max Depth (m)"};
    for (int n = 1; n <= 150; ++n)
        m_input.logBookRows.push_back(
            {QString::number(1000 + n).toStdString(), "01/02/2030 10:00:00", "45:00", "30.0"});
    const CPdfPage page = Write(EReport::LogBook, "logbook.pdf");
    EXPECT_LT(page.widthMm, page.heightMm);

    const printtest::CPdfWord* title = page.Word("Log");
    ASSERT_NE(title, nullptr);
    EXPECT_NEAR(title->mm.left(), 12.5, kTolerance);
    const char* headings[] = {"Dive", "Date", "Duration", "Max"};
    const double columns[] = {12.5, 35.0, 65.0, 92.5};
    for (int c = 0; c < 4; ++c) {
        // Below the banner, which has a "Dive" and a "Max" of its own.
        const printtest::CPdfWord* found = nullptr;
        for (const auto* w : page.Words(headings[c])) {
            if (!found && w->mm.top() > title->mm.bottom())
                found = w;
        }
        ASSERT_NE(found, nullptr) << headings[c];
        EXPECT_NEAR(found->mm.left(), columns[c], kTolerance) << headings[c];
    }
    ASSERT_NE(page.Word("1001"), nullptr);
    int last = 0;
    for (const auto& w : page.words) {
        EXPECT_LE(w.mm.bottom(), page.heightMm + 0.01) << w.text.toStdString();
        if (w.text.size() == 4 && w.text.startsWith('1'))
            last = std::max(last, w.text.toInt());
    }
    EXPECT_GT(last, 1040);
    EXPECT_LT(last, 1150);
    for (int n = last - 1000; n >= 1; --n)
        EXPECT_NE(page.Word(QString::number(1000 + n)), nullptr) << "row " << n;
}
