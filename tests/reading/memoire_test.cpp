#include "reading/liste.h"
#include "reading/suite.h"
#include "shell/liste_mots.h"
#include "shell/stage.h"
#include "support/game_fixture.h"

#include <set>

using namespace zm;
using namespace zm::testing;

namespace {

enum Personnage : int { Liste_ = 8, Suite_ = 11 };

QColor couleur(const Label* label) {
    return label->palette().color(QPalette::WindowText);
}

QString mot(int row) {
    return liste_mots().value(row);
}

// The moments at which the control was drawn at once.
int redraws(FakePlatform& p, const QString& widget) {
    std::set<qint64> moments;
    for (const fake::Redraw& r : p.display().redraws)
        if (r.widget == widget)
            moments.insert(r.at);
    return int(moments.size());
}

bool joue(FakePlatform& p, const char* extension) {
    for (const QString& name : p.sound().effectNames())
        if (name.endsWith(QLatin1String(extension)))
            return true;
    return false;
}

// The two ways out of a screen in the middle of its turn.
enum class Sortie { Retour, Fenetre };

const char* nom(Sortie s) {
    return s == Sortie::Retour ? "retour" : "window closed";
}

// --- the growing series -----------------------------------------------------

struct Series : GameTest {
    std::vector<int> cartes; // the series, as the cards that show its words

    void SetUp() override {
        startGame();
        jouer();
    }
    Suite& s() { return dynamic_cast<Suite&>(epreuve(Suite_)); }
    Suite& open() {
        click(depart().anim[Suite_]);
        return s();
    }
    // Scripts the draws of a game: its ten words from row `debut`, then the
    // series as the cards its words are taken from (card 0 past the end).
    void scriptGame(int debut, std::vector<int> serie) {
        cartes = std::move(serie);
        p.random().pushInt(debut, 0, 133);
        for (std::size_t k = 0; k < 21; ++k)
            p.random().pushInt(k < cartes.size() ? cartes[k] : 0, 0, 9);
    }
    // A game from the scripted draws, started by a click on the comment.
    void start(int debut, std::vector<int> serie) {
        scriptGame(debut, std::move(serie));
        click(s().commentaire);
    }
    void clickSerie(int place) { click(s().mot_memoire[std::size_t(cartes[std::size_t(place)])]); }
    // Clicks back the series of n words; the praise of its last click.
    QString repeat(int n) {
        for (int k = 0; k + 1 < n; ++k)
            clickSerie(k);
        const QString praise = r().messages_reponse[std::size_t(r().indice_message)];
        clickSerie(n - 1);
        return praise;
    }
    QString named(int rang, int attendu) {
        return Suite::ordinaux[std::size_t(rang)].toUpper() +
               QStringLiteral(" mot de la liste : ") + s().serie[std::size_t(rang)].toUpper() +
               QStringLiteral("\n\nCliquez sur le ") +
               Suite::ordinaux[std::size_t(attendu)].toUpper() +
               QStringLiteral(" mot qui a été proposé...");
    }
};

} // namespace

TEST_F(Series, TheWordsStayHiddenUntilAClickNamesTheFirstOne) {
    struct Case {
        const char* name;
        QWidget* (*cible)(Suite&);
    };
    const Case cases[] = {
        {"commentaire", [](Suite& s) -> QWidget* { return s.commentaire; }},
        {"label_score", [](Suite& s) -> QWidget* { return s.scoreLabel(); }},
        {"background", [](Suite& s) -> QWidget* { return s.background(); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Suite& s = open();
        for (Label* carte : s.mot_memoire)
            EXPECT_EQ(carte->caption(), Suite::kCache);
        EXPECT_EQ(s.commentaire->caption(),
                  QStringLiteral("Retenez bien l'ordre des mots que je vais vous proposer.\n\nUn "
                                 "clic pour commencer..."));
        EXPECT_EQ(s.scoreLabel()->caption(), r().texteScore());
        // The words answer nothing before the game starts.
        p.sound().clear();
        click(s.mot_memoire[0]);
        EXPECT_TRUE(p.sound().names().isEmpty());
        EXPECT_EQ(s.etat_jeu, 1);

        const int seeds = p.random().seeds;
        scriptGame(40, {3, 7});
        click(c.cible(s));
        for (int i = 0; i < 10; ++i)
            EXPECT_EQ(s.mot_memoire[std::size_t(i)]->caption(), mot(40 + i));
        EXPECT_EQ(s.serie[0], mot(43));
        EXPECT_EQ(s.serie[1], mot(47));
        EXPECT_EQ(p.random().seeds - seeds, 22) << "the clock seeds every draw";
        EXPECT_EQ(s.commentaire->caption(),
                  QStringLiteral("PREMIER mot de la liste : ") + mot(43).toUpper() +
                      QStringLiteral("\n\nCliquez sur le PREMIER mot qui a été proposé..."));
        EXPECT_EQ(s.etat_jeu, 0);
        // A second click on the comment only sounds.
        p.sound().clear();
        click(s.commentaire);
        EXPECT_EQ(p.sound().effectNames().size(), 1);
        EXPECT_EQ(s.serie[0], mot(43));
        click(s.retour);
    }
}

TEST_F(Series, ACompletedSeriesOfNWordsEarnsNMinusOnePoints) {
    struct Step {
        int mots;
        qint32 points;
    };
    const Step steps[] = {{1, 0}, {2, 1}, {3, 2}, {4, 3}, {5, 4}, {6, 5}};
    Suite& s = open();
    start(40, {3, 7, 1, 0, 9, 5, 2});
    r().score = 0;
    for (const Step& step : steps) {
        SCOPED_TRACE(step.mots);
        const qint32 before = r().score;
        p.sound().clear();
        p.cursor().setPos(QPoint(10, 10));
        const QString praise = repeat(step.mots);
        EXPECT_EQ(r().score - before, step.points);
        EXPECT_EQ(joue(p, ".vic"), step.points > 0) << "no victory for a one-word series";
        EXPECT_EQ(s.rang_nouveau, step.mots);
        EXPECT_EQ(s.rang_attendu, 0);
        EXPECT_EQ(p.cursor().pos(), QPoint(400, 300));
        EXPECT_EQ(s.commentaire->caption(), praise + " " + named(step.mots, 0));
        EXPECT_EQ(couleur(s.commentaire), kNoir);
        EXPECT_EQ(s.scoreLabel()->caption(), r().texteScore());
    }
    // In the middle of a series the next word of it is asked.
    const QString praise = r().messages_reponse[std::size_t(r().indice_message)];
    clickSerie(0);
    EXPECT_EQ(s.commentaire->caption(), praise + " " + named(6, 1));
    EXPECT_EQ(r().score, 15);
}

TEST_F(Series, AWrongClickEndsTheGameAndCostsWhatTheSeriesWouldHaveEarned) {
    struct Case {
        const char* name;
        int series;     // series completed before: rang_nouveau
        int rightFirst; // words of the current series clicked right first
        qint32 before, after;
    };
    const Case cases[] = {
        {"first series", 0, 0, 5, 4},
        {"first series, no points to take", 0, 0, 0, 0},
        {"six-word series", 5, 2, 10, 5},
        {"six-word series, with a score of 3", 5, 2, 3, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Suite& s = open();
        start(40, {3, 7, 1, 0, 9, 5, 2});
        for (int n = 1; n <= c.series; ++n)
            repeat(n);
        for (int k = 0; k < c.rightFirst; ++k)
            clickSerie(k);
        r().score = c.before;
        s.scoreLabel()->setCaption(r().texteScore());
        const int indice = r().indice_message;
        const int attendu = cartes[std::size_t(c.rightFirst)];
        p.sound().clear();
        p.display().redraws.clear();
        p.cursor().setPos(QPoint(10, 10));
        click(s.mot_memoire[std::size_t((attendu + 1) % 10)]);

        EXPECT_EQ(r().score, c.after);
        EXPECT_EQ(r().indice_message, indice) << "a reproach does not move the messages on";
        EXPECT_EQ(s.commentaire->caption(),
                  r().messages_reponse[std::size_t(indice + 7)] + QStringLiteral("\rLe ") +
                      Suite::ordinaux[std::size_t(c.rightFirst)].toUpper() +
                      QStringLiteral(" mot était ") + mot(40 + attendu).toUpper() +
                      QStringLiteral(" !\nUn clic pour recommencer une partie..."));
        EXPECT_EQ(couleur(s.commentaire), kRouge);
        EXPECT_TRUE(joue(p, ".def"));
        EXPECT_EQ(redraws(p, QStringLiteral("label_score")) > 0, c.before != c.after)
            << "the score is animated only when it changed";
        EXPECT_EQ(redraws(p, QStringLiteral("mot_memoire(%1)").arg(attendu)), 10);
        EXPECT_EQ(couleur(s.mot_memoire[std::size_t(attendu)]), kBleu) << "left blue";
        EXPECT_EQ(p.cursor().pos(), QPoint(400, 300));
        EXPECT_EQ(s.scoreLabel()->caption(), r().texteScore());

        // The game is over: the words answer nothing, the comment starts
        // another game with other words.
        p.sound().clear();
        click(s.mot_memoire[std::size_t(attendu)]);
        EXPECT_TRUE(p.sound().names().isEmpty());
        EXPECT_EQ(r().score, c.after);
        EXPECT_EQ(s.mot_memoire[0]->caption(), mot(40)) << "the words stay until the next game";
        start(90, {2});
        EXPECT_EQ(s.mot_memoire[0]->caption(), mot(90));
        EXPECT_EQ(s.rang_nouveau, 0);
        EXPECT_EQ(s.commentaire->caption(), named(0, 0));
        click(s.retour);
    }
}

TEST_F(Series, TheSameWordTwiceIsClickedTwiceAndTheFirstOfTwoEqualWordsBlinks) {
    Suite& s = open();
    start(40, {4, 4, 4});
    r().score = 0;
    repeat(1);
    repeat(2);
    EXPECT_EQ(r().score, 1);
    EXPECT_EQ(s.rang_nouveau, 2);
    // A screen that shows one word twice: either card is right, the first
    // of them blinks.
    s.mot_memoire[8]->setCaption(mot(44));
    p.display().redraws.clear();
    click(s.mot_memoire[8]);
    EXPECT_EQ(s.rang_attendu, 1);
    EXPECT_EQ(redraws(p, QStringLiteral("mot_memoire(4)")), 10);
    EXPECT_EQ(redraws(p, QStringLiteral("mot_memoire(8)")), 0);
}

TEST_F(Series, TheTwentiethWordIsTheRecord) {
    Suite& s = open();
    std::vector<int> serie;
    for (int k = 0; k < 21; ++k)
        serie.push_back((k * 3) % 10);
    start(0, serie);
    r().score = 0;
    for (int n = 1; n < Suite::kRecord; ++n)
        repeat(n);
    EXPECT_EQ(r().score, 171);
    EXPECT_TRUE(s.commentaire->caption().endsWith(named(19, 0))) << "the twentieth word is named";
    repeat(20);
    EXPECT_EQ(r().score, 190) << "19 points for the last series";
    EXPECT_EQ(s.commentaire->caption(),
              QStringLiteral("Félicitations ") + r().prenom +
                  QStringLiteral(" !\nVous avez atteint le record absolu de vingt mots !\nUn clic "
                                 "pour recommencer une partie..."));
    EXPECT_EQ(couleur(s.commentaire), kBleu);
    EXPECT_EQ(s.etat_jeu, 1);
    EXPECT_EQ(s.rang_nouveau, 0);
    p.sound().clear();
    click(s.mot_memoire[0]);
    EXPECT_TRUE(p.sound().names().isEmpty());
    // A click starts again, with new words.
    start(100, {5});
    EXPECT_EQ(s.mot_memoire[0]->caption(), mot(100));
    EXPECT_EQ(s.commentaire->caption(), named(0, 0));
    EXPECT_EQ(r().score, 190);
}

TEST_F(Series, TheHelpSheetInTheMiddleOfASeriesKeepsIt) {
    Suite& s = open();
    start(40, {3, 7, 1});
    r().score = 0;
    repeat(1);
    repeat(2);
    clickSerie(0);
    const QString comment = s.commentaire->caption();
    click(s.aide);
    ASSERT_EQ(game->stage().active(), &aide());
    click(aide().texte);
    ASSERT_EQ(game->stage().active(), &s);
    EXPECT_EQ(s.commentaire->caption(), comment);
    EXPECT_EQ(s.mot_memoire[0]->caption(), mot(40));
    EXPECT_EQ(s.rang_nouveau, 2);
    EXPECT_EQ(s.rang_attendu, 1);
    clickSerie(1);
    clickSerie(2);
    EXPECT_EQ(r().score, 3);
    EXPECT_EQ(s.rang_nouveau, 3);
}

TEST_F(Series, LeavingDuringABlinkLetsTheClickEndThenLeaves) {
    // The blinks and the score hold events: a way out taken meanwhile is
    // handled once the click is over, and nothing of the screen runs after.
    enum Moment { Juste, SerieFinie, Faux };
    struct Case {
        const char* name;
        Moment moment;
        qint32 score; // once the click is over
    };
    const Case cases[] = {{"a right click", Juste, 10},
                          {"a completed series", SerieFinie, 11},
                          {"a wrong click", Faux, 9}};
    for (Sortie sortie : {Sortie::Retour, Sortie::Fenetre}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(c.name) + ", " + nom(sortie));
            Suite& s = open();
            start(40, {3, 7, 1});
            repeat(1);
            r().score = 10;
            if (c.moment == SerieFinie)
                clickSerie(0);
            bool parti = false;
            p.after(30, [&] {
                // The click was over before the way out was taken.
                EXPECT_EQ(r().score, c.score);
                EXPECT_EQ(s.attente_clic, c.moment == Faux ? 1 : 0);
                parti = true;
                if (sortie == Sortie::Retour)
                    click(s.retour);
                else
                    EXPECT_TRUE(game->quitRequested());
            });
            click(s.mot_memoire[std::size_t(c.moment == Faux ? 0 : c.moment == Juste ? 3 : 7)]);
            EXPECT_FALSE(parti) << "held during the blink";
            p.advance(1);
            ASSERT_TRUE(parti);
            p.sound().clear();
            p.advance(3000);
            EXPECT_FALSE(joue(p, ".vic") || joue(p, ".def"));
            if (sortie == Sortie::Retour) {
                EXPECT_EQ(game->stage().active(), &depart());
                EXPECT_FALSE(p.cursor().confinement);
                EXPECT_TRUE(depart().timer().isActive());
                // Coming back starts afresh.
                open();
                EXPECT_EQ(s.mot_memoire[0]->caption(), Suite::kCache);
                EXPECT_EQ(s.etat_jeu, 1);
                click(s.retour);
            } else {
                EXPECT_EQ(ended, 1);
                restartGame();
                jouer();
                EXPECT_EQ(r().score, c.score) << "saved as the click left it";
            }
        }
    }
}

// --- the nine flashing words ------------------------------------------------

namespace {

struct WordFlash : GameTest {
    void SetUp() override {
        startGame();
        jouer();
    }
    Liste& s() { return dynamic_cast<Liste&>(epreuve(Liste_)); }
    // Scripts the draws of a turn: its first word, the placement r of the
    // candidates and the word k of the nine that is offered.
    void scriptTurn(int debut, int placement = 0, int k = 4) {
        p.random().pushInt(debut, 0, Liste::kDepartMax);
        p.random().pushInt(placement, 0, 2);
        p.random().pushInt(k, 0, 8);
    }
    Liste& open(int debut = 20, int placement = 0, int k = 4) {
        scriptTurn(debut, placement, k);
        click(depart().anim[Liste_]);
        return s();
    }
    int juste() {
        for (int i = 0; i < 3; ++i)
            if (s().reponse[std::size_t(i)]->caption() == s().bonne_reponse)
                return i;
        return -1;
    }
    void answer(bool right) { click(s().reponse[std::size_t((juste() + (right ? 0 : 1)) % 3)]); }
    // What melange and commentaire show in the middle of each step of `ms`.
    void sample(int steps, int ms, qint64 from, std::vector<QString>& melange,
                std::vector<QString>* commentaire = nullptr) {
        for (int k = 0; k < steps; ++k)
            p.at(from + ms / 2 + qint64(ms) * k, [this, &melange, commentaire] {
                melange.push_back(s().melange->caption());
                if (commentaire)
                    commentaire->push_back(s().commentaire->caption());
            });
    }
};

} // namespace

TEST_F(WordFlash, TheFirstTurnFlashesNineWordsAndLaterTurnsCountDownFirst) {
    Liste& s = open(20);
    EXPECT_EQ(s.melange->caption(), Liste::kCommencer);
    for (Label* r : s.reponse)
        EXPECT_EQ(r->caption(), Liste::kCache);
    EXPECT_EQ(
        s.commentaire->caption(),
        QStringLiteral("Cliquez sur COMMENCER et retenez bien les neuf mots qui vont défiler !"));
    EXPECT_TRUE(s.clic->isHidden());

    std::vector<QString> mots, commentaires;
    qint64 t0 = p.now();
    sample(9, 750, t0, mots, &commentaires);
    p.sound().clear();
    click(s.melange);
    EXPECT_EQ(p.now() - t0, 9 * 750) << "no countdown before the first turn";
    ASSERT_EQ(mots.size(), 9u);
    for (int slot = 0; slot < 9; ++slot)
        EXPECT_EQ(mots[std::size_t(slot)], mot(20 + slot));
    EXPECT_EQ(commentaires[0], QStringLiteral("Retenez bien le premier mot sur neuf --> ") +
                                   mot(20).toUpper() + QStringLiteral("."));
    EXPECT_EQ(commentaires[8], QStringLiteral("Retenez bien le dernier mot sur neuf --> ") +
                                   mot(28).toUpper() + QStringLiteral("."));
    EXPECT_EQ(p.sound().effectNames().size(), 9) << "a sound for every word";
    EXPECT_EQ(s.melange->caption(), Liste::kQuestion);
    EXPECT_EQ(
        s.commentaire->caption(),
        QStringLiteral("Cliquez sur le seul mot qui faisait partie des neuf qui ont défilé."));
    EXPECT_TRUE(p.cursor().shown());
    EXPECT_EQ(p.cursor().pos(), QPoint(400, 300));

    // Every later turn, whichever click starts it, counts down from 15.
    for (QWidget* suivant : std::initializer_list<QWidget*>{s.clic, s.background(), s.melange}) {
        answer(true);
        EXPECT_FALSE(s.clic->isHidden());
        scriptTurn(50);
        std::vector<QString> compte, apres;
        t0 = p.now();
        sample(16, 150, t0, compte);
        sample(9, 750, t0 + 16 * 150, apres);
        p.at(t0 + 10, [&] {
            for (Label* r : s.reponse)
                EXPECT_EQ(r->caption(), Liste::kCache);
            EXPECT_TRUE(s.clic->isHidden());
            EXPECT_FALSE(p.cursor().shown());
            EXPECT_EQ(s.commentaire->caption(),
                      QStringLiteral("Le compte à rebours est commencé ! Attention à la "
                                     "surchauffe de vos neurones !!!"));
        });
        p.sound().clear();
        click(suivant);
        EXPECT_EQ(p.now() - t0, 16 * 150 + 9 * 750);
        std::vector<QString> attendu;
        for (int n = 15; n >= 0; --n)
            attendu.push_back(QStringLiteral(" %1").arg(n));
        EXPECT_EQ(compte, attendu);
        ASSERT_EQ(apres.size(), 9u);
        EXPECT_EQ(apres[0], mot(50));
        EXPECT_EQ(p.sound().effectNames().size(), 10);
        EXPECT_EQ(s.melange->caption(), Liste::kQuestion);
    }
}

TEST_F(WordFlash, TheCandidatesArePlacedByR) {
    struct Case {
        int placement, k;
        std::array<int, 3> rows; // the rows of liste_mots offered, in order
    };
    const Case cases[] = {{0, 4, {30, 31, 24}}, {1, 0, {20, 30, 31}}, {2, 8, {31, 28, 30}}};
    for (const Case& c : cases) {
        for (bool right : {true, false}) {
            SCOPED_TRACE(c.placement * 10 + right);
            Liste& s = open(20, c.placement, c.k);
            click(s.melange);
            for (int i = 0; i < 3; ++i)
                EXPECT_EQ(s.reponse[std::size_t(i)]->caption(), mot(c.rows[std::size_t(i)]));
            EXPECT_EQ(s.bonne_reponse, mot(20 + c.k));
            const int place = juste();
            r().score = 5;
            const QString message =
                r().messages_reponse[std::size_t(r().indice_message) + (right ? 0 : 7)];
            const int clicked = right ? place : (place + 2) % 3;
            click(s.reponse[std::size_t(clicked)]);
            EXPECT_EQ(s.place_reponse, place);
            EXPECT_EQ(couleur(s.reponse[std::size_t(place)]), kBleu);
            EXPECT_EQ(r().score, right ? 7 : 4);
            EXPECT_EQ(s.melange->caption(),
                      right ? QStringLiteral("GAGNÉ !") : QStringLiteral("PERDU !"));
            EXPECT_EQ(s.commentaire->caption(),
                      message +
                          (right ? QStringLiteral("\n Il s'agissait bien du mot ")
                                 : QStringLiteral("\n Il s'agissait du mot ")) +
                          mot(20 + c.k).toUpper() + QStringLiteral(" !"));
            EXPECT_EQ(couleur(s.commentaire), right ? kBleu : kRouge);
            if (!right) {
                EXPECT_EQ(couleur(s.reponse[std::size_t(clicked)]), kRouge);
            }
            EXPECT_FALSE(s.clic->isHidden());
            EXPECT_EQ(s.etat, 1);
            EXPECT_EQ(s.en_cours, 0);
            click(s.retour);
            for (Label* r : s.reponse)
                EXPECT_EQ(couleur(r), kNoir) << "black again for the next visit";
        }
    }
}

TEST_F(WordFlash, ClicksOnTheCandidatesCountOnlyOnceTheyAreShown) {
    enum Moment { AvantCommencer, PremierDefilement, CompteARebours, SecondDefilement, Verdict };
    struct Case {
        const char* name;
        Moment moment;
    };
    const Case cases[] = {{"before COMMENCER", AvantCommencer},
                          {"while the first words flash", PremierDefilement},
                          {"during the countdown", CompteARebours},
                          {"while the next words flash", SecondDefilement},
                          {"while the verdict blinks", Verdict}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Liste& s = open();
        r().score = 10;
        auto cliquerReponses = [&] {
            for (Label* r : s.reponse)
                click(r);
        };
        qint32 avant = 10;
        switch (c.moment) {
        case AvantCommencer:
            p.sound().clear();
            cliquerReponses();
            EXPECT_TRUE(p.sound().names().isEmpty());
            EXPECT_EQ(s.melange->caption(), Liste::kCommencer);
            EXPECT_EQ(s.en_cours, 0);
            click(s.melange);
            break;
        case PremierDefilement:
            p.after(1000, cliquerReponses);
            click(s.melange);
            break;
        case CompteARebours:
        case SecondDefilement:
            click(s.melange);
            answer(true);
            avant = 12;
            scriptTurn(60);
            p.after(c.moment == CompteARebours ? 500 : 2400 + 1000, cliquerReponses);
            click(s.clic);
            break;
        case Verdict:
            click(s.melange);
            p.after(100, cliquerReponses);
            answer(true);
            // The clicks made while the verdict was drawn are dropped: the
            // verdict stays until a click made once it is shown.
            p.advance(1000);
            EXPECT_EQ(s.melange->caption(), QStringLiteral("GAGNÉ !"));
            EXPECT_EQ(s.etat, 1);
            EXPECT_EQ(s.en_cours, 0);
            EXPECT_FALSE(s.clic->isHidden());
            EXPECT_EQ(r().score, 12);
            click(s.retour);
            continue;
        }
        // Nothing was judged: the candidates are on offer, the score as it was.
        EXPECT_EQ(s.melange->caption(), Liste::kQuestion);
        EXPECT_EQ(s.etat, 0);
        EXPECT_EQ(s.en_cours, 1);
        EXPECT_EQ(r().score, avant);
        EXPECT_NE(s.reponse[0]->caption(), Liste::kCache);
        answer(true);
        EXPECT_EQ(r().score, avant + 2);
        EXPECT_EQ(s.melange->caption(), QStringLiteral("GAGNÉ !"));
        click(s.retour);
    }
}

TEST_F(WordFlash, AWrongAnswerNeverTakesTheScoreBelowZero) {
    struct Case {
        bool right;
        qint32 before, after;
    };
    const Case cases[] = {{false, 0, 0}, {false, 1, 0}, {false, 5, 4}, {true, 0, 2}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.before * 10 + c.right);
        Liste& s = open();
        click(s.melange);
        r().score = c.before;
        s.scoreLabel()->setCaption(r().texteScore());
        p.display().redraws.clear();
        answer(c.right);
        EXPECT_EQ(r().score, c.after);
        EXPECT_EQ(redraws(p, QStringLiteral("label_score")) > 0, c.before != c.after)
            << "the score is animated only when it changed";
        EXPECT_EQ(s.scoreLabel()->caption(), r().texteScore());
        click(s.retour);
    }
}

TEST_F(WordFlash, TheMessagesGoRoundAfterEveryVerdict) {
    Liste& s = open();
    r().indice_message = 4;
    click(s.melange);
    const bool answers[] = {true, false, false, true, true};
    const int indices[] = {4, 5, 6, 0, 1};
    for (std::size_t t = 0; t < std::size(answers); ++t) {
        SCOPED_TRACE(t);
        answer(answers[t]);
        const QString message =
            r().messages_reponse[std::size_t(indices[t] + (answers[t] ? 0 : 7))];
        EXPECT_TRUE(s.commentaire->caption().startsWith(message + "\n"));
        EXPECT_EQ(r().indice_message, (indices[t] + 1) % 7);
        click(s.clic);
    }
}

TEST_F(WordFlash, ClicksWhileATurnRunsStartNoOtherTurn) {
    Liste& s = open();
    // Everything that starts a turn, clicked during each part of it.
    auto cliquerTout = [&] {
        for (QWidget* w : std::initializer_list<QWidget*>{s.melange, s.background(), s.clic,
                                                          s.commentaire, s.scoreLabel(), s.aide})
            click(w);
    };
    for (int ms : {100, 3000, 6700})
        p.after(ms, cliquerTout);
    p.sound().clear();
    qint64 t0 = p.now();
    click(s.melange);
    EXPECT_EQ(p.now() - t0, 9 * 750);
    EXPECT_EQ(p.sound().effectNames().size(), 9);
    EXPECT_EQ(game->stage().active(), &s) << "no help sheet during the turn";
    EXPECT_EQ(s.en_cours, 1);

    answer(false);
    for (int ms : {100, 2000, 2500, 9000})
        p.after(ms, cliquerTout);
    p.sound().clear();
    t0 = p.now();
    click(s.clic);
    EXPECT_EQ(p.now() - t0, 16 * 150 + 9 * 750);
    EXPECT_EQ(p.sound().effectNames().size(), 10);
    EXPECT_EQ(s.melange->caption(), Liste::kQuestion);
    EXPECT_EQ(game->stage().active(), &s);
    // Once the candidates are shown, the help sheet opens and keeps the turn.
    const QString offert = s.reponse[1]->caption();
    click(s.aide);
    ASSERT_EQ(game->stage().active(), &aide());
    click(aide().texte);
    EXPECT_EQ(s.reponse[1]->caption(), offert);
    EXPECT_EQ(s.melange->caption(), Liste::kQuestion);
    const qint32 avant = r().score;
    answer(true);
    EXPECT_EQ(r().score, avant + 2);
}

TEST_F(WordFlash, LeavingDuringAWaitEndsTheTurn) {
    enum Moment { PremierDefilement, CompteARebours, SecondDefilement };
    struct Case {
        const char* name;
        Moment moment;
        int at; // ms into the turn
    };
    const Case cases[] = {{"while the first words flash", PremierDefilement, 1000},
                          {"during the countdown", CompteARebours, 500},
                          {"while the next words flash", SecondDefilement, 2400 + 3000}};
    for (Sortie sortie : {Sortie::Retour, Sortie::Fenetre}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(c.name) + ", " + nom(sortie));
            Liste& s = open();
            r().score = 10;
            if (c.moment != PremierDefilement) {
                click(s.melange);
                answer(true);
            }
            const qint32 score = r().score;
            QString montre;
            std::size_t sons = 0;
            p.after(c.at, [&] {
                if (sortie == Sortie::Retour)
                    click(s.retour);
                else
                    EXPECT_TRUE(game->quitRequested());
                montre = s.melange->caption();
                sons = p.sound().played.size();
            });
            click(c.moment == PremierDefilement ? s.melange : s.clic);
            p.advance(20000);
            // Nothing of the turn ran after the way out.
            EXPECT_EQ(s.melange->caption(), montre);
            for (std::size_t k = sons; k < p.sound().played.size(); ++k)
                EXPECT_NE(p.sound().played[k].kind, fake::PlayedSound::Kind::Effect)
                    << p.sound().played[k].name.toStdString();
            EXPECT_EQ(r().score, score);
            EXPECT_TRUE(p.cursor().shown()) << "the pointer is back";
            if (sortie == Sortie::Retour) {
                EXPECT_EQ(game->stage().active(), &depart());
                EXPECT_FALSE(p.cursor().confinement);
                EXPECT_TRUE(depart().timer().isActive());
                // Coming back starts afresh.
                open();
                EXPECT_EQ(s.melange->caption(), Liste::kCommencer);
                EXPECT_EQ(s.en_cours, 0);
                click(s.melange);
                EXPECT_EQ(s.melange->caption(), Liste::kQuestion);
                click(s.retour);
            } else {
                EXPECT_EQ(ended, 1);
                restartGame();
                jouer();
                EXPECT_EQ(r().score, score);
            }
        }
    }
}

TEST_F(WordFlash, RetourWhileTheVerdictBlinksIsDroppedWithTheOtherHeldClicks) {
    // The verdict blink holds events; what was clicked meanwhile is dropped,
    // Retour with the rest: the verdict stays until a click made once it is
    // shown.
    Liste& s = open();
    click(s.melange);
    p.after(100, [&] { click(s.retour); });
    answer(false);
    p.advance(1000);
    EXPECT_EQ(game->stage().active(), &s);
    EXPECT_EQ(s.melange->caption(), QStringLiteral("PERDU !"));
    EXPECT_FALSE(s.clic->isHidden());
    EXPECT_TRUE(p.cursor().shown());
    click(s.retour);
    EXPECT_EQ(game->stage().active(), &depart());
}

// --- every text is read whole -----------------------------------------------

namespace {

// Whether the text shows whole in the label: on one line in a word card, in
// the label's height where it wraps.
::testing::AssertionResult tientDans(Label* label, const QString& texte) {
    label->setCaption(texte);
    const bool tient = label->wordWrap() ? label->textHeight() <= label->height()
                                         : label->sizeHint().width() <= label->width() &&
                                               label->sizeHint().height() <= label->height();
    if (tient)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << label->objectName().toStdString() << " " << label->width() << "x" << label->height()
           << " too small for \"" << texte.toStdString() << "\" (" << label->sizeHint().width()
           << " wide, " << label->textHeight() << " high)";
}

// The words of liste_mots that take the most room in capitals.
QStringList plusLongs(const QFont& font, int n = 5) {
    QStringList mots = liste_mots();
    const QFontMetrics fm(font);
    std::stable_sort(mots.begin(), mots.end(), [&](const QString& a, const QString& b) {
        return fm.horizontalAdvance(a.toUpper()) > fm.horizontalAdvance(b.toUpper());
    });
    return mots.mid(0, n);
}

} // namespace

TEST_F(Series, EveryWordAndEveryCommentFitsItsLabel) {
    r().prenom = QStringLiteral("Jean-Baptiste");
    r().preparer_messages();
    Suite& s = open();
    for (Label* carte : s.mot_memoire)
        for (const QString& m : liste_mots())
            EXPECT_TRUE(tientDans(carte, m));
    Label* c = s.commentaire;
    EXPECT_TRUE(tientDans(c, QStringLiteral("Retenez bien l'ordre des mots que je vais vous "
                                            "proposer.\n\nUn clic pour commencer...")));
    EXPECT_TRUE(tientDans(c, QStringLiteral("Félicitations ") + r().prenom +
                                 QStringLiteral(" !\nVous avez atteint le record absolu de "
                                                "vingt mots !\nUn clic pour recommencer une "
                                                "partie...")));
    for (const QString& m : plusLongs(c->font())) {
        for (int rang = 0; rang < Suite::kRecord; ++rang) {
            const QString ordinal = Suite::ordinaux[std::size_t(rang)].toUpper();
            // A right click: the praise, the newest word, the word asked.
            for (int i = 0; i < 7; ++i)
                EXPECT_TRUE(tientDans(c, r().messages_reponse[std::size_t(i)] + " " + ordinal +
                                             QStringLiteral(" mot de la liste : ") + m.toUpper() +
                                             QStringLiteral("\n\nCliquez sur le ") + ordinal +
                                             QStringLiteral(" mot qui a été proposé...")));
            // A wrong one: the reproach and the word expected.
            for (int i = 7; i < 14; ++i)
                EXPECT_TRUE(tientDans(c, r().messages_reponse[std::size_t(i)] +
                                             QStringLiteral("\rLe ") + ordinal +
                                             QStringLiteral(" mot était ") + m.toUpper() +
                                             QStringLiteral(" !\nUn clic pour recommencer une "
                                                            "partie...")));
        }
    }
}

TEST_F(WordFlash, EveryWordAndEveryCommentFitsItsLabel) {
    r().prenom = QStringLiteral("Jean-Baptiste");
    r().preparer_messages();
    Liste& s = open();
    for (const QString& m : liste_mots()) {
        EXPECT_TRUE(tientDans(s.melange, m));
        for (Label* r : s.reponse)
            EXPECT_TRUE(tientDans(r, m));
    }
    for (const QString& t : {Liste::kCommencer, Liste::kQuestion, QStringLiteral("GAGNÉ !"),
                             QStringLiteral("PERDU !"), QStringLiteral(" 15")})
        EXPECT_TRUE(tientDans(s.melange, t));
    EXPECT_TRUE(tientDans(s.clic, s.clic->caption()));
    Label* c = s.commentaire;
    for (const char* t :
         {"Cliquez sur COMMENCER et retenez bien les neuf mots qui vont défiler !",
          "Le compte à rebours est commencé ! Attention à la surchauffe de vos neurones !!!",
          "Cliquez sur le seul mot qui faisait partie des neuf qui ont défilé."})
        EXPECT_TRUE(tientDans(c, QString::fromUtf8(t)));
    for (const QString& m : plusLongs(c->font())) {
        for (const QString& ordinal : Liste::ordinaux)
            EXPECT_TRUE(tientDans(c, QStringLiteral("Retenez bien le ") + ordinal +
                                         QStringLiteral(" mot sur neuf --> ") + m.toUpper() +
                                         QStringLiteral(".")));
        for (int i = 0; i < 14; ++i)
            EXPECT_TRUE(tientDans(c, r().messages_reponse[std::size_t(i)] +
                                         (i < 7 ? QStringLiteral("\n Il s'agissait bien du mot ")
                                                : QStringLiteral("\n Il s'agissait du mot ")) +
                                         m.toUpper() + QStringLiteral(" !")));
    }
}
