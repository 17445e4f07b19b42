#include "shell/listes.h"

#include "shell/routines.h"

#include <QFile>

namespace zm {

QStringList listeIntegree(const QString& path) {
    QFile file(QStringLiteral(":/content/") + path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QStringList rows = QString::fromUtf8(file.readAll()).split(QChar(u'\n'));
    for (QString& row : rows)
        if (row.endsWith(QChar(u'\r')))
            row.chop(1);
    if (!rows.isEmpty() && rows.last().isEmpty())
        rows.removeLast();
    return rows;
}

QString ligneCirculaire(const QStringList& rows, int& position) {
    position = positionDansListe(position, int(rows.size()));
    return rows.isEmpty() ? QString() : rows[position];
}

} // namespace zm
