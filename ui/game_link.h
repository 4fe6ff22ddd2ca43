#pragma once

#include "game/game.h"
#include "game/record_analysis.h"
#include "ui/game_events.h"

namespace quorvel {

// Hands the window's events to the Game object.
class GameLink final : public GameEvents {
  public:
    explicit GameLink(Game& game) : game_(game) {}

    void onStart() override { game_.onStart(); }
    void onSente() override { game_.onSente(); }
    void onGote() override { game_.onGote(); }
    void onCancel() override { game_.onCancel(); }
    void onQuit() override { game_.onQuit(); }
    void onKey(int characterCode) override { game_.onKey(characterCode); }
    void onMousePress(double unitsX, double unitsY) override { game_.onMousePress(unitsX, unitsY); }
    void onTimerTick() override { game_.onTimerTick(); }
    std::optional<int> msUntilClockChanges() override { return game_.msUntilClockChanges(); }
    void onBackgroundItem(int backgroundCode) override { game_.onBackgroundItem(backgroundCode); }
    void onKeika() override { game_.onKeika(); }
    void onBgm() override { game_.onBgm(); }
    void onSidou() override { game_.onSidou(); }
    void onVersion() override { game_.onVersion(); }
    void onLevel(Level level) override { game_.onLevel(level); }
    void onHint() override { game_.onHint(); }
    void onLanguage(Language language) override { game_.onLanguage(language); }
    void onRepetitionDraw() override { game_.onRepetitionDraw(); }
    void onResume() override { game_.onResume(); }
    void onTakeBack() override { game_.onTakeBack(); }
    void onResign() override { game_.onResign(); }
    void onOpenRecord() override { game_.onOpenRecord(); }
    void onSaveRecord() override { game_.onSaveRecord(); }
    void onStepFirst() override { game_.onStepFirst(); }
    void onStepBack() override { game_.onStepBack(); }
    void onStepForward() override { game_.onStepForward(); }
    void onStepLast() override { game_.onStepLast(); }
    void onStepTo(std::size_t moves) override { game_.onStepTo(moves); }
    std::shared_ptr<const AnalysisSubject> analysisSubject() override {
        auto subject = analysisSubjectOf(game_.history());
        return subject ? std::make_shared<const AnalysisSubject>(std::move(*subject)) : nullptr;
    }
    void onPuzzle() override { game_.onPuzzle(); }
    void redrawAll() override { game_.画面_再描画(); }

  private:
    Game& game_;
};

}
