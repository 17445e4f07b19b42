#include "reading/defilement_texte.h"

#include "platform/controls.h"
#include "platform/platform.h"

namespace zm {

QString bandeDefilante(const QString& texte) {
    return QString(50, u'.') + texte + QString(35, u'.');
}

int nombreDePas(const QString& texte) {
    return int(bandeDefilante(texte).size()) - 30;
}

QString fenetreDuPas(const QString& bande, int i) {
    return bande.mid(i, 42);
}

bool defiler_texte(const Clock& clock, Label& fenetre, const QString& texte, int delai,
                   const std::function<bool(int ms)>& attendre) {
    const QString bande = bandeDefilante(texte);
    const int pas = nombreDePas(texte);
    qint64 fin = clock.ticks();
    for (int i = 0; i < pas; ++i) {
        fenetre.setCaption(fenetreDuPas(bande, i));
        // Each window's time counts from its showing. The wait itself wakes
        // up to a millisecond or two late: that lateness is not carried from
        // window to window, or a long text would fall behind its speed.
        const qint64 affiche = clock.ticks();
        fin = (affiche - fin <= 2 ? fin : affiche) + 50 + delai;
        for (qint64 now = affiche; now < fin; now = clock.ticks())
            if (!attendre(int(fin - now)))
                return false;
    }
    return true;
}

} // namespace zm
