// The data file of the erasing-text exercise and its readable source.
#include "reading/fichier_lecture2.h"
#include "support/game_fixture.h"

#include <QBuffer>
#include <QRegularExpression>

using namespace zm;

namespace {

TexteAEffacer exemple(const QString& titre = QStringLiteral("Le hérisson")) {
    TexteAEffacer t;
    t.titre = titre;
    t.texte = QStringLiteral("Le hérisson chasse la nuit, dans un nid de feuilles.");
    t.questions = {{0, QStringLiteral("Il chasse le jour."), QStringLiteral("1"),
                    QStringLiteral("Faux : « la nuit », dit le texte.")},
                   {1, QStringLiteral("Où dort-il ? (un seul mot)"), QStringLiteral("nid"),
                    QStringLiteral("Dans un nid de feuilles.")}};
    return t;
}

struct Lu {
    std::vector<QString> titres;
    QString defaut;
};

// Every playable record of the bytes, in order, as the screen reads them.
Lu lireTout(const QByteArray& bytes) {
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    Lu lu;
    while (auto t = lireTexteSuivant(buffer, &lu.defaut))
        lu.titres.push_back(t->titre);
    return lu;
}

} // namespace

TEST(ErasingTextsFile, RecordsReadBackAsWrittenInPlainWindows1252) {
    const TexteAEffacer t = exemple();
    const QByteArray bytes = ecrireTexteAEffacer(t);
    // No coding step: "é" is the byte 0xE9; CR LF ends each line; "0" closes.
    EXPECT_TRUE(bytes.startsWith("2\r\nLe h\xE9risson\r\nLe h\xE9risson chasse"));
    EXPECT_TRUE(bytes.contains("\r\n1,\"O\xF9 dort-il ? (un seul mot)\",\"nid\",\"Dans"));
    EXPECT_TRUE(bytes.endsWith("feuilles.\"\r\n0\r\n"));
    QBuffer buffer;
    buffer.setData(bytes + ecrireTexteAEffacer(exemple(QStringLiteral("Deux"))));
    buffer.open(QIODevice::ReadOnly);
    const auto back = lireTexteAEffacer(buffer);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->titre, t.titre);
    EXPECT_EQ(back->texte, t.texte);
    ASSERT_EQ(back->questions.size(), 2u);
    for (std::size_t j = 0; j < 2; ++j) {
        EXPECT_EQ(back->questions[j].genre, t.questions[j].genre);
        EXPECT_EQ(back->questions[j].enonce, t.questions[j].enonce);
        EXPECT_EQ(back->questions[j].reponse_attendue, t.questions[j].reponse_attendue);
        EXPECT_EQ(back->questions[j].explication, t.questions[j].explication);
    }
    EXPECT_EQ(lireTexteAEffacer(buffer)->titre, QStringLiteral("Deux"));
    EXPECT_TRUE(buffer.atEnd());
}

TEST(ErasingTextsFile, AnUnplayableRecordIsRefusedAndPassedOver) {
    const QByteArray good = ecrireTexteAEffacer(exemple());
    auto avecQuestions = [](int n) {
        TexteAEffacer t = exemple(QStringLiteral("Trop"));
        t.questions.assign(std::size_t(std::max(n, 0)), exemple().questions[0]);
        QByteArray bytes = ecrireTexteAEffacer(t);
        return bytes.replace(0, bytes.indexOf('\r'), QByteArray::number(n));
    };
    struct Case {
        const char* name;
        QByteArray bytes;
        const char* why;
    };
    const Case cases[] = {
        {"twelve questions: more than the screen holds", avecQuestions(12),
         "12 questions pour un texte (de 1 à 11)"},
        {"no question", avecQuestions(0), "0 questions"},
        {"a negative count", avecQuestions(-3), "-3 questions"},
        {"a count that is no number", QByteArray(good).replace(0, 1, "deux"),
         "nombre de questions illisible"},
        {"a kind other than 0 or 1", QByteArray(good).replace("\r\n1,\"O", "\r\n2,\"O"),
         "question 2 : genre « 2 » inconnu"},
        {"a VRAI / FAUX answer other than 0 or 1", QByteArray(good).replace("\"1\",", "\"oui\","),
         "question 1 : réponse VRAI / FAUX autre que 0 ou 1"},
        {"an empty typed answer", QByteArray(good).replace("\"nid\"", "\"  \""),
         "question 2 sans réponse attendue"},
        {"an empty statement", QByteArray(good).replace("\"Il chasse le jour.\"", "\"\""),
         "question 1 sans énoncé"},
        {"an empty text",
         QByteArray(good).replace("Le h\xE9risson chasse la nuit, dans un nid "
                                  "de feuilles.",
                                  ""),
         "titre ou texte vide"},
        {"an overlong text line", QByteArray(good).replace("chasse", QByteArray(5000, 'a')),
         "texte trop long"},
        {"one question too few", QByteArray(good).replace(0, 1, "3"), "question"},
    };
    const QByteArray other = ecrireTexteAEffacer(exemple(QStringLiteral("Autre")));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QBuffer buffer;
        buffer.setData(c.bytes);
        buffer.open(QIODevice::ReadOnly);
        QString why;
        EXPECT_FALSE(lireTexteAEffacer(buffer, &why));
        EXPECT_TRUE(why.contains(QString::fromUtf8(c.why))) << why.toStdString();
        // Alone: nothing to read, and the reading ends.
        EXPECT_TRUE(lireTout(c.bytes).titres.empty());
        // Between two good records: passed over, the reason kept.
        const Lu lu = lireTout(good + c.bytes + other);
        EXPECT_EQ(lu.titres,
                  (std::vector<QString>{QStringLiteral("Le hérisson"), QStringLiteral("Autre")}));
        EXPECT_FALSE(lu.defaut.isEmpty());
    }
    // A file cut inside its last record, or ending with blank lines.
    EXPECT_EQ(lireTout(good + other.left(other.size() - 12)).titres.size(), 1u);
    const Lu blancs = lireTout(good + "\r\n  \r\n\r\n");
    EXPECT_EQ(blancs.titres.size(), 1u);
    EXPECT_TRUE(blancs.defaut.isEmpty()) << "blank lines at the end are no fault";
}

TEST(ErasingTextsSource, RefusesWhatTheGameCouldNotRead) {
    const QString ok = QStringLiteral(
        "3\nLe chat\nLe chat dort sur le lit.\n0,\"Il dort.\",\"0\",\"Vrai : il dort.\"\n"
        "1,\"Sur quoi dort-il ? (un seul mot)\",\"lit\",\"Sur le lit.\"\n"
        "0,\"Il court.\",\"1\",\"Faux : il dort.\"\n0\n");
    const SourceLecture2 bon = convertirSourceLecture2(ok + ok);
    EXPECT_EQ(bon.erreurs, QStringList());
    ASSERT_EQ(bon.textes.size(), 2u);
    EXPECT_EQ(bon.fichier, ecrireTexteAEffacer(bon.textes[0]) + ecrireTexteAEffacer(bon.textes[1]));
    struct Case {
        QString source;
        const char* fault;
    };
    const Case cases[] = {
        {QString(ok).replace("Le chat dort", "Le chat 😺 dort"),
         "ligne 3 : caractère « 😺 » (U+1F63A) impossible à écrire en Windows-1252"},
        {QString(ok).replace("Le chat dort", "Le chat\tdort"),
         "ligne 3 : caractère de contrôle U+0009 interdit"},
        {QString(ok).replace("Le chat dort", "Le chat ŝ dort"), "(U+015D) impossible"},
        {QString(ok).replace(0, 1, "12"), "ligne 1 : un nombre de questions de 3 à 11 attendu"},
        {QString(ok).replace(0, 1, "2"), "ligne 1 : un nombre de questions de 3 à 11 attendu"},
        {QString(ok).replace("\"Il court.\"", "Il court."), "ligne 6 : question attendue"},
        {QString(ok).replace("Il dort.\"", "Il « dort ».\",\"x\""), "ligne 4 : question attendue"},
        {QString(ok).replace("\n0\n", "\n1\n"), "ligne 7 : la ligne « 0 » qui ferme le texte"},
        {QString(ok).replace("\nLe chat\n", "\n Le chat\n"), "ligne 2 : titre ou texte vide"},
        {QString(ok).left(ok.size() - 3), "ligne 1 : texte coupé avant sa fin"},
        {QString(), "aucun texte"},
    };
    for (const Case& c : cases) {
        const SourceLecture2 s = convertirSourceLecture2(c.source);
        ASSERT_FALSE(s.erreurs.isEmpty()) << c.fault;
        EXPECT_TRUE(s.erreurs[0].contains(QString::fromUtf8(c.fault)))
            << s.erreurs[0].toStdString();
        EXPECT_TRUE(s.fichier.isEmpty()) << c.fault;
    }
}

TEST(ErasingTextsSource, TheShippedTextsAreSoundAndTheBuiltFileHoldsThem) {
    QFile source(QStringLiteral(ZM_SOURCE_DIR "/content/reading/textes_lecture2.txt"));
    ASSERT_TRUE(source.open(QIODevice::ReadOnly));
    const SourceLecture2 s = convertirSourceLecture2(QString::fromUtf8(source.readAll()));
    EXPECT_EQ(s.erreurs, QStringList());
    EXPECT_GE(s.textes.size(), 30u);
    static const QRegularExpression mot(QStringLiteral("^[\\w'-]+$"),
                                        QRegularExpression::UseUnicodePropertiesOption);
    for (const TexteAEffacer& t : s.textes) {
        SCOPED_TRACE(t.titre.toStdString());
        EXPECT_GE(t.texte.size(), 300);
        EXPECT_LE(t.texte.size(), 700);
        EXPECT_FALSE(t.texte.contains(QStringLiteral("  ")));
        EXPECT_EQ(t.texte, t.texte.trimmed());
        int tapees = 0;
        for (const QuestionTexte& q : t.questions) {
            if (q.genre == 0)
                continue;
            ++tapees;
            // One word or one number, spelled as the text spells it, and
            // typeable on a French keyboard.
            EXPECT_TRUE(mot.match(q.reponse_attendue).hasMatch())
                << q.reponse_attendue.toStdString();
            EXPECT_TRUE(t.texte.contains(q.reponse_attendue, Qt::CaseInsensitive))
                << q.reponse_attendue.toStdString();
            for (const char* lettre : {"œ", "Œ", "æ", "Æ"})
                EXPECT_FALSE(q.reponse_attendue.contains(QString::fromUtf8(lettre)));
        }
        EXPECT_GE(tapees, 1);
        EXPECT_LT(tapees, int(t.questions.size())) << "VRAI / FAUX questions too";
    }

    QFile built(QStringLiteral(ZM_DATAS_DIR "/3.bin"));
    ASSERT_TRUE(built.open(QIODevice::ReadOnly));
    EXPECT_EQ(built.readAll(), s.fichier);
}
