#pragma once
// Where the game finds its data folder and keeps its players.
//
// Run from the build folder, the data folder sits beside the executable
// (<exe dir>/datas). Installed, the executable is in <prefix>/bin and the data
// folder in <prefix>/share/zibelou-malice/datas, whatever the prefix.
//
// The players are saved in the data folder, as they always were, whenever a
// file can be written there (the build folder, a copy of the game in the
// player's own folders). An installed game the player cannot write to keeps
// them in the player's data folder instead:
// $XDG_DATA_HOME/zibelou-malice/4.bin, by default
// ~/.local/share/zibelou-malice/4.bin, created on the first save.

#include <QString>

namespace zm {

// <exe dir>/datas when it is a folder, otherwise the installed
// <exe dir>/../share/zibelou-malice/datas when that one is; <exe dir>/datas
// when neither exists (the game then runs without its pictures and sounds).
QString dossierDatas(const QString& dossierExecutable);

// What the choice of the save file depends on.
struct Environnement {
    QString datas;
    // Whether a file can be created in the data folder.
    bool datasModifiable = true;
    // The variables of the same names, empty when unset.
    QString xdgDataHome;
    QString home;
    QString xdgCacheHome;
};

// The file the players are read from at start-up and the one they are saved
// to on quitting. They differ only when an old save sits in a data folder
// that cannot be written any more: its players are taken up and saved in the
// player's data folder from then on.
struct FichiersJoueurs {
    QString lecture;
    QString sauvegarde;
};

FichiersJoueurs fichiersJoueurs(const Environnement& environnement);

// The same choice for this run of the program: the data folder's access
// rights and the process's environment.
FichiersJoueurs fichiersJoueursDuSysteme(const QString& datas);

// The folder where drawings rendered for the display are kept between runs:
// $XDG_CACHE_HOME/zibelou-malice, by default ~/.cache/zibelou-malice. Empty
// when there is none (nothing is kept then).
QString dossierRendus(const Environnement& environnement);
QString dossierRendusDuSysteme();

// Creates the folders missing on the way to a file, readable by their owner
// only. False when the folder of the file cannot be made.
bool creerDossierDe(const QString& fichier);

} // namespace zm
