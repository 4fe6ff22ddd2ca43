#pragma once

#include "ui/game_events.h"

namespace quorvel {

// Game events that do nothing: window tests that watch a few events override only those.
class IgnoringEvents : public GameEvents {
  public:
    void onStart() override {}
    void onSente() override {}
    void onGote() override {}
    void onCancel() override {}
    void onQuit() override {}
    void onKey(int) override {}
    void onMousePress(double, double) override {}
    void onTimerTick() override {}
    void onBackgroundItem(int) override {}
    void onKeika() override {}
    void onBgm() override {}
    void onSidou() override {}
    void onVersion() override {}
    void onLanguage(Language) override {}
    void onLevel(Level) override {}
    void onHint() override {}
    void onResume() override {}
    void onTakeBack() override {}
    void onOpenRecord() override {}
    void onSaveRecord() override {}
    void onStepFirst() override {}
    void onStepBack() override {}
    void onStepForward() override {}
    void onStepLast() override {}
    void redrawAll() override {}
};

}
