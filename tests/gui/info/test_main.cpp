#include <gtest/gtest.h>

#include <QApplication>

#include "settings/SettingsStore.h"

// The pages read and write settings; the tests keep them in memory so no user's settings are
// touched.
int main(int argc, char** argv) {
    // Test discovery runs the program without the test environment; it needs no display either.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    CMemorySettingsStore store;
    SetCurrentSettingsStore(&store);
    ::testing::InitGoogleTest(&argc, argv);
    const int result = RUN_ALL_TESTS();
    SetCurrentSettingsStore(nullptr);
    return result;
}
