// Help > Email This File To DAN in the main window: wizard, stored details, export file, mail.
#include <QAction>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QSettings>
#include <QTest>
#include <gtest/gtest.h>

#include "WizardTestEnv.h"
#include "app/CLogViewerDlg.h"
#include "app/CMailClient.h"
#include "app/CQtSettingsStore.h"
#include "dan/DanLines.h"
#include "settings/SettingsStore.h"
#include "sim/CDiveSimulator.h"
#include "wizard/CDANWizard.h"
#include "wizard/CDANWizardDiverAddress.h"
#include "wizard/CDANWizardOptionsPage.h"
#include "wizard/CDANWizardSafetyOutcomeA.h"
#include "wizard/CDanOptionGroup.h"

namespace {

// The values written under the DAN group, sorted.
QStringList DanValues() {
    AppSettings().beginGroup("Settings/DAN");
    QStringList keys = AppSettings().childKeys();
    AppSettings().endGroup();
    keys.sort();
    return keys;
}
QVariant DanValue(const char* name) {
    return AppSettings().value(QStringLiteral("Settings/DAN/") + name);
}

class FakeMail : public CMailClient {
public:
    explicit FakeMail(std::vector<CMailMessage>* sent) : m_sent(sent) {}
    Result Send(const CMailMessage& message) override {
        m_sent->push_back(message);
        return Result::Sent;
    }
    std::vector<CMailMessage>* m_sent;
};

QByteArray ReadAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

class DanCommand : public ::testing::Test {
protected:
    void SetUp() override {
        AppSettings().clear();
        AppSettings().setValue("Addresses/Send DAT to DAN email", "dan@example.org");
        m_dir = wizardtest::TempRoot() + "/" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name();
        QDir(m_dir).removeRecursively();
        QDir().mkpath(m_dir);
        m_window = std::make_unique<CLogViewerDlg>();
        m_window->SetSavePlacement(false);
        m_window->SetMessageHook([this](const QString& t) { m_messages << t; });
        m_window->SetSaveQuestionHook([](const QString&) { return false; });
        m_window->SetMailClient(std::make_unique<FakeMail>(&m_mails));
        m_window->SetDialogHook([this](QDialog& dialog) {
            auto* wizard = qobject_cast<CDANWizard*>(&dialog);
            if (!wizard)
                return int(QDialog::Rejected);
            ++m_runs;
            wizard->show();
            // Walk every page, as a diver checking the details would.
            while (wizard->currentId() != CDANWizard::kSafetyOutcomeC) {
                if (m_onPage)
                    m_onPage(*wizard);
                QTest::mouseClick(wizard->button(QWizard::NextButton), Qt::LeftButton);
            }
            if (m_onPage)
                m_onPage(*wizard);
            QTest::mouseClick(
                wizard->button(m_cancel ? QWizard::CancelButton : QWizard::FinishButton),
                Qt::LeftButton);
            return wizard->result();
        });
    }
    void TearDown() override {
        m_window->close();
        m_window.reset();
    }

    QString WriteLog(const QString& name) {
        CSimOptions options;
        options.durationSeconds = 10 * 60;
        const std::string bytes = SimulateDive(options).ToText();
        const QString path = m_dir + "/" + name;
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes.data(), static_cast<qint64>(bytes.size()));
        return path;
    }

    void Export() { m_window->Action(CLogViewerDlg::kCmdMailDan)->trigger(); }

    QString m_dir;
    std::unique_ptr<CLogViewerDlg> m_window;
    QStringList m_messages;
    std::vector<CMailMessage> m_mails;
    std::function<void(CDANWizard&)> m_onPage;
    bool m_cancel = false;
    int m_runs = 0;
};

} // namespace

TEST_F(DanCommand, WritesTheExportBesideTheLogAndMailsIt) {
    const QString log = WriteLog("dive.1.ccl");
    const QByteArray original = ReadAll(log);
    m_window->UpdateCommandStates();
    EXPECT_FALSE(m_window->Action(CLogViewerDlg::kCmdMailDan)->isEnabled());
    ASSERT_TRUE(m_window->OpenFile(log, CLogViewerDlg::Source::External));
    m_window->UpdateCommandStates();
    EXPECT_TRUE(m_window->Action(CLogViewerDlg::kCmdMailDan)->isEnabled());
    // An unsaved edit stays unsaved: the export is not a save.
    ASSERT_TRUE(m_window->Context().Edit([](CDiveLog& dive) {
        dive.m_DiveInformation.m_strLocation = "Scapa Flow";
        return true;
    }));

    Export();
    ASSERT_EQ(m_runs, 1);
    EXPECT_TRUE(m_messages.isEmpty()) << m_messages.join("|").toStdString();
    const QString dan = m_dir + "/dive.1.dan";
    EXPECT_EQ(m_window->DanFilePath(), dan);
    const QByteArray exported = ReadAll(dan);
    ASSERT_TRUE(exported.startsWith(original));
    EXPECT_EQ(exported.mid(original.size()).count("\r\n"), 47);
    EXPECT_TRUE(exported.mid(original.size()).startsWith("D0"));
    EXPECT_EQ(ReadAll(log), original);
    EXPECT_TRUE(m_window->Context().IsModified());

    ASSERT_EQ(m_mails.size(), 1u);
    EXPECT_EQ(m_mails[0].subject, "DAN Log File");
    EXPECT_EQ(m_mails[0].body, "Note:  Any text you enter here will not be processed.");
    EXPECT_EQ(m_mails[0].recipient, "dan@example.org");
    EXPECT_EQ(m_mails[0].attachment, dan);
}

TEST_F(DanCommand, UnchangedDetailsAreNotWrittenAndOneChangeWritesOneValue) {
    AppSettings().setValue("Settings/DAN/DateOfBirth", "19700101");
    AppSettings().setValue("Settings/DAN/Citiznship", "NZ");
    ASSERT_TRUE(m_window->OpenFile(WriteLog("a.ccl"), CLogViewerDlg::Source::External));
    Export();
    EXPECT_EQ(DanValues(), (QStringList{"Citiznship", "DateOfBirth"})) << "nothing written";

    m_onPage = [](CDANWizard& wizard) {
        if (wizard.currentId() != CDANWizard::kDiverAddress)
            return;
        auto* page = qobject_cast<CDANWizardDiverAddress*>(wizard.currentPage());
        QLineEdit* mail = page->Field("EMail");
        mail->setFocus();
        QTest::keyClicks(mail, "diver@example.org");
    };
    Export();
    EXPECT_EQ(DanValues(), (QStringList{"Citiznship", "DateOfBirth", "EMail"}));
    EXPECT_EQ(DanValue("EMail").toString(), "diver@example.org");
    EXPECT_EQ(DanValue("Citiznship").toString(), "NZ");
    EXPECT_EQ(m_mails.size(), 2u);
}

TEST_F(DanCommand, SafetyPagesStartFreshEveryRun) {
    ASSERT_TRUE(m_window->OpenFile(WriteLog("b.ccl"), CLogViewerDlg::Source::External));
    m_onPage = [](CDANWizard& wizard) {
        if (wizard.currentId() == CDANWizard::kSafetyOutcomeA) {
            auto* a = qobject_cast<CDANWizardSafetyOutcomeA*>(wizard.currentPage());
            QTest::mouseClick(a->m_pStateOfRest->Button(2), Qt::LeftButton, {}, QPoint(4, 4));
            a->m_pMedication->setFocus();
            QTest::keyClicks(a->m_pMedication, "Aspirin");
            QTest::keyClick(a->m_pMedication, Qt::Key_Return);
            QTest::keyClicks(a->m_pMedication, "Ibuprofen");
        }
        if (wizard.currentId() == CDANWizard::kDiveDetailsB) {
            auto* b = qobject_cast<CDANWizardOptionsPage*>(wizard.currentPage());
            QTest::mouseClick(b->Group(EDanList::Dress)->Button(2), Qt::LeftButton, {},
                              QPoint(4, 4));
        }
    };
    Export();
    EXPECT_EQ(m_window->DanAnswers().m_nStateOfRest, 2u);
    EXPECT_EQ(m_window->DanAnswers().m_strMedication, "Aspirin\r\nIbuprofen") << "kept as CR LF";
    EXPECT_EQ(DanValue("DetailsDress").toUInt(), 2u);

    bool checked = false;
    m_onPage = [&](CDANWizard& wizard) {
        if (wizard.currentId() == CDANWizard::kSafetyOutcomeA) {
            auto* a = qobject_cast<CDANWizardSafetyOutcomeA*>(wizard.currentPage());
            EXPECT_TRUE(a->m_pStateOfRest->Button(0)->isChecked());
            EXPECT_EQ(a->m_pMedication->toPlainText(), "");
            checked = true;
        }
        if (wizard.currentId() == CDANWizard::kDiveDetailsB) {
            auto* b = qobject_cast<CDANWizardOptionsPage*>(wizard.currentPage());
            EXPECT_TRUE(b->Group(EDanList::Dress)->Button(2)->isChecked()) << "stored";
        }
    };
    Export();
    EXPECT_TRUE(checked);
    EXPECT_EQ(m_window->DanAnswers(), CDanAnswers{});
}

TEST_F(DanCommand, CancelAndFailuresMailNothing) {
    const QString log = WriteLog("c.ccl");
    ASSERT_TRUE(m_window->OpenFile(log, CLogViewerDlg::Source::External));
    m_cancel = true;
    Export();
    EXPECT_FALSE(QFile::exists(m_dir + "/c.dan"));
    EXPECT_TRUE(m_mails.empty());
    EXPECT_EQ(DanValues(), QStringList{}) << "nothing stored after Cancel";

    m_cancel = false;
    QDir().mkpath(m_dir + "/c.dan"); // the export's place is taken
    Export();
    EXPECT_EQ(m_messages, QStringList{"Unable to open data file for writing."});
    EXPECT_TRUE(m_mails.empty());

    QDir(m_dir + "/c.dan").removeRecursively();
    QFile::remove(log); // gone since it was loaded
    m_messages.clear();
    Export();
    EXPECT_EQ(m_messages, QStringList{"Unable to open data file for reading."});
    EXPECT_TRUE(m_mails.empty());
}
