// Entry point of the printing tests: settings, data and the instance socket of a temporary
// folder, so nothing touches the real user's files.
#include <QApplication>
#include <QDir>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <unistd.h>

#include "PrintTestEnv.h"

namespace {
QTemporaryDir* g_root = nullptr;
}

QString printtest::TempRoot() {
    return g_root->path();
}

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir root;
    g_root = &root;
    const QByteArray base = root.path().toLocal8Bit();
    qputenv("ZELVOR_DATA_DIR", base + "/data");
    qputenv("XDG_CONFIG_HOME", base + "/config");
    qputenv("HOME", base + "/home");
    qputenv("ZELVOR_INSTANCE_NAME", "zelvor-print-test-" + QByteArray::number(qint64(getpid())));
    QDir().mkpath(root.path() + QStringLiteral("/home"));
    QStandardPaths::setTestModeEnabled(true);
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, root.path() + "/config");
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, root.path() + "/config");

    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
