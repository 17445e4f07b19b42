#pragma once
// Every exercise screen the game has: the game asks here for each of its
// fourteen exercises.

#include "shell/ecran_epreuve.h"

namespace zm {

EcranEpreuve* fabriquerEpreuve(const DescriptionEpreuve& description, Routines& routines,
                               QWidget* stage);

} // namespace zm
