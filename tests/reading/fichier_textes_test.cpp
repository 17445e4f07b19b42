// The data file of the true-or-false texts and its readable source.
#include "reading/fichier_textes.h"
#include "reading/source_textes.h"
#include "support/game_fixture.h"

#include <QBuffer>

using namespace zm;

namespace {

TexteLu exemple(const QString& texte = QStringLiteral("Léa a un chat gris, très câlin.")) {
    TexteLu t;
    t.texte = texte;
    t.affirmations = {Affirmation{1, "Léa a un chat.", "Oui, Léa a un chat gris."},
                      Affirmation{0, "Le chat est noir, dit-on.", "Non, il est gris."},
                      Affirmation{1, "Il est câlin.", "Oui, très câlin."},
                      Affirmation{0, "Léa a un chien.", "Non, « un chat »."}};
    return t;
}

std::optional<TexteLu> lire(const QByteArray& bytes, QString* defaut = nullptr) {
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    return lireTexte(buffer, defaut);
}

} // namespace

TEST(TextsFile, RecordsReadBackAsWritten) {
    const TexteLu t = exemple();
    const QByteArray bytes = ecrireTexte(t);
    // Stored raised by 4: "L" (76) is stored as "P" (80), "é" (233) as "í" (237).
    EXPECT_TRUE(bytes.startsWith("P\xED"
                                 "e$e$yr$"));
    EXPECT_TRUE(bytes.contains("\r\n1,\""));
    const auto back = lire(bytes + ecrireTexte(exemple(QStringLiteral("Deux."))));
    ASSERT_TRUE(back);
    EXPECT_EQ(back->texte, t.texte);
    for (std::size_t j = 0; j < 4; ++j) {
        EXPECT_EQ(back->affirmations[j].verite, t.affirmations[j].verite);
        EXPECT_EQ(back->affirmations[j].affirmation, t.affirmations[j].affirmation);
        EXPECT_EQ(back->affirmations[j].correction, t.affirmations[j].correction);
    }
}

TEST(TextsFile, FieldsFollowTheRulesOfListInput) {
    struct Case {
        QByteArray line;
        std::vector<QByteArray> fields;
    };
    const Case cases[] = {
        {"  1,abc,def\r\n", {"1", "abc", "def"}},
        {"\"a,b\" , c d ,\"\"\r\n", {"a,b", "c d", ""}},
        {"2,\"quoted\"junk,x\n", {"2", "quoted", "x"}},
        {"1\r\n\r\nnext,\"last\"", {"1", "next", "last"}},
    };
    for (const Case& c : cases) {
        QBuffer buffer;
        buffer.setData(c.line);
        buffer.open(QIODevice::ReadOnly);
        std::vector<QByteArray> got;
        while (auto field = lireChamp(buffer))
            got.push_back(*field);
        EXPECT_EQ(got, c.fields) << c.line.toStdString();
    }
    // A quote that never closes is a field cut short.
    QBuffer open;
    open.setData("\"never closed");
    open.open(QIODevice::ReadOnly);
    EXPECT_FALSE(lireChamp(open));
}

TEST(TextsFile, DamagedRecordsSayWhy) {
    const QByteArray good = ecrireTexte(exemple());
    const qsizetype lastLine = good.lastIndexOf("\r\n", good.size() - 3);
    struct Case {
        const char* name;
        QByteArray bytes;
        const char* why;
    };
    const Case cases[] = {
        {"empty", "", "aucun texte"},
        {"cut in its statements", good.left(lastLine + 2), "affirmation 4 incomplète"},
        {"a truth value that is no number", QByteArray(good).replace("\r\n1,", "\r\noui,"),
         "valeur de vérité illisible"},
        {"a truth value past 16 bits", QByteArray(good).replace("\r\n1,", "\r\n70000,"),
         "valeur de vérité illisible"},
    };
    for (const Case& c : cases) {
        QString why;
        EXPECT_FALSE(lire(c.bytes, &why)) << c.name;
        EXPECT_TRUE(why.startsWith(QString::fromUtf8(c.why)))
            << c.name << ": " << why.toStdString();
    }
    // Any other number is a truth value that matches no answer.
    EXPECT_EQ(lire(QByteArray(good).replace("\r\n1,", "\r\n2,"))->affirmations[0].verite, 2);
}

TEST(TextsSource, RefusesWhatTheFileCannotHold) {
    const QString ok = QStringLiteral("Un texte.\nVRAI|Oui ?|Oui, oui.\nFAUX|a|Non, b.\n"
                                      "VRAI|c|Oui, c.\nFAUX|d|Non, d.");
    EXPECT_TRUE(lireSourceTextes(ok).erreurs.isEmpty());
    EXPECT_EQ(lireSourceTextes(ok + "\n\n" + ok).textes.size(), 2u);
    struct Case {
        QString source;
        const char* fault;
    };
    const Case cases[] = {
        {QString(ok).replace("Un texte", "Capharnaüm"), "caractères impossibles à enregistrer : ü"},
        {QString(ok).replace("Oui ?", "Il dit \"oui\""), "affirmation 1 : caractères"},
        {QString(ok).replace("FAUX|a|", "PEUT-ÊTRE|a|"), "affirmation 2 :"},
        {QString(ok).replace("\nFAUX|d|Non, d.", ""), "4 lignes au lieu de 5"},
        {QString(ok).replace("Un texte", "Un 😀"), "caractères impossibles"},
    };
    for (const Case& c : cases) {
        const SourceTextes s = lireSourceTextes(c.source);
        ASSERT_EQ(s.erreurs.size(), 1) << c.fault;
        EXPECT_TRUE(s.erreurs[0].startsWith(QStringLiteral("texte 1 (« ")));
        EXPECT_TRUE(s.erreurs[0].contains(QString::fromUtf8(c.fault)))
            << s.erreurs[0].toStdString();
        EXPECT_TRUE(s.textes.empty());
    }
}

TEST(TextsSource, TheShippedTextsAreSoundAndTheBuiltFileHoldsThem) {
    QFile source(QStringLiteral(ZM_SOURCE_DIR "/content/reading/textes_defilement.txt"));
    ASSERT_TRUE(source.open(QIODevice::ReadOnly));
    const SourceTextes s = lireSourceTextes(QString::fromUtf8(source.readAll()));
    EXPECT_EQ(s.erreurs, QStringList());
    EXPECT_GE(s.textes.size(), 40u);
    int vrais = 0;
    for (std::size_t k = 0; k < s.textes.size(); ++k) {
        const TexteLu& t = s.textes[k];
        EXPECT_GE(t.texte.size(), 150) << k;
        EXPECT_LE(t.texte.size(), 400) << k;
        int vraisIci = 0;
        for (const Affirmation& a : t.affirmations) {
            vraisIci += a.verite;
            EXPECT_TRUE(
                a.correction.startsWith(a.verite ? QStringLiteral("Oui,") : QStringLiteral("Non,")))
                << k;
        }
        EXPECT_GE(vraisIci, 1) << k;
        EXPECT_LE(vraisIci, 3) << k;
        vrais += vraisIci;
    }
    EXPECT_NEAR(double(vrais) / double(4 * s.textes.size()), 0.5, 0.1);

    QFile built(QStringLiteral(ZM_DATAS_DIR "/2.bin"));
    ASSERT_TRUE(built.open(QIODevice::ReadOnly));
    for (std::size_t k = 0; k < s.textes.size(); ++k) {
        const auto lu = lireTexte(built);
        ASSERT_TRUE(lu) << k;
        EXPECT_EQ(lu->texte, s.textes[k].texte);
        EXPECT_EQ(lu->affirmations[3].correction, s.textes[k].affirmations[3].correction);
    }
    EXPECT_TRUE(built.atEnd());
}
