#pragma once
// The main window under test, with every question it asks answered by the test.
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
using Step = filenav::Step;
using Dlg = CLogViewerDlg;

// A main window with every question answered by the test.
class MainWindow : public ::testing::Test {
protected:
    void SetUp() override {
        AppSettings().clear();
        m_dir = guitest::NewFolder(
            QString::fromLatin1(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    }
    void TearDown() override {
        if (m_window) {
            m_window->SetSaveQuestionHook([](const QString&) { return false; });
            m_window->close();
        }
        m_window.reset();
    }
    Dlg& Window() {
        if (!m_window) {
            m_window = std::make_unique<Dlg>();
            m_window->SetSaveQuestionHook([this](const QString& text) {
                m_questions << text;
                return m_answer;
            });
            m_window->SetMessageHook([this](const QString& text) { m_messages << text; });
            m_window->SetSaveHook([this](CDiveLog&) {
                ++m_saves;
                CSaveResult r;
                r.ok = true;
                return r;
            });
        }
        return *m_window;
    }
    // Three logs of one unit and one of another.
    void WriteUnitFiles() {
        guitest::WriteLog(m_dir, "ZV1_0001.ccl", true, 11);
        guitest::WriteLog(m_dir, "ZV1_0002.ccl", false, 12);
        guitest::WriteLog(m_dir, "ZV1_0003.ccl", true, 13);
        guitest::WriteLog(m_dir, "ZV2_0001.ccl", true, 21);
    }
    QString Path(const char* name) const { return m_dir + QLatin1Char('/') + name; }
    QString Banner() { return Window().findChild<QPushButton*>("banner")->text(); }
    QString Counter() { return Window().findChild<QLabel*>("counter")->text(); }
    bool Enabled(int command) { return Window().Action(command)->isEnabled(); }
    bool Checked(int command) { return Window().Action(command)->isChecked(); }
    bool Loaded() { return Window().Context().Log().m_bFileLoaded; }
    // An edit of the loaded dive, as a page makes it.
    void EditDive() {
        Window().Context().Edit([](CDiveLog& log) {
            log.m_DiveInformation.m_strLocation += "x";
            return true;
        });
    }
    std::string Title() { return Window().Context().Log().m_strFileTitle; }

    QString m_dir;
    std::unique_ptr<Dlg> m_window;
    QStringList m_questions;
    QStringList m_messages;
    bool m_answer = false;
    int m_saves = 0;
};
