// The viewer program itself, started as a separate process with its own data folder.
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QThread>
#include <gtest/gtest.h>

#include "GuiTestEnv.h"
#include "app/CSingleInstance.h"
#include "app/LocalFileName.h"

namespace {

QString ViewerPath() {
    return QStringLiteral(ZELVOR_BINARY_DIR "/zelvor-log-viewer");
}

class Program : public ::testing::Test {
protected:
    void SetUp() override {
        if (!QFile::exists(ViewerPath()))
            GTEST_SKIP() << "zelvor-log-viewer is not built";
        const QString name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
        m_root = guitest::NewFolder("program_" + name);
        m_env = QProcessEnvironment::systemEnvironment();
        m_env.insert("ZELVOR_DATA_DIR", m_root + "/data");
        m_env.insert("XDG_CONFIG_HOME", m_root + "/config");
        m_env.insert("ZELVOR_INSTANCE_NAME",
                     "zelvor-test-" + name + "-" +
                         QString::number(QCoreApplication::applicationPid()));
        m_env.insert("QT_QPA_PLATFORM", "offscreen");
    }
    void TearDown() override {
        for (QProcess* p : m_running) {
            p->kill();
            p->waitForFinished(5000);
            delete p;
        }
    }
    QProcess* Start(const QStringList& args) {
        auto* p = new QProcess;
        p->setProcessEnvironment(m_env);
        p->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        p->start(ViewerPath(), args);
        m_running << p;
        return p;
    }
    QString LogFile(const QString& name) const {
        QFile f(m_root + "/data/Zelvor/Zelvor Log Viewer/" + name);
        return f.open(QIODevice::ReadOnly) ? QString::fromLocal8Bit(f.readAll()) : QString();
    }
    // The messages of a status log, without the time stamps.
    static QStringList Messages(const QString& text) {
        QStringList out;
        for (const QString& line : text.split('\n', Qt::SkipEmptyParts)) {
            // "dd/mm/yyyy hh:mm:ss : message"
            EXPECT_GT(line.size(), 22) << line.toStdString();
            EXPECT_EQ(line.mid(19, 3), " : ") << line.toStdString();
            out << line.mid(22);
        }
        return out;
    }

    QString m_root;
    QProcessEnvironment m_env;
    QList<QProcess*> m_running;
};

} // namespace

TEST_F(Program, ScreenshotRunWritesPictureAndStatusLog) {
    const QString file = guitest::WriteLog(m_root, "ZV1_0001.ccl");
    const QString png = m_root + "/shot.png";
    QProcess* p = Start({"--screenshot", png, "--page", "1", "--size", "1400x900", file});
    ASSERT_TRUE(p->waitForFinished(60000));
    EXPECT_EQ(p->exitCode(), 0);
    const QImage image(png);
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.size(), QSize(1400, 900));
    const QStringList messages = Messages(LogFile("StatusLog.txt"));
    ASSERT_GE(messages.size(), 4);
    EXPECT_EQ(messages.first(), "Zelvor Log Viewer Startup");
    EXPECT_EQ(messages[1], QStringLiteral("Program Version ") + ZELVOR_VERSION);
    EXPECT_EQ(messages[2], "User selected file " + file + " via external method");
    EXPECT_TRUE(messages.contains("File " + file + " loaded OK"));
    EXPECT_EQ(messages.last(), "Zelvor LogViewer Shutdown");
}

// A picture-taking run reads the user's settings but leaves them exactly as they were (no recent
// file, no default directory), and a 1024 x 700 window is small enough for every page.
TEST_F(Program, ScreenshotLeavesTheSettingsAloneAndFitsASmallScreen) {
    const QString file = guitest::WriteLog(m_root, "ZV1_0001.ccl");
    QDir().mkpath(m_root + "/config/Zelvor");
    const QString conf = m_root + "/config/Zelvor/ZelvorLogViewer.conf";
    const QByteArray before = "[Settings]\nDefault%20Directory=/nowhere\nUnits=0\n";
    guitest::WriteFile(m_root + "/config/Zelvor", "ZelvorLogViewer.conf", before);
    for (const char* page : {"0", "1", "3"}) {
        const QString png = m_root + "/small" + page + ".png";
        QProcess* p = Start({"--screenshot", png, "--page", page, "--size", "1024x700", file});
        ASSERT_TRUE(p->waitForFinished(60000));
        EXPECT_EQ(p->exitCode(), 0);
        EXPECT_EQ(QImage(png).size(), QSize(1024, 700)) << page;
    }
    QFile f(conf);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), before);
}

// A report run, like a picture, reads the settings and writes nothing back: no recent file, no
// default directory, no window placement.
TEST_F(Program, ReportRunLeavesTheSettingsAlone) {
    const QString file = guitest::WriteLog(m_root, "ZV1_0001.ccl");
    QDir().mkpath(m_root + "/config/Zelvor");
    const QString conf = m_root + "/config/Zelvor/ZelvorLogViewer.conf";
    const QByteArray before = "[Recent%20File%20List]\nFile1=/nowhere/ZV9_0001.ccl\n\n"
                              "[Settings]\nDefault%20Directory=/nowhere\nUnits=1\n";
    guitest::WriteFile(m_root + "/config/Zelvor", "ZelvorLogViewer.conf", before);
    const QString pdf = m_root + "/profile.pdf";
    QProcess* p = Start({"--report", "profile", "--pdf", pdf, file});
    ASSERT_TRUE(p->waitForFinished(60000));
    EXPECT_EQ(p->exitCode(), 0);
    EXPECT_GT(QFileInfo(pdf).size(), 0);
    QFile f(conf);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), before);
}

TEST_F(Program, ScreenshotOfAFileThatDoesNotLoadFails) {
    const QString bad = guitest::WriteFile(m_root, "bad.ccl", "not a log\n");
    const QString png = m_root + "/bad.png";
    QProcess* p = Start({"--screenshot", png, bad});
    ASSERT_TRUE(p->waitForFinished(60000));
    EXPECT_EQ(p->exitCode(), 1);
    EXPECT_TRUE(QFile::exists(png));
}

TEST_F(Program, SecondStartWithTheSameNameOnlyRaisesTheFirst) {
    const QString first = guitest::WriteLog(guitest::NewFolder("program_a"), "ZV1_0001.ccl");
    const QString sameName = guitest::WriteLog(guitest::NewFolder("program_b"), "ZV1_0001.ccl");
    const QString otherName = guitest::WriteLog(m_root, "ZV1_0002.ccl");
    QProcess* viewer = Start({"--nosplash", first});
    ASSERT_TRUE(viewer->waitForStarted(10000));

    // Wait until the first viewer shows its file and answers.
    qputenv("ZELVOR_INSTANCE_NAME", m_env.value("ZELVOR_INSTANCE_NAME").toLocal8Bit());
    QElapsedTimer clock;
    clock.start();
    bool answering = false;
    while (!answering && clock.elapsed() < 30000) {
        answering = CSingleInstance::RaiseExisting("Zelvor Log Viewer - ZV1_0001.ccl", 500);
        if (!answering)
            QThread::msleep(100);
    }
    ASSERT_TRUE(answering);

    // Same file name in another folder: the second start ends at once.
    QProcess* second = Start({"--nosplash", sameName});
    ASSERT_TRUE(second->waitForFinished(20000));
    EXPECT_EQ(second->exitCode(), 0);
    EXPECT_EQ(viewer->state(), QProcess::Running);
    // It only opened (and rotated) the status log and wrote its start-up line.
    EXPECT_EQ(Messages(LogFile("StatusLog.txt")), QStringList{"Zelvor Log Viewer Startup"});
    EXPECT_TRUE(LogFile("StatusLog01.txt").contains("User selected file " + first));

    // Another name: a viewer of its own.
    QProcess* third = Start({"--nosplash", otherName});
    EXPECT_FALSE(third->waitForFinished(2000));
    EXPECT_EQ(third->state(), QProcess::Running);
    qputenv("ZELVOR_INSTANCE_NAME", "zelvor-test-" + QByteArray::number(qint64(getpid())));
}

TEST_F(Program, FileNameThatIsNotUtf8OpensFromTheCommandLineAndAnswersTheInstanceChannel) {
    const QByteArray bytes = QFile::encodeName(m_root) + "/dive-\xff.ccl";
    ASSERT_EQ(std::rename(QFile::encodeName(guitest::WriteLog(m_root, "plain.ccl")).constData(),
                          bytes.constData()),
              0);
    // QProcess would pass the name through QString; the shell hands the viewer the bytes.
    const QString script =
        QStringLiteral("cd \"$1\" && shift && exec \"$@\" \"$(printf 'dive-\\377.ccl')\"");
    auto startWithName = [&](const QStringList& options) {
        auto* p = new QProcess;
        p->setProcessEnvironment(m_env);
        p->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        p->start("/bin/sh", QStringList{"-c", script, "sh", m_root, ViewerPath()} + options);
        m_running << p;
        return p;
    };
    QProcess* shot = startWithName({"--screenshot", m_root + "/shot.png"});
    ASSERT_TRUE(shot->waitForFinished(60000));
    EXPECT_EQ(shot->exitCode(), 0);

    QProcess* viewer = startWithName({"--nosplash"});
    ASSERT_TRUE(viewer->waitForStarted(10000));
    qputenv("ZELVOR_INSTANCE_NAME", m_env.value("ZELVOR_INSTANCE_NAME").toLocal8Bit());
    const QString title = localname::Decode(QByteArray("Zelvor Log Viewer - dive-\xff.ccl"));
    QElapsedTimer clock;
    clock.start();
    bool answering = false;
    while (!answering && clock.elapsed() < 30000) {
        answering = CSingleInstance::RaiseExisting(title, 500);
        if (!answering)
            QThread::msleep(100);
    }
    EXPECT_TRUE(answering);
    // The same name with the byte replaced is another file.
    EXPECT_FALSE(CSingleInstance::RaiseExisting(
        QString::fromUtf8("Zelvor Log Viewer - dive-\uFFFD.ccl"), 2000));
    // A second start with the same bytes only raises the first.
    QProcess* second = startWithName({"--nosplash"});
    EXPECT_TRUE(second->waitForFinished(20000));
    EXPECT_EQ(second->exitCode(), 0);
    EXPECT_EQ(viewer->state(), QProcess::Running);
    QFile log(m_root + "/data/Zelvor/Zelvor Log Viewer/StatusLog01.txt");
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    EXPECT_TRUE(log.readAll().contains("User selected file " + bytes + " via external method"));
    qputenv("ZELVOR_INSTANCE_NAME", "zelvor-test-" + QByteArray::number(qint64(getpid())));
}
