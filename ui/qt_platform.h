#pragma once

#include <QTranslator>
#include <filesystem>

#include "game/platform.h"
#include "sound/sound_module.h"
#include "ui/main_window.h"

namespace quorvel {

// Platform over Qt: drawing on the window's surface, modal message boxes, the window's menu
// marks and timer, the local clock, blocking waits, the sound module and the settings file in
// the current directory. The game's Japanese texts are shown in the chosen language.
class QtPlatform : public Platform {
  public:
    // Sound over the sound library linked in (qt_platform_direct.cpp).
    explicit QtPlatform(MainWindow& window);
    // Sound over the given library, which must outlive the platform.
    QtPlatform(MainWindow& window, SoundLibrary& sound);

    void drawPicture(int code, double cellX, double cellY) override;
    void drawOutline(int colourIndex, double cellX, double cellY) override;
    void drawText(const std::string& text, double unitsX, double unitsY, int colourIndex,
                  int pointSize) override;
    void drawCountLabel(const std::string& text, int count, double unitsX, double unitsY,
                        int colourIndex, int pointSize) override;
    void refresh() override;

    void showMessage(const std::string& text, const std::string& title, MessageIcon icon) override;
    bool askYesNo(const std::string& text, const std::string& title) override;
    void setChecked(MenuItem item, bool checked) override;
    void setLanguage(Language language) override;
    void setTimerEnabled(bool enabled) override;
    double timeOfDay() override;
    void pause(double seconds) override;

    void 初期化_サウンド() override;
    int 読込_WAVファイル(const std::string& fileName, int flags) override;
    void 終了_サウンド() override;
    void dsPlay(int buffer) override;
    void dsPlayLooping(int buffer) override;
    void dsStop(int buffer) override;
    void dsFree(int buffer) override;

    std::optional<std::vector<std::string>> readSettingsLines() override;
    bool writeSettingsLines(const std::vector<std::string>& lines) override;

    void setEnabled(MenuCommand command, bool enabled) override;
    std::string dateTimeText() override;
    std::optional<std::string> chooseRecordFile(FileChoice choice) override;
    std::variant<GameRecord, RecordError> readRecord(const std::string& file) override;
    std::optional<RecordWriteError> writeRecord(const std::string& file,
                                                const GameRecord& record) override;
    std::variant<GameRecord, RecordError> readGameInProgress() override;
    std::optional<RecordWriteError> writeGameInProgress(const GameRecord& record) override;
    std::variant<std::vector<Puzzle>, PuzzleFileError> readPuzzles() override;

    void quit() override;

    // The settings file's path; the bare name in the current directory unless a test moves it.
    void setSettingsPath(std::filesystem::path path) { settingsPath_ = std::move(path); }

  private:
    MainWindow& window_;
    SoundModule sound_;
    QTranslator translator_;    // the game's own texts
    QTranslator qtTranslator_;  // Qt's texts: file dialogs' labels and questions
    std::filesystem::path settingsPath_;
    // The last game text shown and its translation: a label's shadow and the label itself
    // come one after the other with the same text, the clock once a second.
    std::string lastText_;
    QString lastTranslation_;
    double utcOffsetSeconds_ = 0;
    double offsetCheckedAt_ = -1e18;  // when the offset was last looked up, in epoch seconds
};

}
