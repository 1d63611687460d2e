// Entry point of the printing tests: settings, data and the instance socket of a temporary
// folder, so nothing touches the real user's files.
#include <QApplication>
#include <QDir>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <unistd.h>

#include "../GuiTestIsolation.h"
#include "PrintTestEnv.h"

namespace {
QTemporaryDir* g_root = nullptr;
}

QString printtest::TempRoot() {
    return g_root->path();
}

int main(int argc, char** argv) {
    QTemporaryDir root;
    g_root = &root;
    IsolateGuiTests(root, "zelvor-print-test-");

    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
