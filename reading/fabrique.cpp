#include "reading/fabrique.h"

#include "reading/defilement.h"
#include "reading/lecture2.h"
#include "reading/liste.h"
#include "reading/suite.h"
#include "reading/trous.h"

namespace zm {

EcranEpreuve* fabriquerLecture(const DescriptionEpreuve& description, Routines& routines,
                               QWidget* stage) {
    if (description.nom == QLatin1String("defilement"))
        return new Defilement(description, routines, stage);
    if (description.nom == QLatin1String("lecture2"))
        return new Lecture2(description, routines, stage);
    if (description.nom == QLatin1String("trous"))
        return new Trous(description, routines, stage);
    if (description.nom == QLatin1String("suite"))
        return new Suite(description, routines, stage);
    if (description.nom == QLatin1String("liste"))
        return new Liste(description, routines, stage);
    return nullptr;
}

} // namespace zm
