#include <gtest/gtest.h>

#include <QApplication>

// The pages' settings live in their context; without a store handed in they write nowhere, so no
// user's settings are touched.
int main(int argc, char** argv) {
    // Test discovery runs the program without the test environment; it needs no display either.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
