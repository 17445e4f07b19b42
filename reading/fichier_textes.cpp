#include "reading/fichier_textes.h"

#include "platform/text_encoding.h"
#include "shell/entree_liste.h"
#include "shell/routines_text.h"
#include "shell/save_file.h"

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
    const std::optional<QByteArray> line = lireLigne(file);
    if (!line)
        return fail(QStringLiteral("aucun texte"));
    if (tropLong(*line))
        return fail(QStringLiteral("texte trop long"));
    TexteLu lu;
    lu.texte = texteStocke(*line);
    for (int j = 0; j < 4; ++j) {
        const auto verite = lireChamp(file);
        const auto affirmation = verite ? lireChamp(file) : std::nullopt;
        const auto correction = affirmation ? lireChamp(file) : std::nullopt;
        if (!correction)
            return fail(QStringLiteral("affirmation %1 incomplète").arg(j + 1));
        if (tropLong(*verite) || tropLong(*affirmation) || tropLong(*correction))
            return fail(QStringLiteral("affirmation %1 trop longue").arg(j + 1));
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
