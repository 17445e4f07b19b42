#include "quizzes/quiz_clic.h"

#include "shell/listes.h"
#include "shell/routines.h"

namespace zm {

QuizClic::QuizClic(const DescriptionEpreuve& description, Routines& routines, QWidget* stage,
                   const Reglage& reglage)
    : EcranEpreuve(description, routines, stage), reglage_(reglage),
      liste_(listeIntegree(reglage.liste)) {
    enonce = addLabel(reglage_.enonce, {});
    enonce->setAlignment(Qt::AlignCenter);
    enonce->setWordWrap(true);
    enonce->setBold(true);
    connect(enonce, &Label::clicked, this, [this] {
        if (etat != Attente)
            etape_suivante();
    });
    for (int i = 0; i < reglage_.cartes; ++i) {
        Label* carte = addCarte(reglage_.carte + QStringLiteral("(%1)").arg(i), {});
        connect(carte, &Label::clicked, this, [this, i] { cliquerCarte(i); });
        cartes.push_back(carte);
    }
    // The comment is a panel of its own over the comment band, large
    // enough for a verdict of several lines, its text clear of the frame.
    commentaire->setWordWrap(true);
    commentaire->setBold(true);
    commentaire->setFrameShape(QFrame::Box);
    commentaire->setMargin(6);
    commentaire->setBackgroundColour(kFondCarte);
}

int QuizClic::progression() const {
    return std::visit([this](auto membre) { return int(routines.*membre); }, reglage_.progression);
}

void QuizClic::setProgression(int position) {
    std::visit(
        [&](auto membre) {
            using Valeur = std::remove_reference_t<decltype(routines.*membre)>;
            routines.*membre = Valeur(position);
        },
        reglage_.progression);
}

QString QuizClic::ligneCourante() {
    int position = progression();
    const QString ligne = ligneCirculaire(liste_, position);
    setProgression(position);
    return ligne;
}

void QuizClic::nouvelleVisite() {
    EcranEpreuve::nouvelleVisite();
    occupe = 0;
}

void QuizClic::montrerChoix(int i) {
    for (Label* carte : cartes)
        carte->setTextColour(kNoir);
    cartes[std::size_t(i)]->setTextColour(kBleu);
    enonce->setCaption(enonceAvec(cartes[std::size_t(i)]->caption()));
}

void QuizClic::cliquerCarte(int i) {
    if (etat == Attente) {
        montrerChoix(i);
        etat = Choisi;
        choix = i;
    }
    etape_suivante();
}

void QuizClic::continuer() {
    if (etat == Verdict)
        etape_suivante();
}

void QuizClic::etape_suivante() {
    if (occupe)
        return;
    if (etat == Verdict)
        questionSuivante();
    if (etat == Choisi)
        verdict();
}

void QuizClic::verdict() {
    occupe = 1;
    routines.cacher_souris();
    // The next visit starts from the following row, whatever the outcome.
    setProgression(progression() + 1);
    etat = Verdict;
    const bool juste = choix == place_reponse;
    preparerVerdict(juste);
    const Clignotement clignotement{
        .labels = {cartes[std::size_t(juste ? choix : place_reponse)]},
        .allume = kJaune,
        .eteint = kBleu,
        .fois = reglage_.fois,
        .msAllume = reglage_.msJaune,
        .msEteint = reglage_.msBleu,
    };
    bool fini = true;
    const bool avant = clignoterAvantScore(juste);
    juger(
        juste, reglage_.bareme,
        [&](const QString& message) {
            commentaire->setCaption(texteVerdict(juste, message));
            // The verdict is seen whole while the card blinks.
            routines.platform().display().redrawNow(this);
        },
        avant ? std::function<void()>([&] { fini = clignoter(clignotement); })
              : std::function<void()>());
    if (fini && !avant)
        fini = clignoter(clignotement);
    if (!fini || !enJeu())
        return;
    apresVerdict();
    // Clicks made while the verdict held the screen answered nothing the
    // player could see: the verdict stays until a click made once it is shown.
    routines.platform().clock().discardHeldInput();
    occupe = 0;
    // What was let through meanwhile (the window closing) may have ended the visit.
    if (enJeu())
        routines.montrer_souris();
}

} // namespace zm
