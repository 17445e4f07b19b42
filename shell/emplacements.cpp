#include "shell/emplacements.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <sys/stat.h>
#include <unistd.h>

namespace zm {
namespace {

const QString kNomJoueurs = QStringLiteral("4.bin");
const QString kDossierJeu = QStringLiteral("zibelou-malice");

// The base of the player's folders of a kind: the XDG variable `xdg`, or
// `sousHome` in the home folder when it is unset; a relative path is not a
// valid one and is passed over. Empty when there is none.
QString dossierXdg(const QString& xdg, const QString& home, const char* sousHome) {
    if (!xdg.isEmpty() && QDir::isAbsolutePath(xdg))
        return QDir::cleanPath(xdg);
    if (!home.isEmpty() && QDir::isAbsolutePath(home))
        return QDir::cleanPath(home + QStringLiteral("/") + QString::fromLatin1(sousHome));
    return {};
}

// The base of the player's data folders: $XDG_DATA_HOME, or ~/.local/share.
QString dossierUtilisateur(const Environnement& e) {
    return dossierXdg(e.xdgDataHome, e.home, ".local/share");
}

Environnement environnementDuSysteme() {
    Environnement e;
    e.xdgDataHome = qEnvironmentVariable("XDG_DATA_HOME");
    e.xdgCacheHome = qEnvironmentVariable("XDG_CACHE_HOME");
    e.home = qEnvironmentVariable("HOME");
    return e;
}

} // namespace

QString dossierDatas(const QString& dossierExecutable) {
    const QString aCote = QDir::cleanPath(dossierExecutable + QStringLiteral("/datas"));
    if (QFileInfo(aCote).isDir())
        return aCote;
    const QString installe =
        QDir::cleanPath(dossierExecutable + QStringLiteral("/../share/zibelou-malice/datas"));
    return QFileInfo(installe).isDir() ? installe : aCote;
}

FichiersJoueurs fichiersJoueurs(const Environnement& e) {
    const QString dansDatas = e.datas + QStringLiteral("/") + kNomJoueurs;
    const QString base = dossierUtilisateur(e);
    // Without a folder of the player's own, the data folder is the only place
    // left: the save says so if it fails there.
    if (e.datasModifiable || base.isEmpty())
        return {dansDatas, dansDatas};
    const QString chezLeJoueur =
        base + QStringLiteral("/") + kDossierJeu + QStringLiteral("/") + kNomJoueurs;
    const bool ancienneSauvegarde =
        !QFileInfo::exists(chezLeJoueur) && QFileInfo::exists(dansDatas);
    return {ancienneSauvegarde ? dansDatas : chezLeJoueur, chezLeJoueur};
}

FichiersJoueurs fichiersJoueursDuSysteme(const QString& datas) {
    Environnement e = environnementDuSysteme();
    e.datas = datas;
    // A read-only file system answers no even to root.
    e.datasModifiable = ::access(QFile::encodeName(datas).constData(), W_OK | X_OK) == 0;
    return fichiersJoueurs(e);
}

QString dossierRendus(const Environnement& e) {
    const QString base = dossierXdg(e.xdgCacheHome, e.home, ".cache");
    return base.isEmpty() ? base : base + QStringLiteral("/") + kDossierJeu;
}

QString dossierRendusDuSysteme() {
    return dossierRendus(environnementDuSysteme());
}

bool creerDossierDe(const QString& fichier) {
    const QString dossier = QFileInfo(fichier).absolutePath();
    if (QFileInfo(dossier).isDir())
        return true;
    const QString parent = QFileInfo(dossier).absolutePath();
    if (parent == dossier || !creerDossierDe(dossier))
        return false;
    return ::mkdir(QFile::encodeName(dossier).constData(), 0700) == 0 || QFileInfo(dossier).isDir();
}

} // namespace zm
