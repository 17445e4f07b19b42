#pragma once
// The screens of the point games, by exercise name.

#include "shell/ecran_epreuve.h"

namespace zm {

// The game screen of this exercise, or null when it is not a point game.
EcranEpreuve* fabriquerJeuDePoints(const DescriptionEpreuve& description, Routines& routines,
                                   QWidget* stage);

} // namespace zm
