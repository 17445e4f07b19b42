#include "reading/suite.h"
#include "shell/liste_mots.h"
#include "shell/stage.h"
#include "support/game_fixture.h"

#include <set>

using namespace zm;
using namespace zm::testing;

namespace {

enum Personnage : int { Liste_ = 8, Suite_ = 11 };

const QColor kNoir(0, 0, 0), kBleu(0, 0, 255), kRouge(255, 0, 0);

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
