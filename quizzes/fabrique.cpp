#include "quizzes/fabrique.h"

#include "quizzes/femelles.h"
#include "quizzes/pluriels.h"
#include "quizzes/verbes.h"

namespace zm {

EcranEpreuve* fabriquerQuiz(const DescriptionEpreuve& description, Routines& routines,
                            QWidget* stage) {
    if (description.nom == QLatin1String("femelles"))
        return new Femelles(description, routines, stage);
    if (description.nom == QLatin1String("pluriels"))
        return new Pluriels(description, routines, stage);
    if (description.nom == QLatin1String("verbes"))
        return new Verbes(description, routines, stage);
    return nullptr;
}

} // namespace zm
