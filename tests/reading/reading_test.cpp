#include "reading/defilement.h"
#include "reading/defilement_texte.h"
#include "reading/source_textes.h"
#include "reading/trous.h"
#include "support/game_fixture.h"

#include <QLineEdit>
#include <QRadioButton>
#include <sys/stat.h>

using namespace zm;
using namespace zm::testing;

namespace {

enum Personnage : int { Trous_ = 3, Defilement_ = 5 };

TexteLu texte(const QString& mot, std::array<qint16, 4> verites = {1, 0, 1, 0}) {
    TexteLu t;
    t.texte = QStringLiteral("Le texte ") + mot + QStringLiteral(".");
    for (std::size_t j = 0; j < 4; ++j)
        t.affirmations[j] = {verites[j], mot + QStringLiteral(" %1").arg(j),
                             QStringLiteral("Correction %1 de ").arg(j) + mot};
    return t;
}

struct Reading : GameTest {
    void writeTexts(const std::vector<TexteLu>& textes, const QByteArray& after = {}) {
        QByteArray bytes;
        for (const TexteLu& t : textes)
            bytes += ecrireTexte(t);
        QFile f(dir.filePath(QStringLiteral("2.bin")));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes + after);
    }
    void begin(const std::vector<TexteLu>& textes = {texte("un"), texte("deux")}) {
        writeTexts(textes);
        startGame();
        jouer();
    }
    Defilement& defilement() { return dynamic_cast<Defilement&>(epreuve(Defilement_)); }
    Trous& trous() { return dynamic_cast<Trous&>(epreuve(Trous_)); }
    // Starts the text at a speed and lets it scroll to its end.
    void lire(EcranDefilant& s, int speed = 0) {
        FakePlatform::press(s.vitesse[std::size_t(speed)]);
        click(s.commencer);
    }
    void answer(Defilement& s, int i) { click(s.oui_non[std::size_t(i)]); }
    void finishText(Defilement& s) {
        for (int j = 0; j < 4; ++j) {
            if (j > 0)
                click(s.suite);
            answer(s, 1);
        }
    }
};

} // namespace

TEST(Ticker, StepsThroughTheTapeAtItsSpeed) {
    const QString text = QStringLiteral("Bonjour les enfants !");
    EXPECT_EQ(nombreDePas(text), text.size() + 55);
    const QString tape = bandeDefilante(text);
    EXPECT_EQ(fenetreDuPas(tape, 0), QString(42, u'.'));
    EXPECT_EQ(fenetreDuPas(tape, 8), QString(42, u'.'));
    EXPECT_EQ(fenetreDuPas(tape, 9), QString(41, u'.') + "B");
    EXPECT_EQ(fenetreDuPas(tape, nombreDePas(text) - 1), QString(31, u'.')) << "fewer at the end";

    for (int delai : {75, 0}) {
        SCOPED_TRACE(delai);
        FakePlatform p;
        Label window(nullptr, QStringLiteral("texte_defilant"));
        std::vector<std::pair<qint64, QString>> shown;
        // A click handled during a step does not lengthen the step.
        for (int k = 0; k < 5; ++k)
            p.at(k * 333 + 7, [&] { p.clock().waitHoldingEvents(10); });
        const qint64 t0 = p.now();
        int steps = 0;
        // The fake clock wakes on time: one wait a step.
        ASSERT_TRUE(defiler_texte(p.clock(), window, text, delai, [&](int ms) {
            p.clock().waitLettingEventsRun(ms);
            shown.push_back({p.now(), window.caption()});
            ++steps;
            return true;
        }));
        EXPECT_EQ(steps, nombreDePas(text));
        EXPECT_EQ(p.now() - t0, qint64(nombreDePas(text)) * (50 + delai));
    }
}

TEST(Ticker, ALateWakeUpIsNotCarriedOver) {
    // A clock whose waits wake up a millisecond late, as real ones do; now
    // and then an event takes longer.
    struct LateClock : Clock {
        qint64 now = 0;
        int waits = 0;
        qint64 ticks() const override { return now; }
        void waitLettingEventsRun(int ms) override { now += ms + (++waits % 50 == 0 ? 40 : 1); }
        void waitHoldingEvents(int ms) override { now += ms; }
        void discardHeldInput() override {}
    } clock;
    Label window(nullptr, QStringLiteral("texte_defilant"));
    const QString text(100, u'a');
    ASSERT_TRUE(defiler_texte(clock, window, text, 75, [&](int ms) {
        clock.waitLettingEventsRun(ms);
        return true;
    }));
    // Small lateness is absorbed; each long one delays the rest once.
    const qint64 expected = qint64(nombreDePas(text)) * 125;
    EXPECT_GE(clock.now, expected);
    EXPECT_LE(clock.now, expected + 3 * 40 + 2);
}

TEST(Ticker, StopsWhenTheScreenIsLeft) {
    FakePlatform p;
    Label window(nullptr, QStringLiteral("texte_defilant"));
    int steps = 0;
    EXPECT_FALSE(defiler_texte(p.clock(), window, QStringLiteral("abc"), 0, [&](int ms) {
        p.clock().waitLettingEventsRun(ms);
        return ++steps < 3;
    }));
    EXPECT_EQ(steps, 3);
    EXPECT_EQ(p.now(), 150);
}

TEST_F(Reading, StatementsAreJudgedAndPointsGoBySpeed) {
    struct Case {
        int speed;
        int answer; // 1: VRAI, 0: FAUX
        qint32 before, after;
    };
    // The first statement is true.
    const Case cases[] = {{0, 1, 5, 6}, {1, 1, 5, 7}, {0, 0, 5, 4}, {1, 0, 0, 0}};
    begin();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.speed * 10 + c.answer);
        r().score = c.before;
        r().progression_defilement = 0;
        click(depart().anim[Defilement_]);
        Defilement& s = defilement();
        lire(s, c.speed);
        ASSERT_FALSE(s.oui_non[1]->isHidden());
        EXPECT_EQ(s.texte_defilant->caption(), QStringLiteral("un 0"));
        EXPECT_EQ(
            s.commentaire->caption(),
            QStringLiteral("Voici la première affirmation sur quatre.\rEst-ce Vrai ou Faux ?"));
        const QString message =
            r().messages_reponse[std::size_t(r().indice_message) + (c.answer == 1 ? 0 : 7)];
        answer(s, c.answer);
        EXPECT_EQ(r().score, c.after);
        EXPECT_EQ(s.commentaire->text(), message + " L'affirmation : \n'un 0'\nest VRAIE !!!");
        EXPECT_EQ(s.texte_defilant->caption(), QStringLiteral("Correction 0 de un"));
        EXPECT_EQ(s.suite->caption(), QStringLiteral("Un clic pour continuer..."));
        EXPECT_TRUE(s.oui_non[0]->isHidden());
        click(s.retour);
    }
}

TEST_F(Reading, TheScrollTakesItsTimeAndClicksMeanwhileDoNothing) {
    begin();
    click(depart().anim[Defilement_]);
    Defilement& s = defilement();
    FakePlatform::press(s.vitesse[1]);
    EXPECT_EQ(s.delai_vitesse, 0);
    // Clicks on everything that answers while the text scrolls.
    for (int k = 1; k <= 3; ++k)
        p.after(300 * k, [&] {
            click(s.aide);
            click(s.scoreLabel());
            click(s.background());
            click(s.texte_defilant);
            EXPECT_FALSE(p.cursor().shown());
        });
    const qint64 t0 = p.now();
    p.sound().clear();
    click(s.commencer);
    EXPECT_EQ(p.now() - t0, qint64(nombreDePas(s.texte_lu.texte)) * 50);
    EXPECT_EQ(game->stage().active(), &s) << "the help sheet did not open";
    EXPECT_EQ(s.numero_question, 0);
    EXPECT_TRUE(p.cursor().shown());
    EXPECT_EQ(p.sound().ambienceNames().size(), 2) << "one ambience before, one after";
}

TEST_F(Reading, AFinishedTextBringsTheNextOneAndTheFileWraps) {
    begin({texte("un"), texte("deux")});
    click(depart().anim[Defilement_]);
    Defilement& s = defilement();
    for (const char* expected : {"deux", "un", "deux"}) {
        lire(s);
        finishText(s);
        EXPECT_EQ(s.suite->caption(), QStringLiteral("Un clic pour le texte suivant..."));
        click(s.suite);
        EXPECT_EQ(s.texte_lu.texte, QStringLiteral("Le texte ") + expected + ".");
        EXPECT_FALSE(s.commencer->isHidden());
        EXPECT_FALSE(s.retour->isHidden());
    }
    // The place is kept: leaving and coming back shows the same text.
    click(s.retour);
    EXPECT_FALSE(r().fichier1) << "the file is closed on leaving";
    click(depart().anim[Defilement_]);
    EXPECT_EQ(s.texte_lu.texte, QStringLiteral("Le texte deux."));
}

TEST_F(Reading, APlacePastTheLastTextStartsAgain) {
    begin({texte("un"), texte("deux")});
    for (int place : {2, 3, 500, -4}) {
        SCOPED_TRACE(place);
        r().progression_defilement = place;
        click(depart().anim[Defilement_]);
        EXPECT_EQ(defilement().texte_lu.texte, QStringLiteral("Le texte un."));
        EXPECT_EQ(r().progression_defilement, 0) << "the place of the text shown";
        click(defilement().retour);
    }
}

TEST_F(Reading, ATruthValueOtherThanZeroOrOneMatchesNoAnswer) {
    begin({texte("un", {2, 2, 2, 2})});
    click(depart().anim[Defilement_]);
    Defilement& s = defilement();
    lire(s);
    r().score = 3;
    answer(s, 1);
    EXPECT_EQ(r().score, 2);
    EXPECT_TRUE(s.commentaire->text().endsWith("est VRAIE !!!"));
    click(s.suite);
    answer(s, 0);
    EXPECT_EQ(r().score, 1);
}

TEST_F(Reading, ABadTextsFileIsSaidAndNothingReadsIt) {
    struct Case {
        const char* name;
        std::optional<QByteArray> bytes; // nothing: no file at all
        const char* said;
    };
    const QByteArray good = ecrireTexte(texte("un"));
    const Case cases[] = {
        {"missing", std::nullopt, "Les textes de cet exercice sont introuvables"},
        {"empty", QByteArray(), "Les textes de cet exercice sont abîmés"},
        {"cut short", good.left(good.size() - 12), "Les textes de cet exercice sont abîmés"},
        {"a truth value that is no number", QByteArray(good).replace("\r\n1,", "\r\nx,"),
         "Les textes de cet exercice sont abîmés"},
        {"a line of 5 MB", QByteArray(5 << 20, 'a') + "\r\n" + good.mid(good.indexOf('\n') + 1),
         "Les textes de cet exercice sont abîmés"},
    };
    startGame();
    jouer();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QFile::remove(dir.filePath(QStringLiteral("2.bin")));
        if (c.bytes) {
            QFile f(dir.filePath(QStringLiteral("2.bin")));
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            f.write(*c.bytes);
        }
        click(depart().anim[Defilement_]);
        Defilement& s = defilement();
        EXPECT_TRUE(s.commentaire->caption().startsWith(QString::fromUtf8(c.said)))
            << s.commentaire->caption().toStdString();
        // Plain French: nothing of the reader's inner words, no raw bytes.
        EXPECT_TRUE(
            s.commentaire->caption().endsWith(QStringLiteral(" Revenez au menu avec Retour.")));
        EXPECT_FALSE(s.commentaire->caption().contains(QStringLiteral("vérité")));
        EXPECT_TRUE(s.commencer->isHidden());
        EXPECT_TRUE(s.vitesse[0]->isHidden());
        click(s.commencer);
        click(s.background());
        EXPECT_TRUE(s.oui_non[1]->isHidden());
        click(s.retour);
        EXPECT_EQ(game->stage().active(), &depart());
    }
}

TEST_F(Reading, APipeInPlaceOfTheTextsIsNeverWaitedOn) {
    startGame();
    jouer();
    QFile::remove(dir.filePath(QStringLiteral("2.bin")));
    ASSERT_EQ(::mkfifo(QFile::encodeName(dir.filePath(QStringLiteral("2.bin"))).constData(), 0600),
              0);
    click(depart().anim[Defilement_]);
    EXPECT_TRUE(defilement().commentaire->caption().startsWith(
        QStringLiteral("Les textes de cet exercice sont introuvables")));
    EXPECT_TRUE(defilement().commencer->isHidden());
}

TEST_F(Reading, ADamagedTextIsPassedOverAndThePlayersPlaceKept) {
    // One byte changed in the first of three texts: the other two stay
    // playable, and a player whose place is the third keeps it.
    QByteArray un = ecrireTexte(texte("un"));
    un.replace("\r\n1,", "\r\nX,");
    writeTexts({texte("deux"), texte("trois")});
    {
        QFile f(dir.filePath(QStringLiteral("2.bin")));
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        const QByteArray rest = f.readAll();
        f.close();
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(un + rest);
    }
    startGame();
    jouer();
    Defilement& s = defilement();
    struct Case {
        int place;
        const char* shown;
        int placeThen;
    };
    const Case cases[] = {
        {2, "Le texte trois.", 2}, {1, "Le texte deux.", 1}, {0, "Le texte deux.", 1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.place);
        r().progression_defilement = c.place;
        click(depart().anim[Defilement_]);
        EXPECT_EQ(s.texte_lu.texte, QString::fromUtf8(c.shown));
        EXPECT_EQ(r().progression_defilement, c.placeThen);
        EXPECT_FALSE(s.commencer->isHidden());
        click(s.retour);
    }
}

TEST_F(Reading, ComingBackShowsTheTextThatWasOffered) {
    // Three texts; the place runs through them and wraps, and each time the
    // screen is left and opened again it shows the text it had offered.
    begin({texte("un"), texte("deux"), texte("trois")});
    Defilement& s = defilement();
    const char* const expected[] = {"un", "deux", "trois", "un", "deux", "trois", "un"};
    r().progression_defilement = 0;
    click(depart().anim[Defilement_]);
    for (int k = 0; k < 7; ++k) {
        SCOPED_TRACE(k);
        const QString text = QStringLiteral("Le texte ") + QString::fromLatin1(expected[k]) + ".";
        EXPECT_EQ(s.texte_lu.texte, text);
        EXPECT_EQ(r().progression_defilement, k % 3);
        click(s.retour);
        click(depart().anim[Defilement_]);
        EXPECT_EQ(s.texte_lu.texte, text) << "the same text after coming back";
        lire(s);
        finishText(s);
        click(s.suite);
    }
}

TEST_F(Reading, GoodRecordsBeforeADamagedOneKeepWorking) {
    writeTexts({texte("un"), texte("deux")}, "cassé\r\n1,\"x\"");
    startGame();
    jouer();
    r().progression_defilement = 1;
    click(depart().anim[Defilement_]);
    Defilement& s = defilement();
    EXPECT_EQ(s.texte_lu.texte, QStringLiteral("Le texte deux."));
    lire(s);
    finishText(s);
    click(s.suite);
    EXPECT_EQ(s.texte_lu.texte, QStringLiteral("Le texte un.")) << "back to the first";
    EXPECT_FALSE(s.commencer->isHidden());
}

// --- the stolen words -------------------------------------------------------

namespace {

struct StolenWords : GameTest {
    void SetUp() override {
        startGame();
        jouer();
    }
    Trous& open(int row = 0) {
        r().progression_trous = row;
        click(depart().anim[Trous_]);
        Trous& s = dynamic_cast<Trous&>(epreuve(Trous_));
        click(s.commencer);
        return s;
    }
    void type(Trous& s, const QString& text) {
        s.reponse->setText(text);
        FakePlatform::key(s.reponse, Qt::Key_Return, QStringLiteral("\r"));
    }
};

} // namespace

TEST_F(StolenWords, TheTextComesBackWithItsWordsStolen) {
    Trous& s = open();
    EXPECT_EQ(s.commentaire->caption(),
              QStringLiteral("Je jouais avec mes ~~~~~~~ dans la cour quand je suis tombé sur les "
                             "~~~~~~~~. Les ~~~~~~ en ~~~~, j'ai serré les dents pour ne pas "
                             "pleurer."));
    EXPECT_EQ(s.texte_defilant->caption(),
              QStringLiteral("Vous avez 5 essais pour trouver les 4 mots."));
    EXPECT_FALSE(s.reponse->isHidden());
    EXPECT_FALSE(p.cursor().shown()) << "hidden until the text is done";
    EXPECT_TRUE(s.retour->isHidden());
}

TEST_F(StolenWords, TypedWordsAreJudgedAndCounted) {
    Trous& s = open();
    r().score = 1;
    struct Step {
        const char* typed;
        const char* said;
        qint32 score;
    };
    const Step steps[] = {
        {"   ", "Vous avez 5 essais pour trouver les 4 mots.", 1},
        {"COPAINS", "COPAINS ! Encore 4 essais pour 3 mots !", 2},
        {"copains", "COPAINS ? Encore 3 essais pour 3 mots !", 1},
        {"Genoux ", "GENOUX ! Encore 2 essais pour 2 mots !", 2},
        {"sang", "SANG ! Encore 1 essai pour 1 mot !", 3},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.typed);
        type(s, QString::fromUtf8(step.typed));
        EXPECT_EQ(s.texte_defilant->caption(), QString::fromUtf8(step.said));
        EXPECT_EQ(r().score, step.score);
        EXPECT_EQ(s.reponse->text(), QString());
    }
    EXPECT_EQ(s.nb_trouves, 3) << "a word found twice counts once";
    EXPECT_TRUE(s.commentaire->caption().contains(QStringLiteral("mes COPAINS dans")));
    // The fourth word on the fifth try: a success, not the solution.
    type(s, QStringLiteral("cailloux"));
    EXPECT_EQ(s.texte_defilant->caption(), QStringLiteral("Vous avez tout trouvé ! Bravo !"));
    EXPECT_EQ(s.commencer->caption(), QStringLiteral("CONTINUER"));
    EXPECT_TRUE(s.reponse->isHidden());
    EXPECT_TRUE(p.cursor().shown());
    EXPECT_EQ(r().progression_trous, 2);
}

TEST_F(StolenWords, AccentsCountAndFiveWrongTriesShowTheSolution) {
    Trous& s = open(2); // chameau, semaine, vaisseau, désert
    r().score = 2;
    type(s, QStringLiteral("desert"));
    EXPECT_EQ(s.texte_defilant->caption(),
              QStringLiteral("DESERT ? Encore 4 essais pour 4 mots !"));
    for (const char* w : {"a", "b", "c"})
        type(s, QString::fromLatin1(w));
    EXPECT_EQ(r().score, 0);
    type(s, QStringLiteral("chameau"));
    EXPECT_EQ(s.texte_defilant->caption(),
              QStringLiteral("Il ne vous reste plus d'essais ! Voici la solution !"));
    for (const char* w : {"CHAMEAU", "SEMAINE", "VAISSEAU", "DÉSERT"})
        EXPECT_TRUE(s.commentaire->caption().contains(QString::fromUtf8(w))) << w;
    EXPECT_FALSE(s.commentaire->caption().contains(u'~'));
    EXPECT_EQ(r().progression_trous, 4);
    EXPECT_EQ(s.commencer->caption(), QStringLiteral("CONTINUER"));
    // Further Enters change nothing.
    type(s, QStringLiteral("chameau"));
    EXPECT_EQ(r().progression_trous, 4);
}

TEST_F(StolenWords, TheListStartsAgainAfterItsLastText) {
    Trous& s = open(198);
    for (const char* w : {"bise", "sombre", "soleil", "cheminées"})
        type(s, QString::fromUtf8(w));
    EXPECT_EQ(r().progression_trous, 200);
    click(s.commencer); // CONTINUER
    EXPECT_EQ(s.commencer->caption(), QStringLiteral("COMMENCER"));
    EXPECT_EQ(r().progression_trous, 0);
    EXPECT_TRUE(s.texte_lu.startsWith(QStringLiteral("Je jouais avec mes copains")));
    EXPECT_EQ(s.mots_manquants[3], QStringLiteral("sang"));
}

TEST(StolenWordsHoles, TheFirstPlaceOfAWordIsStolenEvenInsideAnother) {
    std::array<qsizetype, 4> places{};
    const QString troue =
        Trous::trouerTexte(QStringLiteral("Le sanglier saigne, du sang, un chat."),
                           {QStringLiteral("sang"), QStringLiteral("chat"), QStringLiteral("zzz"),
                            QStringLiteral("du")},
                           places);
    EXPECT_EQ(troue, QStringLiteral("Le ~~~~lier saigne, ~~ sang, un ~~~~."));
    EXPECT_EQ(places, (std::array<qsizetype, 4>{3, 32, -1, 20}));
}

TEST_F(Reading, EveryShippedStatementAndVerdictFitsItsLabels) {
    begin();
    QFile source(QStringLiteral(ZM_SOURCE_DIR "/content/reading/textes_defilement.txt"));
    ASSERT_TRUE(source.open(QIODevice::ReadOnly));
    Defilement& s = defilement();
    const QString longest = r().messages_reponse[12] + QStringLiteral(" L'affirmation : \r'");
    for (const TexteLu& t : lireSourceTextes(QString::fromUtf8(source.readAll())).textes) {
        for (const Affirmation& a : t.affirmations) {
            for (const QString& shown : {a.affirmation, a.correction}) {
                s.texte_defilant->setCaption(shown);
                EXPECT_LE(s.texte_defilant->textHeight(), s.texte_defilant->height())
                    << shown.toStdString();
            }
            s.commentaire->setCaption(longest + a.affirmation + "'\rest FAUSSE !!!");
            EXPECT_LE(s.commentaire->textHeight(), s.commentaire->height())
                << a.affirmation.toStdString();
        }
    }
}

TEST_F(StolenWords, EveryTextWithItsHolesFitsItsLabel) {
    Trous& s = open();
    for (int row = 0; row < Trous::liste_trous().size(); row += 2) {
        s.commentaire->setCaption(Trous::liste_trous()[row].toUpper());
        EXPECT_LE(s.commentaire->textHeight(), s.commentaire->height()) << row;
    }
}

TEST_F(StolenWords, ALigatureMayBeTypedAsTwoLetters) {
    Trous& s = open(128); // ferme, poules, cochons, œufs
    type(s, QStringLiteral("oeufs"));
    EXPECT_EQ(s.nb_trouves, 1);
    EXPECT_TRUE(s.commentaire->caption().contains(QStringLiteral("les ŒUFS encore")));
}

TEST_F(StolenWords, AfterTheHelpSheetKeysGoToTheAnswerBoxAgain) {
    Trous& s = open();
    ASSERT_FALSE(s.reponse->isHidden());
    click(s.aide);
    ASSERT_EQ(game->stage().active(), &aide());
    click(aide().texte);
    ASSERT_EQ(game->stage().active(), &s);
    EXPECT_EQ(s.focusWidget(), s.reponse);
    type(s, QStringLiteral("copains"));
    EXPECT_EQ(s.nb_trouves, 1);
}
