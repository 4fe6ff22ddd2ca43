// Test main for the window tests: a QApplication on the offscreen platform (unless the
// environment names another), the project's fonts, and a private runtime folder so Qt has no
// reason to warn about XDG_RUNTIME_DIR.

#include <gtest/gtest.h>

#include <unistd.h>
#include <QApplication>
#include <QByteArray>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "ui/fonts.h"

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("SDL_AUDIODRIVER")) qputenv("SDL_AUDIODRIVER", "dummy");

    QByteArray runtimeDir =
        QByteArray(std::filesystem::temp_directory_path().c_str()) + "/quorvel-ui-test-XXXXXX";
    const bool haveRuntimeDir = mkdtemp(runtimeDir.data()) != nullptr;  // created with mode 0700
    if (haveRuntimeDir) qputenv("XDG_RUNTIME_DIR", runtimeDir);

    testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    quorvel::installFonts();
    const int result = RUN_ALL_TESTS();

    if (haveRuntimeDir) {
        std::error_code ignored;
        std::filesystem::remove_all(runtimeDir.constData(), ignored);
    }
    return result;
}
