#include "quizzes/fabrique.h"

#include "quizzes/animaux.h"
#include "quizzes/femelles.h"
#include "quizzes/pluriels.h"
#include "quizzes/syllabes.h"
#include "quizzes/synonymes.h"
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
    if (description.nom == QLatin1String("animaux"))
        return new Animaux(description, routines, stage);
    if (description.nom == QLatin1String("synonymes"))
        return new Synonymes(description, routines, stage);
    if (description.nom == QLatin1String("syllabes"))
        return new Syllabes(description, routines, stage);
    return nullptr;
}

} // namespace zm
