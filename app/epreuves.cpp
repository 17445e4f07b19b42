#include "app/epreuves.h"

#include "point_games/fabrique.h"
#include "quizzes/fabrique.h"
#include "reading/fabrique.h"

namespace zm {

EcranEpreuve* fabriquerEpreuve(const DescriptionEpreuve& description, Routines& routines,
                               QWidget* stage) {
    for (auto fabrique : {&fabriquerQuiz, &fabriquerLecture, &fabriquerJeuDePoints})
        if (EcranEpreuve* screen = fabrique(description, routines, stage))
            return screen;
    return nullptr;
}

} // namespace zm
