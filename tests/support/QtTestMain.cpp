// main() for GoogleTest suites that need a QApplication. The offscreen platform is the default
// because gtest_discover_tests runs the binary at build time, where no display exists and a
// test's ENVIRONMENT property does not apply.
#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication Application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
