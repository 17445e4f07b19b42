#pragma once
// "LA COURSE A LA LECTURE": a text of datas/2.bin scrolls by at the speed the
// player chose, then four statements about it are judged true or false one
// by one. A right answer earns 1 point at normal speed, 2 when fast; a wrong
// one costs 1 point.

#include "reading/ecran_defilant.h"
#include "reading/fichier_textes.h"

namespace zm {

class Defilement : public EcranDefilant {
    Q_OBJECT
public:
    Defilement(const DescriptionEpreuve& description, Routines& routines, QWidget* stage);

    std::array<Label*, 2> oui_non{};   // 1: "VRAI", 0: "FAUX"
    std::array<Label*, 2> image_oui{}; // their button pictures
    int attente_clic = 0;
    int numero_question = 0;
    TexteLu texte_lu;
    static const std::array<QString, 4> kOrdinaux;

protected:
    void nouvelleVisite() override;
    void continuer() override { clic_suite(); }

private:
    bool ouvrirFichier();
    bool lire_texte();
    void montrer_affirmation();
    void commencer_texte();
    void juger_affirmation(int i);
    void clic_suite();
    void montrerReponses(bool visible);
    void montrerConsigne();
    // Why the texts cannot be read, once found; empty while all is well.
    QString panne_;
};

} // namespace zm
