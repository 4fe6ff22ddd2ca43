// QtPlatform: message boxes, marks and timer through the window, clock, waits, sound warnings
// and the settings file.

#include "ui/qt_platform.h"

#include "box_closer.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTime>
#include <QTimer>
#include <cerrno>
#include <chrono>
#include <cmath>
#include <cstring>
#include <ctime>
#include <fstream>

namespace quorvel {
namespace {

class QtPlatformTest : public testing::Test {
  protected:
    QtPlatformTest() : platform(window) {}

    MainWindow window;
    QtPlatform platform;
};

TEST_F(QtPlatformTest, MessageBoxesAreModalWithOneOkButton) {
    struct Case {
        std::string text, title;
        MessageIcon icon;
        QMessageBox::Icon shown;
    };
    const Case cases[] = {
        {"先手の勝ちです。", "Quorvel", MessageIcon::None, QMessageBox::NoIcon},
        {"禁じ手です。", "警告", MessageIcon::Warning, QMessageBox::Warning},
    };
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    for (const Case& c : cases) {
        BoxCloser closer;
        QElapsedTimer elapsed;
        elapsed.start();
        platform.showMessage(c.text, c.title, c.icon);  // returns once the box is closed
        EXPECT_LT(elapsed.elapsed(), 5000);
        ASSERT_EQ(closer.seen.size(), 1u);
        const SeenBox& box = closer.seen.front();
        EXPECT_EQ(box.text.toStdString(), c.text);
        EXPECT_EQ(box.title.toStdString(), c.title);
        EXPECT_EQ(box.icon, c.shown);
        EXPECT_TRUE(box.modal);
        ASSERT_EQ(box.buttons.size(), 1);
        EXPECT_EQ(QString(box.buttons.front()).remove('&'), QStringLiteral("OK"));
    }
}

TEST_F(QtPlatformTest, CarriageReturnsInAMessageBreakItsLines) {
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    BoxCloser closer;
    platform.showMessage("Quorvel\r\rHome page\r\nx", "Quorvel", MessageIcon::None);
    ASSERT_EQ(closer.seen.size(), 1u);
    EXPECT_EQ(closer.seen.front().text.toStdString(), "Quorvel\n\nHome page\nx");
}

// A box can also be closed from a one-shot timer through the active modal widget.
TEST_F(QtPlatformTest, ModalBoxClosesFromASingleShotTimer) {
    QString title;
    QTimer::singleShot(50, [&title] {
        QWidget* modal = QApplication::activeModalWidget();
        ASSERT_NE(modal, nullptr);
        title = modal->windowTitle();
        modal->close();
    });
    platform.showMessage("text", "title", MessageIcon::None);
    EXPECT_EQ(title, QStringLiteral("title"));
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST_F(QtPlatformTest, MarksAndTimerGoToTheWindow) {
    platform.setChecked(MenuItem::SIDOU, true);
    platform.setChecked(MenuItem::TATAMI, false);
    EXPECT_TRUE(window.markAction(MenuItem::SIDOU)->isChecked());
    EXPECT_FALSE(window.markAction(MenuItem::TATAMI)->isChecked());
    platform.setTimerEnabled(true);
    EXPECT_TRUE(window.timerEnabled());
    platform.setTimerEnabled(false);
    EXPECT_FALSE(window.timerEnabled());
}

// A game text is shown in the language chosen when it is drawn, also when the same text was
// drawn just before the change.
TEST_F(QtPlatformTest, TextsAreDrawnInTheLanguageOfTheMoment) {
    Surface& surface = window.surface();
    // Rows 40 logical pixels (600 drawing units) apart: equal texts give equal pixels.
    const auto region = [&](int row) {
        const QImage& image = surface.image();
        const int r = qRound(image.devicePixelRatio());
        return image.copy(0, row * 40 * r, 200 * r, 40 * r);
    };
    const auto rowTop = [](int row) { return row * 600.0; };
    platform.drawText("思考中", 0, rowTop(0), 15, 12);
    surface.drawText(QStringLiteral("思考中"), 0, rowTop(1), 15, 12);
    platform.setLanguage(Language::English);
    platform.drawText("思考中", 0, rowTop(2), 15, 12);
    surface.drawText(QStringLiteral("Thinking"), 0, rowTop(3), 15, 12);
    platform.setLanguage(Language::Japanese);
    platform.drawText("思考中", 0, rowTop(4), 15, 12);

    EXPECT_EQ(region(0), region(1));
    EXPECT_EQ(region(2), region(3));
    EXPECT_NE(region(2), region(0));
    EXPECT_EQ(region(4), region(0));
}

TEST_F(QtPlatformTest, TimeOfDayIsLocalSecondsSinceMidnight) {
    const double before = QTime::currentTime().msecsSinceStartOfDay() / 1000.0;
    const double now = platform.timeOfDay();
    const double after = QTime::currentTime().msecsSinceStartOfDay() / 1000.0;
    EXPECT_GE(now, 0.0);
    EXPECT_LT(now, 86400.0);
    if (after >= before) {  // not across midnight
        // The reference clock counts whole milliseconds.
        EXPECT_GE(now, before);
        EXPECT_LE(now, after + 0.001);
    }
    // It advances by the time slept, counted across midnight too.
    QTest::qSleep(30);
    const double advance = std::fmod(platform.timeOfDay() - now + 86400.0, 86400.0);
    EXPECT_GE(advance, 0.025);
    EXPECT_LT(advance, 1.0);
}

TEST_F(QtPlatformTest, PauseWaitsWithoutHandlingEventsOrBurningTheProcessor) {
    bool delivered = false;
    QTimer::singleShot(0, [&delivered] { delivered = true; });
    const std::clock_t cpuStart = std::clock();
    const auto start = std::chrono::steady_clock::now();
    platform.pause(0.3);
    const double waited =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const double cpu = static_cast<double>(std::clock() - cpuStart) / CLOCKS_PER_SEC;
    EXPECT_GE(waited, 0.3);
    EXPECT_LT(waited, 0.6);
    EXPECT_LT(cpu, 0.1) << "pause spins instead of sleeping";
    EXPECT_FALSE(delivered) << "pause handled window events";
    QCoreApplication::processEvents();
    EXPECT_TRUE(delivered);
}

TEST_F(QtPlatformTest, PauseOfNothingReturnsAtOnce) {
    for (const double seconds : {0.0, -1.0, std::nan("")}) {
        const auto start = std::chrono::steady_clock::now();
        platform.pause(seconds);
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(20));
    }
}

class PlatformFilesTest : public QtPlatformTest {
  protected:
    PlatformFilesTest() : previous(QDir::currentPath()) {
        EXPECT_TRUE(folder.isValid());
        QDir::setCurrent(folder.path());
    }
    ~PlatformFilesTest() override { QDir::setCurrent(previous); }

    QTemporaryDir folder;
    QString previous;
};

TEST_F(PlatformFilesTest, SettingsFileIsQuorvelIniInTheCurrentFolder) {
    EXPECT_FALSE(platform.readSettingsLines().has_value());
    const std::vector<std::string> lines = {"畳", "移動指導", "経過時間", "BGM"};
    ASSERT_TRUE(platform.writeSettingsLines(lines));
    EXPECT_TRUE(QFileInfo::exists(folder.filePath("Quorvel.ini")));
    const auto read = platform.readSettingsLines();
    ASSERT_TRUE(read.has_value());
    EXPECT_EQ(*read, lines);
    // Stored in the system's Japanese encoding, CR LF line ends.
    std::ifstream raw(folder.filePath("Quorvel.ini").toStdString(), std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(raw)), {});
    EXPECT_EQ(bytes.substr(0, 4), std::string("\x8f\xf4\r\n", 4));
}

TEST_F(PlatformFilesTest, TheGameInProgressIsQuorvelKifuBesideTheSettingsFile) {
    EXPECT_TRUE(std::holds_alternative<RecordError>(platform.readGameInProgress()));
    GameRecord record;
    record.startedAt = platform.dateTimeText();
    record.moves = {RecordedMove{Direction::Up, 3, 3, std::nullopt, 0}};
    ASSERT_FALSE(platform.writeGameInProgress(record).has_value());
    EXPECT_TRUE(QFileInfo::exists(folder.filePath("Quorvel.kifu")));
    const auto read = platform.readGameInProgress();
    ASSERT_TRUE(std::holds_alternative<GameRecord>(read));
    EXPECT_EQ(std::get<GameRecord>(read).moves.size(), 1u);
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^\\d{4}/\\d\\d/\\d\\d \\d\\d:\\d\\d:\\d\\d$"))
                    .match(QString::fromStdString(record.startedAt))
                    .hasMatch())
        << record.startedAt;
}

// The silent "dummy" sound driver gives a device, so the module reads and refuses the folder.
TEST_F(PlatformFilesTest, SoundWarningsAreModalBoxesTitledForTheSoundModule) {
    BoxCloser closer;
    platform.初期化_サウンド();
    ASSERT_TRUE(closer.seen.empty()) << "no sound device on the silent driver";
    // A folder where a sound file should be: the module reports the read error.
    ASSERT_TRUE(QDir(folder.path()).mkdir("koma.wav"));
    EXPECT_EQ(platform.読込_WAVファイル("koma.wav", 3), 0);
    // A missing file is silent.
    EXPECT_EQ(platform.読込_WAVファイル("missing.wav", 3), 0);
    platform.終了_サウンド();

    ASSERT_EQ(closer.seen.size(), 1u);
    const SeenBox& box = closer.seen.front();
    EXPECT_EQ(box.text.toStdString(), std::string(std::strerror(EISDIR)) + ": koma.wav");
    EXPECT_EQ(box.title, QStringLiteral("Quorvel.dll"));
    EXPECT_EQ(box.icon, QMessageBox::Warning);
    EXPECT_TRUE(box.modal);
    EXPECT_EQ(box.buttons.size(), 1);
}

TEST_F(QtPlatformTest, QuitEndsTheEventLoop) {
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QTimer::singleShot(0, [this] { platform.quit(); });
    EXPECT_EQ(QApplication::exec(), 0);
    EXPECT_TRUE(window.quitRequested());
    EXPECT_FALSE(window.isVisible());
}

}
}
