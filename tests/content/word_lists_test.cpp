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

// A lower-case animal name: letters, accents, a hyphen ("chauve-souris").
bool animalName(const QString& s) {
    static const QRegularExpression name(
        QStringLiteral("^[a-zàâäçéèêëîïôöùûüœæ]+(-[a-zàâäçéèêëîïôöùûüœæ]+)*$"));
    return name.match(s).hasMatch();
}

QString checkAnimaux(const QString& row, QString& group) {
    group = QStringLiteral("saying");
    if (row.count(u',') != 1)
        return QStringLiteral("one comma only, between the saying and its animal");
    const QString saying = row.section(u',', 0, 0), animal = row.section(u',', 1);
    if (saying.count(QStringLiteral("---")) != 1 || saying.contains(QStringLiteral("----")))
        return QStringLiteral("the saying holds one run of three dashes");
    if (saying != saying.trimmed() || saying.contains(QStringLiteral("  ")))
        return QStringLiteral("stray blanks in the saying");
    if (!animalName(animal))
        return QStringLiteral("the animal is one lower-case name");
    return {};
}

QString checkNoms(const QString& row, QString& group) {
    group = QStringLiteral("nom");
    if (!animalName(row))
        return QStringLiteral("one lower-case animal name");
    return {};
}

QString checkSynonymes(const QString& row, QString& group) {
    const QStringList f = row.split(u',');
    if (f.size() != 6)
        return QStringLiteral("%1 fields instead of 6").arg(f.size());
    group = f[5];
    if (!QStringList{"0", "1", "2", "3"}.contains(f[5]))
        return QStringLiteral("the right candidate is 0 to 3, the row's last character");
    for (int i = 0; i < 5; ++i)
        if (!lowerWord(f[i]) || f[i].contains(u'\''))
            return QStringLiteral("'%1' is not one lower-case word").arg(f[i]);
    if (QSet<QString>(f.begin(), f.begin() + 5).size() != 5)
        return QStringLiteral("the word and its four candidates are five different words");
    return {};
}

// The three letter groups of each sound group, as the quiz shows them.
const std::map<QString, QStringList> kGroupesSyllabes = {{"1", {"f", "ff", "ph"}},
                                                         {"2", {"c", "qu", "k"}},
                                                         {"3", {"et", "ai", "é"}},
                                                         {"4", {"eau", "o", "au"}}};

QString checkSyllabes(const QString& row, QString& group) {
    QStringList f;
    if (QString e = fourFields(row, f); !e.isEmpty())
        return e;
    group = f[0];
    if (!kGroupesSyllabes.count(f[0]))
        return QStringLiteral("sound group must be 1 to 4");
    if (!QStringList{"0", "1", "2"}.contains(f[3]))
        return QStringLiteral("the right letter group is 0, 1 or 2");
    if (f[1].count(QStringLiteral("--")) != 1 || f[1].contains(QStringLiteral("---")))
        return QStringLiteral("the phrase holds one run of two dashes");
    if (f[2].contains(QStringLiteral("--")))
        return QStringLiteral("dashes in the complete phrase");
    QString complete = f[1];
    complete.replace(QStringLiteral("--"), kGroupesSyllabes.at(f[0])[f[3].toInt()]);
    if (complete != f[2])
        return QStringLiteral("the complete phrase is not the phrase with its right letter group");
    if (f[1].contains(QStringLiteral("  ")))
        return QStringLiteral("stray blanks in the phrase");
    return {};
}

struct List {
    QString path;
    int rows;
    RowCheck check;
    std::map<QString, int> groups;
    std::map<int, QString> rowsAt; // rows the exercises name, at their places
    QStringList telling;           // rows that must stand somewhere
    // What may not repeat: the first two fields ("question"), the first one
    // ("saying", "word"), the second one ("phrase") or nothing ("").
    QString key;
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
    {"quizzes/liste_animaux.txt",
     135,
     checkAnimaux,
     {},
     {{0, "Il parle français comme une --- espagnole !,vache"},
      {134, "Très gentil il ne ferait pas de mal à une --- !,mouche"}},
     {"L'--- du soir ... espoir !,araignée", "A bon --- bon rat !,chat",
      "Il avale tout avec son estomac d'--- !,autruche",
      "On dit : faire l'--- pour avoir du son !,âne",
      "Il est séduisant comme un --- de village !,coq", "Etre indécis comme l'--- de Buridan.,âne"},
     "saying"},
    {"quizzes/noms_animaux.txt",
     75,
     checkNoms,
     {},
     {{0, "cochon"},
      {1, "caniche"},
      {2, "ourson"},
      {3, "orque"},
      {4, "buffle"},
      {71, "mouette"},
      {72, "hanneton"},
      {73, "goéland"},
      {74, "dorade"}},
     {},
     ""},
    {"quizzes/liste_synonymes.txt",
     127,
     checkSynonymes,
     {{"0", 37}, {"1", 35}, {"2", 33}, {"3", 22}},
     {{0, "vermillon,lombric,rouge,chapeau,reptile,1"},
      {126, "illustre,célèbre,éclairé,dessin,parodie,0"}},
     {"éberlué,balisé,contourné,ébahi,consterné,2", "bivouac,campement,double,descente,amical,0",
      "itératif,habillement,religieux,anguleux,répétitif,3",
      "persuader,interdire,convaincre,autoriser,vaincre,1",
      "mimer,simiesque,intentionnel,imiter,mitaine,2"},
     "word"},
    {"quizzes/liste_syllabes.txt",
     293,
     checkSyllabes,
     {{"1", 111}, {"2", 111}, {"3", 27}, {"4", 44}},
     {{0, "1,Le co--re fermé,Le coffre fermé,1"}, {292, "3,C'est parf--t,C'est parfait,1"}},
     {"2,Le ressa-- de la mer,Le ressac de la mer,0", "1,La métamor--ose,La métamorphose,2",
      "4,Une --bergine cuite,Une aubergine cuite,2", "3,Une bonne sant--,Une bonne santé,2",
      "2,Un --imono de judo,Un kimono de judo,2", "1,S'o--usquer,S'offusquer,1",
      "4,C'est un bibel--t,C'est un bibelot,1"},
     "phrase"},
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
            const QString key = list.key == "question" ? rows[i].section(u',', 0, 1)
                                : list.key == "phrase" ? rows[i].section(u',', 1, 1)
                                                       : rows[i].section(u',', 0, 0);
            EXPECT_FALSE(seen.contains(key)) << "row " << i << " asks again " << key.toStdString();
            seen.insert(key);
        }
    }
    for (const auto& [group, count] : list.groups)
        EXPECT_EQ(groups[group], count) << "rows of group " << group.toStdString();
}

TEST_P(WordList, IsPlainUtf8WithOneLineFeedPerRow) {
    QFile file(QStringLiteral(ZM_SOURCE_DIR "/content/") + GetParam().path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    EXPECT_FALSE(bytes.startsWith("\xEF\xBB\xBF")) << "a byte order mark";
    EXPECT_TRUE(bytes.endsWith('\n') && !bytes.endsWith("\n\n")) << "no blank line at the end";
    EXPECT_EQ(QString::fromUtf8(bytes).toUtf8(), bytes) << "not UTF-8";
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

TEST(WordLists, AnimalSayingsAndDecoyNames) {
    const QStringList sayings = rowsOf(QStringLiteral("quizzes/liste_animaux.txt"));
    const QStringList names = rowsOf(QStringLiteral("quizzes/noms_animaux.txt"));
    QSet<QString> answers;
    for (const QString& row : sayings)
        answers.insert(row.section(u',', 1));
    EXPECT_EQ(answers.size(), 73) << "distinct answers";
    // Two names come twice; six are also answers, so that the quiz must
    // keep them from showing the answer twice.
    std::map<QString, int> seen;
    QSet<QString> shared;
    for (int i = 0; i < names.size(); ++i) {
        ++seen[names[i]];
        if (answers.contains(names[i]))
            shared.insert(names[i]);
    }
    for (const auto& [name, count] : seen)
        EXPECT_EQ(count, name == "fouine" || name == "zébu" ? 2 : 1) << name.toStdString();
    EXPECT_EQ(shared, QSet<QString>({"brebis", "chèvre", "cochon", "lapin", "serpent", "souris"}));
}

TEST(WordLists, MissingSyllablePhrasesEndingWithTheDashes) {
    int ending = 0;
    for (const QString& row : rowsOf(QStringLiteral("quizzes/liste_syllabes.txt")))
        ending += row.section(u',', 1, 1).endsWith(QStringLiteral("--"));
    EXPECT_EQ(ending, 29);
}
