// The quizzes answered by a click: animal expressions, synonyms and the
// missing syllable, on the fake platform with scripted draws.
#include "quizzes/animaux.h"
#include "quizzes/syllabes.h"
#include "quizzes/synonymes.h"
#include "shell/routines.h"
#include "shell/stage.h"
#include "support/game_fixture.h"

#include <QTextLayout>
#include <random>

using namespace zm;
using namespace zm::testing;

namespace {

enum Personnage : int { Animaux_ = 1, Synonymes_ = 4, Syllabes_ = 12 };

QColor texte(const Label* label) {
    return label->palette().color(QPalette::WindowText);
}
QColor fond(const Label* label) {
    return label->backgroundColour();
}
// A caption as the player reads it: the blanks that keep "!" with its word
// read as blanks, line breaks as "\n".
QString lu(const Label* label) {
    QString s = label->text();
    return s.replace(QChar(0xA0), QChar(u' '));
}
// The lines a word-wrapped label breaks its text into.
QStringList lignes(const Label* label) {
    QStringList vues;
    for (const QString& paragraphe : label->text().split(u'\n')) {
        QTextLayout mise(paragraphe, label->font());
        QTextOption option;
        option.setWrapMode(QTextOption::WordWrap);
        mise.setTextOption(option);
        mise.beginLayout();
        for (QTextLine ligne = mise.createLine(); ligne.isValid(); ligne = mise.createLine()) {
            ligne.setLineWidth(label->contentsRect().width());
            vues << paragraphe.mid(ligne.textStart(), ligne.textLength());
        }
        mise.endLayout();
    }
    return vues;
}
// The draw that picks row k of the 75 decoy names.
double nom(int k) {
    return k / 74.0;
}

// What sets the three quizzes apart, for the tests they share.
struct Quiz {
    const char* nom;
    int personnage;
    int lignes;
    int gain;
    int fois, msJaune, msBleu;
};
const Quiz kQuizzes[] = {
    {"animaux", Animaux_, 135, 2, 5, 50, 50},
    {"synonymes", Synonymes_, 127, 2, 5, 100, 100},
    {"syllabes", Syllabes_, 293, 1, 4, 75, 100},
};

struct ClickQuiz : GameTest {
    void SetUp() override {
        startGame();
        jouer();
    }
    QuizClic& quiz(int personnage) { return dynamic_cast<QuizClic&>(epreuve(personnage)); }
    Animaux& animaux() { return dynamic_cast<Animaux&>(epreuve(Animaux_)); }
    Synonymes& synonymes() { return dynamic_cast<Synonymes&>(epreuve(Synonymes_)); }
    Syllabes& syllabes() { return dynamic_cast<Syllabes&>(epreuve(Syllabes_)); }
    // Opens a quiz afresh at a row of its list.
    QuizClic& ouvrir(int personnage, int ligne) {
        QuizClic& q = quiz(personnage);
        if (game->stage().active() == &q)
            click(q.retour);
        q.setProgression(ligne);
        click(depart().anim[personnage]);
        return q;
    }
    QuizClic& ouvrir(int personnage, const QString& ligne) {
        const qsizetype i = quiz(personnage).liste().indexOf(ligne);
        EXPECT_GE(i, 0) << ligne.toStdString();
        return ouvrir(personnage, int(i));
    }
    // The answer at `place`, then the decoy names drawn in turn.
    void tirer(int place, std::initializer_list<double> leurres) {
        p.random().pushInt(place, 0, 3);
        for (double r : leurres)
            p.random().push(r);
    }
    void repondre(QuizClic& q, bool juste) {
        const int i = juste ? q.place_reponse : (q.place_reponse + 1) % int(q.cartes.size());
        click(q.cartes[std::size_t(i)]);
    }
    QStringList legendes(const QuizClic& q) {
        QStringList l;
        for (const Label* carte : q.cartes)
            l << carte->caption();
        return l;
    }
    // The distinct times at which a control was drawn at once.
    std::vector<qint64> dessins(const QString& nom, qint64 depuis = 0) {
        std::vector<qint64> t;
        for (const fake::Redraw& d : p.display().redraws)
            if (d.widget == nom && d.at >= depuis && (t.empty() || t.back() != d.at))
                t.push_back(d.at);
        return t;
    }
};

} // namespace

// --- animal expressions ------------------------------------------------------

TEST_F(ClickQuiz, AnimauxCompletesTheSayingWithTheClickedName) {
    struct Case {
        bool juste;
        QString montre, verdict;
    };
    const Case cases[] = {
        {true, "L'araignée du soir ... espoir !", "L'ARAIGNÉE DU SOIR ... ESPOIR !"},
        {false, "L'caniche du soir ... espoir !", "L'ARAIGNÉE DU SOIR ... ESPOIR !"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.juste);
        r().score = 5;
        tirer(2, {nom(1), nom(5), nom(8)});
        Animaux& a = dynamic_cast<Animaux&>(
            ouvrir(Animaux_, QStringLiteral("L'--- du soir ... espoir !,araignée")));
        EXPECT_EQ(lu(a.phrase), QStringLiteral("L'--- du soir ... espoir !"));
        EXPECT_EQ(legendes(a), QStringList({"caniche", "fouine", "araignée", "brebis"}));
        EXPECT_EQ(a.commentaire->caption(),
                  QStringLiteral("\nQuel est le nom d'animal qui complète cette expression ?"));
        EXPECT_EQ(texte(a.phrase), kBleu);
        EXPECT_EQ(texte(a.commentaire), kBleu);
        const int ligne = r().progression_animaux;
        const int indice = r().indice_message;
        click(a.reponse[c.juste ? 2 : 0]);
        EXPECT_EQ(lu(a.phrase), c.montre);
        EXPECT_EQ(lu(a.commentaire), r().messages_reponse[std::size_t(indice + (c.juste ? 0 : 7))] +
                                         "\n" + c.verdict + "\nUn clic pour continuer...");
        EXPECT_EQ(r().texte_message, QStringLiteral("L'araignée du soir ... espoir !"));
        EXPECT_EQ(r().score, c.juste ? 7 : 4);
        EXPECT_EQ(r().progression_animaux, ligne + 1);
        EXPECT_EQ(a.etat, QuizClic::Verdict);
        const QColor couleur = c.juste ? kBleu : kRouge;
        EXPECT_EQ(texte(a.phrase), couleur);
        EXPECT_EQ(texte(a.commentaire), couleur);
        EXPECT_EQ(texte(a.reponse[0]), c.juste ? kNoir : kRouge);
        EXPECT_EQ(texte(a.reponse[2]), kBleu) << "the right name ends its blink blue";
        EXPECT_EQ(texte(a.reponse[1]), kNoir);
        EXPECT_TRUE(p.sound().names().back().endsWith(c.juste ? ".vic" : ".def"));
        EXPECT_TRUE(p.cursor().shown());
        EXPECT_EQ(a.occupe, 0);
    }
}

TEST_F(ClickQuiz, AnimauxDecoysAreNeverTheAnswerNorTwiceTheSame) {
    // "cochon" is row 0 of the names and the answer of this saying; "caniche"
    // comes twice in a row; "fouine" and "zébu" are two rows each.
    Animaux& a = animaux();
    ASSERT_EQ(a.noms_animaux().indexOf(QStringLiteral("fouine")), 5);
    ASSERT_EQ(a.noms_animaux().lastIndexOf(QStringLiteral("fouine")), 45);
    ASSERT_EQ(a.noms_animaux().indexOf(QStringLiteral("zébu")), 12);
    ASSERT_EQ(a.noms_animaux().lastIndexOf(QStringLiteral("zébu")), 57);
    tirer(1, {nom(0), nom(1), nom(0), nom(1), nom(5), nom(45), nom(0), nom(5), nom(57)});
    ouvrir(Animaux_, QStringLiteral("Il m'a joué un tour de --- !,cochon"));
    EXPECT_EQ(legendes(a), QStringList({"caniche", "cochon", "fouine", "zébu"}));
    EXPECT_EQ(p.random().scriptLeft(), 0u) << "every rejected draw was drawn again";
    EXPECT_GE(p.random().seeds, 1);
}

TEST_F(ClickQuiz, AnimauxFourDifferentNamesForEverySaying) {
    // Every saying of the list, the six whose answer is also a decoy name
    // among them, over ordinary draws.
    std::mt19937 hasard(12);
    std::uniform_real_distribution<double> tirage(0.0, 1.0);
    Animaux& a = animaux();
    for (int ligne = 0; ligne < int(a.liste().size()); ++ligne) {
        SCOPED_TRACE(a.liste()[ligne].toStdString());
        for (int k = 0; k < 60; ++k)
            p.random().push(tirage(hasard));
        ouvrir(Animaux_, ligne);
        const QStringList l = legendes(a);
        EXPECT_EQ(QSet<QString>(l.begin(), l.end()).size(), 4) << l.join(u' ').toStdString();
        EXPECT_EQ(l.count(r().texte_reponse), 1);
        EXPECT_EQ(l[a.place_reponse], r().texte_reponse);
        while (p.random().scriptLeft() > 0)
            p.random().next();
    }
}

TEST_F(ClickQuiz, AnimauxDecoyDrawIsRoundedSoTheEndRowsComeHalfAsOften) {
    // Row k is drawn for r in [(k - 0.5) / 74, (k + 0.5) / 74): the first and
    // the last rows have half that width.
    const double d = 1e-9;
    struct Case {
        double r;
        const char* nom;
    };
    const Case cases[] = {
        {0.0, "cochon"},           {0.5 / 74 - d, "cochon"},   {0.5 / 74 + d, "caniche"},
        {1.5 / 74 - d, "caniche"}, {73.5 / 74 - d, "goéland"}, {73.5 / 74 + d, "dorade"},
        {0.99999, "dorade"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.r);
        tirer(0, {c.r, nom(20), nom(30)});
        Animaux& a = dynamic_cast<Animaux&>(ouvrir(Animaux_, 0));
        ASSERT_EQ(a.reponse[0]->caption(), QStringLiteral("vache"));
        EXPECT_EQ(a.reponse[1]->caption(), QString::fromUtf8(c.nom));
        EXPECT_EQ(a.reponse[2]->caption(), a.noms_animaux()[20]);
    }
}

TEST_F(ClickQuiz, AnimauxClickOnThePhraseOnlyGoesOnAfterAnAnswer) {
    tirer(0, {nom(1), nom(2), nom(3)});
    Animaux& a = dynamic_cast<Animaux&>(ouvrir(Animaux_, 0));
    click(a.phrase);
    EXPECT_EQ(a.etat, QuizClic::Attente);
    EXPECT_EQ(r().progression_animaux, 0);
    click(a.reponse[0]);
    click(a.phrase);
    EXPECT_EQ(a.etat, QuizClic::Attente);
    EXPECT_EQ(lu(a.phrase), QStringLiteral("C'est là que gît le --- !"));
}

// --- synonyms ----------------------------------------------------------------

TEST_F(ClickQuiz, SynonymesShowsTheWordAndJudgesTheCandidate) {
    struct Case {
        int clic;
        bool juste;
    };
    for (const Case c : {Case{1, true}, Case{3, false}}) {
        SCOPED_TRACE(c.clic);
        r().score = 5;
        p.sound().clear();
        Synonymes& s = dynamic_cast<Synonymes&>(ouvrir(Synonymes_, 0));
        EXPECT_EQ(s.mot_propose->caption(), QStringLiteral("VERMILLON"));
        EXPECT_EQ(legendes(s), QStringList({"LOMBRIC", "ROUGE", "CHAPEAU", "REPTILE"}));
        EXPECT_EQ(s.place_reponse, 1);
        EXPECT_EQ(s.commentaire->caption(), Synonymes::kConsigne);
        EXPECT_EQ(texte(s.commentaire), kBleu);
        EXPECT_TRUE(s.label_aide->isHidden());
        const int indice = r().indice_message;
        click(s.reponse[std::size_t(c.clic)]);
        EXPECT_EQ(s.commentaire->caption(),
                  r().messages_reponse[std::size_t(indice + (c.juste ? 0 : 7))] +
                      QStringLiteral("  VERMILLON --> ROUGE"));
        EXPECT_EQ(texte(s.commentaire), c.juste ? kBleu : kRouge);
        EXPECT_EQ(texte(s.reponse[1]), kBleu);
        EXPECT_EQ(texte(s.reponse[3]), c.juste ? kNoir : kRouge);
        EXPECT_FALSE(s.label_aide->isHidden());
        EXPECT_EQ(s.label_aide->caption(), QStringLiteral("Un clic pour continuer..."));
        EXPECT_EQ(texte(s.label_aide), kJaune);
        EXPECT_EQ(r().score, c.juste ? 7 : 4);
        EXPECT_EQ(r().progression_synonymes, 1);
    }
}

TEST_F(ClickQuiz, SynonymesEveryContinueClickBringsTheNextWordWithASound) {
    Synonymes& s = dynamic_cast<Synonymes&>(ouvrir(Synonymes_, 0));
    auto fond_ = [&] { return static_cast<QWidget*>(s.background()); };
    const std::vector<std::function<QWidget*()>> clics = {
        [&] { return s.reponse[2]; }, [&] { return s.mot_propose; },  [&] { return s.commentaire; },
        [&] { return s.label_aide; }, [&] { return s.scoreLabel(); }, fond_};
    for (std::size_t k = 0; k < clics.size(); ++k) {
        SCOPED_TRACE(k);
        click(s.reponse[0]);
        const int score = r().score;
        const QString mot = s.mot_propose->caption();
        p.sound().clear();
        click(clics[k]());
        EXPECT_EQ(r().score, score) << "a continue click judges nothing";
        EXPECT_EQ(s.etat, QuizClic::Attente);
        EXPECT_NE(s.mot_propose->caption(), mot);
        EXPECT_EQ(p.sound().effectNames().size(), 1);
        EXPECT_TRUE(s.label_aide->isHidden());
        EXPECT_EQ(s.commentaire->caption(), Synonymes::kConsigne);
        EXPECT_EQ(texte(s.commentaire), kBleu);
        for (const Label* carte : s.reponse)
            EXPECT_EQ(texte(carte), kNoir);
    }
    EXPECT_EQ(r().progression_synonymes, int(clics.size()));
}

// --- the missing syllable ---------------------------------------------------

TEST_F(ClickQuiz, SyllabesShowsThePhraseAsChosenAndJudgesIt) {
    struct Case {
        int clic;
        bool juste;
        QString montre, commentaire;
    };
    const Case cases[] = {
        {1, true, " Le coffre fermé ", "LE COFFRE FERMÉ !\n%1\nUn clic pour continuer..."},
        {2, false, " Le cophre fermé ", "%1\nLE COFFRE FERMÉ !\nUn clic pour continuer..."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.clic);
        r().score = 5;
        Syllabes& s = dynamic_cast<Syllabes&>(ouvrir(Syllabes_, 0));
        EXPECT_EQ(s.label_mot->caption(), QStringLiteral(" Le co--re fermé "));
        EXPECT_EQ(legendes(s), QStringList({"f", "ff", "ph"}));
        EXPECT_EQ(s.commentaire->text(),
                  QStringLiteral("Quelle syllabe choisir\npour compléter ce mot ?"));
        EXPECT_EQ(s.retour->objectName(), QStringLiteral("sortie"));
        EXPECT_EQ(s.retour->caption(), QStringLiteral("Retour"));
        const int indice = r().indice_message;
        click(s.syl[std::size_t(c.clic)]);
        EXPECT_EQ(s.label_mot->caption(), c.montre);
        EXPECT_EQ(s.commentaire->text(),
                  c.commentaire.arg(r().messages_reponse[std::size_t(indice + (c.juste ? 0 : 7))]));
        EXPECT_EQ(texte(s.commentaire), c.juste ? kNoir : kRouge);
        EXPECT_EQ(texte(s.syl[1]), kBleu);
        EXPECT_EQ(texte(s.syl[2]), c.juste ? kNoir : kRouge);
        EXPECT_EQ(texte(s.syl[0]), kNoir);
        EXPECT_EQ(r().score, c.juste ? 6 : 4);
        EXPECT_EQ(r().progression_syllabes, 1);
    }
}

TEST_F(ClickQuiz, SyllabesNextPhraseComesOnADrawnColour) {
    Syllabes& s = dynamic_cast<Syllabes&>(ouvrir(Syllabes_, 0));
    for (Label* l : {s.label_mot, s.commentaire, s.syl[0], s.syl[2]})
        EXPECT_EQ(fond(l), kCyan);
    const QColor couleurs[] = {kCyan, kJaune, kVert};
    for (int c : {1, 2, 0, 2}) {
        SCOPED_TRACE(c);
        click(s.syl[0]);
        p.random().pushInt(c, 0, 2);
        click(s.commentaire);
        for (Label* l : {s.label_mot, s.commentaire, s.syl[0], s.syl[1], s.syl[2]})
            EXPECT_EQ(fond(l), couleurs[c]) << l->objectName().toStdString();
        for (Label* l : {s.commentaire, s.syl[0], s.syl[1], s.syl[2]})
            EXPECT_EQ(texte(l), kNoir) << l->objectName().toStdString();
        EXPECT_EQ(s.commentaire->caption(), Syllabes::kConsigne);
        EXPECT_EQ(s.etat, QuizClic::Attente);
    }
    // A visit from the start screen keeps the colour of the last phrase.
    click(s.retour);
    click(depart().anim[Syllabes_]);
    EXPECT_EQ(fond(s.label_mot), kVert);
}

TEST_F(ClickQuiz, SyllabesAGroupNumberOutsideOneToFourLeavesTheLetterGroups) {
    Syllabes& s = syllabes();
    s.setListe({QStringLiteral("4,Un chap--,Un chapeau,0"), QStringLiteral("7,Le ca--é,Le café,2"),
                QStringLiteral("0,Un --,Un x,1"), QStringLiteral("2,Un --imono,Un kimono,2")});
    ouvrir(Syllabes_, 0);
    EXPECT_EQ(legendes(s), QStringList({"eau", "o", "au"}));
    for (int ligne : {1, 2}) {
        SCOPED_TRACE(ligne);
        ouvrir(Syllabes_, ligne);
        EXPECT_EQ(legendes(s), QStringList({"eau", "o", "au"}));
        click(s.syl[0]);
        EXPECT_EQ(s.etat, QuizClic::Verdict) << "the phrase is still asked and judged";
    }
    ouvrir(Syllabes_, 3);
    EXPECT_EQ(legendes(s), QStringList({"c", "qu", "k"}));
}

// --- what the three share ----------------------------------------------------

TEST_F(ClickQuiz, EveryListStartsAgainAfterItsLastRow) {
    for (const Quiz& q : kQuizzes) {
        SCOPED_TRACE(q.nom);
        QuizClic& z = quiz(q.personnage);
        ASSERT_EQ(z.liste().size(), q.lignes);
        ouvrir(q.personnage, 0);
        const QString premier = z.enonce->caption();
        // The last row, answered: the next question is the first row.
        ouvrir(q.personnage, q.lignes - 1);
        const QString dernier = z.enonce->caption();
        repondre(z, true);
        EXPECT_EQ(z.progression(), q.lignes);
        click(z.commentaire);
        EXPECT_EQ(z.enonce->caption(), premier);
        EXPECT_EQ(z.progression(), 0);
        // A place past the end, or below 0 from an edited save file.
        for (int place : {q.lignes, q.lignes + 40, -3}) {
            ouvrir(q.personnage, place);
            EXPECT_EQ(z.enonce->caption(), premier) << place;
            EXPECT_EQ(z.progression(), 0);
        }
        EXPECT_NE(dernier, premier);
    }
}

TEST_F(ClickQuiz, AWrongAnswerNeverTakesTheScoreBelowZero) {
    for (const Quiz& q : kQuizzes) {
        for (int depart_ : {0, 1, 6}) {
            SCOPED_TRACE(std::string(q.nom) + " from " + std::to_string(depart_));
            r().score = depart_;
            QuizClic& z = ouvrir(q.personnage, 3);
            p.display().redraws.clear();
            repondre(z, false);
            EXPECT_EQ(r().score, std::max(0, depart_ - 1));
            // The score label is animated only when points were taken.
            EXPECT_EQ(dessins(QStringLiteral("label_score")).empty(), depart_ == 0);
            EXPECT_EQ(lu(z.scoreLabel()), QStringLiteral("Score\n") + QString::number(r().score));
            click(z.commentaire);
            repondre(z, true);
            EXPECT_EQ(r().score, std::max(0, depart_ - 1) + q.gain);
        }
    }
}

TEST_F(ClickQuiz, ClicksWhileAQuestionWaitsDoNothing) {
    for (const Quiz& q : kQuizzes) {
        SCOPED_TRACE(q.nom);
        QuizClic& z = ouvrir(q.personnage, 5);
        const QString enonce = z.enonce->caption(), commentaire = z.commentaire->caption();
        const QStringList cartes = legendes(z);
        const int score = r().score;
        p.sound().clear();
        p.display().redraws.clear();
        for (QWidget* w : std::initializer_list<QWidget*>{z.commentaire, z.scoreLabel(),
                                                          z.background(), z.enonce}) {
            click(w);
            EXPECT_EQ(z.etat, QuizClic::Attente) << w->objectName().toStdString();
        }
        EXPECT_EQ(z.enonce->caption(), enonce);
        EXPECT_EQ(z.commentaire->caption(), commentaire);
        EXPECT_EQ(legendes(z), cartes);
        EXPECT_EQ(z.progression(), 5);
        EXPECT_EQ(r().score, score);
        EXPECT_TRUE(p.sound().played.empty());
        EXPECT_TRUE(p.display().redraws.empty());
    }
}

TEST_F(ClickQuiz, PraiseAndReproachTakeTurnsAcrossTheQuizzes) {
    r().indice_message = 4;
    // Eight answers, right and wrong, from one quiz to the next: the eighth
    // message is the first again.
    const std::pair<int, bool> reponses[] = {
        {Animaux_, true},   {Synonymes_, false}, {Syllabes_, true}, {Animaux_, false},
        {Syllabes_, false}, {Synonymes_, true},  {Animaux_, true},  {Syllabes_, true}};
    int indice = 4;
    for (const auto& [personnage, juste] : reponses) {
        QuizClic& z = ouvrir(personnage, 2);
        repondre(z, juste);
        const QString message = r().messages_reponse[std::size_t(indice + (juste ? 0 : 7))];
        EXPECT_TRUE(lu(z.commentaire).contains(message))
            << z.objectName().toStdString() << ": " << lu(z.commentaire).toStdString();
        indice = (indice + 1) % 7;
        EXPECT_EQ(r().indice_message, indice);
    }
    EXPECT_EQ(r().indice_message, 5);
}

TEST_F(ClickQuiz, TheHelpSheetLeavesTheQuestionOrTheVerdictAsItWas) {
    for (const Quiz& q : kQuizzes) {
        for (bool repondu : {false, true}) {
            SCOPED_TRACE(std::string(q.nom) + (repondu ? ", verdict" : ", question"));
            QuizClic& z = ouvrir(q.personnage, 7);
            if (q.personnage == Syllabes_) {
                // A phrase on another colour than the one of the design.
                click(z.cartes[0]);
                p.random().pushInt(1, 0, 2);
                click(z.background());
            }
            if (repondu)
                repondre(z, false);
            auto etatVisible = [&] {
                QStringList v = {QString::number(z.etat),    z.enonce->caption(),
                                 z.commentaire->caption(),   z.scoreLabel()->caption(),
                                 texte(z.enonce).name(),     texte(z.commentaire).name(),
                                 fond(z.commentaire).name(), fond(z.enonce).name()};
                for (const Label* carte : z.cartes)
                    v << carte->caption() << texte(carte).name() << fond(carte).name();
                if (auto* aide_ = z.findChild<Label*>(QStringLiteral("label_aide")))
                    v << QString::number(aide_->isVisible());
                return v;
            };
            const QStringList avant = etatVisible();
            const int progression = z.progression();
            click(z.aide);
            EXPECT_EQ(game->stage().active(), &aide());
            click(aide().texte);
            EXPECT_EQ(game->stage().active(), &z);
            EXPECT_EQ(etatVisible(), avant);
            EXPECT_EQ(z.progression(), progression);
            EXPECT_EQ(p.cursor().confinement, QRect(0, 0, 800, 600));
            // The game goes on from there.
            if (repondu) {
                click(z.commentaire);
                EXPECT_EQ(z.etat, QuizClic::Attente);
                EXPECT_EQ(z.progression(), progression);
            } else {
                repondre(z, true);
                EXPECT_EQ(z.etat, QuizClic::Verdict);
                EXPECT_EQ(z.progression(), progression + 1);
            }
        }
    }
}

TEST_F(ClickQuiz, TheRightAnswerBlinksHoldingEverythingElse) {
    for (const Quiz& q : kQuizzes) {
        for (bool juste : {true, false}) {
            SCOPED_TRACE(std::string(q.nom) + (juste ? ", right" : ", wrong"));
            r().score = 10;
            QuizClic& z = ouvrir(q.personnage, 9);
            const QString clignotante = z.cartes[std::size_t(z.place_reponse)]->objectName();
            p.display().redraws.clear();
            const qint64 t0 = p.now();
            repondre(z, juste);
            const std::vector<qint64> flashs = dessins(clignotante, t0);
            ASSERT_EQ(flashs.size(), std::size_t(2 * q.fois));
            for (int k = 0; k + 1 < int(flashs.size()); ++k)
                EXPECT_EQ(flashs[k + 1] - flashs[k], k % 2 == 0 ? q.msJaune : q.msBleu) << k;
            const std::vector<qint64> score = dessins(QStringLiteral("label_score"), t0);
            ASSERT_FALSE(score.empty());
            // The right saying blinks before its points are counted; every
            // other verdict counts first.
            if (q.personnage == Animaux_ && juste)
                EXPECT_LE(flashs.back() + q.msBleu, score.front());
            else
                EXPECT_LE(score.back(), flashs.front());
            // The verdict is drawn whole before the waits.
            EXPECT_EQ(dessins(z.objectName(), t0).front(), t0);
            const qint64 duree = qint64(q.fois) * (q.msJaune + q.msBleu) + 12 * 20;
            EXPECT_EQ(p.now() - t0, duree);
            EXPECT_EQ(texte(z.cartes[std::size_t(z.place_reponse)]), kBleu);
            click(z.retour);
        }
    }
}

TEST_F(ClickQuiz, ACardClickedDuringTheVerdictGoesOnWithoutJudging) {
    for (const Quiz& q : kQuizzes) {
        for (int carte = 0; carte < (q.personnage == Syllabes_ ? 3 : 4); ++carte) {
            SCOPED_TRACE(std::string(q.nom) + " card " + std::to_string(carte));
            r().score = 10;
            QuizClic& z = ouvrir(q.personnage, 30);
            repondre(z, true);
            const int score = r().score;
            p.display().redraws.clear();
            click(z.cartes[std::size_t(carte)]);
            EXPECT_EQ(z.etat, QuizClic::Attente);
            EXPECT_EQ(z.progression(), 31);
            EXPECT_EQ(r().score, score);
            EXPECT_TRUE(dessins(QStringLiteral("label_score")).empty());
            for (const Label* c : z.cartes)
                EXPECT_EQ(texte(c), kNoir);
        }
    }
}

TEST_F(ClickQuiz, ClicksMadeDuringTheVerdictAreDropped) {
    // The verdict holds the screen (occupe): what is clicked meanwhile, a
    // card, the phrase, the background or "Retour", neither skips the verdict
    // nor judges twice. The next click made once it is shown goes on.
    for (const Quiz& q : kQuizzes) {
        SCOPED_TRACE(q.nom);
        r().score = 10;
        QuizClic& z = ouvrir(q.personnage, 11);
        p.after(10, [&] { click(z.cartes[0]); });
        p.after(20, [&] { click(z.enonce); });
        p.after(30, [&] { click(z.background()); });
        p.after(40, [&] { click(z.retour); });
        repondre(z, false);
        const QString verdict = z.commentaire->caption();
        p.advance(2000);
        EXPECT_EQ(game->stage().active(), &z);
        EXPECT_EQ(z.etat, QuizClic::Verdict);
        EXPECT_EQ(z.occupe, 0);
        EXPECT_EQ(z.commentaire->caption(), verdict);
        EXPECT_EQ(z.progression(), 12);
        EXPECT_EQ(r().score, 9);
        EXPECT_TRUE(p.cursor().shown());
        click(z.enonce);
        EXPECT_EQ(z.etat, QuizClic::Attente);
        EXPECT_EQ(z.progression(), 12);
        click(z.retour);
    }
}

TEST_F(ClickQuiz, LeavingDuringTheVerdict) {
    enum class Sortie { Retour, FenetreFermee };
    for (const Quiz& q : kQuizzes) {
        for (Sortie sortie : {Sortie::Retour, Sortie::FenetreFermee}) {
            SCOPED_TRACE(std::string(q.nom) +
                         (sortie == Sortie::Retour ? ", retour" : ", window closed"));
            restartGame();
            jouer();
            r().score = 10;
            QuizClic& z = ouvrir(q.personnage, 20);
            repondre(z, false);
            ASSERT_EQ(z.etat, QuizClic::Verdict);
            const qint64 parti = p.now();
            if (sortie == Sortie::Retour) {
                click(z.retour);
            } else {
                EXPECT_TRUE(game->quitRequested());
            }
            p.advance(3000);
            EXPECT_TRUE(z.isHidden());
            QStringList noms = {z.objectName(), z.enonce->objectName(),
                                QStringLiteral("commentaire"), QStringLiteral("label_aide")};
            for (const Label* carte : z.cartes)
                noms << carte->objectName();
            for (const fake::Redraw& d : p.display().redraws)
                EXPECT_FALSE(d.at > parti && noms.contains(d.widget))
                    << d.widget.toStdString() << " redrawn";
            if (sortie == Sortie::FenetreFermee) {
                EXPECT_TRUE(game->ended());
                // The answered row is behind the player in the save file.
                restartGame();
                jouer();
                EXPECT_EQ(quiz(q.personnage).progression(), 21);
                EXPECT_EQ(r().score, 9);
                continue;
            }
            EXPECT_EQ(game->stage().active(), &depart());
            EXPECT_FALSE(p.cursor().confinement);
            EXPECT_TRUE(depart().timer().isActive());
            EXPECT_FALSE(depart().scoreLabel()->isHidden());
            // Coming back asks the next row afresh.
            click(depart().anim[q.personnage]);
            EXPECT_EQ(z.etat, QuizClic::Attente);
            EXPECT_EQ(z.progression(), 21);
            EXPECT_EQ(z.enonce->caption(), ouvrir(q.personnage, 21).enonce->caption());
            EXPECT_EQ(texte(z.commentaire), q.personnage == Syllabes_ ? kNoir : kBleu);
            for (const Label* carte : z.cartes)
                EXPECT_EQ(texte(carte), kNoir);
            if (auto* aide_ = z.findChild<Label*>(QStringLiteral("label_aide"))) {
                EXPECT_TRUE(aide_->isHidden());
            }
        }
    }
}

TEST_F(ClickQuiz, DamagedRowsAskWhatTheyCanWithoutFailing) {
    animaux().setListe({QStringLiteral("Pas de virgule ni de tirets"), QString()});
    animaux().setNoms({QStringLiteral("chat"), QStringLiteral("chat")});
    synonymes().setListe({QStringLiteral("mot,seul,9"), QStringLiteral("x")});
    syllabes().setListe({QStringLiteral("1,sans fin"), QStringLiteral("3"), QString()});
    for (const Quiz& q : kQuizzes) {
        for (int ligne : {0, 1}) {
            SCOPED_TRACE(std::string(q.nom) + " row " + std::to_string(ligne));
            QuizClic& z = ouvrir(q.personnage, ligne);
            for (Label* carte : z.cartes) {
                click(carte);
                EXPECT_EQ(z.etat, QuizClic::Verdict);
                click(z.commentaire);
                EXPECT_EQ(z.etat, QuizClic::Attente);
            }
        }
    }
    // With one name for three decoys, the cards that cannot differ stay empty.
    ouvrir(Animaux_, 0);
    const QStringList l = legendes(animaux());
    EXPECT_EQ(l.count(QStringLiteral("chat")), 1);
    EXPECT_EQ(l.count(QString()), 3);
}

TEST_F(ClickQuiz, EveryRowAndItsVerdictFitTheirLabels) {
    // The widest name the roster can make, and the widest message of each kind.
    r().prenom = QStringLiteral("Mmmmmmmmmmmmm");
    r().preparer_messages();
    auto plusLarge = [&](QuizClic& z, int depuis) {
        const QFontMetrics m(z.commentaire->font());
        int meilleur = depuis;
        for (int i = depuis; i < depuis + 7; ++i)
            if (m.horizontalAdvance(r().messages_reponse[std::size_t(i)]) >
                m.horizontalAdvance(r().messages_reponse[std::size_t(meilleur)]))
                meilleur = i;
        return meilleur;
    };
    auto tient = [](const Label* l) {
        if (l->wordWrap())
            return l->textHeight() <= l->height();
        return l->sizeHint().width() <= l->width() && l->sizeHint().height() <= l->height();
    };
    auto verifier = [&](const QuizClic& z, const char* moment) {
        std::vector<const Label*> labels = {z.enonce, z.commentaire};
        labels.insert(labels.end(), z.cartes.begin(), z.cartes.end());
        if (auto* aide_ = z.findChild<Label*>(QStringLiteral("label_aide")))
            labels.push_back(aide_);
        // "!", "?", ":" and ";" never start a line, away from their word.
        for (const Label* l : {z.enonce, z.commentaire})
            for (const QString& ligne : lignes(l))
                EXPECT_FALSE(QStringLiteral("!?:;").contains(ligne.trimmed().left(1)) &&
                             !ligne.trimmed().isEmpty())
                    << moment << ", " << l->objectName().toStdString() << ": "
                    << lignes(l).join(u'|').toStdString();
        for (const Label* l : labels)
            EXPECT_TRUE(tient(l)) << moment << ", " << l->objectName().toStdString() << ": "
                                  << lu(l).toStdString() << " (" << l->textHeight() << " in "
                                  << l->height() << ", " << l->sizeHint().width() << " in "
                                  << l->width() << ")";
    };
    for (const Quiz& q : kQuizzes) {
        QuizClic& z = quiz(q.personnage);
        for (int ligne = 0; ligne < q.lignes; ++ligne) {
            SCOPED_TRACE(std::string(q.nom) + ": " + z.liste()[ligne].toStdString());
            for (bool juste : {true, false}) {
                ouvrir(q.personnage, ligne);
                verifier(z, "asked");
                r().indice_message = qint16(plusLarge(z, juste ? 0 : 7) % 7);
                // A wrong answer chooses the widest wrong card.
                int choix = z.place_reponse;
                if (!juste) {
                    choix = (z.place_reponse + 1) % int(z.cartes.size());
                    for (int i = 0; i < int(z.cartes.size()); ++i)
                        if (i != z.place_reponse &&
                            z.cartes[std::size_t(i)]->sizeHint().width() >
                                z.cartes[std::size_t(choix)]->sizeHint().width())
                            choix = i;
                }
                click(z.cartes[std::size_t(choix)]);
                verifier(z, juste ? "right" : "wrong");
            }
        }
    }
    // Every decoy name fits a card.
    Animaux& a = dynamic_cast<Animaux&>(ouvrir(Animaux_, 0));
    for (const QString& n : a.noms_animaux()) {
        a.reponse[0]->setCaption(n);
        EXPECT_TRUE(tient(a.reponse[0])) << n.toStdString();
    }
}
