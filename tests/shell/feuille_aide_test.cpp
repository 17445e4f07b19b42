#include "support/game_fixture.h"

using namespace zm;
using namespace zm::testing;

namespace {

// Index of each exercise among the start screen's characters.
enum Personnage : int {
    Bonneteau = 0,
    Animaux = 1,
    Femelles = 2,
    Trous = 3,
    Lecture2 = 6,
    Pluriels = 10
};

struct HelpSheet : GameTest {
    void SetUp() override {
        startGame();
        jouer();
    }
    EcranEpreuve& open(int k) {
        click(depart().anim[k]);
        return epreuve(k);
    }
    QString shownText() { return aide().texte->caption(); }
};

const QStringList kSection3 = {
    QStringLiteral("Ecrivez dans le cadre prévu à cet effet la réponse à la question posée puis "
                   "appuyez sur la touche ENTREE afin d'obtenir la correction."),
    QStringLiteral("N'oubliez surtout pas les accents !"),
    QStringLiteral("Lisez bien la question posée !!!"),
    QStringLiteral("Une victoire vous rapporte deux points. Un échec vous coûte un point et la "
                   "bonne réponse vous est fournie."),
    QStringLiteral("Ces points vous serviront pour miser dans certains jeux de Zibelou Malice.")};

QString sheet(const QString& title, const QStringList& rows) {
    QString text = title + QStringLiteral("\n\n");
    for (const QString& row : rows)
        text += row + QStringLiteral("\r\n");
    return text + QStringLiteral("\nUn clic pour retourner au jeu...");
}

} // namespace

TEST(HelpTexts, AreThirteenMarkersWithTheirParagraphs) {
    const QStringList rows = lignesAide();
    ASSERT_EQ(rows.size(), 57);
    int marker = 0;
    int paragraphs = 0;
    for (const QString& row : rows) {
        EXPECT_FALSE(row.trimmed().isEmpty());
        EXPECT_EQ(row, row.trimmed()) << "no stray blanks: rows are matched exactly";
        bool isNumber = false;
        const int n = row.toInt(&isNumber);
        if (isNumber) {
            EXPECT_EQ(n, marker + 1);
            EXPECT_TRUE(marker == 0 || paragraphs > 0) << "section " << marker << " is empty";
            marker = n;
            paragraphs = 0;
        } else {
            ++paragraphs;
        }
    }
    EXPECT_EQ(marker, 13);
    EXPECT_EQ(rows.last(), QStringLiteral("13"));
    // The betting games end on their stake.
    const QString stake = QStringLiteral(
        "En cas de réussite vous remportez le double de votre mise sinon vous perdez cette "
        "dernière !");
    for (const char* section : {"6", "10"})
        EXPECT_EQ(rows[rows.indexOf(QString::fromLatin1(section)) - 1], stake) << section;
}

TEST_F(HelpSheet, ShowsTheSectionOfTheCallingScreen) {
    struct Case {
        int screen;
        QString title;
        QStringList rows;
    };
    const Case cases[] = {{Femelles, QStringLiteral("LES ANIMAUX EN FAMILLE"), kSection3},
                          {Pluriels, QStringLiteral("FEMININS ET PLURIELS"), kSection3}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.title.toStdString());
        click(open(c.screen).aide);
        EXPECT_EQ(game->stage().active(), &aide());
        EXPECT_EQ(shownText(), sheet(c.title, c.rows));
        click(aide().texte);
        click(epreuve(c.screen).retour);
    }
}

// Made when help is first asked for, not at the start, and made once.
TEST_F(HelpSheet, IsMadeTheFirstTimeHelpIsAskedForThenKept) {
    const auto sheets = [this] { return game->stage().findChildren<FeuilleAide*>(); };
    EXPECT_TRUE(sheets().isEmpty());
    for (int k : {Femelles, Pluriels, Femelles}) {
        click(open(k).aide);
        ASSERT_EQ(sheets().size(), 1);
        EXPECT_EQ(game->stage().active(), sheets().front());
        EXPECT_FALSE(sheets().front()->isHidden());
        click(sheets().front()->texte);
        EXPECT_EQ(game->stage().active(), &epreuve(k));
        click(epreuve(k).retour);
    }
}

TEST_F(HelpSheet, EveryHelpImageOpensItsOwnNonEmptySection) {
    const QStringList rows = lignesAide();
    for (int k = 0; k < 14; ++k) {
        const DescriptionEpreuve& d = descriptionsEpreuves()[std::size_t(k)];
        SCOPED_TRACE(d.nom.toStdString());
        EcranEpreuve& screen = open(k);
        if (k == Lecture2) {
            EXPECT_EQ(screen.aide, nullptr);
        } else {
            ASSERT_NE(screen.aide, nullptr);
            click(screen.aide);
            EXPECT_EQ(d.fin.toInt(), d.premier.toInt() + 1);
            const qsizetype from = rows.indexOf(d.premier) + 1;
            const QStringList section = rows.mid(from, rows.indexOf(d.fin) - from);
            EXPECT_FALSE(section.isEmpty());
            EXPECT_EQ(shownText(), sheet(d.titre, section));
            // The whole section fits the paper of the sheet.
            EXPECT_LE(aide().texte->textHeight(), aide().texte->height());
            click(aide().background());
        }
        click(screen.retour);
    }
}

TEST_F(HelpSheet, TheLastSectionStopsAtTheClosingMarker) {
    click(open(Trous).aide);
    const QStringList rows = lignesAide();
    EXPECT_TRUE(shownText().startsWith(QStringLiteral("LES MOTS VOLES\n\n")));
    EXPECT_TRUE(shownText().endsWith(rows[rows.size() - 2] +
                                     QStringLiteral("\r\n\nUn clic pour retourner au jeu...")));
}

TEST(HelpTexts, AMissingMarkerShowsOnlyTheTitle) {
    const QStringList rows = {QStringLiteral("1"), QStringLiteral("Un."), QStringLiteral("2")};
    EXPECT_EQ(FeuilleAide::texteSection(rows, QStringLiteral("T"), QStringLiteral("7"),
                                        QStringLiteral("8")),
              sheet(QStringLiteral("T"), {}));
    // A missing end marker stops at the last row.
    EXPECT_EQ(FeuilleAide::texteSection(rows, QStringLiteral("T"), QStringLiteral("2"),
                                        QStringLiteral("3")),
              sheet(QStringLiteral("T"), {}));
    EXPECT_EQ(FeuilleAide::texteSection(rows, QStringLiteral("T"), QStringLiteral("1"),
                                        QStringLiteral("9")),
              sheet(QStringLiteral("T"), {QStringLiteral("Un."), QStringLiteral("2")}));
    // Markers match whole rows only.
    EXPECT_EQ(
        FeuilleAide::texteSection({QStringLiteral("10"), QStringLiteral("Dix."),
                                   QStringLiteral("1"), QStringLiteral("Un."), QStringLiteral("2")},
                                  QStringLiteral("T"), QStringLiteral("1"), QStringLiteral("2")),
        sheet(QStringLiteral("T"), {QStringLiteral("Un.")}));
}

TEST_F(HelpSheet, ClosingItResumesTheExerciseConfinedAgain) {
    EcranEpreuve& screen = open(Animaux);
    EXPECT_EQ(screen.scoreLabel()->caption(), QStringLiteral("Score\r0"));
    EXPECT_EQ(p.cursor().confinement, QRect(0, 0, 800, 600));
    EXPECT_TRUE(p.cursor().shown());

    r().score = 5;
    r().cacher_souris();
    click(screen.aide);
    EXPECT_TRUE(p.cursor().shown()) << "the sheet closes by a click";
    EXPECT_EQ(r().retour_aide, 1);
    EXPECT_EQ(p.cursor().position, QPoint(400, 300));
    click(aide().texte);
    EXPECT_EQ(game->stage().active(), &screen);
    EXPECT_EQ(r().retour_aide, 0);
    EXPECT_EQ(p.cursor().confinement, QRect(0, 0, 800, 600));
    EXPECT_TRUE(p.cursor().shown());
    // Resumed, not started afresh: the score label was not rewritten.
    EXPECT_EQ(screen.scoreLabel()->caption(), QStringLiteral("Score\r0"));

    // Leaving while the help was open last time still starts afresh.
    click(screen.aide);
    click(aide().texte);
    click(screen.retour);
    open(Animaux);
    EXPECT_EQ(screen.scoreLabel()->caption(), QStringLiteral("Score\r5"));
}

TEST_F(HelpSheet, ExercisesHaveTheirBackLabelAndFrame) {
    for (int k = 0; k < 14; ++k) {
        const DescriptionEpreuve& d = descriptionsEpreuves()[std::size_t(k)];
        SCOPED_TRACE(d.nom.toStdString());
        const EcranEpreuve& screen = epreuve(k);
        EXPECT_EQ(screen.retour->objectName(), d.sortie ? "sortie" : "retour");
        EXPECT_EQ(screen.retour->caption(), "Retour");
        EXPECT_EQ(screen.commentaire != nullptr, d.commentaire);
        EXPECT_NE(screen.scoreLabel(), nullptr);
    }
    EXPECT_EQ(epreuve(Bonneteau).objectName(), QStringLiteral("bonneteau"));
}
