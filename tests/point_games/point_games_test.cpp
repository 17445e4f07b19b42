#include "point_games/bonneteau.h"
#include "point_games/mise.h"
#include "point_games/pari_lettre.h"
#include "shell/liste_mots.h"
#include "shell/save_file.h"
#include "shell/stage.h"
#include "support/game_fixture.h"

using namespace zm;
using namespace zm::testing;

namespace {

enum Personnage : int { Bonneteau_ = 0, PariLettre_ = 9 };

// --- the stake controls, on a screen of their own -------------------------

class StakeScreen : public Screen {
public:
    using Screen::Screen;
};

struct Stake : ::testing::Test {
    FakePlatform p;
    Stage stage;
    Routines r{p, stage, QStringLiteral("/jeu/datas")};
    StakeScreen screen{QStringLiteral("jeu"), r, &stage};
    bool modifiable = true;

    std::unique_ptr<Mise> make(Mise::Gains gains, qint64 (*plafond)(qint64), qint64 minimum) {
        return std::make_unique<Mise>(
            screen, r, QPoint(0, 0),
            Mise::Regles{[this] { return modifiable; }, plafond, minimum, gains});
    }
};

} // namespace

TEST_F(Stake, PressesMoveTheStakeWithinItsBounds) {
    enum Control { Label_, Plus, Moins };
    struct Press {
        Control control;
        Qt::MouseButton button;
        qint64 expected;
    };
    struct Case {
        const char* name;
        bool halfScore;
        qint32 score;
        qint64 start;
        std::vector<Press> presses;
    };
    const Case cases[] = {
        {"score 125, stake 110",
         false,
         125,
         110,
         {{Plus, Qt::LeftButton, 120},
          {Plus, Qt::LeftButton, 120},
          {Label_, Qt::LeftButton, 120},
          {Label_, Qt::RightButton, 10}}},
        {"score 40, right press too far",
         false,
         40,
         10,
         {{Plus, Qt::RightButton, 10},
          {Plus, Qt::LeftButton, 20},
          {Plus, Qt::LeftButton, 30},
          {Plus, Qt::LeftButton, 40},
          {Plus, Qt::LeftButton, 40}}},
        {"stake 30 going down",
         false,
         500,
         30,
         {{Moins, Qt::RightButton, 30},
          {Moins, Qt::LeftButton, 20},
          {Moins, Qt::LeftButton, 10},
          {Moins, Qt::LeftButton, 10}}},
        {"right presses step by 50",
         false,
         500,
         10,
         {{Plus, Qt::RightButton, 60},
          {Plus, Qt::MiddleButton, 110},
          {Moins, Qt::RightButton, 60}}},
        {"half the score",
         true,
         125,
         10,
         {{Label_, Qt::LeftButton, 60}, {Plus, Qt::LeftButton, 60}, {Label_, Qt::RightButton, 10}}},
        {"half the score, below 20 points", true, 19, 10, {{Label_, Qt::LeftButton, 10}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto mise =
            make(c.halfScore ? Mise::Gains::Tableau : Mise::Gains::Paire,
                 c.halfScore ? &Mise::plafondMoitie : &Mise::plafondScore, c.halfScore ? 20 : 10);
        r.score = c.score;
        mise->mise = c.start;
        for (const Press& press : c.presses) {
            const qint64 before = mise->mise;
            p.sound().clear();
            Label* control = press.control == Label_ ? mise->label_mise
                             : press.control == Plus ? mise->plus
                                                     : mise->moins;
            FakePlatform::press(control, press.button);
            EXPECT_EQ(mise->mise, press.expected);
            const bool moved = before != press.expected || press.control == Label_;
            if (c.score >= (c.halfScore ? 20 : 10)) {
                EXPECT_EQ(p.sound().effectNames(), moved ? QStringList{"4.ats"} : QStringList{})
                    << press.control;
            }
            if (moved) {
                EXPECT_EQ(mise->label_mise->caption(), QString::number(press.expected));
            }
        }
        mise.reset();
    }
}

TEST_F(Stake, NothingMovesOutsideItsMoment) {
    auto mise = make(Mise::Gains::Paire, &Mise::plafondScore, 10);
    r.score = 100;
    modifiable = false;
    for (Label* control : {mise->label_mise, mise->plus, mise->moins})
        FakePlatform::press(control, Qt::LeftButton);
    EXPECT_EQ(mise->mise, 10);
    EXPECT_TRUE(p.sound().played.empty());
}

TEST_F(Stake, GainsTellWhatTheStakeMayBring) {
    auto pair = make(Mise::Gains::Paire, &Mise::plafondScore, 10);
    EXPECT_EQ(pair->gains->caption(), QStringLiteral("Gain possible"));
    pair->reinitialiser();
    EXPECT_EQ(pair->gains->caption(),
              QStringLiteral("Gain possible : 20 points\nPerte possible : 10 points"));
    auto table = make(Mise::Gains::Tableau, &Mise::plafondMoitie, 20);
    table->mise = 30;
    table->afficher_gains();
    EXPECT_EQ(table->gains->caption(),
              QStringLiteral("  5 mots différents  --> Perte de 2 FOIS LA MISE : 60 pièces\n"
                             "   2 mots identiques --> Perte de LA MISE : 30 pièces\n"
                             "   3 mots identiques --> Gain de 4 FOIS LA MISE : 120 pièces\n"
                             "   4 mots identiques --> Gain de 7 FOIS LA MISE : 210 pièces\n"
                             "   5 mots identiques --> Gain de 10 FOIS LA MISE : 300 pièces"));
    EXPECT_EQ(Mise::plafondMoitie(125), 60);
    EXPECT_EQ(Mise::plafondScore(125), 120);
    EXPECT_EQ(pair->label_mise->toolTip(),
              QStringLiteral("Clic Gauche = Mise Maximale  Clic Droit = Mise Minimale"));
}

TEST_F(Stake, EveryStakeIsReadWhole) {
    // The largest stake is the largest score down to a multiple of 10.
    const qint64 stakes[] = {
        10, 90, 1230, 19680, 196830 / 10 * 10, 1968300, Mise::plafondScore(kScoreMax)};
    auto mise = make(Mise::Gains::Paire, &Mise::plafondScore, 10);
    for (qint64 stake : stakes) {
        SCOPED_TRACE(stake);
        r.score = qint32(stake);
        FakePlatform::press(mise->label_mise, Qt::LeftButton);
        ASSERT_EQ(mise->label_mise->caption(), QString::number(stake));
        Label* label = mise->label_mise;
        EXPECT_LE(label->fontMetrics().horizontalAdvance(label->caption()),
                  label->contentsRect().width());
        EXPECT_LE(label->textHeight(), label->height());
        EXPECT_TRUE(texteEntier(label));
        // Common stakes keep the full size.
        if (stake < 10000) {
            EXPECT_EQ(label->pointSize(), 22);
        }
        EXPECT_TRUE(mise->gains->caption().contains(QString::number(2 * stake)));
        EXPECT_LE(mise->gains->textHeight(), mise->gains->height());
        EXPECT_TRUE(texteEntier(mise->gains));
    }
    // Back to a small stake, back to the full size.
    FakePlatform::press(mise->label_mise, Qt::RightButton);
    EXPECT_EQ(mise->label_mise->pointSize(), 22);
}

// --- the letter bet --------------------------------------------------------

namespace {

struct LetterBet : GameTest {
    void SetUp() override {
        startGame();
        jouer();
    }
    PariLettre& screen() { return dynamic_cast<PariLettre&>(epreuve(PariLettre_)); }
    // Scripts the draws of one turn: the flashing letters, then the hidden
    // letter and the reference.
    void scriptTurn(char hidden, char reference) {
        for (int k = 0; k < 21; ++k)
            p.random().pushInt(k % 26, 0, 25);
        p.random().pushInt(hidden - 'A', 0, 25);
        p.random().pushInt(reference - 'A', 0, 25);
    }
    void openWith(qint32 score, char hidden = 'M', char reference = 'M') {
        r().score = score;
        scriptTurn(hidden, reference);
        click(depart().anim[PariLettre_]);
    }
};

} // namespace

TEST_F(LetterBet, ATurnDrawsTwoLettersAndShowsTheBetsOneByOne) {
    const qint64 t0 = p.now();
    openWith(50, 'C', 'M');
    // 20 ms pause, ticker 73 x 50, letters 21 x 50, bets 4 x 250, blinking 6 x 100.
    EXPECT_EQ(p.now() - t0, 20 + 3650 + 1050 + 1000 + 600);
    PariLettre& s = screen();
    EXPECT_EQ(s.etat, PariLettre::Pari);
    EXPECT_EQ(s.lettre_tiree, 'C');
    EXPECT_EQ(s.lettre_reference, 'M');
    EXPECT_EQ(s.resultat, 0);
    EXPECT_EQ(s.reponse[0]->caption(), QStringLiteral("plus petite"));
    EXPECT_EQ(s.reponse[2]->caption(), QStringLiteral("plus grande"));
    EXPECT_EQ(s.lettre->caption(), QStringLiteral("que la lettre M"));
    EXPECT_EQ(s.commentaire->caption(),
              QStringLiteral("Placez votre mise et dites-moi si cette lettre est"));
    EXPECT_EQ(s.mise->mise, 10);
    EXPECT_TRUE(p.cursor().shown());
    EXPECT_EQ(p.random().scriptLeft(), 0u);
    // The ticker: 73 windows of 23 characters, each drawn at once.
    int windows = 0;
    bool whole = false;
    for (const fake::Redraw& d : p.display().redraws) {
        windows += d.widget == QLatin1String("commentaire") && d.text.size() == 23;
        whole |= d.text == QStringLiteral("PATIENCE...  Je tire un");
    }
    EXPECT_EQ(windows, 73);
    EXPECT_TRUE(whole);
}

TEST_F(LetterBet, BetsAreJudgedOnAlphabeticalOrder) {
    struct Case {
        char hidden, reference;
        int bet;
        bool won;
        const char* shown;
    };
    const Case cases[] = {{'M', 'M', 1, true, "M identique à M"},
                          {'M', 'M', 0, false, "M identique à M"},
                          {'C', 'M', 0, true, "C plus petit que M"},
                          {'Z', 'A', 2, true, "Z plus grand que A"},
                          // With the reference A, "plus petite" can never win.
                          {'A', 'A', 0, false, "A identique à A"},
                          {'B', 'A', 0, false, "B plus grand que A"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.shown);
        openWith(100, c.hidden, c.reference);
        PariLettre& s = screen();
        FakePlatform::press(s.mise->plus, Qt::LeftButton);
        ASSERT_EQ(s.mise->mise, 20);
        const int index = r().indice_message;
        const QString message = r().messages_reponse[std::size_t(index + (c.won ? 0 : 7))];
        click(s.reponse[c.bet]);
        EXPECT_EQ(s.etat, PariLettre::Verdict);
        EXPECT_EQ(s.lettre->caption(), QString::fromUtf8(c.shown));
        EXPECT_EQ(s.commentaire->caption(), message + QStringLiteral(" J'ai tiré au sort le ") +
                                                QChar(c.hidden) + QStringLiteral(" !"));
        EXPECT_EQ(r().score, c.won ? 140 : 80);
        EXPECT_EQ(r().indice_message, (index + 1) % 7);
        EXPECT_EQ(s.mise->gains->caption(), QStringLiteral("Un clic pour continuer..."));
        // The stake cannot change once the bet is placed.
        FakePlatform::press(s.mise->plus, Qt::LeftButton);
        EXPECT_EQ(s.mise->mise, 20);
        click(s.retour);
    }
}

TEST_F(LetterBet, LosingTheWholeScoreEndsTheGame) {
    openWith(10, 'M', 'M');
    PariLettre& s = screen();
    click(s.reponse[2]);
    EXPECT_EQ(r().score, 0);
    click(s.background());
    EXPECT_EQ(s.etat, PariLettre::Fin);
    EXPECT_EQ(s.mise->label_mise->caption(), QStringLiteral("---"));
    EXPECT_FALSE(s.mise->plus->isEnabled());
    EXPECT_FALSE(s.mise->label_mise->isEnabled());
    EXPECT_EQ(s.reponse[1]->caption(), QStringLiteral("Dommage..."));
    EXPECT_EQ(s.lettre->caption(), QStringLiteral("AU REVOIR !"));
    // Clicks now change nothing.
    click(s.reponse[0]);
    click(s.background());
    EXPECT_EQ(s.etat, PariLettre::Fin);
}

TEST_F(LetterBet, NineOrTenPointsAtTheStart) {
    r().score = 9;
    click(depart().anim[PariLettre_]);
    EXPECT_EQ(screen().etat, PariLettre::Fin);
    EXPECT_TRUE(p.sound().effectNames().contains(QStringLiteral("13.def")));
    EXPECT_EQ(screen().commentaire->caption(),
              QStringLiteral("La mise MINIMALE est de 10 points..."));
    click(screen().retour);
    openWith(10);
    EXPECT_EQ(screen().etat, PariLettre::Pari);
    EXPECT_TRUE(screen().mise->plus->isEnabled());
    EXPECT_EQ(screen().mise->mise, 10);
}

TEST_F(LetterBet, LeavingInTheOpeningPauseSetsNothingUp) {
    r().score = 50;
    p.after(10, [&] { click(screen().retour); });
    const qint64 t0 = p.now();
    click(depart().anim[PariLettre_]);
    EXPECT_EQ(game->stage().active(), &depart());
    EXPECT_LT(p.now() - t0, 100) << "no turn was drawn";
    EXPECT_FALSE(p.cursor().confinement);
    EXPECT_TRUE(depart().timer().isActive());
}

TEST_F(LetterBet, ClicksDuringTheDrawPlaceNoBet) {
    r().score = 50;
    scriptTurn('C', 'M');
    // Two clicks on "+" and one on a bet while nothing could be seen.
    p.after(1000, [&] { click(screen().mise->plus); });
    p.after(1500, [&] { click(screen().mise->plus); });
    p.after(2000, [&] { click(screen().reponse[0]); });
    click(depart().anim[PariLettre_]);
    EXPECT_EQ(screen().etat, PariLettre::Pari);
    p.advance(1000);
    EXPECT_EQ(screen().etat, PariLettre::Pari) << "the bet is still on offer";
    EXPECT_EQ(screen().mise->mise, 10);
    EXPECT_EQ(r().score, 50);
    // A click made while the bet is on offer is judged.
    click(screen().reponse[0]);
    EXPECT_EQ(screen().etat, PariLettre::Verdict);
    EXPECT_EQ(r().score, 70);
    // A click after the verdict starts the next turn.
    scriptTurn('D', 'D');
    click(screen().lettre);
    EXPECT_EQ(screen().etat, PariLettre::Pari);
    EXPECT_EQ(screen().lettre_tiree, 'D');
    EXPECT_EQ(screen().mise->mise, 10);
}

// --- the shell game --------------------------------------------------------

namespace {

struct ShellGame : GameTest {
    void SetUp() override {
        startGame();
        jouer();
    }
    Bonneteau& screen() { return dynamic_cast<Bonneteau&>(epreuve(Bonneteau_)); }
    // Scripts a game: the words from row `debut`, every shuffle in order,
    // so that cell i holds word i and the words are asked in order.
    void scriptGame(int debut = 10) {
        p.random().pushInt(debut, 0, 141);
        for (int k = 0; k < 62; ++k)
            for (int c : {0, 1, 2})
                p.random().pushInt(c, 0, 2);
    }
    void openWith(qint32 score) {
        r().score = score;
        scriptGame();
        click(depart().anim[Bonneteau_]);
    }
    QString word(int row) { return liste_mots()[row].toUpper(); }
};

} // namespace

TEST_F(ShellGame, TheWordsAreShownShuffledThenHidden) {
    const qint64 t0 = p.now();
    openWith(50);
    Bonneteau& s = screen();
    // Ticker 27 x 100, 11 shuffles x 150, "BANZAI !" 6 x 100.
    EXPECT_EQ(p.now() - t0, 2700 + 1650 + 600);
    EXPECT_EQ(s.etat, 0);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(s.bonnet[i]->caption(), Bonneteau::kCache);
        EXPECT_EQ(s.mots_bonneteau[i], word(10 + i));
    }
    EXPECT_EQ(s.mot_a_chercher->caption(), word(10));
    EXPECT_EQ(s.commentaire->caption(),
              QStringLiteral("A vous de retrouver les mots à présent !\nNous allons commencer "
                             "par le mot ") +
                  word(10) + QStringLiteral(". Où est-il ?\nEssais disponibles : 4"));
    EXPECT_FALSE(s.retour->isHidden());
    EXPECT_EQ(p.random().scriptLeft(), 0u);
}

TEST_F(ShellGame, FindingTheThreeWordsWins) {
    struct Case {
        const char* name;
        std::vector<int> clicks;
        bool won;
        int triesLeft;
    };
    const Case cases[] = {{"three right", {0, 1, 2}, true, 1},
                          {"one wrong, then three right", {2, 0, 1, 2}, true, 0},
                          {"two wrong: not enough tries", {1, 2, 0, 1}, false, 0},
                          {"a found word clicked again costs nothing", {0, 0, 1, 2}, true, 1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        openWith(100);
        Bonneteau& s = screen();
        FakePlatform::press(s.mise->plus, Qt::LeftButton);
        for (int cell : c.clicks)
            click(s.bonnet[cell]);
        EXPECT_EQ(s.etape, 10);
        EXPECT_EQ(s.essais, c.triesLeft);
        EXPECT_EQ(r().score, c.won ? 140 : 80);
        EXPECT_EQ(s.mot_a_chercher->caption(),
                  c.won ? QStringLiteral("GAGNÉ !") : QStringLiteral("PERDU !"));
        EXPECT_FALSE(s.retour->isHidden());
        if (!c.won) { // the solution is shown
            for (int i = 0; i < 3; ++i)
                EXPECT_EQ(s.bonnet[i]->caption(), word(10 + i));
        }
        // The stake is settled once: a click now starts the next game.
        scriptGame(20);
        click(s.bonnet[0]);
        EXPECT_EQ(r().score, c.won ? 140 : 80);
        EXPECT_EQ(s.etape, 0);
        EXPECT_EQ(s.mots_bonneteau[0], word(20));
        click(s.retour);
    }
}

TEST_F(ShellGame, WrongCellsSayWhatWasSearched) {
    openWith(50);
    Bonneteau& s = screen();
    click(s.bonnet[2]);
    EXPECT_EQ(s.commentaire->caption(),
              QStringLiteral("Désolé ! ") + word(10) +
                  QStringLiteral(" ne se trouve pas ici !\nLa chance n'est pas au rendez-vous "
                                 "on dirait !\nEssais disponibles : 3"));
    EXPECT_TRUE(s.retour->isHidden()) << "no leaving in the middle of a game";
    click(s.bonnet[0]);
    EXPECT_EQ(s.bonnet[0]->caption(), word(10));
    EXPECT_EQ(s.mot_a_chercher->caption(), word(11));
}

TEST_F(ShellGame, ALossBelowTenPointsSaysGoodbye) {
    struct Case {
        qint32 score;
        qint64 stake;
        bool canPlayOn;
    };
    // Left with 0, 9, 10 and 15 points.
    const Case cases[] = {{10, 10, false}, {19, 10, false}, {20, 10, true}, {35, 20, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.score);
        openWith(c.score);
        Bonneteau& s = screen();
        while (s.mise->mise < c.stake)
            FakePlatform::press(s.mise->plus, Qt::LeftButton);
        for (int cell : {1, 2, 1, 2})
            click(s.bonnet[cell]);
        EXPECT_EQ(r().score, c.score - c.stake);
        EXPECT_EQ(s.mot_a_chercher->caption() == Bonneteau::kAuRevoir, !c.canPlayOn);
        EXPECT_EQ(s.mise->label_mise->caption() == QStringLiteral("---"), !c.canPlayOn);
        // The arrows are disabled, as for a player who came with too few points.
        EXPECT_EQ(s.mise->plus->isEnabled(), c.canPlayOn);
        EXPECT_EQ(s.mise->moins->isEnabled(), c.canPlayOn);
        if (c.canPlayOn) {
            click(s.retour);
            continue;
        }
        // Presses on them do nothing.
        p.sound().clear();
        for (Label* arrow : {s.mise->plus, s.mise->moins})
            FakePlatform::press(arrow, Qt::LeftButton);
        EXPECT_TRUE(p.sound().played.empty());
        click(s.mot_a_chercher);
        EXPECT_EQ(game->stage().active(), &depart());
        // The next visit with enough points enables them again.
        openWith(50);
        EXPECT_TRUE(s.mise->plus->isEnabled());
        EXPECT_TRUE(s.mise->moins->isEnabled());
        EXPECT_EQ(s.mise->label_mise->caption(), QStringLiteral("10"));
        click(s.retour);
    }
}

TEST_F(ShellGame, TooFewPointsAreRefused) {
    r().score = 9;
    click(depart().anim[Bonneteau_]);
    Bonneteau& s = screen();
    EXPECT_EQ(s.etape, 1);
    EXPECT_TRUE(s.commentaire->caption().startsWith(QStringLiteral("GRAND JEU DU MONNETEAU\n")));
    for (Label* cell : s.bonnet)
        EXPECT_EQ(cell->caption(), Bonneteau::kAuRevoir);
    EXPECT_FALSE(s.mise->plus->isEnabled());
    for (QWidget* leave : std::initializer_list<QWidget*>{s.bonnet[1], s.background()}) {
        click(leave);
        EXPECT_EQ(game->stage().active(), &depart());
        click(depart().anim[Bonneteau_]);
    }
}

TEST_F(ShellGame, DuringTheShuffleOnlyRetourAnswers) {
    r().score = 100;
    scriptGame();
    Bonneteau& s = screen();
    p.after(1000, [&] {
        click(s.bonnet[0]);
        FakePlatform::press(s.mise->plus, Qt::LeftButton);
        click(s.aide);
        click(s.background());
    });
    click(depart().anim[Bonneteau_]);
    EXPECT_EQ(game->stage().active(), &s);
    EXPECT_EQ(s.essais, 4);
    EXPECT_EQ(s.mise->mise, 10);
    EXPECT_EQ(s.etat, 0);
}

TEST_F(ShellGame, LeavingDuringTheShuffleStopsIt) {
    r().score = 100;
    // The first game draws its words, then is left during its ticker.
    p.random().pushInt(10, 0, 141);
    Bonneteau& s = screen();
    // Leave in the middle of the shuffle, and come back at once.
    p.after(1500, [&] { click(s.retour); });
    p.after(1600, [&] {
        EXPECT_EQ(game->stage().active(), &depart());
        EXPECT_FALSE(p.cursor().confinement) << "the cursor is free on the start screen";
        EXPECT_TRUE(depart().timer().isActive());
        scriptGame(30);
        click(depart().anim[Bonneteau_]);
    });
    click(depart().anim[Bonneteau_]);
    p.advance(6000);
    // One whole game from row 30, shown and ready.
    EXPECT_EQ(game->stage().active(), &s);
    EXPECT_EQ(s.etat, 0);
    EXPECT_FALSE(s.melangeEnCours());
    EXPECT_EQ(s.mots_bonneteau[0], word(30));
    EXPECT_EQ(s.mot_a_chercher->caption(), word(30));
    EXPECT_EQ(p.cursor().confinement, QRect(0, 0, 800, 600));
}

TEST(ShellGameOrder, IsAlwaysAPermutation) {
    FakePlatform p;
    struct Case {
        const char* name;
        std::vector<int> draws;
    };
    const Case cases[] = {{"in order", {0, 1, 2}},
                          {"repeats before a new cell", {2, 2, 2, 0, 0, 2, 1}},
                          {"a generator stuck on one cell", {}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        for (int d : c.draws)
            p.random().pushInt(d, 0, 2);
        std::array<int, 3> order = Bonneteau::tirer_ordre(p.random());
        std::sort(order.begin(), order.end());
        EXPECT_EQ(order, (std::array<int, 3>{0, 1, 2}));
    }
}
