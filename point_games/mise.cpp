#include "point_games/mise.h"

#include "shell/images.h"
#include "shell/routines.h"
#include "shell/screen.h"

namespace zm {

Mise::Mise(Screen& screen, Routines& routines, QPoint at, Regles regles)
    : QObject(&screen), routines_(routines), regles_(std::move(regles)) {
    auto make = [&](const char* name, QRect geometry) {
        auto* label = new Label(&screen, QString::fromLatin1(name));
        label->setGeometry(geometry.translated(at));
        return label;
    };
    moins = make("moins", QRect(0, 3, 48, 48));
    moins->setPicture(imageIntegree(QStringLiteral("point_games/moins")));
    moins->setToolTip(QStringLiteral("Clic Droit --> - 50 pièces"));
    label_mise = make("label_mise", QRect(54, 0, 96, 54));
    label_mise->setAlignment(Qt::AlignCenter);
    label_mise->setPointSize(22);
    label_mise->setBold(true);
    label_mise->setColours(QColor(128, 0, 0), QColor(255, 250, 225));
    label_mise->setFrameShape(QFrame::Box);
    label_mise->setToolTip(
        QStringLiteral("Clic Gauche = Mise Maximale  Clic Droit = Mise Minimale"));
    // Large stakes are set smaller, up to the largest score.
    label_mise->shrinkToFit(10);
    plus = make("plus", QRect(156, 3, 48, 48));
    plus->setPicture(imageIntegree(QStringLiteral("point_games/plus")));
    plus->setToolTip(QStringLiteral("Clic Droit --> + 50 pièces"));
    gains = make("gains", QRect(216, -8, 300, 70));
    gains->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    gains->setWordWrap(true);
    gains->setBold(true);
    gains->setTextColour(QColor(0, 0, 128));
    if (regles_.gains == Gains::Paire)
        gains->setCaption(QStringLiteral("Gain possible"));
    label_mise->setCaption(QStringLiteral("10"));

    connect(label_mise, &Label::pressed, this, [this](Qt::MouseButton b) { appuiLabel(b); });
    connect(plus, &Label::pressed, this, [this](Qt::MouseButton b) { appuiFleche(b, +1); });
    connect(moins, &Label::pressed, this, [this](Qt::MouseButton b) { appuiFleche(b, -1); });
}

qint64 Mise::plafondScore(qint64 score) {
    return score / 10 * 10;
}

qint64 Mise::plafondMoitie(qint64 score) {
    return score / 2 / 10 * 10;
}

void Mise::montrer() {
    label_mise->setCaption(QString::number(mise));
    afficher_gains();
}

void Mise::reinitialiser() {
    mise = 10;
    montrer();
}

void Mise::afficher_gains() {
    if (regles_.gains == Gains::Paire) {
        gains->setCaption(QStringLiteral("Gain possible : %1 points\nPerte possible : %2 points")
                              .arg(2 * mise)
                              .arg(mise));
        return;
    }
    const std::pair<const char*, int> lignes[] = {
        {"  5 mots différents  --> Perte de 2 FOIS LA MISE :", 2},
        {"   2 mots identiques --> Perte de LA MISE :", 1},
        {"   3 mots identiques --> Gain de 4 FOIS LA MISE :", 4},
        {"   4 mots identiques --> Gain de 7 FOIS LA MISE :", 7},
        {"   5 mots identiques --> Gain de 10 FOIS LA MISE :", 10}};
    QStringList texte;
    for (auto [ligne, fois] : lignes)
        texte << QString::fromUtf8(ligne) + QStringLiteral(" ") + QString::number(fois * mise) +
                     QStringLiteral(" pièces");
    gains->setCaption(texte.join(u'\n'));
}

void Mise::refuser(const QString& affichage, const QString& message, bool labelAussi) {
    label_mise->setCaption(affichage);
    if (!message.isNull())
        gains->setCaption(message);
    plus->setEnabled(false);
    moins->setEnabled(false);
    if (labelAussi)
        label_mise->setEnabled(false);
}

void Mise::activer() {
    plus->setEnabled(true);
    moins->setEnabled(true);
    label_mise->setEnabled(true);
}

void Mise::appuiLabel(Qt::MouseButton button) {
    if (!regles_.modifiable() || routines_.score < regles_.scoreMinimum)
        return;
    routines_.jouer_son(QStringLiteral("4.ats"));
    mise = button == Qt::LeftButton ? std::max<qint64>(10, regles_.plafond(routines_.score)) : 10;
    montrer();
}

void Mise::appuiFleche(Qt::MouseButton button, int sens) {
    if (!regles_.modifiable())
        return;
    const qint64 pas = button == Qt::LeftButton ? 10 : 50;
    const qint64 nouvelle = mise + sens * pas;
    if (sens > 0 ? nouvelle > regles_.plafond(routines_.score) : nouvelle < 10)
        return;
    routines_.jouer_son(QStringLiteral("4.ats"));
    mise = nouvelle;
    montrer();
}

} // namespace zm
