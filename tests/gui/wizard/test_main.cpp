// Entry point of the DAN wizard tests: settings, data and profile values go to a temporary
// folder, and the diver's details to an in-memory store the tests can inspect.
#include <QApplication>
#include <QDir>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "WizardTestEnv.h"
#include "settings/SettingsStore.h"

namespace {
QTemporaryDir* g_root = nullptr;
CMemorySettingsStore* g_store = nullptr;
} // namespace

namespace wizardtest {
QString TempRoot() {
    return g_root->path();
}
CMemorySettingsStore& Store() {
    return *g_store;
}
} // namespace wizardtest

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir root;
    g_root = &root;
    const QByteArray base = root.path().toLocal8Bit();
    qputenv("ZELVOR_DATA_DIR", base + "/data");
    qputenv("XDG_CONFIG_HOME", base + "/config");
    qputenv("HOME", base + "/home");
    QDir().mkpath(root.path() + QStringLiteral("/home"));
    QStandardPaths::setTestModeEnabled(true);
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, root.path() + "/config");
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, root.path() + "/config");

    QApplication app(argc, argv);
    CMemorySettingsStore store;
    g_store = &store;
    SetCurrentSettingsStore(&store);
    ::testing::InitGoogleTest(&argc, argv);
    const int result = RUN_ALL_TESTS();
    SetCurrentSettingsStore(nullptr);
    return result;
}
