#include "reading/source_textes.h"

#include "platform/text_encoding.h"

namespace zm {

QString caracteresNonStockables(const QString& text, bool champ) {
    QString faults;
    for (QChar c : text) {
        const int code = windows1252Code(c);
        const bool layout = c == u'\t' || c == u'\r' || c == u'\n' || (champ && c == u'"');
        if ((code < 0 || code + 4 > 255 || layout) && !faults.contains(c))
            faults += c;
    }
    return faults;
}

SourceTextes lireSourceTextes(const QString& source) {
    SourceTextes out;
    const QStringList blocs = source.trimmed().split(QStringLiteral("\n\n"));
    for (qsizetype b = 0; b < blocs.size(); ++b) {
        const QStringList lines = blocs[b].split(u'\n');
        auto erreur = [&](const QString& why) {
            out.erreurs << QStringLiteral("texte %1 (« %2 ») : %3")
                               .arg(b + 1)
                               .arg(lines.value(0).left(40), why);
        };
        if (lines.size() != 5) {
            erreur(QStringLiteral("%1 lignes au lieu de 5").arg(lines.size()));
            continue;
        }
        TexteLu lu;
        lu.texte = lines[0];
        bool sound = true;
        if (const QString bad = caracteresNonStockables(lu.texte, false); !bad.isEmpty()) {
            erreur(QStringLiteral("caractères impossibles à enregistrer : ") + bad);
            sound = false;
        }
        for (int j = 0; j < 4; ++j) {
            const QStringList f = lines[j + 1].split(u'|');
            if (f.size() != 3 || (f[0] != u"VRAI" && f[0] != u"FAUX")) {
                erreur(QStringLiteral("affirmation %1 : « VRAI|…|… » ou « FAUX|…|… » attendu")
                           .arg(j + 1));
                sound = false;
                continue;
            }
            Affirmation& a = lu.affirmations[std::size_t(j)];
            a.verite = f[0] == u"VRAI" ? 1 : 0;
            a.affirmation = f[1];
            a.correction = f[2];
            const QString bad = caracteresNonStockables(a.affirmation, true) +
                                caracteresNonStockables(a.correction, true);
            if (!bad.isEmpty()) {
                erreur(QStringLiteral("affirmation %1 : caractères impossibles à enregistrer : ")
                           .arg(j + 1) +
                       bad);
                sound = false;
            }
        }
        if (sound)
            out.textes.push_back(lu);
    }
    return out;
}

} // namespace zm
