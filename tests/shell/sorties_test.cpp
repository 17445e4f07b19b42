// Every wait of every screen, left by every way out: once the screen is
// left, nothing of it runs on. No redraw, no sound, no cursor confined or
// hidden, and the start screen (or the ended game) stays as leaving made it.

#include "reading/ecran_defilant.h"
#include "reading/fichier_textes.h"
#include "shell/routines.h"
#include "shell/stage.h"
#include "support/game_fixture.h"

#include <functional>

using namespace zm;
using namespace zm::testing;

namespace {

enum Personnage : int { Bonneteau_ = 0, Trous_ = 3, Defilement_ = 5, PariLettre_ = 9 };

enum class Sortie { Retour, ClicQuiQuitte, FenetreFermee };

const char* nomSortie(Sortie s) {
    switch (s) {
    case Sortie::Retour:
        return "retour";
    case Sortie::ClicQuiQuitte:
        return "a click that leaves";
    case Sortie::FenetreFermee:
        return "the window closed";
    }
    return "";
}

struct Attente {
    const char* nom;
    int personnage;
    qint32 score;
    // What starts the wait once the screen is open; nothing for an opening wait.
    std::function<void(EcranEpreuve&)> lancer;
    // When to leave, in ms after the screen opened (or after `lancer`).
    int apres;
    std::vector<Sortie> sorties;
    // The control of a click that leaves.
    std::function<QWidget*(EcranEpreuve&)> quitte = {};
};

struct WaysOut : GameTest {
    void SetUp() override {
        QFile f(dir.filePath(QStringLiteral("2.bin")));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        TexteLu t;
        t.texte = QStringLiteral("Un texte assez long pour défiler pendant plusieurs secondes.");
        for (Affirmation& a : t.affirmations)
            a = {1, QStringLiteral("Vrai ?"), QStringLiteral("Oui.")};
        f.write(ecrireTexte(t) + ecrireTexte(t));
        f.close();
        startGame();
        jouer();
    }
};

void commencer(EcranEpreuve& e) {
    FakePlatform::click(dynamic_cast<EcranDefilant&>(e).commencer);
}

TEST_F(WaysOut, LeavingDuringAnyWaitEndsItCleanly) {
    const std::vector<Sortie> toutes = {Sortie::Retour, Sortie::FenetreFermee};
    const Attente attentes[] = {
        {"shell game, ticker", Bonneteau_, 100, {}, 1000, toutes},
        {"shell game, countdown", Bonneteau_, 100, {}, 3200, toutes},
        {"shell game, BANZAI blinks", Bonneteau_, 100, {}, 4450, toutes},
        {"shell game, refusal",
         Bonneteau_,
         3,
         {},
         700,
         {Sortie::Retour, Sortie::ClicQuiQuitte, Sortie::FenetreFermee},
         [](EcranEpreuve& e) { return e.background(); }},
        {"shell game, refusal, a cell",
         Bonneteau_,
         3,
         {},
         300,
         {Sortie::ClicQuiQuitte},
         [](EcranEpreuve& e) { return e.findChild<QWidget*>(QStringLiteral("bonnet(1)")); }},
        {"letter bet, opening pause", PariLettre_, 50, {}, 10, toutes},
        {"true or false, ticker", Defilement_, 10, commencer, 2000, {Sortie::FenetreFermee}},
        {"stolen words, ticker", Trous_, 10, commencer, 2000, {Sortie::FenetreFermee}},
    };
    for (const Attente& a : attentes) {
        for (Sortie sortie : a.sorties) {
            SCOPED_TRACE(std::string(a.nom) + ", " + nomSortie(sortie));
            restartGame();
            jouer();
            r().score = a.score;
            EcranEpreuve& e = epreuve(a.personnage);
            qint64 quitte = -1;
            bool quitteTermine = false;
            auto partir = [&] {
                quitte = p.now();
                switch (sortie) {
                case Sortie::Retour:
                    click(e.retour);
                    break;
                case Sortie::ClicQuiQuitte:
                    click(a.quitte(e));
                    break;
                case Sortie::FenetreFermee:
                    quitteTermine = game->quitRequested();
                    break;
                }
            };
            if (a.lancer) {
                click(depart().anim[a.personnage]);
                p.after(a.apres, partir);
                a.lancer(e);
            } else {
                p.after(a.apres, partir);
                click(depart().anim[a.personnage]);
            }
            p.advance(10000);
            ASSERT_GE(quitte, 0) << "the wait was still running when the screen was left";
            EXPECT_TRUE(e.isHidden());
            EXPECT_FALSE(e.attenteEnCours());
            for (const fake::Redraw& d : p.display().redraws)
                EXPECT_FALSE(d.at > quitte && e.isAncestorOf(d.source))
                    << d.widget.toStdString() << " redrawn at " << d.at;
            for (const fake::PlayedSound& s : p.sound().played)
                EXPECT_FALSE(s.at > quitte && (sortie == Sortie::FenetreFermee ||
                                               s.kind == fake::PlayedSound::Kind::Effect))
                    << s.name.toStdString() << " played at " << s.at;
            EXPECT_FALSE(p.cursor().confinement);
            EXPECT_TRUE(p.cursor().shown());
            if (sortie == Sortie::FenetreFermee) {
                EXPECT_TRUE(quitteTermine);
                EXPECT_TRUE(game->ended());
                EXPECT_EQ(game->stage().active(), nullptr);
            } else {
                EXPECT_EQ(game->stage().active(), &depart());
                EXPECT_TRUE(depart().timer().isActive());
                EXPECT_FALSE(depart().scoreLabel()->isHidden());
            }
        }
    }
}

TEST_F(WaysOut, TheWindowClosedDuringTheRosterStartUpEndsTheGame) {
    // The roster waits 500 ms at start-up before it answers: the window is
    // closed in that wait, before any player was chosen.
    game.reset();
    p.cursor() = {};
    bool mayEnd = false;
    p.after(100, [&] { mayEnd = game->quitRequested(); });
    startGame();
    EXPECT_TRUE(mayEnd);
    EXPECT_TRUE(game->ended());
    EXPECT_EQ(ended, 1);
    EXPECT_NE(p.cursor().position, QPoint(740, 557)) << "the roster did not go on after the wait";
    EXPECT_TRUE(readSave().isEmpty()) << "nothing to save before a player is chosen";
    // The roster had hidden the pointer for its start-up: the desktop gets it back.
    EXPECT_TRUE(p.cursor().shown());
    EXPECT_FALSE(p.cursor().confinement);
}

} // namespace
