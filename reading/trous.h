#pragma once
// "LES MOTS VOLES": a text scrolls by, then comes back whole with four of its
// words stolen; the player types them back, with five tries for the four.
// Each word found earns 1 point at normal speed, 2 when fast, and comes back
// in capitals; a wrong try costs 1 point.

#include "reading/ecran_defilant.h"

#include <QStringList>

class QLineEdit;

namespace zm {

class Trous : public EcranDefilant {
    Q_OBJECT
public:
    Trous(const DescriptionEpreuve& description, Routines& routines, QWidget* stage);

    static const QStringList& liste_trous();
    // The text with each word's letters replaced by "~"; `places` receives
    // where each word was (-1 when it is not in the text).
    static QString trouerTexte(const QString& texte, const std::array<QString, 4>& mots,
                               std::array<qsizetype, 4>& places);

    QLineEdit* reponse;
    QString texte_lu;
    std::array<QString, 4> mots_manquants;
    // Place of each stolen word in the text, from 0; -1 when it is not there.
    std::array<qsizetype, 4> place_mot{};
    QString texte_a_trous;
    int essais = 5;
    int nb_trouves = 0;

    void verifier_mot();

protected:
    void nouvelleVisite() override;
    void repriseApresAide() override;

private:
    void choisir_texte();
    void preparer_mots();
    void faire_trous();
    void commencer_texte();
    void texteFini();
    void ecrireMot(int i);
    bool motEncoreCache(int i) const;
    QString compte() const;
    void montrerConsigne();
};

} // namespace zm
