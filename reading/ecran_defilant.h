#pragma once
// What the two ticker exercises share: the one-line window `texte_defilant`,
// the speed options in their frame `defil`, the button `commencer` on its
// picture `ima`, the line `suite`, the emblem shown between two texts, and
// the focus holder `invisible`.

#include "shell/ecran_epreuve.h"

#include <array>

class QRadioButton;
class QFrame;

namespace zm {

class EcranDefilant : public EcranEpreuve {
    Q_OBJECT
public:
    static const QString kAttente;

    EcranDefilant(const DescriptionEpreuve& description, Routines& routines, QWidget* stage,
                  const QString& embleme);

    Label* texte_defilant;
    Label* commencer;
    Label* ima;
    std::array<QRadioButton*, 2> vitesse{};
    QFrame* defil;
    Label* suite;
    Label* fin; // `fin_defilement` or `fin_trous`
    QWidget* invisible;
    // Extra wait of each ticker step: 75 ms at normal speed, 0 when fast.
    int delai_vitesse = 75;
    bool defilementEnCours() const { return defile_; }

protected:
    // Normal speed (0) or fast (1).
    void choisir_vitesse(int i);
    void montrerVitesses(bool visible);
    // Runs the ticker on the text; false when the screen was left meanwhile.
    bool defiler(const QString& texte);
    // Points for a right answer at the speed chosen.
    int pointsParBonneReponse() const { return delai_vitesse == 75 ? 1 : 2; }
    bool aideDisponible() const override { return !defile_; }
    // Shows the message in `commentaire` and offers nothing more to do.
    void montrerPanne(const QString& message);

private:
    bool defile_ = false;
};

} // namespace zm
