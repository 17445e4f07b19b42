// The erasing text: the text vanishes word by word on the virtual clock, its
// questions are judged, the summary counts, the place in the file is kept.
#include "reading/lecture2.h"
#include "support/game_fixture.h"

#include <QLineEdit>
#include <QRadioButton>

using namespace zm;
using namespace zm::testing;

namespace {

constexpr int kLecture2 = 6;

QuestionTexte vf(const char* enonce, int attendu) {
    return {0, QString::fromUtf8(enonce), QString::number(attendu),
            QStringLiteral("Explication de « ") + QString::fromUtf8(enonce) + QStringLiteral(" »")};
}

QuestionTexte tapee(const char* enonce, const char* attendu) {
    return {1, QString::fromUtf8(enonce), QString::fromUtf8(attendu),
            QStringLiteral("Le texte dit : ") + QString::fromUtf8(attendu) + QStringLiteral(".")};
}

TexteAEffacer texte(const QString& titre = QStringLiteral("Le chat"),
                    const QString& corps = QStringLiteral("Le chat dort sur le lit."),
                    std::vector<QuestionTexte> questions = {
                        vf("Le chat dort.", 0), tapee("Sur quoi dort-il ?", "lit"),
                        vf("Le chat court.", 1), tapee("Qui dort ?", "chat")}) {
    return {titre, corps, std::move(questions)};
}

struct Erasing : GameTest {
    void writeFile(const QByteArray& bytes) {
        QFile f(dir.filePath(QStringLiteral("3.bin")));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    void writeTexts(const std::vector<TexteAEffacer>& textes, const QByteArray& after = {}) {
        QByteArray bytes;
        for (const TexteAEffacer& t : textes)
            bytes += ecrireTexteAEffacer(t);
        writeFile(bytes + after);
    }
    // A fresh game on these texts, on the start screen.
    void begin(const std::vector<TexteAEffacer>& textes = {texte()}) {
        writeTexts(textes);
        ended = 0;
        startGame();
        jouer();
        r().prenom = QStringLiteral("Léa");
    }
    Lecture2& s() { return dynamic_cast<Lecture2&>(epreuve(kLecture2)); }
    Lecture2& open() {
        click(depart().anim[kLecture2]);
        return s();
    }
    // Chooses the speed (0 normal, 1 fast) and clicks COMMENCER: returns
    // once the text is shown and its erasing has started.
    void commencer(int speed = 0) {
        FakePlatform::press(s().celerite[std::size_t(speed)]);
        click(s().effacement);
    }
    // Lets the text vanish up to its first question.
    void jusquAuxQuestions() {
        for (int k = 0; k < 2000 && s().etape() == Lecture2::Etape::Lecture; ++k)
            p.advance(50);
        ASSERT_EQ(s().etape(), Lecture2::Etape::Question);
    }
    void taper(const QString& text) {
        s().reponse->setText(text);
        FakePlatform::key(s().reponse, Qt::Key_Return, QStringLiteral("\r"));
    }
    // Answers the current question, right or wrong.
    void repondre(bool juste) {
        Lecture2& e = s();
        const std::size_t n = std::size_t(e.numero_question);
        if (e.genre_question[n] == 0) {
            const int attendu = e.reponse_attendue[n].toInt();
            click(e.oui_non[std::size_t(juste ? attendu : 1 - attendu)]);
        } else {
            taper(juste ? e.reponse_attendue[n] : QStringLiteral("zzz"));
        }
    }
    // Answers every question, the first `justes` right, up to the summary.
    void repondreATout(int justes) {
        const int n = s().nb_questions;
        for (int j = 0; j < n; ++j) {
            repondre(j < justes);
            click(s().background());
        }
        ASSERT_EQ(s().etape(), Lecture2::Etape::Bilan);
    }
    int sons100() { return int(p.sound().effectNames().count(QStringLiteral("100"))); }
};

// Where each word of the text starts, and where it ends.
std::vector<std::pair<qsizetype, qsizetype>> mots(const QString& texte) {
    std::vector<std::pair<qsizetype, qsizetype>> out;
    qsizetype i = 0;
    while (i < texte.size()) {
        while (i < texte.size() && (texte[i] == u' ' || texte[i] == u'\n'))
            ++i;
        qsizetype e = i;
        while (e < texte.size() && texte[e] != u' ' && texte[e] != u'\n')
            ++e;
        if (e > i)
            out.push_back({i, e});
        i = e;
    }
    return out;
}

} // namespace

TEST_F(Erasing, TheIntroductionOffersTheSpeedsAndComesFirst) {
    begin();
    Lecture2& e = open();
    EXPECT_EQ(e.boite_texte->texte(), Lecture2::kIntroduction);
    EXPECT_TRUE(e.boite_texte->texte().startsWith(
        QStringLiteral("Bienvenue dans le monde de la Lecture Rapide !\n\nUn texte va s'afficher "
                       "à l'écran. Lisez-le rapidement")));
    for (qsizetype i : {qsizetype(0), e.boite_texte->longueur() - 1}) {
        EXPECT_EQ(e.boite_texte->alignement(i), Alignement::Centre);
        EXPECT_TRUE(e.boite_texte->gras(i));
        EXPECT_EQ(e.boite_texte->couleur(i), kNoir);
    }
    EXPECT_EQ(e.effacement->caption(), QStringLiteral("COMMENCER"));
    EXPECT_FALSE(e.effacement->isHidden());
    EXPECT_FALSE(e.celerite[1]->isHidden());
    EXPECT_TRUE(e.celerite[0]->isChecked());
    EXPECT_TRUE(e.oui_non[0]->isHidden());
    EXPECT_TRUE(e.reponse->isHidden());
    EXPECT_EQ(e.aide, nullptr) << "no help on this screen";
    EXPECT_EQ(p.cursor().confinement, QRect(0, 0, 800, 600));
    EXPECT_TRUE(p.cursor().shown());
    // Choosing a speed plays a sound and sets the delay.
    p.sound().clear();
    FakePlatform::press(e.celerite[1]);
    EXPECT_EQ(e.delai_effacement, 75);
    EXPECT_EQ(p.sound().effectNames().size(), 1);
    FakePlatform::press(e.celerite[0]);
    EXPECT_EQ(e.delai_effacement, 200);
}

TEST_F(Erasing, TheTextShowsThenVanishesAWordAtATimeAtEitherSpeed) {
    struct Case {
        int speed;
        int rouge; // how long a word stays red
    };
    for (const Case c : {Case{0, 250}, Case{1, 125}}) {
        SCOPED_TRACE(c.speed);
        begin();
        Lecture2& e = open();
        const qint64 t0 = p.now();
        p.sound().clear();
        commencer(c.speed);
        // The title centred and bold, the text left; nothing erased for 1.5 s.
        const QString attendu = QStringLiteral("Le chat\n\nLe chat dort sur le lit.");
        ASSERT_EQ(e.boite_texte->texte(), attendu);
        EXPECT_EQ(p.now() - t0, 1500);
        EXPECT_EQ(e.boite_texte->alignement(0), Alignement::Centre);
        EXPECT_TRUE(e.boite_texte->gras(0));
        EXPECT_EQ(e.boite_texte->alignement(9), Alignement::Gauche);
        EXPECT_FALSE(e.boite_texte->gras(9));
        EXPECT_EQ(e.boite_texte->couleur(9), kNoir);
        EXPECT_FALSE(p.cursor().shown());
        EXPECT_EQ(p.cursor().confinement, e.boite_texte->geometry());
        EXPECT_EQ(p.cursor().position, e.boite_texte->geometry().center());

        // Word k turns red 7 + k * (rouge + 7) ms after the start, stays red
        // `rouge` ms, then takes the box's colour with the sound "100". The
        // last word goes at once, with the first question.
        const auto m = mots(attendu);
        const qint64 start = p.now();
        const int pas = c.rouge + 7;
        std::vector<QString> vu;
        auto couleurs = [&] {
            QString out;
            for (const auto& [a, b] : m) {
                const QColor col = e.boite_texte->couleur(a);
                out += col == kRouge ? u'r' : col == kNoir ? u'n' : u'-';
            }
            return out;
        };
        for (std::size_t k = 0; k + 1 < m.size(); ++k) {
            p.at(start + 7 + qint64(k) * pas + c.rouge - 1, [&] { vu.push_back(couleurs()); });
            p.at(start + qint64(k + 1) * pas + 1, [&] { vu.push_back(couleurs()); });
        }
        std::vector<qint64> sons;
        p.advance(7 + int(m.size() - 1) * pas - 1);
        EXPECT_EQ(e.etape(), Lecture2::Etape::Lecture) << "the last word still waits";
        for (const fake::PlayedSound& son : p.sound().played)
            if (son.name == QStringLiteral("100"))
                sons.push_back(son.at - start);
        p.advance(1);
        EXPECT_EQ(e.etape(), Lecture2::Etape::Question);
        EXPECT_EQ(sons100(), int(m.size()) - 1) << "no sound for the last word";
        std::vector<qint64> attendus;
        for (std::size_t k = 0; k + 1 < m.size(); ++k)
            attendus.push_back(qint64(k + 1) * pas);
        EXPECT_EQ(sons, attendus);
        EXPECT_EQ(vu,
                  (std::vector<QString>{"rnnnnnnn", "-nnnnnnn", "-rnnnnnn", "--nnnnnn", "--rnnnnn",
                                        "---nnnnn", "---rnnnn", "----nnnn", "----rnnn", "-----nnn",
                                        "-----rnn", "------nn", "------rn", "-------n"}));
        EXPECT_EQ(e.effacer().isActive(), false);
    }
}

TEST_F(Erasing, AWordEndsAtALineFeedAndTheLastOneIsBlanked) {
    begin({texte(QStringLiteral("Un titre"), QStringLiteral("Le texte  court. Fin"))});
    Lecture2& e = open();
    std::vector<QString> textes;
    std::vector<int> positions;
    QObject::connect(e.boite_texte, &QTextEdit::textChanged,
                     [&] { textes.push_back(e.boite_texte->texte()); });
    commencer();
    const qsizetype apresTitre = QStringLiteral("Un titre\n\n").size();
    // Each step colours exactly one word, never the line feeds around it.
    std::vector<QString> rouges;
    for (int k = 0; k < 5; ++k)
        p.at(p.now() + 7 + k * 257 + 100, [&] {
            QString rouge;
            const QString t = e.boite_texte->texte();
            for (qsizetype i = 0; i < t.size(); ++i)
                if (t[i] != u'\n' && e.boite_texte->couleur(i) == kRouge)
                    rouge += t[i];
            rouges.push_back(rouge);
            positions.push_back(e.position_effacement);
        });
    textes.clear();
    jusquAuxQuestions();
    EXPECT_EQ(rouges, (std::vector<QString>{"Un", "titre", "Le", "texte", "court."}));
    // "titre" ends at the line feeds; the next step starts on "Le".
    EXPECT_EQ(positions[2], apresTitre + 1);
    // The last word was replaced by as many blanks, then the question came.
    const auto blanchi =
        std::find(textes.begin(), textes.end(), QStringLiteral("Un titre\n\nLe texte  court.    "));
    ASSERT_NE(blanchi, textes.end());
    EXPECT_TRUE(std::all_of(blanchi, textes.end(),
                            [](const QString& t) { return !t.contains(QStringLiteral("Fin")); }));
    EXPECT_EQ(sons100(), 5);
}

TEST_F(Erasing, EachQuestionComesWithItsHeadingAndItsMeansOfAnswer) {
    begin();
    Lecture2& e = open();
    commencer();
    jusquAuxQuestions();
    struct Attendu {
        const char* enonce;
        const char* fin;
        bool vraiFaux;
    };
    const Attendu questions[] = {{"Le chat dort.", "\n\n", true},
                                 {"Sur quoi dort-il ?", "\nAppuyez ensuite sur ENTREE.\n", false},
                                 {"Le chat court.", "\n\n", true},
                                 {"Qui dort ?", "\nAppuyez ensuite sur ENTREE.\n", false}};
    for (int n = 0; n < 4; ++n) {
        SCOPED_TRACE(n);
        const QString entete =
            QStringLiteral("\nAvez-vous eu le temps de bien comprendre ce texte ?\nVoici 4 "
                           "questions pour en juger : QUESTION N° %1\n\n")
                .arg(n + 1);
        const QString q = QString::fromUtf8(questions[n].enonce) + questions[n].fin;
        EXPECT_EQ(e.boite_texte->texte(), entete + q);
        EXPECT_EQ(e.debut_question, entete.size());
        EXPECT_EQ(e.fin_question, (entete + q).size());
        EXPECT_EQ(e.boite_texte->couleur(1), kNoir);
        EXPECT_TRUE(e.boite_texte->gras(1));
        EXPECT_EQ(e.boite_texte->couleur(entete.size()), kBleu);
        EXPECT_FALSE(e.boite_texte->gras(entete.size()));
        EXPECT_EQ(e.boite_texte->alignement(entete.size()), Alignement::Centre);
        EXPECT_EQ(e.attente_suite, 0);
        EXPECT_EQ(e.oui_non[0]->isHidden(), !questions[n].vraiFaux);
        EXPECT_EQ(e.oui_non[1]->isHidden(), !questions[n].vraiFaux);
        EXPECT_EQ(e.reponse->isHidden(), questions[n].vraiFaux);
        EXPECT_EQ(p.cursor().shown(), questions[n].vraiFaux) << "hidden while typing";
        if (questions[n].vraiFaux) {
            EXPECT_EQ(e.oui_non[0]->caption(), QStringLiteral("VRAI"));
            EXPECT_EQ(e.oui_non[1]->caption(), QStringLiteral("FAUX"));
            // The pointer stays in the box, and the answers are inside it.
            EXPECT_TRUE(e.boite_texte->geometry().contains(e.oui_non[0]->geometry()));
            EXPECT_TRUE(e.boite_texte->geometry().contains(e.oui_non[1]->geometry()));
        } else {
            EXPECT_EQ(e.reponse->text(), QString());
            EXPECT_TRUE(e.boite_texte->geometry().contains(e.reponse->geometry()));
        }
        // Nothing goes on until the question is answered.
        click(e.background());
        FakePlatform::key(e.invisible, Qt::Key_Return);
        EXPECT_EQ(e.numero_question, n);
        repondre(true);
        click(e.background());
    }
}

TEST_F(Erasing, VraiIsZeroAndFauxIsOneOnThisScreen) {
    struct Case {
        int attendu; // 0: VRAI, 1: FAUX
        int clic;
        bool juste;
        const char* dit;
    };
    const Case cases[] = {{0, 0, true, "\nVous avez dit VRAI ? Bonne réponse ! \n"},
                          {0, 1, false, "\nVous maintenez que c'est FAUX ? Erreur Léa ! \n"},
                          {1, 1, true, "\nVous avez dit FAUX ? Bonne réponse ! \n"},
                          {1, 0, false, "\nVous maintenez que c'est VRAI ? Erreur Léa ! \n"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.attendu) + std::to_string(c.clic));
        begin({texte(QStringLiteral("Le chat"), QStringLiteral("Le chat dort."),
                     {vf("Le chat dort.", c.attendu), vf("Encore ?", 0), vf("Fin ?", 1)})});
        r().score = 5;
        Lecture2& e = open();
        commencer();
        jusquAuxQuestions();
        const qsizetype fin = e.fin_question;
        const QString avant = e.boite_texte->texte();
        p.sound().clear();
        click(e.oui_non[std::size_t(c.clic)]);
        EXPECT_EQ(e.boite_texte->texte(),
                  avant + QString::fromUtf8(c.dit) +
                      QStringLiteral("Explication de « Le chat dort. »\n\nAppuyez sur ENTREE "
                                     "(ou cliquez) pour continuer..."));
        const QColor couleur = c.juste ? kBleu : kRouge;
        EXPECT_EQ(e.boite_texte->couleur(fin + 1), couleur);
        EXPECT_EQ(e.boite_texte->couleur(e.boite_texte->longueur() - 1), couleur);
        EXPECT_EQ(e.boite_texte->couleur(fin - 3), kBleu) << "the question stays blue";
        EXPECT_EQ(e.nb_justes, c.juste ? 1 : 0);
        EXPECT_EQ(e.nb_fausses, c.juste ? 0 : 1);
        EXPECT_EQ(r().score, 5) << "the points come with the summary";
        ASSERT_EQ(p.sound().effectNames().size(), 1);
        EXPECT_TRUE(p.sound().effectNames()[0].endsWith(c.juste ? ".vic" : ".def"));
        EXPECT_TRUE(e.oui_non[0]->isHidden());
        EXPECT_TRUE(e.image_oui[1]->isHidden());
        EXPECT_EQ(e.attente_suite, 1);
        EXPECT_EQ(e.numero_question, 1);
        EXPECT_EQ(p.cursor().confinement, e.boite_texte->geometry());
        EXPECT_EQ(p.cursor().position, e.boite_texte->geometry().center());
        // A second answer to the same question counts for nothing.
        click(e.oui_non[0]);
        EXPECT_EQ(e.nb_justes + e.nb_fausses, 1);
        // Enter goes on to the next question.
        FakePlatform::key(e.invisible, Qt::Key_Return);
        EXPECT_TRUE(e.boite_texte->texte().contains(QStringLiteral("QUESTION N° 2\n\nEncore ?")));
    }
}

TEST_F(Erasing, TypedAnswersIgnoreCaseAndBlanksButNotAccents) {
    struct Case {
        const char* attendu;
        const char* tape;
        bool juste;
        const char* montre;
    };
    const Case cases[] = {
        {"Chloé", "chloé", true, "CHLOÉ"},  {"Chloé", "   CHLOÉ  ", true, "CHLOÉ"},
        {"Chloé", "Chloe", false, "CHLOE"}, {"été", "ete", false, "ETE"},
        {"12", " 12", true, "12"},          {"nœud", "noeud", true, "NOEUD"},
        {"lit", "lits", false, "LITS"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.tape);
        begin({texte(QStringLiteral("Titre"), QStringLiteral("Un texte."),
                     {tapee("Qui ?", c.attendu), vf("Et ?", 0), vf("Fin ?", 1)})});
        Lecture2& e = open();
        commencer();
        jusquAuxQuestions();
        const QString avant = e.boite_texte->texte();
        taper(QString::fromUtf8(c.tape));
        const QString dit = c.juste ? QStringLiteral(" ? Bonne réponse ! \n")
                                    : QStringLiteral(" ? Ce n'est pas la bonne réponse ! \n");
        EXPECT_EQ(e.boite_texte->texte(),
                  avant + "\n" + QString::fromUtf8(c.montre) + dit +
                      "Le texte dit : " + QString::fromUtf8(c.attendu) +
                      ".\n\nAppuyez sur ENTREE (ou cliquez) pour continuer...");
        EXPECT_EQ(e.boite_texte->couleur(e.boite_texte->longueur() - 1), c.juste ? kBleu : kRouge);
        EXPECT_EQ(e.nb_justes, c.juste ? 1 : 0);
        EXPECT_TRUE(e.reponse->isHidden());
        EXPECT_TRUE(p.cursor().shown());
        EXPECT_EQ(p.cursor().confinement, e.boite_texte->geometry());
        EXPECT_EQ(e.attente_suite, 1);
    }
}

TEST_F(Erasing, AnEmptyAnswerOnlyClearsTheBox) {
    begin({texte(QStringLiteral("Titre"), QStringLiteral("Un texte."),
                 {tapee("Qui ?", "Léa"), vf("Et ?", 0), vf("Fin ?", 1)})});
    Lecture2& e = open();
    commencer();
    jusquAuxQuestions();
    const QString avant = e.boite_texte->texte();
    for (const char* vide : {"", "    "}) {
        p.sound().clear();
        taper(QString::fromLatin1(vide));
        EXPECT_EQ(e.reponse->text(), QString());
        EXPECT_FALSE(e.reponse->isHidden());
        EXPECT_EQ(e.boite_texte->texte(), avant);
        EXPECT_EQ(e.attente_suite, 0);
        EXPECT_EQ(e.nb_justes + e.nb_fausses, 0);
        EXPECT_TRUE(p.sound().names().isEmpty());
    }
}

TEST(ErasingSummary, EveryVerdictBranchInItsOrder) {
    const QString p = QStringLiteral("Léa");
    const QString pasPositif = QStringLiteral("Ce bilan n'est pas très positif... Entraînez-vous à "
                                              "lire plus régulièrement et surtout, à bien "
                                              "mémoriser le sens des mots les plus importants du "
                                              "texte lu.");
    const QString pasMal = QStringLiteral("Ce n'est pas mal Léa. Encore un peu de persévérance et "
                                          "les résultats s'amélioreront rapidement !");
    const QString equilibre =
        QStringLiteral("Des résultats assez équilibrés on dirait... Les grandes lignes du texte "
                       "semblent comprises mais il reste encore du travail à faire. Continuez Léa "
                       "!");
    const QString excellent = QStringLiteral(
        "Excellent ! Vous n'avez fait aucune erreur ! Vous êtes le Maître de la Lecture !");
    const QString catastrophe = QStringLiteral(
        "Catastrophe ! Il va falloir penser à s'entraîner sérieusement ! Courage Léa !");
    struct Case {
        int questions, justes;
        const QString& verdict;
    };
    const Case cases[] = {
        {4, 2, equilibre},   // h = 2: two right out of four
        {4, 3, pasMal},      // one wrong, within half
        {5, 1, pasPositif},  // four wrong out of five
        {5, 3, pasMal},      // two wrong: h = 2
        {5, 2, equilibre},   // three wrong, yet two right is h: the later check wins
        {3, 1, equilibre},   // h = 1
        {4, 4, excellent},   // all right
        {1, 1, excellent},   // h = 0, none wrong: all right wins over "pas mal"
        {4, 0, catastrophe}, // none right
        {1, 0, catastrophe}, // none right wins over the balanced h = 0
    };
    for (const Case& c : cases)
        EXPECT_EQ(Lecture2::verdict(c.questions, c.justes, c.questions - c.justes, p), c.verdict)
            << c.questions << " " << c.justes;
}

TEST_F(Erasing, TheSummaryCountsAndPaysOnlyForRightAnswersTwiceWhenFast) {
    struct Case {
        int speed, justes;
        qint32 gain;
        const char* vitesse;
        const char* points;
    };
    const Case cases[] = {
        {0, 2, 2, "normale", "Vous gagnez 2 points. Agréable non ?"},
        {1, 2, 4, "rapide", "Vous gagnez 4 points. Agréable non ?"},
        {0, 1, 1, "normale",
         "Vous ne gagnez qu'un point. Vous ferez sûrement mieux pour le prochain texte !"},
        {1, 1, 2, "rapide",
         "Vous ne gagnez que deux points. Vous ferez sûrement mieux pour le prochain texte !"},
        {1, 0, 0, "rapide", "Vous ne gagnez AUCUN point ! Un effort voyons Léa !"},
        {0, 4, 4, "normale", "Vous gagnez 4 points. Agréable non ?"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.speed) + std::to_string(c.justes));
        begin();
        r().score = 7;
        Lecture2& e = open();
        commencer(c.speed);
        jusquAuxQuestions();
        repondreATout(c.justes);
        const QString attendu =
            QStringLiteral("BILAN POUR CE TEXTE\n\nVous aviez choisi une vitesse d'effacement ") +
            c.vitesse +
            QStringLiteral(".\nNombre de questions posées --> 4\n\nNombre de réponses justes --> "
                           "%1\n\nNombre de réponses fausses --> %2\n\n")
                .arg(c.justes)
                .arg(4 - c.justes) +
            Lecture2::verdict(4, c.justes, 4 - c.justes, QStringLiteral("Léa")) + "\n\n" +
            QString::fromUtf8(c.points);
        EXPECT_EQ(e.boite_texte->texte(), attendu);
        EXPECT_EQ(r().score, 7 + c.gain) << "wrong answers cost nothing";
        EXPECT_EQ(e.scoreLabel()->caption(), r().texteScore());
        EXPECT_EQ(e.effacement->caption(), QStringLiteral("Un autre texte ?"));
        EXPECT_FALSE(e.effacement->isHidden());
        EXPECT_EQ(r().progression_lecture2, 0) << "one text: the next is the first again";
        EXPECT_EQ(p.cursor().confinement, QRect(0, 0, 800, 600)) << "out of the box";
        EXPECT_TRUE(p.cursor().shown());
        // A click on the box or Enter does nothing more now.
        click(e.background());
        FakePlatform::key(e.invisible, Qt::Key_Return);
        EXPECT_EQ(e.boite_texte->texte(), attendu);
        // "Un autre texte ?" brings back the introduction, normal speed.
        click(e.effacement);
        EXPECT_EQ(e.boite_texte->texte(), Lecture2::kIntroduction);
        EXPECT_EQ(e.effacement->caption(), QStringLiteral("COMMENCER"));
        EXPECT_TRUE(e.celerite[0]->isChecked());
        EXPECT_FALSE(e.celerite[1]->isHidden());
    }
}

TEST_F(Erasing, ThePlaceInTheFileIsTheTextOfferedEvenAfterTheFileWraps) {
    begin({texte(QStringLiteral("Un")), texte(QStringLiteral("Deux")),
           texte(QStringLiteral("Trois"))});
    auto offert = [&] { return s().titre_texte; };
    auto revenir = [&] {
        click(s().retour);
        EXPECT_FALSE(r().fichier1) << "the file is closed on leaving";
        open();
    };
    auto finir = [&] {
        commencer();
        jusquAuxQuestions();
        repondreATout(4);
    };
    open();
    EXPECT_EQ(offert(), QStringLiteral("Un"));
    finir();
    EXPECT_EQ(r().progression_lecture2, 1);
    click(s().effacement); // Un autre texte ?
    EXPECT_EQ(offert(), QStringLiteral("Deux"));
    revenir();
    EXPECT_EQ(offert(), QStringLiteral("Deux"));
    finir();
    revenir();
    EXPECT_EQ(offert(), QStringLiteral("Trois"));
    // Left in the middle of a text: that text again.
    commencer();
    p.advance(2000);
    revenir();
    EXPECT_EQ(offert(), QStringLiteral("Trois"));
    EXPECT_EQ(r().progression_lecture2, 2);
    // The last text done, the first comes next, whether the player goes on
    // or leaves and comes back.
    finir();
    EXPECT_EQ(r().progression_lecture2, 0);
    click(s().effacement);
    EXPECT_EQ(offert(), QStringLiteral("Un"));
    revenir();
    EXPECT_EQ(offert(), QStringLiteral("Un"));
    EXPECT_EQ(r().progression_lecture2, 0);

    // A place past the last text, or a negative one, starts again.
    for (int place : {3, 4, 500, -4}) {
        SCOPED_TRACE(place);
        click(s().retour);
        r().progression_lecture2 = place;
        open();
        EXPECT_EQ(offert(), QStringLiteral("Un"));
        EXPECT_EQ(r().progression_lecture2, 0);
    }
}

TEST_F(Erasing, UnplayableRecordsArePassedOverAndTheFileStillWraps) {
    TexteAEffacer trop = texte(QStringLiteral("Douze"));
    trop.questions.assign(12, vf("Trop ?", 0));
    TexteAEffacer bizarre = texte(QStringLiteral("Genre"));
    bizarre.questions[1].genre = 5;
    writeTexts({texte(QStringLiteral("Un")), trop, bizarre, texte(QStringLiteral("Deux")), trop});
    startGame();
    jouer();
    open();
    std::vector<QString> offerts;
    for (int k = 0; k < 4; ++k) {
        offerts.push_back(s().titre_texte);
        commencer();
        jusquAuxQuestions();
        repondreATout(0);
        click(s().effacement);
    }
    EXPECT_EQ(offerts, (std::vector<QString>{"Un", "Deux", "Un", "Deux"}));
    EXPECT_EQ(s().etape(), Lecture2::Etape::Introduction);
}

TEST_F(Erasing, ABadTextsFileIsSaidAndRetourStillLeaves) {
    TexteAEffacer trop = texte();
    trop.questions.assign(12, vf("Trop ?", 0));
    struct Case {
        const char* name;
        std::optional<QByteArray> bytes; // nothing: no file at all
        const char* said;
    };
    const Case cases[] = {
        {"missing", std::nullopt, "(le fichier 3.bin est introuvable)"},
        {"empty", QByteArray(), "(le fichier 3.bin est vide)"},
        {"blank lines only", QByteArray("\r\n  \r\n"), "(le fichier 3.bin est vide)"},
        {"twelve questions", ecrireTexteAEffacer(trop),
         "(aucun texte lisible dans le fichier 3.bin : 12 questions pour un texte (de 1 à 11))"},
        {"not a texts file at all", QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16),
         "aucun texte lisible"},
    };
    startGame();
    jouer();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QFile::remove(dir.filePath(QStringLiteral("3.bin")));
        if (c.bytes)
            writeFile(*c.bytes);
        Lecture2& e = open();
        EXPECT_EQ(e.etape(), Lecture2::Etape::Panne);
        EXPECT_TRUE(e.boite_texte->texte().startsWith(
            QStringLiteral("\nLes textes de cet exercice sont illisibles (")));
        EXPECT_TRUE(e.boite_texte->texte().contains(QString::fromUtf8(c.said)))
            << e.boite_texte->texte().toStdString();
        EXPECT_TRUE(
            e.boite_texte->texte().endsWith(QStringLiteral("Revenez au menu avec Retour.")));
        EXPECT_LE(e.boite_texte->hauteurTexte(), e.boite_texte->hauteurVisible());
        EXPECT_TRUE(e.effacement->isHidden());
        EXPECT_TRUE(e.celerite[0]->isHidden());
        // Nothing to start, nothing to answer.
        click(e.effacement);
        click(e.background());
        FakePlatform::key(e.invisible, Qt::Key_Return);
        p.advance(3000);
        EXPECT_EQ(e.etape(), Lecture2::Etape::Panne);
        EXPECT_FALSE(e.effacer().isActive());
        EXPECT_FALSE(e.retour->isHidden());
        click(e.retour);
        EXPECT_EQ(game->stage().active(), &depart());
        EXPECT_FALSE(p.cursor().confinement);
    }
}

TEST_F(Erasing, LeavingDuringTheErasingStopsEverything) {
    struct Way {
        const char* name;
        std::function<void(Erasing&)> leave;
    };
    const Way ways[] = {
        {"retour", [](Erasing& t) { t.click(t.s().retour); }},
        {"the window closed", [](Erasing& t) { EXPECT_TRUE(t.game->quitRequested()); }},
    };
    struct Moment {
        const char* name;
        int ms; // after COMMENCER was clicked
    };
    const Moment moments[] = {
        {"in the opening 1.5 s", 700},
        {"while the first word is red", 1500 + 7 + 100},
        {"while a later word is red", 1500 + 3 * 257 + 7 + 200},
    };
    for (const Way& way : ways) {
        for (const Moment& moment : moments) {
            SCOPED_TRACE(std::string(way.name) + ", " + moment.name);
            restartGame();
            begin();
            Lecture2& e = open();
            int sons = -1, compteur = 0;
            QString texte;
            p.after(moment.ms, [&] {
                way.leave(*this);
                sons = sons100();
                texte = e.boite_texte->texte();
                compteur = p.cursor().counter;
            });
            commencer();
            p.advance(10000);
            ASSERT_GE(sons, 0) << "left";
            EXPECT_FALSE(e.effacer().isActive());
            EXPECT_EQ(sons100(), sons) << "no word vanishes any more";
            EXPECT_EQ(e.boite_texte->texte(), texte);
            EXPECT_EQ(e.etape(), Lecture2::Etape::Lecture) << "no question came";
            EXPECT_EQ(p.cursor().counter, compteur) << "the pointer left as it was";
            EXPECT_FALSE(p.cursor().confinement) << "the pointer is free";
            if (std::string(way.name) == "retour") {
                EXPECT_EQ(game->stage().active(), &depart());
                // Coming back starts afresh, and a text vanishes whole again.
                open();
                EXPECT_EQ(e.etape(), Lecture2::Etape::Introduction);
                commencer();
                jusquAuxQuestions();
            } else {
                EXPECT_EQ(ended, 1);
            }
        }
    }
}

TEST_F(Erasing, ClicksAtTheWrongMomentDoNothing) {
    begin();
    Lecture2& e = open();
    // During the erasing: every control of the screen.
    for (int k = 1; k <= 4; ++k)
        p.at(p.now() + 300 * k + 1000, [&] {
            click(e.effacement);
            FakePlatform::press(e.celerite[1]);
            click(e.oui_non[0]);
            click(e.background());
            click(e.scoreLabel());
            FakePlatform::key(e.invisible, Qt::Key_Return);
            e.juger_reponse_tapee();
        });
    const qint64 t0 = p.now();
    commencer();
    jusquAuxQuestions();
    // Seven words at 257 ms, after 1.5 s and a first 7 ms tick: the pace
    // kept; still the normal speed, still the first question.
    EXPECT_LT(p.now() - t0, 1500 + 7 + 7 * 257 + 50);
    EXPECT_EQ(e.delai_effacement, 200);
    EXPECT_EQ(e.numero_question, 0);
    EXPECT_EQ(e.nb_justes + e.nb_fausses, 0);
    // A VRAI / FAUX question: Enter typed in the hidden answer box is nothing.
    e.reponse->setText(QStringLiteral("lit"));
    FakePlatform::key(e.reponse, Qt::Key_Return);
    EXPECT_EQ(e.nb_justes + e.nb_fausses, 0);
    EXPECT_EQ(e.attente_suite, 0);
}

// --- every shipped text fits the box ------------------------------------------

TEST_F(Erasing, EveryShippedTextQuestionAndVerdictFitsTheBox) {
    ASSERT_TRUE(
        QFile::copy(QStringLiteral(ZM_DATAS_DIR "/3.bin"), dir.filePath(QStringLiteral("3.bin"))));
    startGame();
    jouer();
    // The longest first name, in wide letters.
    r().prenom = QString(13, u'M');
    Lecture2& e = open();
    BoiteTexte& boite = *e.boite_texte;
    EXPECT_LE(boite.hauteurTexte(), boite.hauteurVisible()) << "the introduction";
    // What the box shows above the answer means while a question waits.
    const int auDessus = std::min(e.oui_non[0]->geometry().top(), e.reponse->geometry().top()) -
                         boite.geometry().top() - (boite.height() - boite.hauteurVisible()) / 2;
    int textes = 0;
    do {
        SCOPED_TRACE(e.titre_texte.toStdString());
        ++textes;
        commencer();
        EXPECT_LE(boite.hauteurTexte(), boite.hauteurVisible()) << "the text";
        jusquAuxQuestions();
        for (int n = 0; n < e.nb_questions; ++n) {
            SCOPED_TRACE(n);
            EXPECT_LE(boite.hauteurTexte(), auDessus - 2) << "the question";
            // The longest verdicts: a wrong one, with the name or the
            // longest answer that can be typed.
            if (e.genre_question[std::size_t(n)] == 0)
                repondre(false);
            else
                taper(QString(e.reponse->maxLength(), u'W'));
            EXPECT_LE(boite.hauteurTexte(), boite.hauteurVisible()) << "the verdict";
            click(e.background());
        }
        EXPECT_LE(boite.hauteurTexte(), boite.hauteurVisible()) << "the summary";
        click(e.effacement);
    } while (r().progression_lecture2 != 0 && textes < 100);
    EXPECT_GE(textes, 30);
    // The longest summary: a balanced one, with the name.
    writeTexts({texte()});
    restartGame();
    jouer();
    r().prenom = QString(13, u'M');
    open();
    commencer(1);
    jusquAuxQuestions();
    repondreATout(2);
    EXPECT_TRUE(s().boite_texte->texte().contains(QStringLiteral("équilibrés")));
    EXPECT_LE(s().boite_texte->hauteurTexte(), s().boite_texte->hauteurVisible());
}
