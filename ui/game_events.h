#pragma once

#include <cstddef>
#include <memory>
#include <optional>

#include "game/language.h"

namespace quorvel {

// The computer's level (rules/level.h); declared here only, since Qt's moc reads this header and
// cannot read the levels' Japanese names.
enum class Level;
struct AnalysisSubject;

// What the window hands on to the game: one call per menu command, mouse press, key, timer tick
// and full redraw. The program forwards these to the Game object (game_link.h); window tests
// plug in a recorder instead.
class GameEvents {
  public:
    static constexpr int TICK_MS = 50;

    virtual ~GameEvents() = default;

    virtual void onStart() = 0;
    virtual void onSente() = 0;
    virtual void onGote() = 0;
    virtual void onCancel() = 0;
    virtual void onQuit() = 0;
    // A key that produced a character, by its character code (27 for Esc).
    virtual void onKey(int characterCode) = 0;
    virtual void onMousePress(double unitsX, double unitsY) = 0;
    virtual void onTimerTick() = 0;
    // How long the timer may wait before its next tick does anything: 0 for at once, nothing
    // for not until another event. A plain 50 ms tick unless the game knows better.
    virtual std::optional<int> msUntilClockChanges() { return TICK_MS; }
    virtual void onBackgroundItem(int backgroundCode) = 0;
    virtual void onKeika() = 0;
    virtual void onBgm() = 0;
    virtual void onSidou() = 0;
    virtual void onVersion() = 0;
    virtual void onLevel(Level level) = 0;
    virtual void onHint() = 0;
    virtual void onLanguage(Language language) = 0;
    virtual void onRepetitionDraw() {}
    virtual void onResume() = 0;
    virtual void onTakeBack() = 0;
    virtual void onResign() {}
    virtual void onOpenRecord() = 0;
    virtual void onSaveRecord() = 0;
    virtual void onStepFirst() = 0;
    virtual void onStepBack() = 0;
    virtual void onStepForward() = 0;
    virtual void onStepLast() = 0;
    // Shows the position after `moves` moves of the record (a click on the analysis graph).
    virtual void onStepTo(std::size_t /*moves*/) {}
    // The record on the board as its analysis sees it (game/record_analysis.h); nothing when
    // there is none to analyse.
    virtual std::shared_ptr<const AnalysisSubject> analysisSubject() { return nullptr; }
    virtual void onPuzzle() {}
    // Everything on the surface must be drawn again (after the device pixel ratio changed).
    virtual void redrawAll() = 0;
};

}
