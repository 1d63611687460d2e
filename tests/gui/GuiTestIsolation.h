#pragma once
// Every GUI test program runs in a temporary home of its own: settings, data folder, status log
// and the single-instance socket all live under `root`, so a test never touches the real user's
// files or talks to a viewer that happens to be running. Call before the application object
// exists.
#include <QByteArray>
#include <QDir>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <unistd.h>

inline void IsolateGuiTests(const QTemporaryDir& root, const QByteArray& instancePrefix) {
    // Test discovery runs the program outside CTest's environment: never look for a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    const QByteArray base = root.path().toLocal8Bit();
    qputenv("ZELVOR_DATA_DIR", base + "/data");
    qputenv("XDG_CONFIG_HOME", base + "/config");
    qputenv("XDG_DATA_HOME", base + "/share");
    qputenv("HOME", base + "/home");
    qputenv("ZELVOR_INSTANCE_NAME", instancePrefix + QByteArray::number(qint64(getpid())));
    QDir().mkpath(root.path() + QStringLiteral("/home"));
    QStandardPaths::setTestModeEnabled(true);
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, root.path() + "/config");
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, root.path() + "/config");
}
