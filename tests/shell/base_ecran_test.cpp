// The shared mechanisms of the screens: the blink and the judging step.

#include "shell/routines.h"
#include "shell/save_file.h"
#include "shell/stage.h"
#include "support/game_fixture.h"

using namespace zm;
using namespace zm::testing;

namespace {

// An exercise screen of its own, on a game whose player is on the start screen.
struct Essai : EcranEpreuve {
    using EcranEpreuve::EcranEpreuve;
    using EcranEpreuve::juger;
};

struct ScreenBase : GameTest {
    std::unique_ptr<Essai> essai;
    void SetUp() override {
        startGame();
        jouer();
        essai = std::make_unique<Essai>(descriptionsEpreuves()[1], r(), &game->stage());
        game->stage().showScreen(essai.get());
        p.sound().clear();
        p.display().redraws.clear();
    }
    void TearDown() override {
        if (essai && !essai->isHidden())
            game->stage().hideScreen(essai.get());
    }
};

TEST_F(ScreenBase, BlinksAsAskedAndHoldsOrLetsEventsRun) {
    struct Case {
        const char* name;
        int fois, msAllume, msEteint;
        Clignotement::Attente attente;
        Clignotement::Couleur couleur;
    };
    const Case cases[] = {
        {"five of 50 ms, held", 5, 50, 50, Clignotement::Attente::Retenir,
         Clignotement::Couleur::Texte},
        {"four of 75 and 100 ms, held", 4, 75, 100, Clignotement::Attente::Retenir,
         Clignotement::Couleur::Texte},
        {"three of 100 ms, events run", 3, 100, 100, Clignotement::Attente::Laisser,
         Clignotement::Couleur::Texte},
        {"backgrounds", 2, 200, 200, Clignotement::Attente::Laisser, Clignotement::Couleur::Fond},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        p.display().redraws.clear();
        Label* a = essai->commentaire;
        Label* b = essai->scoreLabel();
        int avant = 0, apres = 0;
        qint64 cliqueA = -1;
        const qint64 t0 = p.now();
        // A click during the first flash: handled at once when events run,
        // after the blink when they are held.
        p.after(10, [&] { cliqueA = p.now(); });
        ASSERT_TRUE(essai->clignoter({.labels = {a, b},
                                      .allume = kJaune,
                                      .eteint = kBleu,
                                      .fois = c.fois,
                                      .msAllume = c.msAllume,
                                      .msEteint = c.msEteint,
                                      .attente = c.attente,
                                      .couleur = c.couleur,
                                      .avant = [&](int k) { EXPECT_EQ(k, avant++); },
                                      .apres = [&](int k) { EXPECT_EQ(k, apres++); }}));
        EXPECT_EQ(p.now() - t0, c.fois * (c.msAllume + c.msEteint));
        EXPECT_EQ(avant, c.fois);
        EXPECT_EQ(apres, c.fois);
        auto couleur = [&](const Label* l) {
            return c.couleur == Clignotement::Couleur::Texte
                       ? l->palette().color(QPalette::WindowText)
                       : l->backgroundColour();
        };
        EXPECT_EQ(couleur(a), kBleu);
        EXPECT_EQ(couleur(b), kBleu);
        // Every change of every label drawn at once.
        EXPECT_EQ(p.display().redraws.size(), std::size_t(4 * c.fois));
        if (c.attente == Clignotement::Attente::Laisser) {
            EXPECT_EQ(cliqueA, t0 + 10);
        } else {
            EXPECT_EQ(cliqueA, -1);
            p.advance(0);
            EXPECT_EQ(cliqueA, p.now());
        }
    }
}

TEST_F(ScreenBase, EachLabelMayHaveItsOwnOffColour) {
    Label* a = essai->commentaire;
    Label* b = essai->scoreLabel();
    ASSERT_TRUE(essai->clignoter(
        {.labels = {a, b}, .allume = kJaune, .eteint = kBleu, .eteints = {kRouge}, .fois = 2}));
    EXPECT_EQ(a->palette().color(QPalette::WindowText), kRouge);
    EXPECT_EQ(b->palette().color(QPalette::WindowText), kBleu) << "the common one, past the list";
}

TEST_F(ScreenBase, ABlinkStopsWhenTheScreenIsLeft) {
    int flashes = 0;
    p.after(150, [&] { game->stage().hideScreen(essai.get()); });
    const qint64 t0 = p.now();
    EXPECT_FALSE(essai->clignoter({.labels = {essai->commentaire},
                                   .allume = kJaune,
                                   .eteint = kBleu,
                                   .fois = 8,
                                   .msAllume = 50,
                                   .msEteint = 50,
                                   .attente = Clignotement::Attente::Laisser,
                                   .avant = [&](int) { ++flashes; }}));
    EXPECT_EQ(flashes, 2);
    EXPECT_EQ(p.now() - t0, 150);
    // Once left, every wait answers at once.
    EXPECT_FALSE(essai->attendre(1000));
    EXPECT_FALSE(essai->pause(1000));
    EXPECT_EQ(p.now() - t0, 150);
}

TEST_F(ScreenBase, JudgesAnAnswer) {
    struct Case {
        const char* name;
        bool juste;
        qint32 avant;
        Bareme bareme;
        qint32 apres;
        bool anime;
        const char* son;
    };
    const Case cases[] = {
        {"right: + gain", true, 5, {2, 1, false}, 7, true, "1.vic"},
        {"wrong: - loss", false, 5, {2, 1, false}, 4, true, "1.def"},
        {"wrong at 1: down to 0", false, 1, {2, 1, false}, 0, true, "2.def"},
        {"wrong at 0: stays, no animation", false, 0, {2, 1, false}, 0, false, "3.def"},
        {"wrong at 0, animated anyway", false, 0, {2, 1, true}, 0, true, "4.def"},
        {"a loss larger than the score", false, 3, {2, 5, false}, 0, true, "5.def"},
        {"right, near the ceiling", true, kScoreMax - 1, {2, 1, false}, kScoreMax, true, "2.vic"},
    };
    r().indice_message = 5;
    int indice = 5;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        r().score = c.avant;
        p.sound().clear();
        p.display().redraws.clear();
        QString montre;
        bool blinkedBeforeScore = false;
        essai->juger(
            c.juste, c.bareme, [&](const QString& m) { montre = m; },
            [&] { blinkedBeforeScore = r().score == c.avant; });
        EXPECT_EQ(r().score, c.apres);
        EXPECT_TRUE(blinkedBeforeScore);
        EXPECT_EQ(montre, r().messages_reponse[std::size_t(c.juste ? indice : indice + 7)]);
        indice = (indice + 1) % 7;
        EXPECT_EQ(r().indice_message, indice);
        EXPECT_EQ(p.sound().effectNames(), QStringList{QString::fromLatin1(c.son)});
        EXPECT_EQ(p.display().redraws.size(), c.anime ? 12u : 0u);
    }
    // Without anything to show, no message is taken.
    essai->juger(true, {}, {});
    EXPECT_EQ(r().indice_message, indice);
}

} // namespace

TEST_F(ScreenBase, EveryScoreIsReadWhole) {
    const qint32 scores[] = {0, 7, 99999, 1968300, kScoreMax, kScoreMin};
    for (Screen* screen : std::initializer_list<Screen*>{&depart(), &roster(), essai.get()}) {
        SCOPED_TRACE(screen->objectName().toStdString());
        Label* label = screen->scoreLabel();
        for (qint32 score : scores) {
            SCOPED_TRACE(score);
            r().score = score;
            // The label's animation ends on the new score.
            r().afficher_score(*screen);
            ASSERT_EQ(label->caption(), r().texteScore());
            EXPECT_LE(label->fontMetrics().horizontalAdvance(QString::number(score)),
                      label->width());
            EXPECT_LE(label->textHeight(), label->height());
            EXPECT_TRUE(texteEntier(label));
            if (QString::number(score).size() <= 5) {
                EXPECT_EQ(label->pointSize(), 18) << "common scores keep the full size";
            }
        }
    }
}
