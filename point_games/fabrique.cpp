#include "point_games/fabrique.h"

#include "point_games/bonneteau.h"
#include "point_games/machine.h"
#include "point_games/pari_lettre.h"

namespace zm {

EcranEpreuve* fabriquerJeuDePoints(const DescriptionEpreuve& description, Routines& routines,
                                   QWidget* stage) {
    if (description.nom == QLatin1String("pari_lettre"))
        return new PariLettre(description, routines, stage);
    if (description.nom == QLatin1String("bonneteau"))
        return new Bonneteau(description, routines, stage);
    if (description.nom == QLatin1String("machine"))
        return new Machine(description, routines, stage);
    return nullptr;
}

} // namespace zm
