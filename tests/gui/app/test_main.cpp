// Entry point of the viewer's GUI tests: isolates settings, data and the instance socket before
// the application object exists.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "../GuiTestIsolation.h"
#include "GuiTestEnv.h"
#include "app/AppStatusLog.h"
#include "app/CQtSettingsStore.h"
#include "sim/CDiveSimulator.h"

namespace {
QTemporaryDir* g_root = nullptr;
}

namespace guitest {

QString TempRoot() {
    return g_root->path();
}

QString NewFolder(const QString& name) {
    const QString path = TempRoot() + QLatin1Char('/') + name;
    QDir(path).removeRecursively();
    QDir().mkpath(path);
    return path;
}

QString WriteLog(const QString& folder, const QString& name, bool frcLayout, int diveNumber) {
    CSimOptions options;
    options.frcLayout = frcLayout;
    options.diveNumber = diveNumber;
    options.durationSeconds = 20 * 60;
    const std::string text = SimulateDive(options).ToText();
    return WriteFile(folder, name, QByteArray::fromStdString(text));
}

QString WriteFile(const QString& folder, const QString& name, const QByteArray& bytes) {
    const QString path = folder + QLatin1Char('/') + name;
    QFile f(path);
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        f.write(bytes);
    return path;
}

QString StatusLogText() {
    QFile f(QString::fromStdString(TheStatusLog().Path()));
    if (!f.open(QIODevice::ReadOnly))
        return QString();
    return QString::fromLatin1(f.readAll());
}

} // namespace guitest

int main(int argc, char** argv) {
    QTemporaryDir root;
    g_root = &root;
    IsolateGuiTests(root, "zelvor-test-");

    QApplication app(argc, argv);
    TheStatusLog().Open("Zelvor\\Zelvor Log Viewer", "StatusLog.txt", false);
    TheStatusLog().SetTimestamp(true);
    TheStatusLog().SetEnabled(true);

    ::testing::InitGoogleTest(&argc, argv);
    const int result = RUN_ALL_TESTS();
    return result;
}
