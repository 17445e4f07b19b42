#include "reading/fichier_textes.h"

#include "platform/text_encoding.h"
#include "shell/routines_text.h"
#include "shell/save_file.h"

namespace zm {
namespace {

bool finDeLigne(char c) {
    return c == '\r' || c == '\n';
}

// Consumes one line end (CR LF, CR or LF) if the device stands on one.
void passerFinDeLigne(QIODevice& file) {
    char c;
    if (!file.peek(&c, 1))
        return;
    if (c == '\r') {
        file.getChar(&c);
        if (file.peek(&c, 1) && c == '\n')
            file.getChar(&c);
    } else if (c == '\n') {
        file.getChar(&c);
    }
}

std::optional<QByteArray> lireLigne(QIODevice& file) {
    if (file.atEnd())
        return std::nullopt;
    QByteArray line;
    char c;
    while (file.peek(&c, 1) && !finDeLigne(c)) {
        file.getChar(&c);
        line.append(c);
    }
    passerFinDeLigne(file);
    return line;
}

QString texteStocke(const QByteArray& bytes) {
    QString text = fromWindows1252(bytes);
    return dechiffrer(text);
}

} // namespace

std::optional<QByteArray> lireChamp(QIODevice& file) {
    char c;
    // Blanks, and the line ends left before the field, are skipped.
    while (file.peek(&c, 1) && (c == ' ' || c == '\t' || finDeLigne(c)))
        file.getChar(&c);
    if (file.atEnd())
        return std::nullopt;
    QByteArray field;
    if (c == '"') {
        file.getChar(&c);
        bool closed = false;
        while (file.getChar(&c)) {
            if (c == '"') {
                closed = true;
                break;
            }
            field.append(c);
        }
        if (!closed)
            return std::nullopt;
        // Whatever stands between the closing quote and the separator is dropped.
        while (file.peek(&c, 1) && c != ',' && !finDeLigne(c))
            file.getChar(&c);
    } else {
        while (file.peek(&c, 1) && c != ',' && !finDeLigne(c)) {
            file.getChar(&c);
            field.append(c);
        }
        field = field.trimmed();
    }
    if (file.peek(&c, 1) && c == ',')
        file.getChar(&c);
    else
        passerFinDeLigne(file);
    return field;
}

std::optional<TexteLu> lireTexte(QIODevice& file, QString* defaut) {
    auto fail = [&](const QString& why) -> std::optional<TexteLu> {
        if (defaut)
            *defaut = why;
        return std::nullopt;
    };
    const std::optional<QByteArray> line = lireLigne(file);
    if (!line)
        return fail(QStringLiteral("aucun texte"));
    TexteLu lu;
    lu.texte = texteStocke(*line);
    for (int j = 0; j < 4; ++j) {
        const auto verite = lireChamp(file);
        const auto affirmation = verite ? lireChamp(file) : std::nullopt;
        const auto correction = affirmation ? lireChamp(file) : std::nullopt;
        if (!correction)
            return fail(QStringLiteral("affirmation %1 incomplète").arg(j + 1));
        bool nombre = false;
        const int valeur = verite->toInt(&nombre);
        if (!nombre || valeur < -32768 || valeur > 32767)
            return fail(QStringLiteral("valeur de vérité illisible : %1")
                            .arg(QString::fromLatin1(*verite)));
        Affirmation& a = lu.affirmations[std::size_t(j)];
        a.verite = qint16(valeur);
        a.affirmation = texteStocke(*affirmation);
        a.correction = texteStocke(*correction);
    }
    return lu;
}

QByteArray ecrireTexte(const TexteLu& texte) {
    QByteArray bytes = toWindows1252(encoderTexte(texte.texte)) + "\r\n";
    for (const Affirmation& a : texte.affirmations)
        bytes += QByteArray::number(a.verite) + ",\"" + toWindows1252(encoderTexte(a.affirmation)) +
                 "\",\"" + toWindows1252(encoderTexte(a.correction)) + "\"\r\n";
    return bytes;
}

} // namespace zm
