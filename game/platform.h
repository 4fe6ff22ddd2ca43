#pragma once

#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "game/language.h"
#include "game/menu_items.h"
#include "storage/game_record.h"
#include "storage/puzzle_file.h"

namespace quorvel {

// Everything the game object needs from the outside world: the drawing surface, message boxes,
// menu check marks, the clock timer, the time of day, waits, sound and the settings file.
// The Qt window implements it; tests replace it with a recording fake.
class Platform {
  public:
    virtual ~Platform() = default;

    // Drawing surface. Positions are cells of the layout grid (fractions allowed); a cell's
    // top-left corner is at (1350 + 495 X, 650 + 615 Y) drawing units.
    // Draws a picture opaque at natural size; a code without a picture draws nothing.
    virtual void drawPicture(int code, double cellX, double cellY) = 0;
    // Outlines the 495 x 615 rectangle of a cell in a colour index of the 16-colour palette.
    virtual void drawOutline(int colourIndex, double cellX, double cellY) = 0;
    // Prints text (UTF-8) in the window font, bold, painting only the glyphs; (unitsX, unitsY)
    // is the text's top-left corner in drawing units.
    virtual void drawText(const std::string& text, double unitsX, double unitsY, int colourIndex,
                          int pointSize) = 0;
    // Prints a label that follows a count ("手目" after the move number) as drawText does, in
    // the form that agrees with the count where the language has one ("1 move", "2 moves").
    virtual void drawCountLabel(const std::string& text, int count, double unitsX, double unitsY,
                                int colourIndex, int pointSize) {
        (void)count;
        drawText(text, unitsX, unitsY, colourIndex, pointSize);
    }
    // Shows the retained image on screen at once, even inside a handler.
    virtual void refresh() = 0;

    // A modal message box with one OK button.
    virtual void showMessage(const std::string& text, const std::string& title,
                             MessageIcon icon) = 0;
    // A modal question with the buttons Yes (the default) and No; true for Yes.
    virtual bool askYesNo(const std::string& text, const std::string& title) = 0;

    virtual void setChecked(MenuItem item, bool checked) = 0;

    // Every text the window shows from now on (menus, boxes, panels) is in this language; the
    // game's own texts are passed in Japanese and translated where they are shown.
    virtual void setLanguage(Language language) = 0;

    // Timer1: ticks every 50 ms while enabled.
    virtual void setTimerEnabled(bool enabled) = 0;

    // Seconds since midnight with their fraction, 0 <= t < 86400.
    virtual double timeOfDay() = 0;
    // Returns after the given seconds; handles no window events meanwhile.
    virtual void pause(double seconds) = 0;

    // Sound module: starts the sound system (warning once when there is none), loads a .wav file
    // by bare name into a buffer handle (0 = not loaded), plays, loops, stops, frees, shuts down.
    virtual void 初期化_サウンド() = 0;
    virtual int 読込_WAVファイル(const std::string& fileName, int flags) = 0;
    virtual void 終了_サウンド() = 0;
    virtual void dsPlay(int buffer) = 0;
    virtual void dsPlayLooping(int buffer) = 0;
    virtual void dsStop(int buffer) = 0;
    virtual void dsFree(int buffer) = 0;

    // Settings file "Quorvel.ini": its lines as text (line ends removed), or nothing when it
    // cannot be opened; writing replaces the whole file and reports success.
    virtual std::optional<std::vector<std::string>> readSettingsLines() = 0;
    virtual bool writeSettingsLines(const std::vector<std::string>& lines) = 0;

    virtual void setEnabled(MenuCommand command, bool enabled) = 0;

    // The local date and time now, "YYYY/MM/DD hh:mm:ss".
    virtual std::string dateTimeText() = 0;

    // Game records: a file dialog (nothing when the player cancels), reading a record file and
    // writing one atomically (nothing on success, else the file and why it failed).
    virtual std::optional<std::string> chooseRecordFile(FileChoice choice) = 0;
    virtual std::variant<GameRecord, RecordError> readRecord(const std::string& file) = 0;
    virtual std::optional<RecordWriteError> writeRecord(const std::string& file,
                                                        const GameRecord& record) = 0;
    // The game in progress, "Quorvel.kifu" beside the settings file: read and written atomically.
    virtual std::variant<GameRecord, RecordError> readGameInProgress() = 0;
    virtual std::optional<RecordWriteError> writeGameInProgress(const GameRecord& record) = 0;

    // The puzzles installed with the game.
    virtual std::variant<std::vector<Puzzle>, PuzzleFileError> readPuzzles() = 0;

    // Ends the program at once (after the game has freed its sounds).
    virtual void quit() = 0;
};

}
