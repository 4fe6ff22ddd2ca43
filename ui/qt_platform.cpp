#include "ui/qt_platform.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QIcon>
#include <QMessageBox>
#include <chrono>
#include <cmath>
#include <thread>

#include "storage/file_io.h"
#include "storage/settings_file.h"
#include "ui/texts.h"

namespace quorvel {

namespace {

constexpr double secondsPerDay = 86400;
// The game in progress, beside the settings file.
constexpr const char* GAME_IN_PROGRESS_FILE_NAME = "Quorvel.kifu";
constexpr const char* PUZZLE_FILE_NAME = "puzzles.txt";

// Title of the sound module's warning boxes.
constexpr const char* soundWarningTitle = "Quorvel.dll";

void showModal(QWidget* parent, const QString& text, const QString& title, QMessageBox::Icon icon) {
    QMessageBox box(icon, title, text, QMessageBox::Ok, parent);
    box.setWindowModality(Qt::ApplicationModal);
    // A plain OK button, without the theme's "apply" arrow.
    if (QAbstractButton* ok = box.button(QMessageBox::Ok)) ok->setIcon(QIcon());
    box.exec();
}

}

QtPlatform::QtPlatform(MainWindow& window, SoundLibrary& sound)
    : window_(window),
      sound_(
          [this](const std::string& text) {
              showModal(&window_, QString::fromStdString(text),
                        QString::fromUtf8(soundWarningTitle), QMessageBox::Warning);
          },
          sound),
      settingsPath_(SETTINGS_FILE_NAME) {}

void QtPlatform::drawPicture(int code, double cellX, double cellY) {
    window_.surface().drawPicture(code, cellX, cellY);
}

void QtPlatform::drawOutline(int colourIndex, double cellX, double cellY) {
    window_.surface().drawOutline(colourIndex, cellX, cellY);
}

void QtPlatform::drawText(const std::string& text, double unitsX, double unitsY, int colourIndex,
                          int pointSize) {
    if (lastTranslation_.isNull() || text != lastText_) {
        lastTranslation_ = translatedLines(GAME_CONTEXT, QString::fromStdString(text));
        lastText_ = text;
    }
    window_.surface().drawText(lastTranslation_, unitsX, unitsY, colourIndex, pointSize);
}

void QtPlatform::drawCountLabel(const std::string& text, int count, double unitsX, double unitsY,
                                int colourIndex, int pointSize) {
    window_.surface().drawText(translatedCount(GAME_CONTEXT, text.c_str(), count), unitsX, unitsY,
                               colourIndex, pointSize);
}

void QtPlatform::refresh() {
    window_.surface().refresh();
}

void QtPlatform::showMessage(const std::string& text, const std::string& title, MessageIcon icon) {
    // The game separates lines with carriage returns; the box breaks lines at line feeds.
    const QString shown = translatedLines(GAME_CONTEXT, QString::fromStdString(text));
    showModal(&window_, shown, translatedLines(GAME_CONTEXT, QString::fromStdString(title)),
              icon == MessageIcon::Warning ? QMessageBox::Warning : QMessageBox::NoIcon);
}

bool QtPlatform::askYesNo(const std::string& text, const std::string& title) {
    QMessageBox box(QMessageBox::Question,
                    translatedLines(GAME_CONTEXT, QString::fromStdString(title)),
                    translatedLines(GAME_CONTEXT, QString::fromStdString(text)),
                    QMessageBox::Yes | QMessageBox::No, &window_);
    box.setDefaultButton(QMessageBox::Yes);
    box.setWindowModality(Qt::ApplicationModal);
    return box.exec() == QMessageBox::Yes;
}

void QtPlatform::setChecked(MenuItem item, bool checked) {
    window_.setMark(item, checked);
}

void QtPlatform::setLanguage(Language language) {
    installLanguage(translator_, qtTranslator_, language);
    lastTranslation_ = QString();
    window_.retranslate();
}

void QtPlatform::setTimerEnabled(bool enabled) {
    window_.setTimerEnabled(enabled);
}

double QtPlatform::timeOfDay() {
    // The local offset from UTC is looked up at most once a minute: the clock asks twenty times
    // a second, and a time-zone lookup on every call is most of an idle game's work.
    const double epochSeconds =
        std::chrono::duration<double>(std::chrono::system_clock::now().time_since_epoch()).count();
    if (!(epochSeconds >= offsetCheckedAt_ && epochSeconds < offsetCheckedAt_ + 60)) {
        utcOffsetSeconds_ = QDateTime::currentDateTime().offsetFromUtc();
        offsetCheckedAt_ = epochSeconds;
    }
    return std::fmod(epochSeconds + utcOffsetSeconds_, secondsPerDay);
}

void QtPlatform::pause(double seconds) {
    if (!(seconds > 0)) return;  // also refuses NaN
    using Clock = std::chrono::steady_clock;
    const auto deadline =
        Clock::now() + std::chrono::duration_cast<Clock::duration>(
                           std::chrono::duration<double>(std::min(seconds, 86400.0)));
    // sleep_for may wake early on a signal; sleep again for what is left.
    for (auto now = Clock::now(); now < deadline; now = Clock::now()) {
        std::this_thread::sleep_for(deadline - now);
    }
}

void QtPlatform::初期化_サウンド() {
    sound_.初期化_サウンド(static_cast<long>(window_.winId()));
}

int QtPlatform::読込_WAVファイル(const std::string& fileName, int flags) {
    return sound_.読込_WAVファイル(fileName, flags);
}

void QtPlatform::終了_サウンド() {
    sound_.終了_サウンド();
}

void QtPlatform::dsPlay(int buffer) {
    sound_.library().play(buffer);
}

void QtPlatform::dsPlayLooping(int buffer) {
    sound_.library().playLooping(buffer);
}

void QtPlatform::dsStop(int buffer) {
    sound_.library().stop(buffer);
}

void QtPlatform::dsFree(int buffer) {
    sound_.library().free(buffer);
}

std::optional<std::vector<std::string>> QtPlatform::readSettingsLines() {
    return quorvel::readSettingsLines(settingsPath_);
}

bool QtPlatform::writeSettingsLines(const std::vector<std::string>& lines) {
    return quorvel::writeSettingsLines(settingsPath_, lines);
}

void QtPlatform::setEnabled(MenuCommand command, bool enabled) {
    window_.setCommandEnabled(command, enabled);
}

std::string QtPlatform::dateTimeText() {
    return QDateTime::currentDateTime()
        .toString(QStringLiteral("yyyy/MM/dd HH:mm:ss"))
        .toStdString();
}

std::optional<std::string> QtPlatform::chooseRecordFile(FileChoice choice) {
    // The game's folder: where its settings file is.
    const QString folder =
        QFileInfo(QString::fromStdString(settingsPath_.string())).absoluteDir().path();
    const auto file = window_.chooseRecordFile(choice, folder);
    if (!file) return std::nullopt;
    return file->toStdString();
}

std::variant<GameRecord, RecordError> QtPlatform::readRecord(const std::string& file) {
    return readRecordFile(std::filesystem::path(file));
}

std::optional<RecordWriteError> QtPlatform::writeRecord(const std::string& file,
                                                        const GameRecord& record) {
    return writeRecordFile(std::filesystem::path(file), record);
}

std::variant<GameRecord, RecordError> QtPlatform::readGameInProgress() {
    return readRecordFile(settingsPath_.parent_path() / GAME_IN_PROGRESS_FILE_NAME);
}

std::optional<RecordWriteError> QtPlatform::writeGameInProgress(const GameRecord& record) {
    return writeRecordFile(settingsPath_.parent_path() / GAME_IN_PROGRESS_FILE_NAME, record);
}

std::variant<std::vector<Puzzle>, PuzzleFileError> QtPlatform::readPuzzles() {
    // A puzzle file in the player's folder comes first; then the one beside the program (a
    // build), then the installed one.
    constexpr std::size_t maxBytes = 1 << 20;
    const std::filesystem::path program = QCoreApplication::applicationDirPath().toStdString();
    for (const std::filesystem::path& file :
         {settingsPath_.parent_path() / PUZZLE_FILE_NAME, program / PUZZLE_FILE_NAME,
          program / QUORVEL_PUZZLES_FROM_PROGRAM / PUZZLE_FILE_NAME}) {
        const auto read = file_io::readSmallFile(file, maxBytes);
        if (const auto* text = std::get_if<std::string>(&read)) return parsePuzzles(*text);
    }
    return PuzzleFileError{0, "no puzzle file"};
}

void QtPlatform::quit() {
    window_.requestQuit();
}

}
