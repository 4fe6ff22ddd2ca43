#pragma once

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "game/platform.h"

namespace quorvel::testing {

// A Platform that records every call as a line of text and keeps a fake clock, an in-memory
// settings file and the menu's marks, so whole games can be driven and checked without a window.
class FakePlatform : public Platform {
  public:
    std::vector<std::string> log;

    // Clock: seconds since midnight; pause() advances it.
    double now = 36000;
    // The settings file; nothing when it does not exist.
    std::optional<std::vector<std::string>> settingsFile;
    bool settingsWritable = true;
    int settingsWrites = 0;
    // Sound: whether a sound system exists, and which files exist (name -> handle to return).
    bool soundSystem = true;
    std::map<std::string, int> soundFiles{
        {"その他.wav", 1}, {"禁止.wav", 2}, {"駒打音.wav", 3}, {"磁石音.wav", 4}, {"BGM.wav", 5}};
    std::map<MenuItem, bool> marks;
    bool timer = false;
    bool quitCalled = false;
    std::map<MenuCommand, bool> enabled;
    std::string dateTime = "2026/12/08 13:05:00";
    // Record files as their text, kept through the real record format; the file dialog answers
    // `chosenFile`. The game in progress is the file "Quorvel.kifu".
    std::map<std::string, std::string> files;
    std::optional<std::string> chosenFile;
    // The log's length at each write of the game in progress: where in the log it came.
    std::vector<std::size_t> gameInProgressWriteAt;
    // Record files that cannot be written, with the reason given.
    std::map<std::string, std::string> unwritable;
    // The answer to every yes/no question.
    bool answerYes = true;
    // Runs while a message box is open, as the window's ticks do.
    std::function<void()> whileMessageOpen;

    void drawPicture(int code, double x, double y) override;
    void drawOutline(int colour, double x, double y) override;
    void drawText(const std::string& text, double x, double y, int colour, int size) override;
    void refresh() override { log.push_back("refresh"); }
    void showMessage(const std::string& text, const std::string& title, MessageIcon icon) override;
    bool askYesNo(const std::string& text, const std::string& title) override;
    void setChecked(MenuItem item, bool checked) override { marks[item] = checked; }
    void setLanguage(Language language) override {
        log.push_back("language " + std::string(languageName(language)));
    }
    void setTimerEnabled(bool enabled) override;
    double timeOfDay() override { return now; }
    void pause(double seconds) override;
    void 初期化_サウンド() override;
    int 読込_WAVファイル(const std::string& fileName, int flags) override;
    void 終了_サウンド() override { log.push_back("sound terminate"); }
    void dsPlay(int buffer) override { log.push_back("play " + std::to_string(buffer)); }
    void dsPlayLooping(int buffer) override { log.push_back("loop " + std::to_string(buffer)); }
    void dsStop(int buffer) override { log.push_back("stop " + std::to_string(buffer)); }
    void dsFree(int buffer) override { log.push_back("free " + std::to_string(buffer)); }
    std::optional<std::vector<std::string>> readSettingsLines() override { return settingsFile; }
    bool writeSettingsLines(const std::vector<std::string>& lines) override;
    void setEnabled(MenuCommand command, bool on) override { enabled[command] = on; }
    std::string dateTimeText() override { return dateTime; }
    std::optional<std::string> chooseRecordFile(FileChoice) override { return chosenFile; }
    std::variant<GameRecord, RecordError> readRecord(const std::string& file) override;
    std::optional<RecordWriteError> writeRecord(const std::string& file,
                                                const GameRecord& record) override;
    std::variant<GameRecord, RecordError> readGameInProgress() override;
    std::optional<RecordWriteError> writeGameInProgress(const GameRecord& record) override;
    void quit() override;
    // The puzzles the game reads, or why they cannot be read.
    std::variant<std::vector<Puzzle>, PuzzleFileError> puzzles = std::vector<Puzzle>{};
    std::variant<std::vector<Puzzle>, PuzzleFileError> readPuzzles() override { return puzzles; }

    // Helpers for checks.
    std::vector<std::string> messages() const;
    int count(const std::string& line) const;
    int countPrefix(const std::string& prefix) const;
    // Index of the first log line equal to `line` at or after `from`, or -1.
    int find(const std::string& line, int from = 0) const;
};

}
