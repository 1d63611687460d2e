// The printing commands: the printer the application keeps between runs, the print dialog, the
// log book's Print button, and the viewer's --report option.
#include <QDialog>
#include <QFile>
#include <QPrintDialog>
#include <QPrintPreviewWidget>
#include <QPrinterInfo>
#include <QProcess>
#include <QPushButton>
#include <QSettings>
#include <QTest>
#include <gtest/gtest.h>

#include "PrintTestEnv.h"
#include "app/CLogViewerDlg.h"
#include "app/CQtSettingsStore.h"
#include "print/CPrintCommands.h"
#include "views/CDiveLogBook.h"

namespace {

const QString kSample = QStringLiteral(ZELVOR_SAMPLE_DIR "/sample-short.ccl");

// A window with the sample loaded; its printer writes PDF files and every dialog is accepted.
class Printing : public ::testing::Test {
protected:
    void SetUp() override {
        AppSettings().clear();
        m_window = std::make_unique<CLogViewerDlg>();
        m_window->SetSavePlacement(false);
        m_window->SetMessageHook([this](const QString& text) { m_messages << text; });
        m_window->SetDialogHook([this](QDialog& dialog) {
            m_dialogs << dialog.metaObject()->className();
            return int(QDialog::Accepted);
        });
        ASSERT_TRUE(m_window->OpenFile(kSample, CLogViewerDlg::Source::External));
    }
    void TearDown() override {
        m_window->SetSaveQuestionHook([](const QString&) { return false; });
        m_window->close();
        m_window.reset();
    }
    CPrintCommands& Jobs() { return m_window->PrintCommands(); }
    QString ToFile(const char* name) {
        const QString path = printtest::TempRoot() + "/" + name;
        QFile::remove(path);
        Jobs().Printer().setOutputFileName(path);
        return path;
    }

    std::unique_ptr<CLogViewerDlg> m_window;
    QStringList m_messages;
    QStringList m_dialogs;
};

} // namespace

TEST_F(Printing, EachReportTurnsThePageAndTheLastOrientationIsWhatExitStores) {
    // Nothing is written before a printer was chosen, nor after a cancelled dialog.
    CMemorySettingsStore store;
    m_window->SetDialogHook([](QDialog&) { return int(QDialog::Rejected); });
    m_window->Action(CLogViewerDlg::kCmdPrintProfile)->trigger();
    Jobs().Save(store);
    EXPECT_EQ(store.WriteCount(), 0u);

    m_window->SetDialogHook([this](QDialog& dialog) {
        m_dialogs << dialog.metaObject()->className();
        return int(QDialog::Accepted);
    });
    const QString info = ToFile("menu-information.pdf");
    m_window->Action(CLogViewerDlg::kCmdPrintInformation)->trigger();
    EXPECT_EQ(m_dialogs, QStringList{"QPrintDialog"});
    EXPECT_EQ(Jobs().Printer().docName(), "Zelvor Log Viewer - Dive Information");
    EXPECT_EQ(Jobs().Orientation(), kPortrait);
    const QString profile = ToFile("menu-profile.pdf");
    m_window->Action(CLogViewerDlg::kCmdPrintProfile)->trigger();
    EXPECT_EQ(Jobs().Printer().docName(), "Zelvor Log Viewer - Dive Profile");
    EXPECT_EQ(Jobs().Orientation(), kLandscape);
    Jobs().Save(store);
    EXPECT_EQ(CPrinterConfig::Load(store).m_nLandscape, 2u);
    if (printtest::HavePdfToText()) {
        const printtest::CPdfPage across = printtest::ReadPdf(profile);
        const printtest::CPdfPage upright = printtest::ReadPdf(info);
        EXPECT_GT(across.widthMm, across.heightMm);
        EXPECT_LT(upright.widthMm, upright.heightMm);
    }
    EXPECT_FALSE(Jobs().SetOrientation(0));
    EXPECT_FALSE(Jobs().SetOrientation(3));
    EXPECT_EQ(Jobs().Orientation(), kLandscape);
    EXPECT_TRUE(m_messages.isEmpty());
}

TEST_F(Printing, PreviewShowsEachReportOnOnePage) {
    for (int command : {CLogViewerDlg::kCmdPreviewInformation, CLogViewerDlg::kCmdPreviewProfile,
                        CLogViewerDlg::kCmdPreviewLogBook}) {
        int pages = -1;
        m_window->SetDialogHook([&](QDialog& dialog) {
            auto* preview = dialog.findChild<QPrintPreviewWidget*>();
            if (preview) {
                preview->updatePreview();
                pages = preview->pageCount();
            }
            return int(QDialog::Rejected);
        });
        ASSERT_TRUE(m_window->Action(command)->isEnabled());
        m_window->Action(command)->trigger();
        EXPECT_EQ(pages, 1) << command;
    }
    EXPECT_EQ(Jobs().Orientation(), kLandscape) << "the profile preview turned the page";
}

TEST_F(Printing, WithoutAnyPrinterTheDialogOffersAPdfFile) {
    if (!QPrinterInfo::availablePrinterNames().isEmpty())
        GTEST_SKIP() << "this machine has printers";
    QString offered;
    m_window->SetDialogHook([&](QDialog&) {
        if (Jobs().Printer().outputFormat() == QPrinter::PdfFormat)
            offered = Jobs().Printer().outputFileName();
        return int(QDialog::Accepted);
    });
    m_window->Action(CLogViewerDlg::kCmdPrintProfile)->trigger();
    EXPECT_TRUE(offered.endsWith("/Zelvor Log Viewer - Dive Profile.pdf")) << offered.toStdString();
    EXPECT_TRUE(QFile::exists(offered));
    // The next report gets its own file, not the last one's.
    m_window->Action(CLogViewerDlg::kCmdPrintInformation)->trigger();
    EXPECT_TRUE(offered.endsWith("/Zelvor Log Viewer - Dive Information.pdf"))
        << offered.toStdString();
    EXPECT_TRUE(m_messages.isEmpty());
}

TEST_F(Printing, LogBookPrintButtonPrintsTheListAsShown) {
    auto* book = qobject_cast<CDiveLogBook*>(m_window->Page(4));
    ASSERT_NE(book, nullptr);
    ASSERT_GT(book->RowTexts().size(), 0u);
    m_window->Pages()->setCurrentIndex(4);
    m_window->show();
    ASSERT_TRUE(book->PrintButton()->isEnabled());
    book->SortByColumn(0);
    book->SortByColumn(0); // descending: the printout follows the list
    const QString path = ToFile("logbook.pdf");
    QTest::mouseClick(book->PrintButton(), Qt::LeftButton);
    EXPECT_EQ(m_dialogs, QStringList{"QPrintDialog"});
    EXPECT_EQ(Jobs().Printer().docName(), "Zelvor Log Viewer - Log Book");
    ASSERT_TRUE(QFile::exists(path));
    if (printtest::HavePdfToText()) {
        const printtest::CPdfPage page = printtest::ReadPdf(path);
        const QString first = QString::fromStdString(book->RowTexts().front()[0]);
        const QString last = QString::fromStdString(book->RowTexts().back()[0]);
        ASSERT_NE(page.Word(first), nullptr);
        ASSERT_NE(page.Word(last), nullptr);
        EXPECT_LT(page.Word(first)->mm.top(), page.Word(last)->mm.top());
    }

    // No file, no rows, nothing to print.
    m_window->OnFileClose();
    EXPECT_FALSE(book->PrintButton()->isEnabled());
    EXPECT_FALSE(m_window->Action(CLogViewerDlg::kCmdExportReportPdf)->isEnabled());
}

TEST_F(Printing, RememberedPrinterThatHasGoneWarnsOnceAndUsesTheDefault) {
    const CPrinterConfig config{"Basement Laser", "HP LaserJet 4", "basement", 2};
    CPrintCommands gone(m_window.get(), [] { return CReportInput(); });
    gone.SetMessageHook([this](const QString& text) { m_messages << text; });
    EXPECT_EQ(gone.Restore(config, {"Office", "Lab"}), EPrinterRestore::Gone);
    ASSERT_EQ(m_messages.size(), 1);
    EXPECT_EQ(m_messages[0], "Warning : Unable to re-select your preferred printer\nas it is no "
                             "longer available. The system default printer\nwill be used.");
    EXPECT_FALSE(gone.HasPrinter());
    EXPECT_EQ(gone.Orientation(), kPortrait);

    // Any of the three texts empty: the default printer, silently.
    CPrinterConfig partial = config;
    partial.m_strPort.clear();
    EXPECT_EQ(gone.Restore(partial, {}), EPrinterRestore::Default);
    EXPECT_EQ(m_messages.size(), 1);

    // Found: chosen, with its orientation, and written back as it came.
    CPrintCommands found(m_window.get(), [] { return CReportInput(); });
    EXPECT_EQ(found.Restore(config, {"Basement Laser"}), EPrinterRestore::Selected);
    EXPECT_TRUE(found.HasPrinter());
    EXPECT_EQ(found.Orientation(), kLandscape);
    EXPECT_EQ(m_messages.size(), 1);
}

TEST_F(Printing, ExportWritesTheChosenReportAndReportsAFailure) {
    const auto exportTo = [this](const QString& path) {
        Jobs().SetExportHook([path](EReport& report, QString& out) {
            report = EReport::Profile;
            out = path;
            return true;
        });
        m_window->Action(CLogViewerDlg::kCmdExportReportPdf)->trigger();
    };
    const QString path = printtest::TempRoot() + "/export.pdf";
    exportTo(path);
    EXPECT_TRUE(QFile::exists(path));
    EXPECT_FALSE(QFile::exists(path + ".part"));
    EXPECT_TRUE(m_messages.isEmpty());
    exportTo(printtest::TempRoot() + "/no such folder/export.pdf");
    EXPECT_EQ(m_messages, QStringList{"Unable to write the PDF file."});
}

// ---- zelvor-log-viewer --report ------------------------------------------------------------

TEST(ReportOption, WritesThePdfAndTellsFailuresByExitCode) {
    const QString viewer = QStringLiteral(ZELVOR_BINARY_DIR "/zelvor-log-viewer");
    if (!QFile::exists(viewer))
        GTEST_SKIP() << "zelvor-log-viewer is not built";
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("XDG_CONFIG_HOME", printtest::TempRoot() + "/cli-config");
    env.insert("ZELVOR_DATA_DIR", printtest::TempRoot() + "/cli-data");
    const auto run = [&](const QStringList& args) {
        QProcess p;
        p.setProcessEnvironment(env);
        p.start(viewer, args);
        EXPECT_TRUE(p.waitForFinished(60000));
        return p.exitCode();
    };
    const QString out = printtest::TempRoot() + "/cli-logbook.pdf";
    EXPECT_EQ(run({"--report", "logbook", "--pdf", out, kSample}), 0);
    EXPECT_TRUE(QFile::exists(out));
    EXPECT_EQ(run({"--report", "profile", "--pdf", out, printtest::TempRoot() + "/missing.ccl"}),
              1);
    EXPECT_EQ(run({"--report", "information", "--pdf", "/nonexistent-folder/x.pdf", kSample}), 1);
    EXPECT_EQ(run({"--report", "summary", "--pdf", out, kSample}), 2);
    EXPECT_EQ(run({"--report", "profile", kSample}), 2);
    EXPECT_EQ(run({"--report", "profile", "--pdf", out}), 2);
}
