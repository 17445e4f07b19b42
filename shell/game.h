#pragma once
// The whole game: the scene, the shared services and every screen.

#include "shell/routines.h"
#include "shell/stage.h"

#include <memory>

namespace zm {

class Screen;

class Game {
public:
    Game(Platform& platform, const QString& datasDir);
    ~Game();
    Stage& stage() { return stage_; }
    Routines& routines() { return routines_; }
    // Starts the game on its first screen.
    void start();
    // The window system asks the game to end: returns whether it may.
    bool quitRequested();

private:
    Platform& platform_;
    Stage stage_;
    Routines routines_;
    Screen* depart_ = nullptr;
};

} // namespace zm
