#pragma once
// "LA SYLLABE MYSTERIEUSE": a short phrase with two dashes in place of a
// letter group, and three letter groups that write the same sound.

#include "quizzes/quiz_clic.h"

#include <array>

namespace zm {

class Syllabes : public QuizClic {
    Q_OBJECT
public:
    Syllabes(const DescriptionEpreuve& description, Routines& routines, QWidget* stage);

    static const QString kConsigne;
    // The three letter groups of each sound group, 1 to 4.
    static const std::array<std::array<const char*, 3>, 4> kGroupes;

    Label* const label_mot = enonce;
    const std::vector<Label*>& syl = cartes;
    // The first field of the current row.
    QString groupe;

protected:
    void nouvelleVisite() override;
    void nouvelle_question() override;
    void questionSuivante() override;
    QString enonceAvec(const QString& lettres) const override;
    void preparerVerdict(bool juste) override;
    QString texteVerdict(bool juste, const QString& message) const override;

private:
    void montrerConsigne();
};

} // namespace zm
