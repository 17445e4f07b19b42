#include "point_games/machine.h"
#include "point_games/mise.h"
#include "shell/liste_mots.h"
#include "shell/stage.h"
#include "support/game_fixture.h"

#include <QEvent>

using namespace zm;
using namespace zm::testing;

namespace {

constexpr int Machine_ = 7;

QColor couleur(const Label* label) {
    return label->palette().color(QPalette::WindowText);
}

// The text colours a label takes, with the virtual time of each change.
class JournalCouleurs : public QObject {
public:
    JournalCouleurs(FakePlatform& p, Label* label) : p_(p) { label->installEventFilter(this); }
    std::vector<std::pair<qint64, QColor>> changements;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::PaletteChange)
            changements.emplace_back(p_.now(), couleur(static_cast<Label*>(watched)));
        return false;
    }

private:
    FakePlatform& p_;
};

struct SlotMachine : GameTest {
    void SetUp() override {
        startGame();
        jouer();
    }
    Machine& screen() { return dynamic_cast<Machine&>(epreuve(Machine_)); }
    static QString word(int row) { return liste_mots()[row]; }
    // Opens the screen with this score; its series starts at row `debut`.
    void openWith(qint32 score, int debut = 10) {
        r().score = score;
        p.random().pushInt(debut, 0, 138);
        click(depart().anim[Machine_]);
    }
    // Scripts `n` draws of a spin, each a different word in every window.
    void scriptDraws(int n) {
        for (int tirage = 0; tirage < n; ++tirage)
            for (int k = 0; k < 5; ++k)
                p.random().pushInt((tirage + k) % 5, 0, 4);
    }
    // Scripts the eleven draws of a spin; the last one shows, window by
    // window, these words of the series (0 to 4).
    void scriptSpin(std::array<int, 5> fin) {
        scriptDraws(10);
        for (int n : fin)
            p.random().pushInt(n, 0, 4);
    }
    void spin(std::array<int, 5> fin) {
        scriptSpin(fin);
        click(screen().label_melanger);
    }
    QStringList outcomeSounds() {
        QStringList out;
        for (const QString& name : p.sound().effectNames())
            if (name.endsWith(QLatin1String(".vic")) || name.endsWith(QLatin1String(".def")))
                out << name.section(u'.', 1);
        return out;
    }
};

} // namespace

TEST_F(SlotMachine, ASeriesOfFiveWordsIsOnOffer) {
    openWith(100, 10);
    Machine& s = screen();
    EXPECT_EQ(s.etat, 1);
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(s.mot_machine[i]->caption(), word(10 + i));
        EXPECT_EQ(s.mots_machine[std::size_t(i)], word(10 + i));
        EXPECT_EQ(couleur(s.mot_machine[i]), kNoir);
    }
    EXPECT_EQ(s.label_melanger->caption(), QStringLiteral("Mélanger et Jouer"));
    EXPECT_EQ(s.commentaire->caption(),
              QStringLiteral("Placez votre mise grâce aux flèches de la fenêtre du bas puis "
                             "appuyez sur le bouton Mélanger et Jouer"));
    EXPECT_EQ(s.mise->label_mise->caption(), QStringLiteral("10"));
    EXPECT_TRUE(s.mise->gains->caption().startsWith(
        QStringLiteral("  5 mots différents  --> Perte de 2 FOIS LA MISE : 20 pièces\n")));
    EXPECT_EQ(couleur(s.mise->gains), kBleu);
    EXPECT_EQ(couleur(s.commentaire), kBleu);
    EXPECT_EQ(p.random().scriptLeft(), 0u);
    EXPECT_TRUE(p.cursor().shown());
    EXPECT_EQ(p.cursor().confinement, QRect(0, 0, 800, 600));
}

TEST_F(SlotMachine, TheLargestGroupDecidesThePayout) {
    struct Case {
        const char* name;
        std::array<int, 5> fin;
        std::vector<int> colouredWindows;
        bool blue;
        int group;
        const char* commentaire;
        qint32 score; // from 100, with a stake of 20
        const char* sound;
    };
    const Case cases[] = {
        {"A A B B C: two pairs count as two",
         {0, 0, 1, 1, 2},
         {0, 1},
         false,
         0,
         "Seulement 2 mots identiques ! Zut !\nVous perdez votre mise : 20 pièces !",
         80,
         "def"},
        {"B B A A C: the pair seen first",
         {1, 1, 0, 0, 2},
         {0, 1},
         false,
         1,
         "Seulement 2 mots identiques ! Zut !\nVous perdez votre mise : 20 pièces !",
         80,
         "def"},
        {"A A A B B: a full house counts as three",
         {0, 0, 0, 1, 1},
         {0, 1, 2},
         true,
         0,
         "3 mots identiques ! Bravo !\nVous remportez 4 fois votre mise : 80 pièces !",
         180,
         "vic"},
        {"five different words",
         {3, 1, 4, 0, 2},
         {0},
         false,
         3,
         "5 mots différents ! Quelle catastrophe !\nVous perdez 2 fois votre mise : 40 pièces.",
         60,
         "def"},
        {"five equal words",
         {2, 2, 2, 2, 2},
         {0, 1, 2, 3, 4},
         true,
         2,
         "La totale : 5 mots identiques ! Sensationnel !\nVous remportez 10 fois votre mise : "
         "200 pièces !",
         300,
         "vic"},
        {"A B A B A",
         {0, 1, 0, 1, 0},
         {0, 2, 4},
         true,
         0,
         "3 mots identiques ! Bravo !\nVous remportez 4 fois votre mise : 80 pièces !",
         180,
         "vic"},
        {"four after a lone first word",
         {4, 2, 2, 2, 2},
         {1, 2, 3, 4},
         true,
         2,
         "4 mots identiques ! Super !\nVous remportez 7 fois votre mise : 140 pièces !",
         240,
         "vic"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        openWith(100, 20);
        Machine& s = screen();
        FakePlatform::press(s.mise->plus, Qt::LeftButton);
        ASSERT_EQ(s.mise->mise, 20);
        p.sound().clear();
        const qint64 t0 = p.now();
        spin(c.fin);
        // Eleven draws of 200 ms, then the score label's animation.
        EXPECT_EQ(p.now() - t0, 11 * 200 + 12 * 20);
        EXPECT_EQ(p.random().scriptLeft(), 0u);
        EXPECT_EQ(s.label_melanger->caption(), QStringLiteral("Une autre série ?"));
        EXPECT_EQ(s.etat, 0);
        for (int i = 0; i < 5; ++i)
            EXPECT_EQ(s.mot_machine[i]->caption(), word(20 + c.fin[std::size_t(i)])) << i;
        EXPECT_EQ(r().texte_message, word(20 + c.group));
        for (int i = 0; i < 5; ++i) {
            const bool coloured = std::ranges::count(c.colouredWindows, i) > 0;
            EXPECT_EQ(couleur(s.mot_machine[i]), coloured ? (c.blue ? kBleu : kRouge) : kNoir)
                << "window " << i;
        }
        EXPECT_EQ(s.commentaire->caption(), QString::fromUtf8(c.commentaire));
        EXPECT_EQ(r().score, c.score);
        EXPECT_EQ(s.scoreLabel()->caption(), r().texteScore());
        // One effect for each draw, then the verdict's sound.
        EXPECT_EQ(p.sound().effectNames().size(), 12);
        EXPECT_EQ(outcomeSounds(), QStringList{QString::fromLatin1(c.sound)});
        // The series is played: the stake stays as it was.
        FakePlatform::press(s.mise->plus, Qt::LeftButton);
        FakePlatform::press(s.mise->label_mise, Qt::RightButton);
        EXPECT_EQ(s.mise->mise, 20);
        click(s.retour);
    }
}

TEST(SlotMachineCounting, TheFirstLargestGroupWins) {
    struct Case {
        std::array<const char*, 5> fenetres;
        int taille;
        const char* mot;
    };
    const Case cases[] = {{{"a", "b", "c", "d", "e"}, 1, "a"},
                          {{"c", "a", "b", "a", "b"}, 2, "a"},
                          {{"b", "a", "a", "b", "c"}, 2, "b"},
                          {{"b", "a", "b", "a", "a"}, 3, "a"},
                          {{"e", "e", "e", "e", "e"}, 5, "e"}};
    for (const Case& c : cases) {
        std::array<QString, 5> fenetres;
        for (std::size_t i = 0; i < 5; ++i)
            fenetres[i] = QString::fromLatin1(c.fenetres[i]);
        const Machine::Groupe g = Machine::plusGrandGroupe(fenetres);
        EXPECT_EQ(g.taille, c.taille) << fenetres[0].toStdString();
        EXPECT_EQ(g.mot, QString::fromLatin1(c.mot));
    }
}

TEST_F(SlotMachine, TheStakeIsAtMostHalfTheScore) {
    struct Case {
        qint32 score;
        qint64 highest;
    };
    for (const Case& c : {Case{125, 60}, Case{25, 10}, Case{20, 10}, Case{39, 10}, Case{40, 20}}) {
        SCOPED_TRACE(c.score);
        openWith(c.score);
        Machine& s = screen();
        FakePlatform::press(s.mise->label_mise, Qt::LeftButton);
        EXPECT_EQ(s.mise->mise, c.highest);
        EXPECT_EQ(s.mise->label_mise->caption(), QString::number(c.highest));
        FakePlatform::press(s.mise->plus, Qt::LeftButton);
        FakePlatform::press(s.mise->plus, Qt::RightButton);
        EXPECT_EQ(s.mise->mise, c.highest) << "the arrows go no higher";
        // Even the loss of twice the highest stake leaves the score at 0 or more.
        spin({0, 1, 2, 3, 4});
        EXPECT_EQ(r().score, c.score - 2 * c.highest);
        EXPECT_GE(r().score, 0);
        click(s.retour);
    }
}

TEST_F(SlotMachine, PayoutsStayWithinWhatTheScoreHolds) {
    // At the top of the score's range, a win of ten times the highest stake
    // leaves the score at the most it can hold.
    openWith(kScoreMax);
    Machine& s = screen();
    FakePlatform::press(s.mise->label_mise, Qt::LeftButton);
    EXPECT_EQ(s.mise->mise, Mise::plafondMoitie(kScoreMax));
    spin({1, 1, 1, 1, 1});
    EXPECT_EQ(r().score, kScoreMax);
    click(s.retour);

    // A score that dropped under the stake behind the screen's back (an
    // edited value): the loss stops at 0.
    openWith(100);
    FakePlatform::press(s.mise->label_mise, Qt::LeftButton);
    r().score = 30;
    spin({0, 1, 2, 3, 4});
    EXPECT_EQ(r().score, 0);
}

TEST_F(SlotMachine, EachSeriesStartsAtTheSmallestStake) {
    openWith(500, 10);
    Machine& s = screen();
    FakePlatform::press(s.mise->plus, Qt::RightButton);
    ASSERT_EQ(s.mise->mise, 60);
    spin({0, 0, 1, 2, 3});
    ASSERT_EQ(r().score, 440);
    p.random().pushInt(40, 0, 138);
    p.sound().clear();
    click(s.label_melanger);
    EXPECT_EQ(s.etat, 1);
    EXPECT_EQ(s.mise->mise, 10);
    EXPECT_EQ(s.mise->label_mise->caption(), QStringLiteral("10"));
    EXPECT_TRUE(
        s.mise->gains->caption().endsWith(QStringLiteral("Gain de 10 FOIS LA MISE : 100 pièces")));
    EXPECT_EQ(s.label_melanger->caption(), QStringLiteral("Mélanger et Jouer"));
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(s.mot_machine[i]->caption(), word(40 + i));
        EXPECT_EQ(couleur(s.mot_machine[i]), kNoir);
    }
    EXPECT_EQ(p.sound().effectNames().size(), 1) << "one effect for the new series";
    EXPECT_EQ(r().score, 440);
    // Coming back from the start screen starts at 10 too.
    FakePlatform::press(s.mise->plus, Qt::LeftButton);
    click(s.retour);
    openWith(500);
    EXPECT_EQ(s.mise->mise, 10);
}

TEST_F(SlotMachine, ALossUnderTwentyPointsLeadsToTheRefusal) {
    openWith(25);
    Machine& s = screen();
    spin({0, 1, 2, 3, 4});
    EXPECT_EQ(r().score, 5);
    EXPECT_EQ(s.commentaire->caption(),
              QStringLiteral("5 mots différents ! Quelle catastrophe !\nVous perdez 2 fois votre "
                             "mise : 20 pièces."));
    JournalCouleurs gains(p, s.mise->gains), fenetre(p, s.mot_machine[0]);
    p.sound().clear();
    const qint64 t0 = p.now();
    click(s.label_melanger);
    EXPECT_EQ(s.etat, 0);
    EXPECT_EQ(s.label_melanger->caption(), QStringLiteral("Score insuffisant pour jouer"));
    EXPECT_EQ(s.mise->label_mise->caption(), QStringLiteral("--"));
    for (Label* w : s.mot_machine)
        EXPECT_EQ(w->caption(), QStringLiteral("Score insuffisant !"));
    EXPECT_EQ(s.commentaire->caption(),
              QStringLiteral("Vous avez moins de 20 pièces !\nAllez auparavant en gagner aux "
                             "autres jeux puis revenez me voir !"));
    EXPECT_EQ(s.mise->gains->caption(),
              QStringLiteral("\nVous êtes vraiment trop optimiste ") + r().prenom +
                  QStringLiteral(" !\nVous pensez que je ne surveille pas votre score ?\nIL FAUT "
                                 "AU MINIMUM 20 PIECES POUR JOUER !"));
    // The effect of the click, then the defeat.
    ASSERT_EQ(p.sound().effectNames().size(), 2);
    EXPECT_TRUE(p.sound().effectNames()[1].endsWith(QLatin1String(".def")));
    // Five flashes of 100 + 100 ms, holding events.
    EXPECT_EQ(p.now() - t0, 1000);
    std::vector<std::pair<qint64, QColor>> attenduGains, attenduFenetre;
    for (int k = 0; k < 5; ++k) {
        attenduGains.insert(attenduGains.end(), {{200 * k, kJaune}, {200 * k + 100, kBleu}});
        attenduFenetre.insert(attenduFenetre.end(), {{200 * k, kJaune}, {200 * k + 100, kRouge}});
    }
    attenduGains.emplace_back(1000, kRouge);
    for (auto& [at, c] : gains.changements)
        at -= t0;
    for (auto& [at, c] : fenetre.changements)
        at -= t0;
    // The red window turned black at the click, before the flashes.
    ASSERT_FALSE(fenetre.changements.empty());
    EXPECT_EQ(fenetre.changements.front(), std::make_pair(qint64(0), kNoir));
    fenetre.changements.erase(fenetre.changements.begin());
    EXPECT_EQ(gains.changements, attenduGains);
    EXPECT_EQ(fenetre.changements, attenduFenetre);
    EXPECT_EQ(couleur(s.commentaire), kRouge);

    // The refusal stays until the player leaves: every click does nothing.
    p.sound().clear();
    for (QWidget* w : std::initializer_list<QWidget*>{s.label_melanger, s.mise->plus,
                                                      s.mise->label_mise, s.background()})
        click(w);
    EXPECT_TRUE(p.sound().played.empty());
    EXPECT_EQ(s.label_melanger->caption(), QStringLiteral("Score insuffisant pour jouer"));
    EXPECT_EQ(r().score, 5);
}

TEST_F(SlotMachine, TooFewPointsAreRefusedAfterAShortPause) {
    openWith(100);
    click(screen().retour);
    r().score = 19;
    p.sound().clear();
    const qint64 t0 = p.now();
    Machine& s = screen();
    // The button reads "Mélanger et Jouer" during the pause, but no series
    // is drawn: a click on it plays nothing.
    p.after(150, [&] {
        EXPECT_EQ(s.label_melanger->caption(), Machine::kMelanger);
        click(s.label_melanger);
        FakePlatform::press(s.mise->label_mise, Qt::LeftButton);
    });
    click(depart().anim[Machine_]);
    // The 300 ms pause, then the five flashes.
    EXPECT_EQ(p.now() - t0, 300 + 1000);
    EXPECT_EQ(s.label_melanger->caption(), QStringLiteral("Score insuffisant pour jouer"));
    EXPECT_EQ(s.mise->label_mise->caption(), QStringLiteral("--"));
    bool defeat = false;
    for (const auto& played : p.sound().played)
        if (played.name.endsWith(QLatin1String(".def"))) {
            defeat = true;
            EXPECT_EQ(played.at - t0, 300);
        }
    EXPECT_TRUE(defeat);
    EXPECT_EQ(p.random().scriptLeft(), 0u) << "no series is drawn";
    EXPECT_EQ(r().score, 19);
    EXPECT_EQ(p.sound().effectNames().size(), 2) << "the screen's effect and the defeat only";
}

TEST_F(SlotMachine, ClicksDuringTheSpinChangeNothing) {
    openWith(100, 30);
    Machine& s = screen();
    FakePlatform::press(s.mise->plus, Qt::LeftButton);
    scriptSpin({0, 0, 0, 1, 2});
    p.after(300, [&] {
        EXPECT_EQ(s.label_melanger->caption(),
                  QStringLiteral("C'est parti ") + r().prenom + QStringLiteral(" !"));
        click(s.label_melanger);
        for (Label* control : {s.mise->plus, s.mise->moins, s.mise->label_mise})
            for (Qt::MouseButton b : {Qt::LeftButton, Qt::RightButton})
                FakePlatform::press(control, b);
        click(s.aide);
        click(s.background());
        click(s.commentaire);
        click(s.scoreLabel());
    });
    // A second click on the button in the last draw's wait.
    p.after(2100, [&] { click(s.label_melanger); });
    click(s.label_melanger);
    EXPECT_TRUE(aide().isHidden()) << "no help during the spin";
    EXPECT_EQ(s.mise->mise, 20);
    EXPECT_EQ(p.random().scriptLeft(), 0u) << "one spin only";
    EXPECT_EQ(r().score, 180) << "paid once";
    EXPECT_EQ(s.label_melanger->caption(), QStringLiteral("Une autre série ?"));
    EXPECT_EQ(game->stage().active(), &s);
}

TEST_F(SlotMachine, LeavingEndsEveryWaitWithNothingPaidOrLost) {
    enum Moment { Spin, Pause, Refusal };
    enum Way { Retour, WindowClosed };
    struct Case {
        const char* name;
        Moment moment;
        Way way;
    };
    const Case cases[] = {
        {"retour during the spin", Spin, Retour},
        {"window closed during the spin", Spin, WindowClosed},
        {"retour during the pause before the refusal", Pause, Retour},
        {"window closed during the pause before the refusal", Pause, WindowClosed},
        {"retour during the refusal", Refusal, Retour},
        {"window closed during the refusal", Refusal, WindowClosed},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        restartGame();
        jouer();
        Machine& s = screen();
        const qint32 score = c.moment == Spin ? 100 : 10;
        auto leave = [&] {
            if (c.way == Retour)
                click(s.retour);
            else
                EXPECT_TRUE(game->quitRequested());
        };
        if (c.moment == Spin) {
            openWith(score);
            FakePlatform::press(s.mise->plus, Qt::LeftButton);
            // Left in the wait of the fifth draw.
            scriptDraws(5);
            p.after(900, leave);
            click(s.label_melanger);
        } else {
            r().score = score;
            // The pause lets events run; the flashes hold them, so a click
            // made during them is handled once they are over.
            p.after(c.moment == Pause ? 100 : 500, leave);
            click(depart().anim[Machine_]);
            p.advance(1);
        }
        const std::size_t sounds = p.sound().played.size();
        const QString button = s.label_melanger->caption();
        const std::array<QString, 5> windows = {
            s.mot_machine[0]->caption(), s.mot_machine[1]->caption(), s.mot_machine[2]->caption(),
            s.mot_machine[3]->caption(), s.mot_machine[4]->caption()};
        if (c.way == Retour) {
            EXPECT_EQ(game->stage().active(), &depart());
            EXPECT_FALSE(p.cursor().confinement);
            EXPECT_TRUE(depart().timer().isActive());
        } else {
            EXPECT_EQ(ended, 1);
        }
        EXPECT_EQ(r().score, score) << "nothing paid or lost";
        EXPECT_EQ(p.random().scriptLeft(), 0u);
        switch (c.moment) {
        case Spin:
            EXPECT_TRUE(button.startsWith(QStringLiteral("C'est parti"))) << "no verdict";
            break;
        case Pause:
            EXPECT_EQ(button, Machine::kMelanger) << "no refusal";
            EXPECT_TRUE(outcomeSounds().isEmpty());
            break;
        case Refusal:
            EXPECT_EQ(button, Machine::kInsuffisant) << "the refusal ran to its end";
            EXPECT_EQ(couleur(s.commentaire), kRouge);
            break;
        }
        // Nothing runs afterwards: no sound, no draw, no change.
        p.advance(5000);
        EXPECT_EQ(p.sound().played.size(), sounds);
        EXPECT_EQ(s.label_melanger->caption(), button);
        for (std::size_t i = 0; i < 5; ++i)
            EXPECT_EQ(s.mot_machine[i]->caption(), windows[i]);
        EXPECT_EQ(r().score, score);
        if (c.way == Retour) {
            EXPECT_FALSE(p.cursor().confinement);
            // Coming back offers a whole new series.
            r().score = 100;
            openWith(100, 50);
            EXPECT_EQ(s.etat, 1);
            EXPECT_EQ(s.label_melanger->caption(), Machine::kMelanger);
            EXPECT_EQ(s.mot_machine[0]->caption(), word(50));
            EXPECT_EQ(couleur(s.mise->gains), kBleu);
        } else {
            // The save holds the score from before the spin.
            restartGame();
            jouer();
            EXPECT_EQ(r().score, score);
        }
    }
}

TEST_F(SlotMachine, EveryTextFitsItsControl) {
    Machine& s = screen();
    openWith(100);
    auto fitsOneLine = [](Label* label, const QString& text) {
        return label->fontMetrics().horizontalAdvance(text) <= label->contentsRect().width();
    };
    auto fitsHeight = [](Label* label) {
        return label->textHeight() <= label->contentsRect().height();
    };
    // Every word of the list in a window.
    for (const QString& w : liste_mots()) {
        s.mot_machine[0]->setCaption(w);
        EXPECT_TRUE(fitsOneLine(s.mot_machine[0], w)) << w.toStdString();
    }
    s.mot_machine[0]->setCaption(QStringLiteral("Score insuffisant !"));
    EXPECT_TRUE(fitsHeight(s.mot_machine[0]));
    for (const QString& part : {QStringLiteral("Score"), QStringLiteral("insuffisant !")})
        EXPECT_TRUE(fitsOneLine(s.mot_machine[0], part));

    // The button with the longest first names.
    for (const QString& prenom : {QStringLiteral("Wwwwwwwwwwwww"), QStringLiteral("Mmmmmmmmmmmmm"),
                                  QStringLiteral("Mw Mw Mw Mw M")}) {
        EXPECT_TRUE(fitsOneLine(s.label_melanger,
                                QStringLiteral("C'est parti ") + prenom + QStringLiteral(" !")))
            << prenom.toStdString();
        r().prenom = prenom;
        s.mise->gains->setCaption(QStringLiteral("\nVous êtes vraiment trop optimiste ") + prenom +
                                  QStringLiteral(" !\nVous pensez que je ne surveille pas votre "
                                                 "score ?\nIL FAUT AU MINIMUM 20 PIECES POUR "
                                                 "JOUER !"));
        EXPECT_TRUE(fitsHeight(s.mise->gains));
        for (const QString& line : s.mise->gains->caption().split(u'\n'))
            EXPECT_TRUE(fitsOneLine(s.mise->gains, line)) << line.toStdString();
    }
    EXPECT_TRUE(fitsOneLine(s.label_melanger, Machine::kInsuffisant));

    // The largest stake, its payout table, and its verdicts.
    const qint64 plusGrande = Mise::plafondMoitie(kScoreMax);
    s.mise->label_mise->setCaption(QString::number(plusGrande));
    EXPECT_TRUE(fitsOneLine(s.mise->label_mise, s.mise->label_mise->caption()));
    s.mise->mise = plusGrande;
    s.mise->afficher_gains();
    EXPECT_TRUE(fitsHeight(s.mise->gains));
    for (const QString& line : s.mise->gains->caption().split(u'\n'))
        EXPECT_TRUE(fitsOneLine(s.mise->gains, line)) << line.toStdString();
    const QString verdicts[] = {
        QStringLiteral("Placez votre mise grâce aux flèches de la fenêtre du bas puis appuyez sur "
                       "le bouton Mélanger et Jouer"),
        QStringLiteral("Vous avez moins de 20 pièces !\nAllez auparavant en gagner aux autres jeux "
                       "puis revenez me voir !"),
        QStringLiteral("La totale : 5 mots identiques ! Sensationnel !\nVous remportez 10 fois "
                       "votre mise : ") +
            QString::number(10 * plusGrande) + QStringLiteral(" pièces !"),
        QStringLiteral("5 mots différents ! Quelle catastrophe !\nVous perdez 2 fois votre mise "
                       ": ") +
            QString::number(2 * plusGrande) + QStringLiteral(" pièces.")};
    for (const QString& v : verdicts) {
        s.commentaire->setCaption(v);
        EXPECT_TRUE(fitsHeight(s.commentaire))
            << v.toStdString() << ": " << s.commentaire->textHeight();
    }
}
