#include <gtest/gtest.h>
#include <QGuiApplication>

// Painting text needs a QGuiApplication; the offscreen platform keeps the tests display-free,
// also when the test list is read at build time.
int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
