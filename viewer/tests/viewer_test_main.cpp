// The tests run inside a QApplication on the offscreen platform (no display needed),
// unless QT_QPA_PLATFORM names another.
#include <QApplication>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    // Listing the tests (CTest's discovery at build time) needs no application.
    if (GTEST_FLAG_GET(list_tests)) return RUN_ALL_TESTS();
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // A steady caret, so pictures do not depend on when they are taken.
    QApplication::setCursorFlashTime(0);
    return RUN_ALL_TESTS();
}
