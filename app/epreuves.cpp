#include "app/epreuves.h"

#include "quizzes/fabrique.h"

namespace zm {

EcranEpreuve* fabriquerEpreuve(const DescriptionEpreuve& description, Routines& routines,
                               QWidget* stage) {
    return fabriquerQuiz(description, routines, stage);
}

} // namespace zm
