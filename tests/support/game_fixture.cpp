#include "support/game_fixture.h"

#include "app/epreuves.h"
#include "shell/save_file.h"

#include <QImage>

namespace zm::testing {

bool texteEntier(Label* label) {
    QImage image(label->size(), QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    label->render(&image, QPoint(), QRegion(), QWidget::RenderFlags());
    const QColor fond = label->backgroundColour();
    auto encre = [&](int x, int y) {
        const QRgb p = image.pixel(x, y);
        return qAlpha(p) > 64 &&
               std::abs(qRed(p) - fond.red()) + std::abs(qGreen(p) - fond.green()) +
                       std::abs(qBlue(p) - fond.blue()) + std::abs(qAlpha(p) - fond.alpha()) >
                   96;
    };
    // The edges the text is not aligned on; inside the frame.
    const QRect c = label->contentsRect();
    const Qt::Alignment a = label->alignment();
    for (int x = c.left(); x <= c.right(); ++x)
        if ((!(a & Qt::AlignTop) && encre(x, c.top())) ||
            (!(a & Qt::AlignBottom) && encre(x, c.bottom())))
            return false;
    for (int y = c.top(); y <= c.bottom(); ++y)
        if ((!(a & Qt::AlignLeft) && encre(c.left(), y)) ||
            (!(a & Qt::AlignRight) && encre(c.right(), y)))
            return false;
    return true;
}

QByteArray fichierJoueurs(const std::vector<std::pair<QString, int>>& players, int indice) {
    TableJoueurs t;
    t.joueurs_sauvegardes = 1;
    t.indice_message = qint16(indice);
    t.nombre_joueurs = qint16(players.size());
    for (std::size_t i = 0; i < players.size(); ++i) {
        t.slots[i].prenom = players[i].first;
        t.slots[i].score = players[i].second;
        t.slots[i].progression.fill(qint16(i + 1));
    }
    return encoderJoueurs(t);
}

void GameTest::writeSave(const QByteArray& bytes) {
    QFile f(dir.filePath(QStringLiteral("4.bin")));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

void GameTest::copySheets() {
    for (const char* name : {"dessins", "dessins2", "dessins3"}) {
        const QString n = QString::fromLatin1(name);
        ASSERT_TRUE(QFile::copy(QStringLiteral(ZM_DATAS_DIR "/") + n, dir.filePath(n))) << name;
    }
}

QByteArray GameTest::readSave() const {
    QFile f(dir.filePath(QStringLiteral("4.bin")));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void GameTest::startGame() {
    game = std::make_unique<Game>(p, datas(), fabriquerEpreuve);
    game->onEnded = [this] { ++ended; };
    game->start();
}

void GameTest::restartGame() {
    game.reset();
    ended = 0;
    startGame();
}

QString GameTest::tiles() {
    QString name;
    int last = -1;
    for (int k = 0; k < 13; ++k)
        if (roster().reponse[k]->isVisibleTo(&roster()))
            last = k;
    for (int k = 0; k <= last; ++k)
        name += roster().reponse[k]->isVisibleTo(&roster()) ? roster().reponse[k]->caption()
                                                            : QStringLiteral(" ");
    return name;
}

void GameTest::jouer() {
    click(roster().fin_mot);
}

} // namespace zm::testing
