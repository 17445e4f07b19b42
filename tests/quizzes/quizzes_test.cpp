#include "quizzes/femelles.h"
#include "quizzes/pluriels.h"
#include "quizzes/verbes.h"
#include "support/game_fixture.h"

#include <QLineEdit>

using namespace zm;
using namespace zm::testing;

namespace {

enum Personnage : int { Femelles_ = 2, Pluriels_ = 10, Verbes_ = 13 };

struct Quiz : GameTest {
    void SetUp() override {
        startGame();
        jouer();
    }
    template <class T> T& open(int k) {
        click(depart().anim[k]);
        return dynamic_cast<T&>(epreuve(k));
    }
    // Types a text in the answer box (replacing it) and presses Enter.
    void enter(QuizSaisie& quiz, const QString& typed) {
        if (!quiz.reponse->isReadOnly())
            quiz.reponse->setText(typed);
        FakePlatform::key(quiz.reponse, Qt::Key_Return, QStringLiteral("\r"));
    }
    void enter(QuizSaisie& quiz) { FakePlatform::key(quiz.reponse, Qt::Key_Return, "\r"); }
    // Points the quiz at a row of its list and asks it afresh.
    template <class T> T& openAt(int k, int Routines::*progression, const QString& row) {
        T& quiz = open<T>(k);
        const qsizetype i = quiz.liste().indexOf(row);
        EXPECT_GE(i, 0) << row.toStdString();
        click(quiz.retour);
        r().*progression = int(i);
        return open<T>(k);
    }
    static QColor textColour(QuizSaisie& q) { return q.reponse->palette().color(QPalette::Text); }
    static QColor boxColour(QuizSaisie& q) { return q.reponse->palette().color(QPalette::Base); }
    static QString line(Label* label, int n) { return label->text().split(u'\n').value(n); }
};

} // namespace

TEST_F(Quiz, FemellesJudgesTheTypedAnswer) {
    struct Case {
        QString row, typed, shown;
        bool right;
        QString correction;
    };
    const Case cases[] = {
        {"2,du sanglier,marcassin,le", "  Marcassin ", "marcassin", true,
         "Le PETIT du sanglier est bien le MARCASSIN !"},
        {"2,du sanglier,marcassin,le", "marcasin", "marcasin", false,
         "Le PETIT du sanglier est le MARCASSIN !"},
        {"1,de l'éléphant,éléphante,l'", "elephante", "elephante", false,
         "La FEMELLE de l'éléphant est l'ÉLÉPHANTE !"},
        {"1,de l'éléphant,éléphante,l'", "ÉLÉPHANTE", "éléphante", true,
         "La FEMELLE de l'éléphant est bien l'ÉLÉPHANTE !"},
        {"1,du tigre,tigresse,la", "tigresse", "tigresse", true,
         "La FEMELLE du tigre est bien la TIGRESSE !"},
        {"1,de l'âne,ânesse,l'", "anesse", "anesse", false, "La FEMELLE de l'âne est l'ÂNESSE !"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.row.toStdString() + " / " + c.typed.toStdString());
        r().score = 5;
        auto& quiz = openAt<Femelles>(Femelles_, &Routines::progression_femelles, c.row);
        const int row = r().progression_femelles;
        const QString praise =
            r().messages_reponse[std::size_t(r().indice_message) + (c.right ? 0 : 7)];
        enter(quiz, c.typed);
        EXPECT_EQ(quiz.reponse->text(), c.shown);
        EXPECT_TRUE(quiz.reponse->isReadOnly());
        EXPECT_EQ(quiz.solution->text(), praise + "\n" + c.correction +
                                             "\nAppuyez sur la touche ENTREE pour continuer...");
        const QColor colour = c.right ? QColor(0, 0, 255) : QColor(255, 0, 0);
        EXPECT_EQ(textColour(quiz), colour);
        EXPECT_EQ(quiz.article->palette().color(QPalette::WindowText), colour);
        EXPECT_EQ(r().score, c.right ? 7 : 4);
        EXPECT_EQ(p.sound().played.back().name.endsWith(c.right ? ".vic" : ".def"), true);
        EXPECT_EQ(r().progression_femelles, row + 1);
        click(quiz.retour);
    }
}

TEST_F(Quiz, AWrongAnswerNeverTakesTheScoreBelowZero) {
    for (int start : {0, 1}) {
        SCOPED_TRACE(start);
        r().score = start;
        auto& quiz = openAt<Femelles>(Femelles_, &Routines::progression_femelles,
                                      QStringLiteral("2,du sanglier,marcassin,le"));
        p.display().redraws.clear();
        enter(quiz, QStringLiteral("cochon"));
        EXPECT_EQ(r().score, 0);
        // The score label pulses only when points are taken.
        EXPECT_EQ(p.display().redraws.empty(), start == 0);
        click(quiz.retour);
    }
}

TEST_F(Quiz, EnterOnABlankBoxOrTwiceAfterAnAnswer) {
    auto& quiz = open<Femelles>(Femelles_);
    const QString asked = quiz.question->caption();
    enter(quiz, QStringLiteral("   "));
    EXPECT_EQ(quiz.reponse->text(), QString());
    EXPECT_EQ(quiz.etat_reponse, 0);
    EXPECT_EQ(r().progression_femelles, 0);
    EXPECT_EQ(quiz.question->caption(), asked);

    enter(quiz, QStringLiteral("marcassin"));
    const int score = r().score;
    enter(quiz);
    EXPECT_EQ(r().score, score) << "judged once only";
    EXPECT_EQ(quiz.etat_reponse, 0);
    EXPECT_EQ(r().progression_femelles, 1);
    EXPECT_NE(quiz.question->caption(), asked);
    EXPECT_FALSE(quiz.reponse->isReadOnly());
    EXPECT_EQ(quiz.reponse->text(), QString());
    EXPECT_EQ(quiz.solution->text(), QuizSaisie::kConsigne);
    EXPECT_EQ(textColour(quiz), QColor(0, 0, 0));
}

TEST_F(Quiz, EveryListStartsAgainAfterItsLastRow) {
    struct Case {
        int screen;
        int Routines::*progression;
        QString firstQuestion;
    };
    const Case cases[] = {
        {Femelles_, &Routines::progression_femelles, "Comment s'appelle le PETIT du sanglier ?"},
        {Pluriels_, &Routines::progression_pluriels,
         "Connaissez-vous le PLURIEL de ce mot ou de cette expression ?"},
        {Verbes_, &Routines::progression_verbes,
         "Quel est l'infinitif de PRÉVIS dans la phrase suivante ?"}};
    for (const Case& c : cases) {
        auto& quiz = dynamic_cast<QuizSaisie&>(epreuve(c.screen));
        SCOPED_TRACE(quiz.objectName().toStdString());
        r().*c.progression = int(quiz.liste().size()) - 1;
        click(depart().anim[c.screen]);
        enter(quiz, QStringLiteral("non"));
        enter(quiz);
        EXPECT_EQ(quiz.question->caption(), c.firstQuestion);
        EXPECT_EQ(r().*c.progression, 0);
        // An edited save file may hold anything: the list starts again too.
        click(quiz.retour);
        r().*c.progression = -40;
        click(depart().anim[c.screen]);
        EXPECT_EQ(quiz.question->caption(), c.firstQuestion);
        click(quiz.retour);
    }
}

TEST_F(Quiz, PraiseAndReproachTakeTurnsAcrossTheQuizzes) {
    r().indice_message = 5;
    auto& femelles = open<Femelles>(Femelles_);
    enter(femelles, QStringLiteral("marcassin"));
    EXPECT_EQ(line(femelles.solution, 0), r().messages_reponse[5]);
    click(femelles.retour);
    auto& pluriels = open<Pluriels>(Pluriels_);
    enter(pluriels, QStringLiteral("tonneau"));
    EXPECT_EQ(line(pluriels.solution, 0), r().messages_reponse[6 + 7]);
    click(pluriels.retour);
    auto& verbes = open<Verbes>(Verbes_);
    enter(verbes, QStringLiteral("prévoir"));
    EXPECT_EQ(line(verbes.solution, 0), r().messages_reponse[0]);
    EXPECT_EQ(r().indice_message, 1);
}

TEST_F(Quiz, TheHelpSheetLeavesTheQuestionAsItWas) {
    auto& quiz = open<Femelles>(Femelles_);
    quiz.reponse->setText(QStringLiteral("marc"));
    click(quiz.aide);
    click(aide().texte);
    EXPECT_EQ(quiz.reponse->text(), QStringLiteral("marc"));
    EXPECT_FALSE(quiz.reponse->isReadOnly());
    enter(quiz, QStringLiteral("marcassin"));
    const QString correction = quiz.solution->text();
    click(quiz.aide);
    click(aide().background());
    EXPECT_EQ(quiz.solution->text(), correction);
    EXPECT_TRUE(quiz.reponse->isReadOnly());
    EXPECT_EQ(quiz.etat_reponse, 1);
}

TEST_F(Quiz, ComingBackAsksTheUnansweredQuestionOrTheNextOne) {
    auto& quiz = open<Femelles>(Femelles_);
    const QString first = quiz.question->caption();
    click(quiz.retour);
    click(depart().anim[Femelles_]);
    EXPECT_EQ(quiz.question->caption(), first);
    enter(quiz, QStringLiteral("marcassin"));
    click(quiz.retour);
    click(depart().anim[Femelles_]);
    EXPECT_NE(quiz.question->caption(), first);
    EXPECT_EQ(quiz.etat_reponse, 0);
    EXPECT_FALSE(quiz.reponse->isReadOnly());

    // The place is kept with the player for the next run.
    click(quiz.retour);
    press(depart().quitter, Qt::LeftButton);
    press(depart().quitter, Qt::RightButton);
    restartGame();
    jouer();
    EXPECT_EQ(r().progression_femelles, 1);
}

TEST_F(Quiz, FemellesColoursTheBoxesByQuestionType) {
    auto& quiz = openAt<Femelles>(Femelles_, &Routines::progression_femelles,
                                  QStringLiteral("1,du tigre,tigresse,la"));
    // A fresh start leaves the boxes as they were.
    EXPECT_EQ(boxColour(quiz), QColor(Qt::white));
    EXPECT_EQ(quiz.question->caption(), QStringLiteral("Quelle est la FEMELLE du tigre ?"));
    EXPECT_EQ(quiz.article->caption(), QStringLiteral("la"));
    for (int i = 0; i < 6; ++i) {
        enter(quiz, QStringLiteral("x"));
        enter(quiz);
        const bool female = quiz.type_question == 1;
        EXPECT_EQ(boxColour(quiz), female ? QColor(0, 255, 255) : QColor(255, 255, 0));
        EXPECT_EQ(quiz.article->backgroundColour(), boxColour(quiz));
        EXPECT_TRUE(quiz.question->caption().startsWith(
            female ? QStringLiteral("Quelle est la FEMELLE ") : QStringLiteral("Comment")));
    }
}

TEST_F(Quiz, PlurielsAsksTheChangingWordOnly) {
    auto& quiz = openAt<Pluriels>(Pluriels_, &Routines::progression_pluriels,
                                  QStringLiteral("2,il est malin,maligne,elle est"));
    EXPECT_EQ(quiz.question->caption(),
              QStringLiteral("Connaissez vous le FEMININ de ce mot ou de cette expression ?"));
    EXPECT_EQ(quiz.singulier->caption(), QStringLiteral("IL EST MALIN"));
    EXPECT_EQ(quiz.article->caption(), QStringLiteral("elle est"));
    EXPECT_EQ(boxColour(quiz), QColor(255, 255, 0));
    enter(quiz, QStringLiteral("elle est maligne"));
    EXPECT_EQ(line(quiz.solution, 1), QStringLiteral("IL EST MALIN --> ELLE EST MALIGNE"));
    EXPECT_EQ(line(quiz.solution, 2), QStringLiteral("Appuyez sur ENTREE pour continuer..."));
    EXPECT_EQ(textColour(quiz), QColor(255, 0, 0));
    click(quiz.retour);

    auto& eau = openAt<Pluriels>(Pluriels_, &Routines::progression_pluriels,
                                 QStringLiteral("1,de l'eau,eaux,des"));
    EXPECT_EQ(eau.question->caption(),
              QStringLiteral("Connaissez-vous le PLURIEL de ce mot ou de cette expression ?"));
    EXPECT_EQ(boxColour(eau), QColor(0, 255, 255));
    enter(eau, QStringLiteral("Eaux"));
    EXPECT_EQ(line(eau.solution, 1), QStringLiteral("DE L'EAU --> DES EAUX"));
    EXPECT_EQ(textColour(eau), QColor(0, 0, 255));
}

TEST_F(Quiz, PlurielsWordsTheFeminineDifferentlyAfterAnAnswer) {
    auto& quiz = open<Pluriels>(Pluriels_);
    // Go on until a feminine question comes after an answer.
    int asked = 0;
    do {
        enter(quiz, QStringLiteral("x"));
        enter(quiz);
    } while (quiz.type_question == 1 && ++asked < 40);
    ASSERT_NE(quiz.type_question, 1);
    EXPECT_EQ(quiz.question->caption(),
              QStringLiteral("Connaissez-vous le FÉMININ de ce mot ou de cette expression ?"));
}

TEST_F(Quiz, VerbesJudgesTheInfinitive) {
    struct Case {
        QString row, typed;
        bool right;
        QString middle;
    };
    const Case cases[] = {
        {"Il a PLU de bon matin,plu,pleuvoir,4", "pleuvoir", true, "PLU   -->   PLEUVOIR"},
        {"Il a PLU de bon matin,plu,pleuvoir,4", "plaire", false, "PLU   -->   PLEUVOIR"},
        {"Que j'ai PLU ou non tant pis !,plu,plaire,4", "plaire", true, "PLU   -->   PLAIRE"},
        {"L'arbre CROISSAIT en plein soleil.,croissait,croître,1", "croitre", false,
         "CROISSAIT   -->   CROÎTRE"},
        {"L'arbre CROISSAIT en plein soleil.,croissait,croître,1", "Croître", true,
         "CROISSAIT   -->   CROÎTRE"},
        {"L'arbre CROISSAIT en plein soleil.,croissait,croître,1", " CROÎTRE ", true,
         "CROISSAIT   -->   CROÎTRE"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.row.toStdString() + " / " + c.typed.toStdString());
        auto& quiz = openAt<Verbes>(Verbes_, &Routines::progression_verbes, c.row);
        const int score = r().score;
        enter(quiz, c.typed);
        EXPECT_EQ(quiz.reponse->text(), c.typed.trimmed().toUpper());
        EXPECT_EQ(line(quiz.solution, 1), c.middle);
        EXPECT_EQ(line(quiz.solution, 2),
                  QStringLiteral("Appuyez sur la touche ENTREE pour continuer..."));
        EXPECT_EQ(r().score, c.right ? score + 2 : std::max(0, score - 1));
        EXPECT_TRUE(p.cursor().shown());
        click(quiz.retour);
    }
}

TEST_F(Quiz, VerbesShowsTheSentenceAndItsTense) {
    auto& quiz = openAt<Verbes>(Verbes_, &Routines::progression_verbes,
                                QStringLiteral("Il a PLU de bon matin,plu,pleuvoir,4"));
    EXPECT_EQ(quiz.phrase->caption(), QStringLiteral("Il a PLU de bon matin"));
    EXPECT_EQ(quiz.question->caption(),
              QStringLiteral("Quel est l'infinitif de PLU dans la phrase suivante ?"));
    EXPECT_EQ(quiz.solution->text(),
              QStringLiteral("Le verbe est au passé composé.\nEntrez votre réponse dans le cadre "
                             "ci-dessus puis appuyez sur Entrée."));
    for (int code = 0; code <= 5; ++code)
        EXPECT_EQ(Verbes::motsDuTemps(code).isEmpty(), code == 5) << code;

    // Leaving during a correction: the next sentence, an empty open box.
    quiz.reponse->setText(QStringLiteral("pleuvoir"));
    enter(quiz);
    click(quiz.retour);
    EXPECT_EQ(quiz.reponse->text(), QString());
    click(depart().anim[Verbes_]);
    EXPECT_NE(quiz.phrase->caption(), QStringLiteral("Il a PLU de bon matin"));
    EXPECT_FALSE(quiz.reponse->isReadOnly());
    EXPECT_EQ(quiz.reponse->text(), QString());
}

TEST_F(Quiz, VerbesDrawsTheColourOfTheNextBox) {
    auto& quiz = open<Verbes>(Verbes_);
    const QColor colours[] = {QColor(0, 255, 255), QColor(255, 255, 0), QColor(0, 255, 0)};
    for (int c : {2, 0, 1}) {
        enter(quiz, QStringLiteral("x"));
        p.random().pushInt(c, 0, 2);
        p.sound().clear();
        enter(quiz);
        EXPECT_EQ(boxColour(quiz), colours[c]);
        // Each new sentence is announced by an effect.
        EXPECT_EQ(p.sound().effectNames().size(), 1);
    }
}

TEST_F(Quiz, EveryRowFitsItsLabels) {
    struct Case {
        int screen;
        int Routines::*progression;
    };
    const Case cases[] = {{Femelles_, &Routines::progression_femelles},
                          {Pluriels_, &Routines::progression_pluriels},
                          {Verbes_, &Routines::progression_verbes}};
    auto fits = [](Label* label) {
        if (label->wordWrap())
            return label->textHeight() <= label->height();
        return label->sizeHint().width() <= label->width();
    };
    for (const Case& c : cases) {
        auto& quiz = dynamic_cast<QuizSaisie&>(epreuve(c.screen));
        for (int row = 0; row < quiz.liste().size(); ++row) {
            SCOPED_TRACE(quiz.liste()[row].toStdString());
            r().*c.progression = row;
            click(depart().anim[c.screen]);
            std::vector<Label*> labels = {quiz.question};
            for (const char* name : {"article", "singulier", "phrase"})
                if (auto* label = quiz.findChild<Label*>(QString::fromLatin1(name)))
                    labels.push_back(label);
            for (Label* label : labels)
                EXPECT_TRUE(fits(label)) << label->objectName().toStdString() << ": "
                                         << label->textHeight() << " in " << label->height() << ", "
                                         << label->sizeHint().width() << " in " << label->width();
            // A wrong answer shows the longest correction: the reproach and the answer.
            r().indice_message = 5; // "Fallait chercher plus longtemps !"
            enter(quiz, QStringLiteral("mauvaise réponse"));
            EXPECT_TRUE(fits(quiz.solution));
            EXPECT_GE(quiz.reponse->width(),
                      quiz.reponse->fontMetrics().horizontalAdvance(quiz.reponse->text()));
            click(quiz.retour);
        }
    }
}

TEST_F(Quiz, AfterTheWrapComingBackAsksTheQuestionThatWasOffered) {
    const std::pair<int, int Routines::*> cases[] = {{Femelles_, &Routines::progression_femelles},
                                                     {Pluriels_, &Routines::progression_pluriels},
                                                     {Verbes_, &Routines::progression_verbes}};
    for (const auto& [screen, progression] : cases) {
        auto& quiz = dynamic_cast<QuizSaisie&>(epreuve(screen));
        SCOPED_TRACE(quiz.objectName().toStdString());
        r().*progression = int(quiz.liste().size()) - 2;
        click(depart().anim[screen]);
        for (int k = 0; k < 3; ++k) {
            enter(quiz, QStringLiteral("non"));
            enter(quiz);
            const QString offered = quiz.question->caption();
            const int place = r().*progression;
            click(quiz.retour);
            click(depart().anim[screen]);
            EXPECT_EQ(quiz.question->caption(), offered) << k;
            EXPECT_EQ(r().*progression, place) << k;
        }
        click(quiz.retour);
    }
}

TEST_F(Quiz, LigaturesMayBeTypedAsTwoLetters) {
    struct Case {
        const char* typed;
        bool right;
    };
    const Case cases[] = {{"voeux", true}, {"VOEUX", true}, {"  vœux ", true},
                          {"vœux", true},  {"veux", false}, {"voeu", false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        auto& quiz = openAt<Pluriels>(Pluriels_, &Routines::progression_pluriels,
                                      QStringLiteral("1,un vœu,vœux,des"));
        const qint32 before = r().score = 10;
        enter(quiz, QString::fromUtf8(c.typed));
        EXPECT_EQ(r().score, before + (c.right ? 2 : -1));
        // The correction keeps the ligature.
        EXPECT_TRUE(quiz.solution->caption().contains(QStringLiteral("VŒUX")));
        click(quiz.retour);
    }
}
