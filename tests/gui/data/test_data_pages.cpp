#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QPushButton>
#include <QTableView>
#include <QTest>

#include <memory>

#include "app/CViewerContext.h"
#include "logfile/CDiveLogSample.h"
#include "logfile/FieldParsers.h"
#include "viewmodel/LogBook.h"
#include "views/CDiveData.h"
#include "views/CDiveLogBook.h"

namespace {

QString Cell(QTableView* table, int row, int column) {
    return table->model()->index(row, column).data().toString();
}

// Where a click lands on `row` of the table.
QPoint RowPoint(QTableView* table, int row) {
    return table->visualRect(table->model()->index(row, 1)).center();
}

// Shows the page as the active window, so that keys and clicks reach it as they reach a diver's.
bool ShowActive(QWidget& page, int width, int height) {
    page.resize(width, height);
    page.show();
    QApplication::setActiveWindow(&page);
    return QTest::qWaitForWindowActive(&page);
}

QString Header(QTableView* table, int column) {
    return table->model()->headerData(column, Qt::Horizontal).toString();
}

// A loaded dive with its window at [100, 200]: samples before, at both ends, inside and after.
void MakeDive(CDiveLog& log, bool cylinders) {
    log.m_bFileLoaded = true;
    log.m_bCylinderPressures = cylinders;
    log.m_ChartRange.diveStart = 100;
    log.m_ChartRange.diveEnd = 200;
    for (double t : {50.0, 100.0, 130.0, 200.0, 201.0}) {
        auto s = std::make_unique<CDiveLogSample>();
        s->m_dTime = t;
        s->m_dPressure = 2000; // 10 m
        s->m_dAmbientTemp = 20;
        s->m_dSetpoint = 1.2;
        log.m_arSamples.push_back(*s);
    }
}

void FeedShortLogBook(CDiveLogSysInfo& info) {
    std::vector<uint8_t> settings(0x400);
    int k = 0;
    for (int number : {9, 10, 2}) {
        CLogBookEntry e;
        e.m_nNumber = number;
        e.m_nDay = 1;
        e.m_nMonth = 2;
        e.m_nYear = 20 + number;
        e.m_nDuration = number * 60;
        e.m_nDepth = number * 100;
        EncodeLogBookEntry(e, false, settings.data() + 256 + 16 * k++);
    }
    CRecordLineWriter header(0xB0);
    header.Byte(0xB0).Byte(2).Word(0).Word(0);
    CRecordLineWriter data(0xB1);
    for (uint8_t b : settings)
        data.Byte(b);
    info.Decode(header.Finish(), data.Finish());
}

} // namespace

// ---- CDiveData
// -----------------------------------------------------------------------------------

TEST(CDiveData, EmptyTableHasHeadersOnly) {
    CViewerContext ctx;
    CDiveData page(ctx);
    EXPECT_EQ(page.Table()->model()->columnCount(), 20);
    EXPECT_EQ(page.Table()->model()->rowCount(), 0);
    QApplication::clipboard()->clear();
    QTest::mouseClick(page.CopyButton(), Qt::LeftButton);
    const QString text = QApplication::clipboard()->text();
    EXPECT_TRUE(text.startsWith("Dive Time (s)\tDepth (m)\t"));
    EXPECT_TRUE(text.endsWith("Gradient Factor\t\r\n"));
    EXPECT_EQ(text.count("\r\n"), 1);
}

TEST(CDiveData, RowsOfTheDiveWindowAndUnits) {
    CViewerContext ctx;
    MakeDive(ctx.Log(), true);
    CDiveData page(ctx);
    QTableView* table = page.Table();
    ASSERT_EQ(table->model()->columnCount(), 27);
    ASSERT_EQ(table->model()->rowCount(), 3);
    EXPECT_EQ(Cell(table, 0, 0), "0.0");
    EXPECT_EQ(Cell(table, 2, 0), "100.0");
    EXPECT_EQ(Cell(table, 1, 1), "10.0");
    EXPECT_EQ(table->model()->index(0, 0).data(Qt::TextAlignmentRole).value<Qt::Alignment>(),
              Qt::Alignment(Qt::AlignCenter));
    for (int c = 0; c < 27; ++c)
        EXPECT_GE(table->horizontalHeader()->sectionSize(c), 50) << c;

    ctx.SetMetric(false);
    page.Refresh();
    EXPECT_EQ(Header(table, 1), "Depth (ft)");
    EXPECT_EQ(Cell(table, 1, 1), "32.8");
    EXPECT_EQ(Header(table, 22), "Ambient Temp. (Fahrenheit)");
    EXPECT_EQ(Cell(table, 1, 22), "68.00");
    EXPECT_EQ(Cell(table, 1, 2), "1.20");

    // The clipboard holds what the core builds for the command line export.
    QTest::mouseClick(page.CopyButton(), Qt::LeftButton);
    EXPECT_EQ(QApplication::clipboard()->text().toStdString(), DataClipboardText(ctx.Log(), false));

    ctx.Log().UnloadLogFile();
    page.Refresh();
    EXPECT_EQ(table->model()->rowCount(), 0);
    EXPECT_EQ(table->model()->columnCount(), 20);
}

TEST(CDiveData, CtrlCCopiesTheSelectedRowsWithTheHeader) {
    CViewerContext ctx;
    MakeDive(ctx.Log(), false);
    CDiveData page(ctx);
    ASSERT_TRUE(ShowActive(page, 900, 400));
    QTableView* table = page.Table();
    // The diver picks the last row, adds the first with Ctrl and copies.
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, RowPoint(table, 2));
    QTest::mouseClick(table->viewport(), Qt::LeftButton, Qt::ControlModifier, RowPoint(table, 0));
    QApplication::clipboard()->clear();
    QTest::keyClick(table, Qt::Key_C, Qt::ControlModifier);
    const QStringList all =
        QString::fromStdString(DataClipboardText(ctx.Log(), true)).split("\r\n");
    ASSERT_EQ(all.size(), 5); // header, three rows, and the empty rest after the last line end
    EXPECT_EQ(QApplication::clipboard()->text(),
              all[0] + "\r\n" + all[1] + "\r\n" + all[3] + "\r\n");

    // Shift+Down stretches a fresh selection over the next row: the copy follows it.
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, RowPoint(table, 1));
    QTest::keyClick(table, Qt::Key_Down, Qt::ShiftModifier);
    QTest::keyClick(table, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text().toStdString(),
              (all[0] + "\r\n" + all[2] + "\r\n" + all[3] + "\r\n").toStdString());
}

// ---- CDiveLogBook
// --------------------------------------------------------------------------------

TEST(CDiveLogBook, ListsEntriesAndSortsByHeading) {
    CViewerContext ctx;
    FeedShortLogBook(ctx.Log().m_SysInfo);
    CDiveLogBook page(ctx);
    QTableView* table = page.Table();
    ASSERT_EQ(table->model()->rowCount(), 3);
    EXPECT_EQ(Header(table, 3), "Max Depth (m)");
    EXPECT_EQ(table->horizontalHeader()->sectionSize(1), 200);
    EXPECT_TRUE(page.PrintButton()->isEnabled()); // rows to print
    EXPECT_EQ(Cell(table, 0, 0), "9");
    EXPECT_EQ(Cell(table, 1, 1), "01/02/2030 00:00:00");

    table->horizontalHeader()->sectionClicked(0);
    EXPECT_EQ(Cell(table, 0, 0), "2");
    EXPECT_EQ(Cell(table, 1, 0), "9");
    EXPECT_EQ(Cell(table, 2, 0), "10");
    table->horizontalHeader()->sectionClicked(0);
    EXPECT_EQ(Cell(table, 0, 0), "10");
    EXPECT_EQ(Cell(table, 2, 0), "2");

    QTest::mouseClick(page.CopyButton(), Qt::LeftButton);
    EXPECT_EQ(QApplication::clipboard()->text(),
              "Dive Number\tDate\tDuration (mm:ss)\tMax Depth (m)\t\r\n"
              "10\t01/02/2030 00:00:00\t10:00\t10.0\t\r\n"
              "9\t01/02/2029 00:00:00\t09:00\t9.0\t\r\n"
              "2\t01/02/2022 00:00:00\t02:00\t2.0\t\r\n");

    // A refill (here: units) shows memory order again, in feet.
    ctx.SetMetric(false);
    page.Refresh();
    EXPECT_EQ(Cell(table, 0, 0), "9");
    EXPECT_EQ(Header(table, 3), "Max Depth (ft)");
    EXPECT_EQ(Cell(table, 0, 3), "29.5");
}

TEST(CDiveLogBook, CtrlCCopiesTheSelectedRowsInTheOrderShown) {
    CViewerContext ctx;
    FeedShortLogBook(ctx.Log().m_SysInfo);
    CDiveLogBook page(ctx);
    ASSERT_TRUE(ShowActive(page, 700, 400));
    QTableView* table = page.Table();
    QHeaderView* header = table->horizontalHeader();
    // Sorted by number through the heading, then the first two rows marked and copied.
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                      QPoint(header->sectionViewportPosition(0) + 10, header->height() / 2));
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, RowPoint(table, 0));
    QTest::mouseClick(table->viewport(), Qt::LeftButton, Qt::ShiftModifier, RowPoint(table, 1));
    QApplication::clipboard()->clear();
    QTest::keyClick(table, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(),
              "Dive Number\tDate\tDuration (mm:ss)\tMax Depth (m)\t\r\n"
              "2\t01/02/2022 00:00:00\t02:00\t2.0\t\r\n"
              "9\t01/02/2029 00:00:00\t09:00\t9.0\t\r\n");
}

TEST(CDiveLogBook, NoBlocksShowsHeadingsOnly) {
    CViewerContext ctx;
    CDiveLogBook page(ctx);
    EXPECT_EQ(page.Table()->model()->rowCount(), 0);
    EXPECT_EQ(page.Table()->model()->columnCount(), 4);
    EXPECT_EQ(page.ClipboardText(), "Dive Number\tDate\tDuration (mm:ss)\tMax Depth (m)\t\r\n");
}

int main(int argc, char** argv) {
    // Test discovery runs this program outside CTest's environment: never look for a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
