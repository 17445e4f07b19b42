#pragma once
// A whole game on the fake platform, with its data folder in a fresh
// temporary folder (no pictures: the screens work without them).

#include "platform/fake/fake_platform.h"
#include "shell/demande_prenom.h"
#include "shell/depart.h"
#include "shell/ecran_epreuve.h"
#include "shell/feuille_aide.h"
#include "shell/game.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

// Failed comparisons of texts print the texts themselves.
inline void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}

namespace zm::testing {

using fake::FakePlatform;

// Whether the text the label draws keeps off the edges inside its frame
// (but those it is aligned on): text cut by the label leaves ink on them.
bool texteEntier(Label* label);

// The bytes of a save file holding these players (name, score).
QByteArray fichierJoueurs(const std::vector<std::pair<QString, int>>& players, int indice = 0);

struct GameTest : ::testing::Test {
    QTemporaryDir dir;
    FakePlatform p;
    std::unique_ptr<Game> game;
    int ended = 0;

    QString datas() const { return dir.path(); }
    void writeSave(const QByteArray& bytes);
    // Copies the picture sheets of the built data folder, for tests that
    // tell one frame of a character from another.
    void copySheets();
    QByteArray readSave() const;
    // Builds the game and runs its start-up to the end of its wait.
    void startGame();
    // A fresh game on the same data folder, as the next run of the program.
    void restartGame();
    Routines& r() { return game->routines(); }
    DemandePrenom& roster() { return game->roster(); }
    Depart& depart() { return *game->depart(); }
    FeuilleAide& aide() { return *game->feuilleAide(); }
    EcranEpreuve& epreuve(int k) { return *game->epreuve(k); }
    // The name on the visible tiles, a blank for each hidden tile in between.
    QString tiles();
    void click(QWidget* w, Qt::MouseButton b = Qt::LeftButton) { FakePlatform::click(w, b); }
    void press(QWidget* w, Qt::MouseButton b) {
        FakePlatform::press(w, b);
        FakePlatform::release(w, b);
    }
    // Chooses the current player and goes to the start screen.
    void jouer();
};

} // namespace zm::testing
