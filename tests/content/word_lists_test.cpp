// The word lists built into the game, as the exercises read them: every row
// well formed, the counts, and the rows the exercises rely on at their places.
#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QStringList>
#include <functional>
#include <gtest/gtest.h>
#include <map>

namespace {

QStringList rowsOf(const QString& path) {
    QFile file(QStringLiteral(ZM_SOURCE_DIR "/content/") + path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = file.readAll();
    QStringList rows = QString::fromUtf8(bytes).split(u'\n');
    if (!rows.isEmpty() && rows.last().isEmpty())
        rows.removeLast();
    return rows;
}

// What is wrong with a row, or "" when it is sound. `group` receives the
// value the list is counted by.
using RowCheck = std::function<QString(const QString& row, QString& group)>;

QString fourFields(const QString& row, QStringList& f) {
    f = row.split(u',');
    if (f.size() != 4)
        return QStringLiteral("%1 fields instead of 4").arg(f.size());
    for (const QString& field : f)
        if (field.isEmpty() || field != field.trimmed())
            return QStringLiteral("an empty field or blanks around a comma");
    return {};
}

bool lowerWord(const QString& s) {
    static const QRegularExpression word(QStringLiteral("^[a-zàâäçéèêëîïôöùûüœæ']+$"));
    return word.match(s).hasMatch();
}

// What rows "type,question,answer,article" share: type 1 or 2, a one-word
// lower-case answer.
QString typedQuestion(const QString& row, QString& group, QStringList& f) {
    if (QString e = fourFields(row, f); !e.isEmpty())
        return e;
    group = f[0];
    if (f[0] != "1" && f[0] != "2")
        return QStringLiteral("type must be 1 or 2");
    if (!lowerWord(f[2]))
        return QStringLiteral("the answer must be one lower-case word");
    return {};
}

QString checkFemelles(const QString& row, QString& group) {
    QStringList f;
    if (QString e = typedQuestion(row, group, f); !e.isEmpty())
        return e;
    if (!(f[1].startsWith("du ") || f[1].startsWith("de la ") || f[1].startsWith("de l'")))
        return QStringLiteral("the animal must start with du, de la or de l'");
    if (!QStringList{"le", "la", "un", "une", "l'"}.contains(f[3]))
        return QStringLiteral("unknown article");
    return {};
}

QString checkPluriels(const QString& row, QString& group) {
    QStringList f;
    if (QString e = typedQuestion(row, group, f); !e.isEmpty())
        return e;
    if (f[1] != f[1].toLower() || f[3] != f[3].toLower())
        return QStringLiteral("the expression and its article are in lower case");
    return {};
}

QString checkVerbes(const QString& row, QString& group) {
    QStringList f;
    if (QString e = fourFields(row, f); !e.isEmpty())
        return e;
    group = f[3];
    if (!QStringList{"0", "1", "2", "3", "4"}.contains(f[3]))
        return QStringLiteral("tense code must be 0 to 4");
    if (!lowerWord(f[1]) || !lowerWord(f[2]))
        return QStringLiteral("the form and the infinitive are lower-case words");
    // The form, in capitals, is a whole word of the sentence.
    const QRegularExpression capitals(QStringLiteral("(?<![\\w'])") +
                                      QRegularExpression::escape(f[1].toUpper()) +
                                      QStringLiteral("(?!\\w)"));
    if (!capitals.match(f[0]).hasMatch())
        return QStringLiteral("the sentence does not hold the form in capitals");
    return {};
}

QString checkMots(const QString& row, QString& group) {
    group = QStringLiteral("mot");
    if (!lowerWord(row) || row.contains(u'\''))
        return QStringLiteral("one lower-case word, letters only");
    if (row.size() < 4 || row.size() > 12)
        return QStringLiteral("4 to 12 letters");
    return {};
}

struct List {
    QString path;
    int rows;
    RowCheck check;
    std::map<QString, int> groups;
    std::map<int, QString> rowsAt; // rows the exercises name, at their places
    QStringList telling;           // rows that must stand somewhere
    QString key;                   // what may not repeat: "row", "question" or ""
};

const List kLists[] = {
    {"quizzes/liste_femelles.txt",
     68,
     checkFemelles,
     {},
     {{0, "2,du sanglier,marcassin,le"}, {67, "1,du merle,merlette,la"}},
     {"1,du tigre,tigresse,la", "2,de la biche,faon,un", "1,de l'éléphant,éléphante,l'",
      "1,de l'âne,ânesse,l'", "2,de l'ours,ourson,l'", "1,du porc,truie,une",
      "2,de l'oiseau,oisillon,un", "1,du lièvre,hase,la"},
     "question"},
    {"quizzes/liste_pluriels.txt",
     259,
     checkPluriels,
     {{"1", 185}, {"2", 74}},
     {{0, "1,un tonneau,tonneaux,des"}, {258, "1,un morceau,morceaux,des"}},
     {"2,un collaborateur,collaboratrice,une", "2,un travail fictif,fictive,une chose",
      "1,de l'eau,eaux,des", "2,le grand explorateur,exploratrice,la grande",
      "1,un palais royal,royaux,des palais", "1,il est précieux,précieux,ils sont",
      "2,il est frais,fraîche,elle est", "2,il est malin,maligne,elle est"},
     "question"},
    {"quizzes/liste_verbes.txt",
     151,
     checkVerbes,
     {{"0", 47}, {"1", 29}, {"2", 26}, {"3", 42}, {"4", 7}},
     {{0, "Je PRÉVIS astucieusement le résultat.,prévis,prévoir,0"},
      {150, "Je RECEVRAI des félicitations.,recevrai,recevoir,2"}},
     {"Le chaton GEIGNAIT dans son panier.,geignait,geindre,1",
      "Tu COUDRAS ce pantalon plus tard.,coudras,coudre,2", "Il ADMET son erreur.,admet,admettre,3",
      "J'ai bien APPRIS ma leçon.,appris,apprendre,4", "Il a PLU de bon matin,plu,pleuvoir,4",
      "Que j'ai PLU ou non tant pis !,plu,plaire,4",
      "La mensualité du prêt ÉCHUT à la date donnée.,échut,échoir,0",
      "L'arbre CROISSAIT en plein soleil.,croissait,croître,1"},
     "question"},
    {"liste_mots.txt",
     148,
     checkMots,
     {},
     {{0, "boire"},      {1, "boisson"},   {2, "biseau"},     {3, "poney"},     {4, "marteau"},
      {5, "martingale"}, {6, "zèbre"},     {22, "souris"},    {140, "souris"},  {48, "fouine"},
      {126, "fouine"},   {66, "zébu"},     {134, "zébu"},     {77, "limace"},   {108, "limace"},
      {143, "albatros"}, {144, "mouette"}, {145, "hanneton"}, {146, "goéland"}, {147, "dorade"}},
     {},
     ""},
};

class WordList : public ::testing::TestWithParam<List> {};

} // namespace

TEST_P(WordList, EveryRowIsWellFormed) {
    const List& list = GetParam();
    const QStringList rows = rowsOf(list.path);
    ASSERT_EQ(rows.size(), list.rows) << "rows in " << list.path.toStdString();
    std::map<QString, int> groups;
    QSet<QString> seen;
    for (int i = 0; i < rows.size(); ++i) {
        QString group;
        const QString fault = list.check(rows[i], group);
        EXPECT_TRUE(fault.isEmpty()) << list.path.toStdString() << " row " << i << " ("
                                     << rows[i].toStdString() << "): " << fault.toStdString();
        EXPECT_FALSE(rows[i].contains(u'\r')) << "row " << i;
        ++groups[group];
        if (!list.key.isEmpty()) {
            const QString key = rows[i].section(u',', 0, 1);
            EXPECT_FALSE(seen.contains(key)) << "row " << i << " asks again " << key.toStdString();
            seen.insert(key);
        }
    }
    for (const auto& [group, count] : list.groups)
        EXPECT_EQ(groups[group], count) << "rows of group " << group.toStdString();
}

TEST_P(WordList, HoldsTheRowsTheExercisesRelyOn) {
    const List& list = GetParam();
    const QStringList rows = rowsOf(list.path);
    for (const auto& [at, row] : list.rowsAt)
        EXPECT_EQ(rows.value(at), row) << "row " << at;
    for (const QString& row : list.telling)
        EXPECT_TRUE(rows.contains(row)) << row.toStdString();
}

TEST(WordLists, ThirtyConsecutiveWordsAreAlwaysDifferent) {
    const QStringList rows = rowsOf(QStringLiteral("liste_mots.txt"));
    for (int i = 0; i + 30 <= rows.size(); ++i) {
        const QStringList run = rows.mid(i, 30);
        EXPECT_EQ(QSet<QString>(run.begin(), run.end()).size(), 30) << "from row " << i;
    }
}

INSTANTIATE_TEST_SUITE_P(Content, WordList, ::testing::ValuesIn(kLists),
                         [](const ::testing::TestParamInfo<List>& info) {
                             QString name = info.param.path.section(u'/', -1);
                             name.replace(u'.', u'_');
                             return name.toStdString();
                         });

TEST(WordLists, EveryStolenWordsTextHoldsItsFourWords) {
    const QStringList rows = rowsOf(QStringLiteral("reading/liste_trous.txt"));
    ASSERT_EQ(rows.size(), 200);
    const std::map<int, QString> fixed = {
        {0, "Je jouais avec mes copains dans la cour quand je suis tombé sur les cailloux. Les "
            "genoux en sang, j'ai serré les dents pour ne pas pleurer."},
        {1, "copains,cailloux,genoux,sang"},
        {3, "chameau,semaine,vaisseau,désert"},
        {7, "pull,cheveux,ovale,noisette"},
        {43, "clown,béat,tête,nez"},
        {197, "vingt,six,quatre,commerces"},
        {198, "La bise est froide, le ciel sombre et l'automne n'est pas loin. Le soleil pâlit et "
              "disparaît. Le vent souffle et déracine les arbres, fait tomber les tuiles et les "
              "cheminées."},
        {199, "bise,sombre,soleil,cheminées"}};
    for (const auto& [at, row] : fixed)
        EXPECT_EQ(rows[at], row) << "row " << at;
    for (int k = 0; k < 200; k += 2) {
        const QString& text = rows[k];
        EXPECT_GE(text.size(), 134) << "row " << k;
        EXPECT_LE(text.size(), 178) << "row " << k;
        EXPECT_TRUE(text.endsWith(u'.') || text.endsWith(u'!') || text.endsWith(u'?')) << k;
        const QStringList words = rows[k + 1].split(u',');
        ASSERT_EQ(words.size(), 4) << "row " << k + 1;
        QString holed = text;
        for (const QString& w : words) {
            // The word hidden is its first place in the text: it must be the
            // word itself, not part of a longer one.
            const qsizetype at = holed.indexOf(w);
            ASSERT_GE(at, 0) << "row " << k + 1 << ": " << w.toStdString() << " not in its text";
            const bool alone = (at == 0 || !holed[at - 1].isLetter()) &&
                               (at + w.size() == holed.size() || !holed[at + w.size()].isLetter());
            EXPECT_TRUE(alone) << "row " << k + 1 << ": " << w.toStdString()
                               << " first stands inside a longer word";
            holed.replace(at, w.size(), QString(w.size(), u'~'));
        }
    }
}
