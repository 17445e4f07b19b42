#include "reading/fichier_textes.h"

#include "platform/text_encoding.h"
#include "shell/entree_liste.h"
#include "shell/routines_text.h"
#include "shell/save_file.h"

#include <QBuffer>

namespace zm {
namespace {

QString texteStocke(const QByteArray& bytes) {
    QString text = fromWindows1252(bytes);
    return dechiffrer(text);
}

} // namespace

std::optional<TexteLu> lireTexte(QIODevice& file, QString* defaut) {
    auto fail = [&](const QString& why) -> std::optional<TexteLu> {
        if (defaut)
            *defaut = why;
        return std::nullopt;
    };
    // A record is five lines, its text and its four statements: it is read
    // whole before anything is made of it, so that a damaged record leaves
    // the file at the start of the next one.
    QByteArray lignes;
    int lues = 0;
    bool tropLongue = false;
    for (; lues < kLignesParTexte; ++lues) {
        const std::optional<QByteArray> line = lireLigne(file);
        if (!line)
            break;
        tropLongue |= tropLong(*line);
        lignes += *line + '\n';
    }
    if (lues == 0)
        return fail(QStringLiteral("aucun texte"));
    if (tropLongue)
        return fail(QStringLiteral("ligne trop longue"));
    QBuffer record(&lignes);
    record.open(QIODevice::ReadOnly);
    const std::optional<QByteArray> line = lireLigne(record);
    TexteLu lu;
    lu.texte = texteStocke(*line);
    for (int j = 0; j < 4; ++j) {
        const auto verite = lireChamp(record);
        const auto affirmation = verite ? lireChamp(record) : std::nullopt;
        const auto correction = affirmation ? lireChamp(record) : std::nullopt;
        if (!correction)
            return fail(QStringLiteral("affirmation %1 incomplète").arg(j + 1));
        bool nombre = false;
        const int valeur = verite->toInt(&nombre);
        if (!nombre || valeur < -32768 || valeur > 32767)
            return fail(QStringLiteral("valeur de vérité illisible à l'affirmation %1").arg(j + 1));
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
