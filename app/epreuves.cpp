#include "app/epreuves.h"

#include "point_games/fabrique.h"
#include "quizzes/fabrique.h"

namespace zm {

EcranEpreuve* fabriquerEpreuve(const DescriptionEpreuve& description, Routines& routines,
                               QWidget* stage) {
    for (auto fabrique : {&fabriquerQuiz, &fabriquerJeuDePoints})
        if (EcranEpreuve* screen = fabrique(description, routines, stage))
            return screen;
    return nullptr;
}

} // namespace zm
