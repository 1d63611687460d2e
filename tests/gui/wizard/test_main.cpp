// Entry point of the DAN wizard tests: settings, data and profile values go to a temporary
// folder.
#include <QApplication>
#include <QDir>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "../GuiTestIsolation.h"
#include "WizardTestEnv.h"

namespace {
QTemporaryDir* g_root = nullptr;
} // namespace

namespace wizardtest {
QString TempRoot() {
    return g_root->path();
}
} // namespace wizardtest

int main(int argc, char** argv) {
    QTemporaryDir root;
    g_root = &root;
    IsolateGuiTests(root, "zelvor-wizard-test-");

    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
