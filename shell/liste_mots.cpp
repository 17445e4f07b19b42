#include "shell/liste_mots.h"

#include "shell/listes.h"

namespace zm {

const QStringList& liste_mots() {
    static const QStringList mots = listeIntegree(QStringLiteral("liste_mots.txt"));
    return mots;
}

} // namespace zm
