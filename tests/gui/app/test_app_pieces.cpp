#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QPointer>
#include <QRegularExpression>
#include <QSettings>
#include <QTextBrowser>
#include <QWidget>
#include <gtest/gtest.h>

#include "GuiTestEnv.h"
#include "app/AppStatusLog.h"
#include "app/CHelpWindow.h"
#include "app/CLogViewerApp.h"
#include "app/CLogViewerDlg.h"
#include "app/CMailClient.h"
#include "app/CQtSettingsStore.h"
#include "app/CSingleInstance.h"
#include "app/CSplashWindow.h"
#include "app/LocalFileName.h"
#include "settings/CSettings.h"
#include "settings/SettingValue.h"
#include "settings/SettingsTable.h"
#include "ui/Cp1252.h"

// ---- CQtSettingsStore ----------------------------------------------------------------------

TEST(QtSettingsStore, ValuesRoundTripThroughSettingObjects) {
    AppSettings().clear();
    CQtSettingsStore store;
    {
        SettingDword units(settings::Path(settings::kUnits), settings::kDefaultUnits, false,
                           &store);
        EXPECT_EQ(units.Read(), 1u);
        EXPECT_FALSE(units.IsRead());
        units = 0u;
        SettingString dir(settings::Path(settings::kDefaultDirectory), "", false, &store);
        // Every 8-bit byte survives.
        dir = std::string("/data/T\xE4uchg\xE4nge");
    }
    EXPECT_EQ(AppSettings().value("Settings/Units").toUInt(), 0u);
    SettingDword units(settings::Path(settings::kUnits), settings::kDefaultUnits, false, &store);
    EXPECT_EQ(units.Read(), 0u);
    SettingString dir(settings::Path(settings::kDefaultDirectory), "", false, &store);
    EXPECT_EQ(dir.Read(), std::string("/data/T\xE4uchg\xE4nge"));
}

TEST(QtSettingsStore, UnreadableValuesGiveTheDefault) {
    AppSettings().clear();
    AppSettings().setValue("Settings/Message Level", "lots");
    AppSettings().setValue("Settings/Language ID", "99999999999");
    CQtSettingsStore store;
    const CSettings settings(store);
    EXPECT_EQ(settings.Viewer().m_nMessageLevel, 0u);
    EXPECT_EQ(settings.Viewer().m_nLanguageId, 1033u);
    // Never written: the user's home folder.
    EXPECT_EQ(QDir(QString::fromStdString(settings.Viewer().m_strDefaultDirectory)).absolutePath(),
              QDir::homePath());
}

// ---- Mail ----------------------------------------------------------------------------------

namespace {
// A stand-in for xdg-email that records its arguments and exits with `code`.
QString FakeMailProgram(const QString& folder, int code) {
    const QString script = folder + "/fake-mail";
    QFile f(script);
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QStringLiteral("#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\"; done > "
                           "\"%1/args.txt\"\nexit %2\n")
                .arg(folder)
                .arg(code)
                .toLocal8Bit());
    f.close();
    f.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return script;
}
} // namespace

TEST(MailClient, ArgumentsAreAListNeverAShellLine) {
    const QString dir = guitest::NewFolder("mail_args");
    qputenv("ZELVOR_MAIL_PROGRAM", FakeMailProgram(dir, 0).toLocal8Bit());
    CMailMessage m;
    m.subject = "Zelvor Log File";
    m.body = "I am sending you the attached file because.........";
    m.recipient = "logs@zelvor.example";
    m.attachment = dir + "/odd name; $(rm -rf x).ccl";
    EXPECT_EQ(CXdgMailClient().Send(m), CMailClient::Result::Sent);
    QFile args(dir + "/args.txt");
    ASSERT_TRUE(args.open(QIODevice::ReadOnly));
    const QStringList lines =
        QString::fromLocal8Bit(args.readAll()).split('\n', Qt::SkipEmptyParts);
    const QStringList expected{"--utf8", "--subject", m.subject,    "--body",
                               m.body,   "--attach",  m.attachment, m.recipient};
    EXPECT_EQ(lines, expected);
    qunsetenv("ZELVOR_MAIL_PROGRAM");
}

TEST(MailClient, FailuresMapToTheirMessages) {
    const QString dir = guitest::NewFolder("mail_fail");
    CMailMessage m;
    m.attachment = dir + "/x.ccl";
    qputenv("ZELVOR_MAIL_PROGRAM", QByteArray(dir.toLocal8Bit() + "/no-such-program"));
    EXPECT_EQ(CXdgMailClient().Send(m), CMailClient::Result::NoSupport);
    qputenv("ZELVOR_MAIL_PROGRAM", FakeMailProgram(dir, 4).toLocal8Bit());
    EXPECT_EQ(CXdgMailClient().Send(m), CMailClient::Result::Failed);
    QFile::setPermissions(dir + "/fake-mail", QFile::ReadOwner | QFile::WriteOwner);
    EXPECT_EQ(CXdgMailClient().Send(m), CMailClient::Result::Invalid);
    qunsetenv("ZELVOR_MAIL_PROGRAM");
}

namespace {
class FakeMail : public CMailClient {
public:
    explicit FakeMail(Result result, CMailMessage* sent) : m_result(result), m_sent(sent) {}
    Result Send(const CMailMessage& message) override {
        *m_sent = message;
        return m_result;
    }
    Result m_result;
    CMailMessage* m_sent;
};
} // namespace

TEST(MailCommand, SendsTheLoadedFileAndReportsFailure) {
    AppSettings().clear();
    AppSettings().setValue("Addresses/Send DAT to Zelvor email", "logs@zelvor.example");
    const QString dir = guitest::NewFolder("mail_cmd");
    const QString file = guitest::WriteLog(dir, "ZV1_0001.ccl");
    CLogViewerDlg window;
    QStringList messages;
    window.SetMessageHook([&](const QString& t) { messages << t; });
    CMailMessage sent;
    window.SetMailClient(std::make_unique<FakeMail>(CMailClient::Result::Failed, &sent));
    window.OnMailZelvor();
    EXPECT_TRUE(sent.attachment.isEmpty()) << "no file, no mail";
    window.OpenFile(file, CLogViewerDlg::Source::External);
    window.Action(CLogViewerDlg::kCmdMailZelvor)->trigger();
    EXPECT_EQ(sent.subject, "Zelvor Log File");
    EXPECT_EQ(sent.body, "I am sending you the attached file because.........");
    EXPECT_EQ(sent.recipient, "logs@zelvor.example");
    EXPECT_EQ(sent.attachment, file);
    EXPECT_EQ(messages, QStringList{"Send Mail failed to send message."});
    EXPECT_TRUE(window.isEnabled());
}

// ---- Help and About ------------------------------------------------------------------------

TEST(HelpWindow, ContentsAndEveryLinkedPageExist) {
    CLogViewerDlg window;
    window.Action(CLogViewerDlg::kCmdHelpContents)->trigger();
    ASSERT_NE(window.HelpWindow(), nullptr);
    EXPECT_TRUE(window.HelpWindow()->isVisible());
    QTextBrowser* browser = window.HelpWindow()->Browser();
    EXPECT_EQ(browser->documentTitle(), "Zelvor Log Viewer Help");
    // Every page the help links to is bundled.
    QDir help(":/help");
    const QStringList pages = help.entryList({"*.html"});
    EXPECT_GE(pages.size(), 8);
    const QRegularExpression link("href=\"([a-z]+\\.html)\"");
    for (const QString& page : pages) {
        QFile f(":/help/" + page);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        const QString html = QString::fromUtf8(f.readAll());
        for (auto it = link.globalMatch(html); it.hasNext();) {
            const QString target = it.next().captured(1);
            EXPECT_TRUE(QFile::exists(":/help/" + target))
                << page.toStdString() << " -> " << target.toStdString();
        }
    }
    window.close();
}

// ---- Second instance (the rule itself is tested on the real program)
// -----------------------------------------------------------------------

TEST(SingleInstance, NobodyListeningMeansOpenNormally) {
    qputenv("ZELVOR_INSTANCE_NAME", "zelvor-test-nobody");
    EXPECT_FALSE(CSingleInstance::RaiseExisting("Zelvor Log Viewer - x.ccl", 300));
    qputenv("ZELVOR_INSTANCE_NAME", "zelvor-test-" + QByteArray::number(qint64(getpid())));
}

// ---- Command line --------------------------------------------------------------------------

TEST(CommandLine, FileAndScreenshotOptions) {
    auto o = CLogViewerApp::ParseCommandLine(
        {"viewer", "--screenshot", "out.png", "--page", "2", "--size", "800x600", "d.ccl"});
    EXPECT_TRUE(o.error.isEmpty());
    EXPECT_EQ(o.screenshot, "out.png");
    EXPECT_EQ(o.page, 2);
    EXPECT_EQ(o.size, QSize(800, 600));
    EXPECT_EQ(o.file, "d.ccl");
    EXPECT_FALSE(o.splash);
    o = CLogViewerApp::ParseCommandLine({"viewer", "dive.ccl"});
    EXPECT_TRUE(o.splash);
    EXPECT_EQ(o.file, "dive.ccl");
    EXPECT_FALSE(CLogViewerApp::ParseCommandLine({"viewer", "--page", "9"}).error.isEmpty());
    EXPECT_FALSE(CLogViewerApp::ParseCommandLine({"viewer", "--size", "big"}).error.isEmpty());
    EXPECT_FALSE(CLogViewerApp::ParseCommandLine({"viewer", "--screenshot"}).error.isEmpty());
    EXPECT_FALSE(CLogViewerApp::ParseCommandLine({"viewer", "--bogus"}).error.isEmpty());
}

// ---- Splash window and message level -------------------------------------------------------

namespace {
class KeyCounter : public QWidget {
public:
    int m_nKeys = 0;

protected:
    void keyPressEvent(QKeyEvent*) override { ++m_nKeys; }
};
} // namespace

TEST(SplashWindow, AnyKeyClosesItAndIsSwallowed) {
    KeyCounter other;
    other.show();
    QPointer<CSplashWindow> splash = new CSplashWindow;
    splash->ShowFor(60000);
    EXPECT_TRUE(splash->isVisible());
    QKeyEvent press(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, "a");
    QApplication::sendEvent(&other, &press);
    EXPECT_EQ(other.m_nKeys, 0);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(splash.isNull());
    // Once it is gone keys reach the program again.
    QApplication::sendEvent(&other, &press);
    EXPECT_EQ(other.m_nKeys, 1);
}

TEST(MessageLevel, ReadOnceAtStartAndClamped) {
    AppSettings().clear();
    AppSettings().setValue("Settings/Message Level", 3);
    {
        CLogViewerDlg window;
        EXPECT_EQ(TheStatusLog().MessageLevel(), 3);
    }
    AppSettings().setValue("Settings/Message Level", 5);
    {
        CLogViewerDlg window;
        EXPECT_EQ(TheStatusLog().MessageLevel(), 0);
    }
}

// ---- The log's code page ---------------------------------------------------------------------

TEST(Cp1252, EveryByteComesBackAndTheHighRowIsTheWindowsOne) {
    std::string all;
    for (int b = 0; b < 256; ++b)
        all += static_cast<char>(b);
    const QString text = cp1252::ToQString(all);
    ASSERT_EQ(text.size(), 256);
    EXPECT_EQ(cp1252::FromQString(text), all);
    EXPECT_EQ(text[0x80], QChar(0x20AC)); // euro
    EXPECT_EQ(text[0x92], QChar(0x2019)); // right single quote
    EXPECT_EQ(text[0x9F], QChar(0x0178));
    EXPECT_EQ(text[0x81], QChar(0x81)); // undefined: kept as itself
    EXPECT_EQ(text[0xE9], QChar(0xE9));
}

TEST(Cp1252, CharactersItCannotHoldAreLeftOutAndNamedOnce) {
    QString unstorable;
    const QString text = QString::fromUtf8("a\u03a9b\u2192\u03a9c\U0001F600");
    EXPECT_EQ(cp1252::FromQString(text, &unstorable), "abc");
    EXPECT_EQ(unstorable, QString::fromUtf8("\u03a9\u2192\U0001F600"));
    EXPECT_EQ(cp1252::Unstorable(QString::fromUtf8("\u2019\u20ac")), QString());
}

TEST(LocalFileName, EveryByteSequenceComesBackAndValidNamesStayPlainText) {
    const QByteArray names[] = {
        "dive-\xff.ccl",           // a byte that never starts UTF-8
        "\xc3",                    // a sequence cut short at the end
        "a\xe2\x82z",              // ... and in the middle
        "\xc0\xaf",                // an overlong slash
        "\xed\xb2\x80",            // a surrogate written out in UTF-8
        "\xf4\x90\x80\x80",        // past U+10FFFF
        "\xe9t\xe9/caf\xc3\xa9 x", // Latin-1 beside valid UTF-8
    };
    for (const QByteArray& bytes : names) {
        const QString text = localname::Decode(bytes);
        EXPECT_EQ(localname::Encode(text), bytes) << bytes.toHex().constData();
        EXPECT_EQ(localname::Encode(localname::FromSetting(localname::ToSetting(text))), bytes);
        EXPECT_EQ(localname::ToSetting(text).typeId(), QMetaType::QByteArray);
    }
    const QByteArray valid("/logs/caf\xc3\xa9 \xe2\x86\x92 \xf0\x9f\x98\x80.ccl");
    EXPECT_EQ(localname::Decode(valid), QFile::decodeName(valid));
    EXPECT_EQ(localname::ToSetting(localname::Decode(valid)).typeId(), QMetaType::QString);
    // A relative name is made absolute without losing its bytes.
    EXPECT_EQ(localname::Encode(localname::Absolute(localname::Decode(QByteArray("./d/\xff")))),
              QFile::encodeName(QDir::currentPath()) + "/d/\xff");
    EXPECT_EQ(localname::Absolute(QStringLiteral("/a/./b//c")), QStringLiteral("/a/b/c"));
}
