#pragma once
// The screens of the vocabulary quizzes, by exercise name.

#include "shell/ecran_epreuve.h"

namespace zm {

// The quiz screen of this exercise, or null when it is not a quiz.
EcranEpreuve* fabriquerQuiz(const DescriptionEpreuve& description, Routines& routines,
                            QWidget* stage);

} // namespace zm
