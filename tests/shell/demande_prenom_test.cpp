#include "support/game_fixture.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

using namespace zm;
using namespace zm::testing;

namespace {

struct Roster : GameTest {
    void typeLetters(const QString& letters) {
        for (QChar c : letters) {
            if (c == QChar(u' '))
                click(roster().espace);
            else
                click(roster().lettre[c.unicode() - u'A']);
        }
    }
    bool shown(QWidget* w) { return !w->isHidden(); }
    // Which face the roster shows: typing (keyboard) or choosing (players).
    bool typingFace() {
        return shown(roster().alphabet) && shown(roster().espace) && shown(roster().infos) &&
               !shown(roster().nouveau_joueur) && !shown(roster().label_supprimer_joueur) &&
               !shown(roster().scoreLabel()) && !shown(roster().liste_prenoms);
    }
};

} // namespace

TEST_F(Roster, FirstRunOffersTheKeyboardAndInconnu) {
    startGame();
    EXPECT_TRUE(typingFace());
    EXPECT_EQ(tiles(), QStringLiteral("INCONNU"));
    EXPECT_EQ(r().joueurs.nombre_joueurs, 1);
    EXPECT_EQ(p.display().resolutions.front(), QSize(800, 600));
    // The start-up ends with the cursor shown over "Jouer".
    EXPECT_EQ(p.now(), 500);
    EXPECT_TRUE(p.cursor().shown());
    EXPECT_EQ(p.cursor().position, QPoint(740, 557));
    EXPECT_TRUE(roster().fin_mot->geometry().contains(740, 557));
    // The ambience starts with the pictures.
    EXPECT_EQ(p.sound().ambienceNames(), QStringList{"1.amb"});

    jouer();
    EXPECT_EQ(r().prenom, QStringLiteral("Inconnu"));
    EXPECT_EQ(r().score, 0);
    EXPECT_EQ(game->stage().active(), &depart());
    EXPECT_TRUE(depart().timer().isActive());
    EXPECT_EQ(r().messages_reponse[0], QStringLiteral("Bravo Inconnu !"));
}

TEST_F(Roster, TypingFillsTheTilesCentredAndStopsAtThirteen) {
    startGame();
    typeLetters(QStringLiteral("P"));
    // The first letter replaces the whole of INCONNU.
    EXPECT_EQ(tiles(), QStringLiteral("P"));
    EXPECT_EQ(roster().reponse[0]->x(), 366);
    EXPECT_TRUE(shown(roster().label_effacer));
    typeLetters(QStringLiteral("AUL  MARIEXYZW"));
    EXPECT_EQ(roster().nombre_lettres, 13);
    EXPECT_EQ(tiles(), QStringLiteral("PAUL  MARIEXY"));
    for (int k = 0; k < 13; ++k)
        EXPECT_EQ(roster().reponse[k]->x(), bordGaucheCase(13, k)) << k;

    click(roster().label_effacer);
    EXPECT_EQ(tiles(), QStringLiteral("INCONNU"));
    EXPECT_FALSE(shown(roster().label_effacer));
    EXPECT_EQ(p.sound().effectNames().last(), QStringLiteral("3.ats"));
    typeLetters(QStringLiteral(" LEA  "));
    jouer();
    EXPECT_EQ(r().prenom, QStringLiteral("Lea"));
}

TEST_F(Roster, KeysOfARealKeyboardTypeLikeTheOnScreenKeys) {
    startGame();
    struct Key {
        int code;
        const char16_t* text;
    };
    for (Key k : {Key{Qt::Key_P, u"p"}, Key{Qt::Key_Eacute, u"é"}, Key{Qt::Key_1, u"1"},
                  Key{Qt::Key_Space, u" "}, Key{Qt::Key_Return, u"\r"}, Key{Qt::Key_Z, u"Z"}})
        FakePlatform::key(roster().inutile, k.code, QString::fromUtf16(k.text));
    EXPECT_EQ(tiles(), QStringLiteral("PE Z"));
    EXPECT_EQ(game->stage().active(), &roster()) << "Enter is not Jouer";
}

TEST_F(Roster, NamesAreNormalisedByJouer) {
    const std::pair<const char*, const char*> cases[] = {{"PAUL  MARIE  ", "Paul Marie"},
                                                         {"   ", "Inconnu"},
                                                         {"", "Inconnu"},
                                                         {" ANNE   SO PHIE", "Anne So Phie"},
                                                         {"X", "X"}};
    for (auto [typed, name] : cases)
        EXPECT_EQ(DemandePrenom::normaliserPrenom(QString::fromLatin1(typed)),
                  QString::fromLatin1(name))
            << typed;
}

TEST_F(Roster, OneSavedPlayerIsChosenWithoutAList) {
    writeSave(fichierJoueurs({{QStringLiteral("Zoé"), 42}}, 4));
    startGame();
    EXPECT_FALSE(shown(roster().liste_prenoms));
    EXPECT_TRUE(shown(roster().nouveau_joueur));
    EXPECT_TRUE(shown(roster().label_supprimer_joueur));
    EXPECT_EQ(tiles(), QStringLiteral("Zoé"));
    EXPECT_EQ(roster().scoreLabel()->text(), QStringLiteral("Score\n42"));
    EXPECT_EQ(r().indice_message, 4);
    jouer();
    EXPECT_EQ(r().score, 42);
    EXPECT_EQ(r().progression_trous, 1);
}

TEST_F(Roster, SeveralPlayersPreselectTheLastOne) {
    writeSave(fichierJoueurs({{QStringLiteral("Ana"), 1},
                              {QStringLiteral("Bob"), 2},
                              {QStringLiteral("Paul Marie"), 3}}));
    startGame();
    QListWidget* list = roster().liste_prenoms;
    ASSERT_TRUE(shown(list));
    ASSERT_EQ(list->count(), 3);
    EXPECT_EQ(list->item(0)->text(), QStringLiteral("     Ana"));
    EXPECT_EQ(list->currentRow(), 2);
    EXPECT_EQ(list->height(), 17 * 3 + 18);
    // Three rows of 17 pixels, the hint below them, read whole.
    EXPECT_EQ(list->sizeHintForRow(0), 17);
    EXPECT_EQ(list->visualItemRect(list->item(2)).bottom(), 17 * 3 - 1);
    EXPECT_EQ(roster().infos2->y(), list->y() + list->height() - 17);
    EXPECT_TRUE(texteEntier(roster().infos2));
    EXPECT_EQ(tiles(), QStringLiteral("Paul Marie"));

    list->setCurrentRow(0);
    Q_EMIT list->itemPressed(list->item(0));
    EXPECT_EQ(tiles(), QStringLiteral("Ana"));
    EXPECT_EQ(r().score, 1);
    EXPECT_EQ(r().joueurs.joueur_courant, 0);
}

TEST_F(Roster, TwelvePlayersLeaveNoRoomForANewOne) {
    std::vector<std::pair<QString, int>> players;
    for (int i = 0; i < 12; ++i)
        players.push_back({QStringLiteral("Joueur ") + QChar(u'A' + i), i});
    writeSave(fichierJoueurs(players));
    startGame();
    EXPECT_FALSE(shown(roster().nouveau_joueur));
    click(roster().label_supprimer_joueur);
    EXPECT_TRUE(shown(roster().nouveau_joueur));
    EXPECT_EQ(r().joueurs.nombre_joueurs, 11);
}

TEST_F(Roster, DeletingAPlayerMovesTheLaterOnesUp) {
    writeSave(fichierJoueurs(
        {{QStringLiteral("Ana"), 1}, {QStringLiteral("Bob"), 2}, {QStringLiteral("Cid"), 3}}));
    startGame();
    QListWidget* list = roster().liste_prenoms;
    list->setCurrentRow(1);
    Q_EMIT list->itemPressed(list->item(1));
    click(roster().label_supprimer_joueur);

    const TableJoueurs& t = r().joueurs;
    EXPECT_EQ(t.nombre_joueurs, 2);
    EXPECT_EQ(t.slots[1].prenom, QStringLiteral("Cid"));
    EXPECT_EQ(t.slots[1].score, 3);
    EXPECT_EQ(list->count(), 2);
    EXPECT_EQ(list->height(), 17 * 2 + 18);
    EXPECT_EQ(roster().infos2->y(), list->y() + list->height() - 18);
    // The first player becomes the current one.
    EXPECT_EQ(t.joueur_courant, 0);
    EXPECT_EQ(tiles(), QStringLiteral("Ana"));
    EXPECT_EQ(r().score, 1);

    click(roster().label_supprimer_joueur);
    EXPECT_FALSE(shown(list)) << "one player left: no list";
    EXPECT_EQ(tiles(), QStringLiteral("Cid"));
    click(roster().label_supprimer_joueur);
    // No player left: the roster is as on a first run.
    EXPECT_TRUE(typingFace());
    EXPECT_EQ(tiles(), QStringLiteral("INCONNU"));
    EXPECT_EQ(t.nombre_joueurs, 1);
    EXPECT_EQ(r().score, 0);
}

TEST_F(Roster, ANewPlayerStartsFromNothingEvenInAUsedSlot) {
    writeSave(fichierJoueurs({{QStringLiteral("Ana"), 10}, {QStringLiteral("Bob"), 20}}));
    startGame();
    click(roster().label_supprimer_joueur); // Bob goes: his slot 1 keeps his old values
    click(roster().nouveau_joueur);
    EXPECT_TRUE(typingFace());
    EXPECT_EQ(tiles(), QStringLiteral("INCONNU"));
    const TableJoueurs& t = r().joueurs;
    EXPECT_EQ(t.nombre_joueurs, 2);
    EXPECT_EQ(t.joueur_courant, 1);
    EXPECT_EQ(t.slots[1].score, 0);
    EXPECT_EQ(t.slots[1].progression, (std::array<qint16, kNombreProgressions>{}));
    typeLetters(QStringLiteral("LEA"));
    jouer();
    EXPECT_EQ(r().score, 0);
    EXPECT_EQ(r().progression_femelles, 0);
    EXPECT_EQ(t.slots[1].prenom, QStringLiteral("Lea"));
}

TEST_F(Roster, ALongNameFromAnEditedFileShowsItsFirstThirteenLetters) {
    writeSave(fichierJoueurs({{QStringLiteral("Anastasiabelle Rose"), 5}}));
    startGame();
    EXPECT_EQ(tiles(), QStringLiteral("Anastasiabell"));
    EXPECT_EQ(r().prenom, QStringLiteral("Anastasiabelle Rose"));
    jouer();
    EXPECT_EQ(r().score, 5);
}

TEST_F(Roster, ADamagedSaveFileIsKeptAsideAndSaid) {
    const QByteArray damaged = "1\r\n0\r\n5\r\n\"cut";
    writeSave(damaged);
    startGame();
    EXPECT_TRUE(typingFace());
    EXPECT_TRUE(shown(roster().avertissement));
    EXPECT_TRUE(roster().avertissement->text().contains(QStringLiteral("4.bin.endommage")));
    EXPECT_EQ(QFile(dir.filePath(QStringLiteral("4.bin.endommage"))).size(), damaged.size());
}

TEST_F(Roster, ClicksBeforeTheStartUpHasEndedAreIgnored) {
    game = std::make_unique<Game>(p, datas());
    p.at(100, [&] { click(roster().fin_mot); });
    p.at(200, [&] { click(roster().lettre[0]); });
    game->start();
    EXPECT_EQ(game->stage().active(), &roster());
    EXPECT_EQ(tiles(), QStringLiteral("INCONNU"));
}

TEST_F(Roster, ADamagedSaveFileBringsBackThePlayersThatReadWhole) {
    QByteArray save = fichierJoueurs(
        {{QStringLiteral("Paul"), 10}, {QStringLiteral("Lea"), 20}, {QStringLiteral("Zoe"), 30}});
    // Lea's record loses its product name.
    const qsizetype lea = save.indexOf("\"17Pie");
    ASSERT_GT(lea, 0);
    save[lea + 10] = 'X';
    writeSave(save);
    startGame();
    EXPECT_FALSE(typingFace());
    ASSERT_EQ(roster().liste_prenoms->count(), 2);
    EXPECT_EQ(roster().liste_prenoms->item(0)->text(), QStringLiteral("     Paul"));
    EXPECT_EQ(roster().liste_prenoms->item(1)->text(), QStringLiteral("     Zoe"));
    EXPECT_EQ(r().prenom, QStringLiteral("Zoe"));
    EXPECT_EQ(r().score, 30);
    EXPECT_TRUE(shown(roster().avertissement));
    EXPECT_EQ(roster().avertissement->caption(),
              QStringLiteral("Le fichier des joueurs était abîmé. Il a été gardé de côté sous le "
                             "nom « 4.bin.endommage ». Impossible de retrouver Lea ; les autres "
                             "joueurs sont là."));
    EXPECT_EQ(QFile(dir.filePath(QStringLiteral("4.bin.endommage"))).size(), save.size());
    // The next run finds the two players in a sound file.
    jouer();
    ASSERT_TRUE(depart().quitter_jeu());
    restartGame();
    EXPECT_FALSE(shown(roster().avertissement));
    EXPECT_EQ(roster().liste_prenoms->count(), 2);
}

TEST_F(Roster, EveryWordAboutADamagedSaveFileFitsItsLabel) {
    startGame();
    Label* label = roster().avertissement;
    const QString large = QStringLiteral("WWWWWWWWWWWWWWWWWW"); // cut to the 13 tiles
    const QString aside = dir.filePath(QStringLiteral("4.bin.endommage.12"));
    struct Case {
        const char* what;
        ResultatLecture lu;
        const char16_t* contient;
    };
    const Case cases[] = {
        {"nothing came back", {LectureJoueurs::Endommage, aside, {}, {}}, u"Entrez votre prénom"},
        {"nothing came back, nothing kept", {LectureJoueurs::Endommage, {}, {}, {}}, u"pas pu"},
        {"everyone came back", {LectureJoueurs::Recupere, aside, {}, {}}, u"Tous les joueurs"},
        {"one lost", {LectureJoueurs::Recupere, aside, {}, {{2, large}}}, u"WWWWWWWWWWWWW ;"},
        {"one lost, no name", {LectureJoueurs::Recupere, aside, {}, {{12, {}}}}, u"joueur n° 12"},
        {"two lost",
         {LectureJoueurs::Recupere, aside, {}, {{2, large}, {12, large}}},
         u"WWWWWWWWWWWWW et WWWWWWWWWWWWW."},
        {"two lost, nothing kept",
         {LectureJoueurs::Recupere, {}, {}, {{11, {}}, {12, {}}}},
         u"joueur n° 11 et le joueur n° 12."},
        {"many lost",
         {LectureJoueurs::Recupere, aside, {}, {{1, large}, {2, large}, {3, large}}},
         u"retrouver 3 joueurs"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const QString message = DemandePrenom::messageFichierAbime(c.lu);
        EXPECT_TRUE(message.contains(QString::fromUtf16(c.contient))) << message.toStdString();
        label->setCaption(message);
        EXPECT_LE(label->textHeight(), label->height()) << message.toStdString();
    }
    EXPECT_TRUE(
        DemandePrenom::messageFichierAbime({LectureJoueurs::Joueurs, {}, {}, {}}).isEmpty());
}
