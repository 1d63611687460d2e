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

// ---- Navigation and the save question ------------------------------------------------------

TEST_F(MainWindow, NavigationStepsThroughTheUnitsFiles) {
    WriteUnitFiles();
    Window().OpenFile(Path("ZV1_0001.ccl"), Dlg::Source::External);
    EXPECT_FALSE(Window().NavigationButton(Step::First)->isEnabled());
    EXPECT_FALSE(Window().NavigationButton(Step::Previous)->isEnabled());
    QTest::mouseClick(Window().NavigationButton(Step::Next), Qt::LeftButton);
    EXPECT_EQ(Title(), "ZV1_0002.ccl");
    EXPECT_EQ(Counter(), "2 of 3");
    Window().Navigate(Step::Last);
    EXPECT_EQ(Title(), "ZV1_0003.ccl");
    EXPECT_FALSE(Window().NavigationButton(Step::Last)->isEnabled());
    Window().Navigate(Step::Previous);
    EXPECT_EQ(Title(), "ZV1_0002.ccl");
    Window().Navigate(Step::First);
    EXPECT_EQ(Title(), "ZV1_0001.ccl");
    EXPECT_TRUE(m_questions.isEmpty());
    // Nowhere to go: the file stays.
    Window().Navigate(Step::Previous);
    EXPECT_TRUE(Loaded());
    EXPECT_EQ(Title(), "ZV1_0001.ccl");
}

TEST_F(MainWindow, NextOnEditedDiveAsksThenSavesOrDiscards) {
    WriteUnitFiles();
    std::string savedTitle;
    for (bool yes : {false, true}) {
        Window().OpenFile(Path("ZV1_0001.ccl"), Dlg::Source::External);
        savedTitle.clear();
        Window().SetSaveHook([&](CDiveLog& log) {
            savedTitle = log.m_strFileTitle;
            CSaveResult r;
            r.ok = true;
            return r;
        });
        EditDive();
        m_questions.clear();
        m_answer = yes;
        Window().Navigate(Step::Next);
        ASSERT_EQ(m_questions.size(), 1);
        EXPECT_EQ(m_questions[0],
                  "The Dive Information has been modified.\n\nDo you want to save the changes?");
        EXPECT_EQ(savedTitle, yes ? "ZV1_0001.ccl" : "") << yes;
        EXPECT_EQ(Title(), "ZV1_0002.ccl");
        EXPECT_FALSE(Window().Context().Log().m_bModified);
    }
}

// A save chosen at the question that fails stops the road: the file, its edits and the window
// stay, so the diver can try again.
TEST_F(MainWindow, FailedSaveStopsEveryRoadAndKeepsTheEdits) {
    WriteUnitFiles();
    Window().show();
    Window().OpenFile(Path("ZV1_0001.ccl"), Dlg::Source::External);
    Window().SetSaveHook([](CDiveLog&) {
        CSaveResult r;
        r.messageId = 2222;
        return r;
    });
    bool dialogShown = false;
    Window().SetOpenDialogHook([&] {
        dialogShown = true;
        return Path("ZV1_0003.ccl");
    });
    EditDive();
    m_answer = true;
    const std::function<void()> roads[] = {
        [&] { Window().Navigate(Step::Next); },
        [&] { Window().OpenFile(Path("ZV1_0003.ccl"), Dlg::Source::Recent); },
        [&] { Window().Action(Dlg::kCmdOpen)->trigger(); },
        [&] { Window().Action(Dlg::kCmdClose)->trigger(); },
        [&] { Window().close(); },
    };
    int road = 0;
    for (const auto& take : roads) {
        m_messages.clear();
        take();
        ASSERT_EQ(m_messages.size(), 1) << road;
        EXPECT_EQ(m_messages[0], "Unable to open data file for writing.");
        EXPECT_EQ(Title(), "ZV1_0001.ccl") << road;
        EXPECT_TRUE(Window().Context().IsModified()) << road;
        EXPECT_TRUE(Window().isVisible()) << road;
        EXPECT_TRUE(Window().NavigationButton(Step::Next)->isVisible()) << road;
        ++road;
    }
    EXPECT_FALSE(dialogShown);
    // Answering No lets the road go on.
    m_answer = false;
    Window().Navigate(Step::Next);
    EXPECT_EQ(Title(), "ZV1_0002.ccl");
    EXPECT_FALSE(Window().Context().IsModified());
}

// ---- What the diver typed is never lost ----------------------------------------------------

// A number typed into a cell and not yet entered (the focus is still there) is an edit: every
// road that may discard the dive asks about it, and a Yes saves it.
TEST_F(MainWindow, TypedNumberIsAskedAboutOnEveryRoad) {
    WriteUnitFiles();
    Window().show();
    Window().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&Window()));
    Window().OpenFile(Path("ZV1_0001.ccl"), Dlg::Source::External);
    std::vector<double> saved;
    unsigned savedLatitude = 0;
    Window().SetSaveHook([&](CDiveLog& log) {
        saved.push_back(log.m_GasManagement.m_dPressureIn[0]);
        savedLatitude = log.m_DiveInformation.m_nLatDegrees;
        CSaveResult r;
        r.ok = true;
        return r;
    });
    auto* gas = static_cast<CDiveGasManagement*>(Window().Page(3));
    auto* info = static_cast<CDiveInformation*>(Window().Page(1));
    const auto type = [&](int page, QAbstractSpinBox* box, const char* text) {
        Window().Pages()->setCurrentIndex(page);
        box->setFocus();
        box->selectAll();
        QTest::keyClicks(box, text);
    };
    m_answer = true;

    // The Next button takes no focus: the cell keeps it while the click arrives.
    type(3, gas->Spin(0, CDiveGasManagement::kPressureIn), "123");
    QTest::mouseClick(Window().NavigationButton(Step::Next), Qt::LeftButton);
    EXPECT_EQ(m_questions.size(), 1);
    EXPECT_EQ(saved, std::vector<double>{123.0});
    EXPECT_EQ(Title(), "ZV1_0002.ccl");

    // Ctrl+O from inside the cell.
    Window().SetOpenDialogHook([] { return QString(); });
    type(3, gas->Spin(0, CDiveGasManagement::kPressureIn), "77");
    QTest::keyClick(gas->Spin(0, CDiveGasManagement::kPressureIn), Qt::Key_O, Qt::ControlModifier);
    EXPECT_EQ(m_questions.size(), 2);
    ASSERT_EQ(saved.size(), 2u);
    EXPECT_EQ(saved[1], 77.0);
    EXPECT_FALSE(Loaded());

    // The window's close button, with degrees typed into the latitude.
    Window().OpenFile(Path("ZV1_0001.ccl"), Dlg::Source::External);
    type(1, info->Latitude()->DegreesBox(), "45");
    Window().close();
    EXPECT_EQ(m_questions.size(), 3);
    EXPECT_EQ(saved.size(), 3u);
    EXPECT_EQ(savedLatitude, 45u);
}

// With no file loaded the pages take no edits, and a file opened next starts unmodified.
TEST_F(MainWindow, NothingTypedWithoutAFileReachesTheNextOne) {
    WriteUnitFiles();
    Window().show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&Window()));
    auto* info = static_cast<CDiveInformation*>(Window().Page(1));
    auto* gas = static_cast<CDiveGasManagement*>(Window().Page(3));
    Window().Pages()->setCurrentIndex(1);
    QLineEdit* location = info->TextEdit(CDiveInformation::kLocation);
    EXPECT_FALSE(location->isEnabled());
    EXPECT_FALSE(gas->Spin(0, CDiveGasManagement::kPressureIn)->isEnabled());
    QTest::keyClicks(location, "Harbour");
    EXPECT_FALSE(Window().Context().Edit([](CDiveLog& log) {
        log.m_DiveInformation.m_strLocation = "Harbour";
        return true;
    }));
    EXPECT_FALSE(Window().Context().IsModified());

    Window().OpenFile(Path("ZV1_0001.ccl"), Dlg::Source::External);
    EXPECT_FALSE(Window().Context().IsModified());
    EXPECT_TRUE(location->isEnabled());
    EXPECT_NE(location->text(), "Harbour");
    Window().close();
    EXPECT_TRUE(m_questions.isEmpty());
    EXPECT_EQ(m_saves, 0);
}

// Texts go into the log in its Windows code page; a character it cannot hold is named once
// before the save and left out, the rest is kept.
TEST_F(MainWindow, TextsAreSavedInTheLogsCodePage) {
    WriteUnitFiles();
    Window().show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&Window()));
    Window().OpenFile(Path("ZV1_0001.ccl"), Dlg::Source::External);
    std::string notes, site;
    Window().SetSaveHook([&](CDiveLog& log) {
        notes = log.m_DiveInformation.m_strNotes;
        site = log.m_DiveInformation.m_strDiveSite;
        CSaveResult r;
        r.ok = true;
        return r;
    });
    auto* info = static_cast<CDiveInformation*>(Window().Page(1));
    Window().Pages()->setCurrentIndex(1);
    const QString typed = QString::fromUtf8("It\u2019s 5 \u20ac \u03a9\u03a9 ok");
    // Key presses carrying characters no ASCII key has, as a keyboard layout sends them.
    const auto typeText = [](QWidget* w, const QString& text) {
        for (QChar c : text) {
            QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
            QApplication::sendEvent(w, &press);
        }
    };
    info->Notes()->clear();
    info->TextEdit(CDiveInformation::kDiveSite)->clear();
    info->Notes()->setFocus();
    typeText(info->Notes(), typed);
    typeText(info->TextEdit(CDiveInformation::kDiveSite), QString::fromUtf8("Caf\u00e9 \u2192"));
    Window().Action(Dlg::kCmdSave)->trigger();
    ASSERT_EQ(m_messages.size(), 1);
    EXPECT_EQ(m_messages[0], QString::fromUtf8("These characters cannot be stored in the log file "
                                               "and are left out: \u2192\u03a9"));
    EXPECT_EQ(notes, "It\x92s 5 \x80  ok");
    EXPECT_EQ(site, "Caf\xe9 ");
    EXPECT_EQ(info->Notes()->toPlainText(), typed); // the page still shows what was typed
    EXPECT_FALSE(Window().Context().IsModified());
    // The banner reads the record the same way.
    Window().Context().Edit([](CDiveLog& log) {
        log.m_DiveInformation.m_strDiveNumberText = "\x93One\x94";
        return true;
    });
    EXPECT_TRUE(Banner().contains(QString::fromUtf8("\u201cOne\u201d")));
}

// Regression: a log replaced on disk after loading was overwritten by the save.
TEST_F(MainWindow, SaveRefusesAFileReplacedOnDiskAndKeepsTheEdits) {
    WriteUnitFiles();
    Window().OpenFile(Path("ZV1_0001.ccl"), Dlg::Source::External);
    Window().SetSaveHook([](CDiveLog& log) { return SaveLogFile(log); });
    EditDive();
    QFile other(Path("ZV1_0003.ccl"));
    ASSERT_TRUE(other.open(QIODevice::ReadOnly));
    const QByteArray replacement = other.readAll();
    other.close();
    ASSERT_TRUE(QFile::remove(Path("ZV1_0001.ccl")));
    ASSERT_TRUE(QFile::rename(Path("ZV1_0003.ccl"), Path("ZV1_0001.ccl")));

    Window().Action(Dlg::kCmdSave)->trigger();
    ASSERT_EQ(m_messages.size(), 1);
    EXPECT_TRUE(m_messages[0].startsWith("Unable to open data file for writing."));
    EXPECT_TRUE(m_messages[0].contains("no longer the one that was loaded"));
    EXPECT_TRUE(Window().Context().IsModified());
    QFile onDisk(Path("ZV1_0001.ccl"));
    ASSERT_TRUE(onDisk.open(QIODevice::ReadOnly));
    EXPECT_EQ(onDisk.readAll(), replacement);
}

TEST_F(MainWindow, SaveCommandClearsTheMark) {
    WriteUnitFiles();
    Window().OpenFile(Path("ZV1_0001.ccl"), Dlg::Source::External);
    EditDive();
    bool flushed = false;
    QObject::connect(&Window().Context(), &CViewerContext::commitPendingEdits,
                     [&] { flushed = true; });
    Window().Action(Dlg::kCmdSave)->trigger();
    EXPECT_TRUE(flushed);
    EXPECT_EQ(m_saves, 1);
    EXPECT_FALSE(Window().Context().Log().m_bModified);
}

TEST_F(MainWindow, CloseAsksThenEmptiesTheWindow) {
    WriteUnitFiles();
    Window().show();
    Window().OpenFile(Path("ZV1_0001.ccl"), Dlg::Source::External);
    Window().OnFileClose();
    EXPECT_TRUE(m_questions.isEmpty());
    EXPECT_FALSE(Loaded());
    EXPECT_EQ(Window().windowTitle(), "Zelvor Log Viewer");
    EXPECT_TRUE(Banner().isEmpty());
    EXPECT_FALSE(Window().NavigationButton(Step::First)->isVisible());

    Window().OpenFile(Path("ZV1_0001.ccl"), Dlg::Source::External);
    EditDive();
    m_answer = true;
    Window().Action(Dlg::kCmdClose)->trigger();
    EXPECT_EQ(m_questions.size(), 1);
    EXPECT_EQ(m_saves, 1);
    EXPECT_FALSE(Loaded());

    // Closing the window itself asks as well.
    Window().OpenFile(Path("ZV1_0001.ccl"), Dlg::Source::External);
    EditDive();
    Window().close();
    EXPECT_EQ(m_questions.size(), 2);
    EXPECT_EQ(m_saves, 2);
    EXPECT_FALSE(Window().isVisible());
}

TEST_F(MainWindow, EscapeClosesTheWindow) {
    Window().show();
    Window().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&Window()));
    QTest::keyClick(&Window(), Qt::Key_Escape);
    EXPECT_FALSE(Window().isVisible());
}
