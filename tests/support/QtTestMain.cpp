// main() for GoogleTest suites that need a QApplication. Natively the offscreen platform is the
// default because gtest_discover_tests runs the binary at build time, where no display exists and
// a test's ENVIRONMENT property does not apply. The Windows build keeps Qt's own Windows platform:
// under wine the tests then drive real Windows windows (and wine passes no QT_ variable on).
#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char* argv[]) {
    constexpr char DefaultPlatform[] = KELVARO_TEST_PLATFORM;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && DefaultPlatform[0] != '\0')
        qputenv("QT_QPA_PLATFORM", DefaultPlatform);
    QApplication Application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
