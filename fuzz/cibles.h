#pragma once
// What each fuzz target does with one input, shared with the test that
// replays the kept inputs in the normal build. Each function returns the
// broken rule, or nothing when the reader behaved; a crash, a hang or a
// sanitizer report is the fault the fuzzer looks for.

#include "reading/fichier_lecture2.h"
#include "reading/fichier_textes.h"
#include "shell/save_file.h"

#include <QBuffer>
#include <QByteArray>
#include <QString>

namespace zm::fuzz {

inline QString problemeTable(const TableJoueurs& t) {
    if (t.nombre_joueurs < 0 || t.nombre_joueurs > kMaxJoueurs)
        return QStringLiteral("nombre de joueurs hors de 0..12");
    if (t.indice_message < 0 || t.indice_message > 6)
        return QStringLiteral("indice de message hors de 0..6");
    for (int i = 0; i < t.nombre_joueurs; ++i) {
        const qint32 s = t.slots[std::size_t(i)].score;
        if (s < kScoreMin || s > kScoreMax)
            return QStringLiteral("score hors des bornes");
    }
    return {};
}

// The save file decoder: a table in range, and once saved, a file that reads
// back to itself and saves again to the same bytes.
inline QString essayerJoueurs(const QByteArray& bytes) {
    bool sauvegardes = false;
    QString defaut;
    std::optional<TableJoueurs> t = decoderJoueurs(bytes, &sauvegardes, &defaut);
    if (!t) {
        if (defaut.isEmpty())
            return QStringLiteral("refus sans raison");
        QList<JoueurIllisible> illisibles;
        t = recupererJoueurs(bytes, &illisibles);
        if (!t)
            return {};
        if (t->nombre_joueurs < 1)
            return QStringLiteral("récupération sans joueur");
        for (const JoueurIllisible& j : illisibles)
            if (j.rang < 1)
                return QStringLiteral("rang de joueur illisible impossible");
        sauvegardes = true;
    }
    if (const QString p = problemeTable(*t); !p.isEmpty())
        return p;
    if (!sauvegardes)
        return {};
    const QByteArray une = encoderJoueurs(*t);
    bool relu = false;
    const auto retour = decoderJoueurs(une, &relu, &defaut);
    if (!retour || !relu)
        return QStringLiteral("fichier écrit illisible : ") + defaut;
    if (encoderJoueurs(*retour) != une)
        return QStringLiteral("une deuxième sauvegarde change le fichier");
    return {};
}

// The reader of the true-or-false texts, record after record as the game
// skips through them: every record read moves on.
inline QString essayerTextes(const QByteArray& bytes) {
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    while (!buffer.atEnd()) {
        const qint64 avant = buffer.pos();
        QString defaut;
        const auto lu = lireTexte(buffer, &defaut);
        if (!lu)
            return defaut.isEmpty() ? QStringLiteral("refus sans raison") : QString();
        if (buffer.pos() <= avant)
            return QStringLiteral("un texte lu sans avancer");
    }
    return {};
}

// The reader of the erasing texts, record after record as the game passes
// over the ones it cannot play: every record read moves on, and every record
// given to the game has 1 to 11 questions.
inline QString essayerLecture2(const QByteArray& bytes) {
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    for (;;) {
        const qint64 avant = buffer.pos();
        const auto lu = lireTexteSuivant(buffer);
        if (!lu)
            return {};
        if (buffer.pos() <= avant)
            return QStringLiteral("un texte lu sans avancer");
        if (lu->questions.empty() || lu->questions.size() > 11)
            return QStringLiteral(
                "un texte donné au jeu avec un nombre de questions hors de 1..11");
    }
}

// The list-input field reader: every field read moves on, so that reading
// fields until there are none ends.
inline QString essayerChamps(const QByteArray& bytes) {
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    for (;;) {
        const qint64 avant = buffer.pos();
        const auto champ = lireChamp(buffer);
        if (!champ)
            return {};
        if (buffer.pos() <= avant)
            return QStringLiteral("un champ lu sans avancer");
        if (champ->size() > buffer.pos() - avant)
            return QStringLiteral("un champ plus long que ce qui a été lu");
    }
}

} // namespace zm::fuzz
