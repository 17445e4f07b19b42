#include "reading/fichier_lecture2.h"

#include "platform/text_encoding.h"
#include "shell/entree_liste.h"

#include <QBuffer>
#include <QRegularExpression>

namespace zm {
namespace {

// A field read as a number, as list input reads one: blanks around it allowed.
std::optional<int> nombre(const QByteArray& field) {
    bool ok = false;
    const int n = field.trimmed().toInt(&ok);
    return ok ? std::optional<int>(n) : std::nullopt;
}

// Skips blanks and line ends; true when the file ends there.
bool finApresBlancs(QIODevice& file) {
    char c;
    while (file.peek(&c, 1) && (c == ' ' || c == '\t' || c == '\r' || c == '\n'))
        file.getChar(&c);
    return file.atEnd();
}

} // namespace

std::optional<TexteAEffacer> lireTexteAEffacer(QIODevice& file, QString* defaut) {
    auto echec = [&](const QString& why) -> std::optional<TexteAEffacer> {
        if (defaut)
            *defaut = why;
        return std::nullopt;
    };
    const std::optional<QByteArray> compte = lireChamp(file);
    if (!compte)
        return echec(QStringLiteral("aucun texte"));
    const std::optional<int> n = nombre(*compte);
    if (!n)
        return echec(QStringLiteral("nombre de questions illisible : « %1 »")
                         .arg(fromWindows1252(compte->left(20))));
    if (*n < 1 || *n > kQuestionsMax)
        return echec(
            QStringLiteral("%1 questions pour un texte (de 1 à %2)").arg(*n).arg(kQuestionsMax));
    const std::optional<QByteArray> titre = lireLigne(file);
    const std::optional<QByteArray> texte = titre ? lireLigne(file) : std::nullopt;
    if (!texte)
        return echec(QStringLiteral("texte incomplet"));
    if (tropLong(*titre) || tropLong(*texte))
        return echec(QStringLiteral("texte trop long"));
    TexteAEffacer lu;
    lu.titre = fromWindows1252(*titre);
    lu.texte = fromWindows1252(*texte);
    if (lu.titre.trimmed().isEmpty() || lu.texte.trimmed().isEmpty())
        return echec(QStringLiteral("titre ou texte vide"));
    for (int j = 1; j <= *n; ++j) {
        std::array<std::optional<QByteArray>, 4> champs;
        for (std::size_t k = 0; k < champs.size() && (k == 0 || champs[k - 1]); ++k)
            champs[k] = lireChamp(file);
        if (!champs[3])
            return echec(QStringLiteral("question %1 incomplète").arg(j));
        for (const auto& champ : champs)
            if (tropLong(*champ))
                return echec(QStringLiteral("question %1 trop longue").arg(j));
        QuestionTexte q;
        const std::optional<int> genre = nombre(*champs[0]);
        if (!genre || (*genre != 0 && *genre != 1))
            return echec(QStringLiteral("question %1 : genre « %2 » inconnu")
                             .arg(j)
                             .arg(fromWindows1252(champs[0]->left(20))));
        q.genre = qint16(*genre);
        q.enonce = fromWindows1252(*champs[1]);
        q.reponse_attendue = fromWindows1252(*champs[2]);
        q.explication = fromWindows1252(*champs[3]);
        if (q.enonce.trimmed().isEmpty())
            return echec(QStringLiteral("question %1 sans énoncé").arg(j));
        if (q.genre == 0) {
            const std::optional<int> attendu = nombre(*champs[2]);
            if (!attendu || (*attendu != 0 && *attendu != 1))
                return echec(
                    QStringLiteral("question %1 : réponse VRAI / FAUX autre que 0 ou 1").arg(j));
        } else if (q.reponse_attendue.trimmed().isEmpty()) {
            return echec(QStringLiteral("question %1 sans réponse attendue").arg(j));
        }
        lu.questions.push_back(q);
    }
    // The closing field: read, its value unused.
    if (!lireChamp(file))
        return echec(QStringLiteral("fin de texte manquante"));
    return lu;
}

std::optional<TexteAEffacer> lireTexteSuivant(QIODevice& file, QString* defaut) {
    while (!finApresBlancs(file)) {
        const qint64 debut = file.pos();
        QString why;
        if (std::optional<TexteAEffacer> lu = lireTexteAEffacer(file, &why))
            return lu;
        if (defaut && defaut->isEmpty())
            *defaut = why;
        // Every line of the damaged record is passed, its closing "0" last.
        // Each turn reads at least one line: the loop ends with the file.
        file.seek(debut);
        while (const std::optional<QByteArray> ligne = lireLigne(file))
            if (ligne->trimmed() == "0")
                break;
    }
    return std::nullopt;
}

QByteArray ecrireTexteAEffacer(const TexteAEffacer& texte) {
    auto cite = [](const QString& s) { return '"' + toWindows1252(s) + '"'; };
    QByteArray bytes = QByteArray::number(texte.questions.size()) + "\r\n" +
                       toWindows1252(texte.titre) + "\r\n" + toWindows1252(texte.texte) + "\r\n";
    for (const QuestionTexte& q : texte.questions)
        bytes += QByteArray::number(q.genre) + ',' + cite(q.enonce) + ',' +
                 cite(q.reponse_attendue) + ',' + cite(q.explication) + "\r\n";
    return bytes + "0\r\n";
}

SourceLecture2 convertirSourceLecture2(const QString& source) {
    SourceLecture2 out;
    QStringList lignes = source.split(u'\n');
    if (!lignes.isEmpty() && lignes.back().isEmpty())
        lignes.removeLast();
    auto erreur = [&](qsizetype ligne, const QString& why) {
        out.erreurs << QStringLiteral("ligne %1 : %2").arg(ligne + 1).arg(why);
    };
    // Every character must have its byte in Windows-1252; control
    // characters would break the layout.
    for (qsizetype l = 0; l < lignes.size(); ++l) {
        for (const char32_t u : lignes[l].toUcs4()) {
            const bool controle = u < 0x20 || (u >= 0x7F && u < 0xA0);
            const QString code = QStringLiteral("U+") +
                                 QString::number(uint(u), 16).toUpper().rightJustified(4, u'0');
            if (controle)
                erreur(l, QStringLiteral("caractère de contrôle %1 interdit").arg(code));
            else if (u > 0xFFFF || windows1252Code(QChar(char16_t(u))) < 0)
                erreur(l, QStringLiteral("caractère « %1 » (%2) impossible à écrire en "
                                         "Windows-1252")
                              .arg(QString::fromUcs4(&u, 1), code));
        }
    }
    // The layout, line by line: a count of 3 to 11, a title, a text, the
    // entries (a kind, then three quoted fields), the closing "0".
    static const QRegularExpression entree(
        QStringLiteral("^[01],\"[^\"]*\",\"[^\"]*\",\"[^\"]*\"$"));
    qsizetype l = 0;
    int enregistrements = 0;
    while (l < lignes.size() && out.erreurs.isEmpty()) {
        bool ok = false;
        const int n = lignes[l].toInt(&ok);
        if (!ok || n < 3 || n > kQuestionsMax) {
            erreur(l,
                   QStringLiteral("un nombre de questions de 3 à %1 attendu").arg(kQuestionsMax));
            break;
        }
        if (l + 3 + n >= lignes.size()) {
            erreur(l, QStringLiteral("texte coupé avant sa fin"));
            break;
        }
        for (qsizetype k : {l + 1, l + 2})
            if (lignes[k].isEmpty() || lignes[k].front().isSpace())
                erreur(k, QStringLiteral("titre ou texte vide ou commençant par un blanc"));
        for (qsizetype k = l + 3; k < l + 3 + n; ++k)
            if (!entree.match(lignes[k]).hasMatch())
                erreur(k, QStringLiteral("question attendue : genre 0 ou 1, puis trois champs "
                                         "entre guillemets séparés par des virgules"));
        if (lignes[l + 3 + n] != u"0")
            erreur(l + 3 + n, QStringLiteral("la ligne « 0 » qui ferme le texte attendue"));
        l += 4 + n;
        ++enregistrements;
    }
    if (!out.erreurs.isEmpty())
        return out;
    if (enregistrements == 0) {
        out.erreurs << QStringLiteral("aucun texte");
        return out;
    }
    // What the game will read back: every record must be playable.
    out.fichier = toWindows1252(lignes.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"));
    QBuffer buffer;
    buffer.setData(out.fichier);
    buffer.open(QIODevice::ReadOnly);
    while (!finApresBlancs(buffer)) {
        QString why;
        std::optional<TexteAEffacer> lu = lireTexteAEffacer(buffer, &why);
        if (!lu) {
            out.erreurs << QStringLiteral("texte %1 : %2").arg(out.textes.size() + 1).arg(why);
            break;
        }
        out.textes.push_back(*lu);
    }
    if (!out.erreurs.isEmpty())
        out.fichier.clear();
    return out;
}

} // namespace zm
