#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSettings>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>
#include <QUrl>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

#include "GuiTestEnv.h"
#include "MainWindowFixture.h"
#include "app/CLogViewerDlg.h"
#include "app/CQtSettingsStore.h"
#include "app/LocalFileName.h"
#include "logfile/LogSaver.h"
#include "settings/SettingValue.h"
#include "settings/SettingsTable.h"
#include "ui/CLatLongEdit.h"
#include "ui/CNumSpinCtrl.h"
#include "viewmodel/BannerText.h"
#include "views/CChartOptions.h"
#include "views/CDiveGasManagement.h"
#include "views/CDiveInformation.h"
#include "views/CDiveProfile.h"
#include "views/ProfileReadout.h"

// ---- Start-up and the banner ---------------------------------------------------------------

TEST_F(MainWindow, EmptyWindowHasPlainTitleAndNoNavigation) {
    Window().show();
    EXPECT_EQ(Window().windowTitle(), "Zelvor Log Viewer");
    EXPECT_TRUE(Window().BannerText().isEmpty());
    EXPECT_FALSE(Window().NavigationButton(Step::First)->isVisible());
    EXPECT_EQ(Window().Pages()->count(), 5);
    EXPECT_EQ(Window().Pages()->currentIndex(), 0);
}

TEST_F(MainWindow, FileFromCommandLineSetsTitleBannerAndCounter) {
    WriteUnitFiles();
    Window().show();
    Window().OpenAtStart(Path("ZV1_0002.ccl"));
    QTRY_VERIFY(Loaded());
    EXPECT_EQ(Window().windowTitle(), "Zelvor Log Viewer - ZV1_0002.ccl");
    const QString expected =
        QString::fromLatin1(BannerText(Window().Context().Log(), true).c_str());
    EXPECT_EQ(Banner(), expected);
    EXPECT_EQ(Counter(), "2 of 3");
    for (Step s : {Step::First, Step::Previous, Step::Next, Step::Last})
        EXPECT_TRUE(Window().NavigationButton(s)->isEnabled());
    // The external road adds the file to the recent list and remembers its folder.
    EXPECT_EQ(Window().RecentFiles(), QStringList{Path("ZV1_0002.ccl")});
    EXPECT_EQ(AppSettings().value("Settings/Default Directory").toString(), m_dir);
    EXPECT_TRUE(guitest::StatusLogText().contains("User selected file " + Path("ZV1_0002.ccl") +
                                                  " via external method"));
}

TEST_F(MainWindow, DiveNumberEditShowsInTheBannerAtOnce) {
    WriteUnitFiles();
    Window().OpenFile(Path("ZV1_0001.ccl"), Dlg::Source::External);
    CDiveLogInformation& info = Window().Context().Log().m_DiveInformation;
    Window().Context().Edit([](CDiveLog& log) {
        log.m_DiveInformation.m_strDiveNumberText = "Reef & Wreck";
        return true;
    });
    const QString label = QString::number(info.m_nDiveNumber) + " - Reef & Wreck";
    EXPECT_TRUE(Window().BannerText().contains("Dive No. " + label));
    // A "&" on the button is doubled so it shows instead of marking a shortcut.
    EXPECT_TRUE(Banner().contains("Reef && Wreck"));
}

TEST_F(MainWindow, FileOutsideTheListStepsOnlyIntoIt) {
    WriteUnitFiles();
    // The only file of its unit: no button leads anywhere.
    Window().OpenFile(Path("ZV2_0001.ccl"), Dlg::Source::External);
    EXPECT_EQ(Counter(), "1 of 1");
    for (Step s : {Step::First, Step::Previous, Step::Next, Step::Last})
        EXPECT_FALSE(Window().NavigationButton(s)->isEnabled());
    // Not a ".ccl" name: the list holds the unit's text logs only.
    QFile::copy(Path("ZV1_0002.ccl"), Path("ZV1_0000.log"));
    Window().OpenFile(Path("ZV1_0000.log"), Dlg::Source::External);
    ASSERT_TRUE(Loaded());
    EXPECT_EQ(Counter(), "");
    EXPECT_EQ(Window().FileIndex(), -1);
    EXPECT_TRUE(Window().NavigationButton(Step::First)->isEnabled());
    EXPECT_FALSE(Window().NavigationButton(Step::Previous)->isEnabled());
    EXPECT_TRUE(Window().NavigationButton(Step::Next)->isEnabled());
    Window().Navigate(Step::Next);
    EXPECT_EQ(Title(), "ZV1_0001.ccl");

    // A title without "_" matches nothing: every button is off and the file stays.
    QFile::copy(Path("ZV1_0002.ccl"), Path("single.ccl"));
    Window().OpenFile(Path("single.ccl"), Dlg::Source::External);
    for (Step s : {Step::First, Step::Previous, Step::Next, Step::Last}) {
        EXPECT_FALSE(Window().NavigationButton(s)->isEnabled());
        Window().Navigate(s);
    }
    EXPECT_EQ(Title(), "single.ccl");
}

TEST_F(MainWindow, UnitsSwitchUpdatesBannerSettingAndChecks) {
    WriteUnitFiles();
    Window().OpenFile(Path("ZV1_0001.ccl"), Dlg::Source::External);
    const QString metric = Banner();
    Window().Action(Dlg::kCmdImperial)->trigger();
    EXPECT_NE(Banner(), metric);
    EXPECT_TRUE(Banner().contains("\"      Duration ")) << Banner().toStdString();
    EXPECT_FALSE(Window().Context().IsMetric());
    Window().UpdateCommandStates();
    EXPECT_TRUE(Checked(Dlg::kCmdImperial));
    EXPECT_FALSE(Checked(Dlg::kCmdMetric));
    EXPECT_EQ(AppSettings().value("Settings/Units").toUInt(), 0u);
    Window().Action(Dlg::kCmdMetric)->trigger();
    EXPECT_EQ(Banner(), metric);
}

TEST_F(MainWindow, AnyNonZeroUnitsValueCountsAsMetric) {
    AppSettings().setValue("Settings/Units", 7);
    Window().UpdateCommandStates();
    EXPECT_TRUE(Window().Context().IsMetric());
    EXPECT_TRUE(Checked(Dlg::kCmdMetric));
    EXPECT_FALSE(Checked(Dlg::kCmdImperial));
}

// ---- Menu states ---------------------------------------------------------------------------

TEST_F(MainWindow, FileCommandsNeedALoadedFile) {
    WriteUnitFiles();
    Window().UpdateCommandStates();
    const int fileCommands[] = {
        Dlg::kCmdClose,        Dlg::kCmdSave,       Dlg::kCmdPrintInformation,
        Dlg::kCmdPrintProfile, Dlg::kCmdMailZelvor, Dlg::kCmdMailDan};
    for (int c : fileCommands)
        EXPECT_FALSE(Enabled(c)) << c;
    for (int c : {Dlg::kCmdOpen, Dlg::kCmdPrinterSetup, Dlg::kCmdExit, Dlg::kCmdChartOptions,
                  Dlg::kCmdMetric, Dlg::kCmdImperial, Dlg::kCmdSelectLanguage,
                  Dlg::kCmdRightClickMenu, Dlg::kCmdHelpContents, Dlg::kCmdAbout})
        EXPECT_TRUE(Enabled(c)) << c;
    Window().OpenFile(Path("ZV1_0001.ccl"), Dlg::Source::External);
    for (int c : fileCommands)
        EXPECT_TRUE(Enabled(c)) << c;
}

TEST_F(MainWindow, RightClickMenuSwitchToggles) {
    Window().UpdateCommandStates();
    EXPECT_TRUE(Checked(Dlg::kCmdRightClickMenu));
    Window().Action(Dlg::kCmdRightClickMenu)->trigger();
    Window().UpdateCommandStates();
    EXPECT_FALSE(Checked(Dlg::kCmdRightClickMenu));
    EXPECT_FALSE(Window().Context().IsChartRightClickMenuEnabled());
    EXPECT_EQ(AppSettings().value("Settings/EnableChartRightClickMenu").toUInt(), 0u);
    Window().Action(Dlg::kCmdRightClickMenu)->trigger();
    EXPECT_EQ(AppSettings().value("Settings/EnableChartRightClickMenu").toUInt(), 1u);
}

// Regression: a stored 2 opened the chart's menu while the menu's check mark showed it off.
TEST_F(MainWindow, RightClickSwitchReadsOneWayEverywhere) {
    AppSettings().setValue("Settings/EnableChartRightClickMenu", 2);
    Window().UpdateCommandStates();
    EXPECT_TRUE(Window().Context().IsChartRightClickMenuEnabled());
    EXPECT_TRUE(Checked(Dlg::kCmdRightClickMenu));
    Window().Action(Dlg::kCmdRightClickMenu)->trigger();
    EXPECT_EQ(AppSettings().value("Settings/EnableChartRightClickMenu").toUInt(), 0u);
}

// ---- File > Open and the recent list -------------------------------------------------------

TEST_F(MainWindow, CancelledOpenLeavesTheWindowEmpty) {
    WriteUnitFiles();
    Window().show();
    Window().OpenFile(Path("ZV1_0001.ccl"), Dlg::Source::External);
    Window().SetOpenDialogHook([] { return QString(); });
    Window().OnFileOpen();
    EXPECT_FALSE(Loaded());
    EXPECT_FALSE(Window().Context().Log().m_bLoading);
    EXPECT_FALSE(Window().NavigationButton(Step::First)->isVisible());
}

TEST_F(MainWindow, OpenDialogRoadWritesStatusAndRecentList) {
    WriteUnitFiles();
    const QString file = Path("ZV1_0003.ccl");
    Window().SetOpenDialogHook([file] { return file; });
    Window().Action(Dlg::kCmdOpen)->trigger();
    EXPECT_EQ(Title(), "ZV1_0003.ccl");
    EXPECT_TRUE(guitest::StatusLogText().contains("User selected file " + file + "\n"));
    EXPECT_EQ(AppSettings().value("Recent File List/File1").toString(), file);
}

TEST_F(MainWindow, RelativePathIsRememberedInFull) {
    WriteUnitFiles();
    const QString before = QDir::currentPath();
    QDir::setCurrent(m_dir);
    Window().OpenFile("ZV1_0002.ccl", Dlg::Source::External);
    QDir::setCurrent(before);
    EXPECT_EQ(Window().RecentFiles(), QStringList{Path("ZV1_0002.ccl")});
    EXPECT_EQ(Counter(), "2 of 3");
    Window().Navigate(Step::Next);
    EXPECT_EQ(Title(), "ZV1_0003.ccl");
}

TEST_F(MainWindow, RecentListKeepsFourNewestFirst) {
    WriteUnitFiles();
    guitest::WriteLog(m_dir, "ZV3_0001.ccl");
    const QStringList order{"ZV1_0001.ccl", "ZV1_0002.ccl", "ZV1_0003.ccl",
                            "ZV2_0001.ccl", "ZV3_0001.ccl", "ZV1_0002.ccl"};
    for (const QString& name : order)
        Window().OpenFile(Path(name.toLatin1().constData()), Dlg::Source::External);
    const QStringList expected{Path("ZV1_0002.ccl"), Path("ZV3_0001.ccl"), Path("ZV2_0001.ccl"),
                               Path("ZV1_0003.ccl")};
    EXPECT_EQ(Window().RecentFiles(), expected);
    // A new window reads the same list back.
    Dlg other;
    EXPECT_EQ(other.RecentFiles(), expected);
    // Opening from the list does not reorder it.
    Window().OpenFile(Path("ZV1_0003.ccl"), Dlg::Source::Recent);
    EXPECT_EQ(Window().RecentFiles(), expected);
    EXPECT_EQ(Title(), "ZV1_0003.ccl");
}

TEST_F(MainWindow, FileNameThatIsNotUtf8OpensAndComesBackFromTheRecentList) {
    const QByteArray bytes = QFile::encodeName(m_dir) + "/dive-\xff.ccl";
    ASSERT_EQ(std::rename(QFile::encodeName(guitest::WriteLog(m_dir, "plain.ccl")).constData(),
                          bytes.constData()),
              0);
    const QString name = localname::Decode(bytes);
    ASSERT_TRUE(Window().OpenFile(name, Dlg::Source::External))
        << m_messages.join('\n').toStdString();
    EXPECT_EQ(Window().Context().Log().m_strFilePath, bytes.toStdString());
    EXPECT_EQ(localname::Encode(Window().windowTitle()), "Zelvor Log Viewer - dive-\xff.ccl");
    // The setting holds the bytes themselves; a name that is valid text stays text.
    EXPECT_EQ(AppSettings().value("Recent File List/File1").toByteArray(), bytes);

    // The next start offers it in File and opens it from there.
    m_window->close();
    m_window.reset();
    ASSERT_EQ(Window().RecentFiles(), QStringList{name});
    QAction* recent = nullptr;
    for (QAction* a : Window().findChildren<QAction*>())
        if (a->data().toInt() == int(Dlg::kCmdRecentFile))
            recent = a;
    ASSERT_NE(recent, nullptr);
    recent->trigger();
    EXPECT_TRUE(Loaded()) << m_messages.join('\n').toStdString();
    EXPECT_EQ(Window().Context().Log().m_strFilePath, bytes.toStdString());
}

// ---- Dropping a file onto the window ------------------------------------------------------

// What a file manager sends, through the window system's window so that Qt finds the widget
// under the pointer and walks up to the one taking drops. True when the drop was taken; the
// open that follows has run when this returns.
static bool DropOnto(QWidget& window, const QList<QUrl>& urls, const QString& text = {}) {
    QMimeData data;
    data.setUrls(urls);
    data.setText(text);
    const QPoint at = window.rect().center();
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(window.windowHandle(), &enter);
    QDropEvent drop(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(window.windowHandle(), &drop);
    QCoreApplication::processEvents();
    return enter.isAccepted() && drop.isAccepted();
}

// A drop takes the File > Open road: a number typed but not entered is asked about, a failed
// save keeps the dive, and with a good save the first of the dropped files opens. Text, remote
// addresses and empty drops are refused without a question.
TEST_F(MainWindow, DroppedFileOpensAfterTheSaveQuestion) {
    WriteUnitFiles();
    Window().show();
    Window().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&Window()));
    Window().OpenFile(Path("ZV1_0001.ccl"), Dlg::Source::External);
    const QString file = Path("ZV1_0003.ccl");
    EXPECT_FALSE(
        DropOnto(Window(), {QUrl("https://example.com/a.ccl"), QUrl::fromLocalFile(file)}));
    EXPECT_FALSE(DropOnto(Window(), {}, file));

    bool saveWorks = false;
    std::vector<double> saved;
    Window().SetSaveHook([&](CDiveLog& log) {
        saved.push_back(log.m_GasManagement.m_dPressureIn[0]);
        CSaveResult r;
        r.ok = saveWorks;
        r.messageId = saveWorks ? 0 : 2222;
        return r;
    });
    auto* cell = static_cast<CDiveGasManagement*>(Window().Page(3))
                     ->Spin(0, CDiveGasManagement::kPressureIn);
    Window().Pages()->setCurrentIndex(3);
    cell->setFocus();
    cell->selectAll();
    QTest::keyClicks(cell, "123");
    EXPECT_TRUE(m_questions.isEmpty());
    m_answer = true;

    const QList<QUrl> files{QUrl::fromLocalFile(file), QUrl::fromLocalFile(Path("ZV2_0001.ccl"))};
    EXPECT_TRUE(DropOnto(Window(), files));
    EXPECT_EQ(m_questions.size(), 1);
    EXPECT_EQ(m_messages, QStringList{"Unable to open data file for writing."});
    EXPECT_EQ(Title(), "ZV1_0001.ccl");
    EXPECT_TRUE(Window().Context().IsModified());

    saveWorks = true;
    EXPECT_TRUE(DropOnto(Window(), files));
    EXPECT_EQ(m_questions.size(), 2);
    EXPECT_EQ(saved, (std::vector<double>{123.0, 123.0}));
    EXPECT_EQ(Title(), "ZV1_0003.ccl");
    EXPECT_EQ(Window().RecentFiles().value(0).toStdString(), file.toStdString());
}

// ---- Failed loads --------------------------------------------------------------------------

TEST_F(MainWindow, LoaderMessagesAreShownAndTheWindowStaysEmpty) {
    const QString tiny = guitest::WriteFile(m_dir, "tiny.ccl", "A");
    Window().OpenFile(tiny, Dlg::Source::External);
    ASSERT_EQ(m_messages.size(), 1);
    EXPECT_EQ(m_messages[0], "Unable to open data file.");
    EXPECT_FALSE(Loaded());
    EXPECT_EQ(Window().windowTitle(), "Zelvor Log Viewer");

    // A file that cannot be read says why, with its path.
    m_messages.clear();
    Window().OpenFile(Path("missing.ccl"), Dlg::Source::External);
    ASSERT_EQ(m_messages.size(), 1);
    EXPECT_TRUE(m_messages[0].startsWith("Unable to open data file."));
    EXPECT_TRUE(m_messages[0].contains("No such file or directory: " + Path("missing.ccl")));

    // A folder named like a log once brought the viewer down.
    QDir(m_dir).mkdir("folder.ccl");
    m_messages.clear();
    Window().OpenFile(Path("folder.ccl"), Dlg::Source::External);
    ASSERT_EQ(m_messages.size(), 1);
    EXPECT_TRUE(m_messages[0].contains("Is a folder, not a file"));
    EXPECT_FALSE(Loaded());
}

// Regression: a binary file that failed to convert left an empty window and no word why.
TEST_F(MainWindow, FailedBinaryConversionSaysWhy) {
    const QString broken =
        guitest::WriteFile(m_dir, "broken.ccl", QByteArray("\0\0not a record", 15));
    Window().OpenFile(broken, Dlg::Source::External);
    ASSERT_EQ(m_messages.size(), 1);
    EXPECT_TRUE(m_messages[0].startsWith("Invalid Log File.\n\nBinary file load failed"))
        << m_messages[0].toStdString();
    EXPECT_FALSE(Loaded());
    EXPECT_TRUE(guitest::StatusLogText().contains("Unable to convert the binary file"));
}

TEST_F(MainWindow, DamagedLineIsReported) {
    const QString good = guitest::WriteLog(m_dir, "ZV1_0001.ccl");
    QFile f(good);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    QByteArray bytes = f.readAll();
    f.close();
    // Break the checksum of one record line in the middle of the file.
    const qsizetype mid = bytes.indexOf("\n", bytes.size() / 2) + 1;
    bytes[mid + 4] = bytes[mid + 4] == '0' ? '1' : '0';
    const QString bad = guitest::WriteFile(m_dir, "ZV1_0002.ccl", bytes);
    Window().OpenFile(bad, Dlg::Source::External);
    ASSERT_EQ(m_messages.size(), 1);
    EXPECT_EQ(m_messages[0], "Invalid Checksum.");
    EXPECT_FALSE(Loaded());
}

// ---- Language and window placement ---------------------------------------------------------

namespace {
const char* Shouting(int id) {
    switch (id) {
    case 2209:
        return "TAUCHPROFIL";
    case 9026:
        return "WEITER";
    case 20000:
        return "&DATEI";
    default:
        return "";
    }
}
} // namespace

TEST_F(MainWindow, ReloadTextsTakesTheNewLanguageEverywhere) {
    Window();
    CViewerContext::SetStringSource(&Shouting);
    Window().ReloadTexts();
    CViewerContext::SetStringSource(nullptr);
    EXPECT_EQ(Window().Pages()->tabText(0), "TAUCHPROFIL");
    EXPECT_EQ(Window().Pages()->tabText(1), "Dive Information") << "missing texts stay English";
    EXPECT_EQ(Window().NavigationButton(Step::Next)->toolTip(), "WEITER");
    const QList<QAction*> top = Window().menuBar()->actions();
    ASSERT_EQ(top.size(), 4);
    EXPECT_EQ(top[0]->text(), "&DATEI");
    // The rebuilt menu still carries out its commands.
    ASSERT_NE(Window().Action(Dlg::kCmdImperial), nullptr);
    Window().Action(Dlg::kCmdImperial)->trigger();
    EXPECT_FALSE(Window().Context().IsMetric());
}

TEST_F(MainWindow, PlacementIsRestoredAndSaved) {
    AppSettings().setValue("ZelvorLogViewer/WindowPlacement", "20,30,1420,980,1,0,-1,-1");
    Window().show();
    EXPECT_EQ(Window().size(), QSize(1400, 950));
    Window().resize(1500, 1000);
    Window().close();
    const QStringList parts =
        AppSettings().value("ZelvorLogViewer/WindowPlacement").toString().split(',');
    ASSERT_EQ(parts.size(), 8);
    EXPECT_EQ(parts[2].toInt() - parts[0].toInt(), 1500);
    EXPECT_EQ(parts[3].toInt() - parts[1].toInt(), 1000);
    EXPECT_EQ(parts[4], "1");
}

// The profile knows a new load by its generation, not by where the samples happen to lie: the
// same file opened again (same name, same size, often the same memory) starts unzoomed.
TEST_F(MainWindow, ReopeningTheSameFileResetsTheZoom) {
    WriteUnitFiles();
    Window().OpenFile(Path("ZV1_0001.ccl"), Dlg::Source::External);
    auto* profile = static_cast<CDiveProfile*>(Window().Page(0));
    const CChartState whole = profile->Chart().State();
    const unsigned generation = Window().Context().Generation();
    profile->Chart().State().m_nViewStart = whole.m_nViewStart + 60;
    profile->Chart().State().m_nViewEnd = whole.m_nViewStart + 120;
    Window().OpenFile(Path("ZV1_0001.ccl"), Dlg::Source::Recent);
    EXPECT_GT(Window().Context().Generation(), generation);
    EXPECT_EQ(profile->Chart().State().m_nViewStart, whole.m_nViewStart);
    EXPECT_EQ(profile->Chart().State().m_nViewEnd, whole.m_nViewEnd);
}

// ---- Small screens -------------------------------------------------------------------------

// Every page fits a 1024 x 700 screen (or half of a wide one); the profile's readout stays in
// view there.
TEST_F(MainWindow, EveryPageFitsA1024By700Screen) {
    WriteUnitFiles();
    Window().show();
    Window().OpenFile(Path("ZV1_0001.ccl"), Dlg::Source::External);
    for (int page = 4; page >= 0; --page) {
        Window().Pages()->setCurrentIndex(page);
        QApplication::processEvents();
        const QSize least = Window().minimumSizeHint().expandedTo(Window().minimumSize());
        EXPECT_LE(least.width(), 1024) << page;
        EXPECT_LE(least.height(), 700) << page;
    }
    Window().resize(1024, 700);
    QApplication::processEvents();
    EXPECT_EQ(Window().size(), QSize(1024, 700));
    const auto* profile = static_cast<CDiveProfile*>(Window().Page(0));
    for (const QWidget* w : {static_cast<const QWidget*>(profile->ReadoutHeader()),
                             static_cast<const QWidget*>(profile->ReadoutLines())}) {
        const QRect placed(w->mapTo(&Window(), QPoint(0, 0)), w->size());
        EXPECT_TRUE(Window().rect().contains(placed));
    }
}

// ---- Chart Options and About ---------------------------------------------------------------

TEST_F(MainWindow, ChartOptionsOkHandsTheSettingsToTheProfile) {
    WriteUnitFiles();
    Window().OpenFile(Path("ZV1_0001.ccl"), Dlg::Source::External);
    QStringList seen;
    Window().SetDialogHook([&](QDialog& dialog) {
        seen << dialog.metaObject()->className();
        if (auto* options = qobject_cast<CChartOptions*>(&dialog)) {
            options->DepthBox()->setChecked(false);
            options->accept();
        }
        return dialog.result();
    });
    Window().Action(Dlg::kCmdChartOptions)->trigger();
    Window().Action(Dlg::kCmdAbout)->trigger();
    EXPECT_EQ(seen, (QStringList{"CChartOptions", "CAboutDlg"}));
    EXPECT_EQ(AppSettings().value("Settings/Graph Traces/Depth").toUInt(), 0u);
}
