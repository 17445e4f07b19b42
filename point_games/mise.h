#pragma once
// The stake controls of the point games: the stake shown in `label_mise`, the
// arrows `plus` and `moins`, and `gains`, what the stake may win or lose.
// The stake is always a multiple of 10 from 10 up to the game's ceiling.

#include <QObject>
#include <QPixmap>
#include <functional>

namespace zm {

class Label;
class Routines;
class Screen;

class Mise : public QObject {
    Q_OBJECT
public:
    enum class Gains { Paire, Tableau };
    struct Regles {
        // Stakes may change only while this holds.
        std::function<bool()> modifiable;
        // The highest stake, from the score.
        std::function<qint64(qint64 score)> plafond;
        // The score needed for a press on `label_mise`.
        qint64 scoreMinimum = 10;
        Gains gains = Gains::Paire;
    };

    // Places the controls on the screen, with their top left corner at `at`.
    Mise(Screen& screen, Routines& routines, QPoint at, Regles regles);

    Label* label_mise;
    Label* plus;
    Label* moins;
    Label* gains;
    qint64 mise = 10;

    // The stake back to 10, shown, and what it may win or lose.
    void reinitialiser();
    void afficher_gains();
    // Shown when the player cannot afford the smallest stake.
    void refuser(const QString& affichage, const QString& message, bool labelAussi);
    void activer();

    // The highest stake of the pair-style games: the score down to a
    // multiple of 10.
    static qint64 plafondScore(qint64 score);
    // Half the score, down to a multiple of 10.
    static qint64 plafondMoitie(qint64 score);

private:
    void appuiLabel(Qt::MouseButton button);
    void appuiFleche(Qt::MouseButton button, int sens);
    void montrer();

    Routines& routines_;
    Regles regles_;
};

} // namespace zm
