// The widget tests' entry point: widgets need a QApplication before the first test runs.
#include <QApplication>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    // Headless by default, so the tests run without a display; an explicit platform wins.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
