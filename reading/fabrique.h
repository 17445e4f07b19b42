#pragma once
// The screens of the reading and memory exercises, by exercise name.

#include "shell/ecran_epreuve.h"

namespace zm {

// The reading screen of this exercise, or null when it is not one.
EcranEpreuve* fabriquerLecture(const DescriptionEpreuve& description, Routines& routines,
                               QWidget* stage);

} // namespace zm
