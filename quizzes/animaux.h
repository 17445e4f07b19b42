#pragma once
// "LA FARANDOLE DES ANIMAUX": a French saying with three dashes in place of an
// animal, and four animal names to click, one of them the missing one.

#include "quizzes/quiz_clic.h"

namespace zm {

class Animaux : public QuizClic {
    Q_OBJECT
public:
    Animaux(const DescriptionEpreuve& description, Routines& routines, QWidget* stage);

    static const QString kConsigne;

    Label* const phrase = enonce;
    const std::vector<Label*>& reponse = cartes;

    // The names the decoys are drawn from.
    const QStringList& noms_animaux() const { return noms_; }
    void setNoms(const QStringList& noms) { noms_ = noms; }

protected:
    void nouvelleVisite() override;
    void nouvelle_question() override;
    QString enonceAvec(const QString& nom) const override;
    void preparerVerdict(bool juste) override;
    QString texteVerdict(bool juste, const QString& message) const override;
    // A right answer blinks before its points are counted; a wrong one after.
    bool clignoterAvantScore(bool juste) const override { return juste; }

private:
    void choisir_expression();
    // The name of a row drawn so that the first and the last rows come half
    // as often as the others.
    QString nomTire();
    // Whether a decoy may show this name: not the answer, not twice.
    bool nomLibre(const QString& nom) const;
    QStringList noms_;
};

} // namespace zm
