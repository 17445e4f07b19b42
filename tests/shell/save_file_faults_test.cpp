// Saves that fail, or stop, at every point of their writing: the next start
// always reads the previous file or the new one, and no temporary file is
// left to grow.
#include "save_file_fixtures.h"
#include "shell/save_file.h"

#include <QFileInfo>
#include <QTemporaryDir>
#include <chrono>
#include <fcntl.h>
#include <functional>
#include <future>
#include <gtest/gtest.h>
#include <map>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

using namespace zm;
using namespace zm::testing;

namespace {

// The disk's file layer with faults on demand. Each byte written is one step
// of a save, each other operation one step too.
//
// Arret: after `a` steps the process stops; nothing more reaches the disk.
// Coupure: the same, and the power goes: what the disk was not told to keep
// is lost. That is the data written to a file since it was last flushed, and
// a rename made since the folder was last flushed: it is undone when the
// renamed file's data was all kept; otherwise the rename stays and the data
// is lost, the worse of the two.
//
// Flushes are only counted, not made: the layer keeps its own account of what
// reached the disk, which keeps the thousands of saves of a test quick.
class CouchePilotee final : public FichiersSauvegarde {
public:
    enum class Panne {
        Aucune,
        Creation,
        Ecriture,    // writing fails at byte `a`
        DisquePlein, // writing takes nothing from byte `a` on
        Synchronisation,
        Fermeture,
        Renommage,
        Arret,
        Coupure,
    };
    explicit CouchePilotee(Panne panne = Panne::Aucune, qint64 a = 0) : panne_(panne), a_(a) {}

    // When above 0, a write takes at most this many bytes.
    qint64 morceau = 0;
    qint64 etapes() const { return etapes_; }
    bool arrete() const { return arrete_; }

    bool creer(const QString& path) override {
        if (!etape())
            return echec(QStringLiteral("arrêté"));
        if (panne_ == Panne::Creation)
            return echec(QStringLiteral("création refusée"));
        if (!disque().creer(path))
            return echec(disque().erreur());
        ouvert_ = path;
        ecrits_ = 0;
        gardes_[path] = 0;
        return true;
    }
    qint64 ecrire(const char* data, qint64 size) override {
        if (arrete_)
            return -1;
        qint64 n = morceau > 0 ? std::min(size, morceau) : size;
        if (panne_ == Panne::Ecriture || panne_ == Panne::DisquePlein) {
            if (ecrits_ >= a_) {
                if (panne_ == Panne::DisquePlein)
                    return 0;
                echec(QStringLiteral("écriture refusée"));
                return -1;
            }
            n = std::min(n, a_ - ecrits_);
        }
        const bool coupe = (panne_ == Panne::Arret || panne_ == Panne::Coupure) && a_ - etapes_ < n;
        if (coupe)
            n = a_ - etapes_;
        if (n > 0 && disque().ecrire(data, n) != n) {
            ADD_FAILURE() << "the disk took fewer bytes";
            return -1;
        }
        ecrits_ += n;
        etapes_ += n;
        if (coupe)
            arreter();
        return n;
    }
    bool synchroniser() override {
        if (!etape())
            return false;
        if (panne_ == Panne::Synchronisation)
            return echec(QStringLiteral("synchronisation refusée"));
        gardes_.erase(ouvert_);
        return true;
    }
    bool fermer() override {
        if (!etape())
            return false;
        disque().fermer();
        return panne_ != Panne::Fermeture || echec(QStringLiteral("fermeture refusée"));
    }
    bool renommer(const QString& from, const QString& to) override {
        if (!etape())
            return false;
        if (panne_ == Panne::Renommage)
            return echec(QStringLiteral("renommage refusé"));
        Renommage r{from, to, std::nullopt};
        if (QFileInfo::exists(to))
            r.ancien = lireOctets(to);
        if (!disque().renommer(from, to))
            return echec(disque().erreur());
        if (const auto g = gardes_.find(from); g != gardes_.end()) {
            gardes_[to] = g->second;
            gardes_.erase(from);
        }
        renommage_ = r;
        return true;
    }
    bool synchroniserDossier(const QString&) override {
        if (!etape())
            return false;
        renommage_.reset();
        return true;
    }
    void supprimer(const QString& path) override {
        if (etape())
            disque().supprimer(path);
    }
    QString erreur() const override { return erreur_; }

private:
    struct Renommage {
        QString from, to;
        std::optional<QByteArray> ancien;
    };
    static FichiersSauvegarde& disque() { return fichiersDuDisque(); }
    bool etape() {
        if (arrete_)
            return false;
        if ((panne_ == Panne::Arret || panne_ == Panne::Coupure) && etapes_ >= a_) {
            arreter();
            return false;
        }
        ++etapes_;
        return true;
    }
    bool echec(const QString& why) {
        erreur_ = why;
        return false;
    }
    void arreter() {
        arrete_ = true;
        disque().fermer();
        if (panne_ != Panne::Coupure)
            return;
        if (renommage_ && !gardes_.count(renommage_->to)) {
            ASSERT_EQ(::rename(QFile::encodeName(renommage_->to).constData(),
                               QFile::encodeName(renommage_->from).constData()),
                      0);
            if (renommage_->ancien)
                ecrireOctets(renommage_->to, *renommage_->ancien);
        }
        for (const auto& [path, taille] : gardes_) {
            if (QFileInfo::exists(path)) {
                ASSERT_EQ(::truncate(QFile::encodeName(path).constData(), taille), 0);
            }
        }
    }

    Panne panne_;
    qint64 a_;
    qint64 etapes_ = 0;
    qint64 ecrits_ = 0;
    bool arrete_ = false;
    QString ouvert_;
    QString erreur_;
    std::map<QString, qint64> gardes_; // files not all kept, and how much is
    std::optional<Renommage> renommage_;
};

struct SaveFaults : ::testing::Test {
    QTemporaryDir dir;
    QString path() const { return dir.filePath(QStringLiteral("4.bin")); }
    QString temp() const { return fichierTemporaire(path()); }

    // The previous save and the next one: not the same players, not the same size.
    TableJoueurs ancienne = douzeJoueurs();
    TableJoueurs nouvelle = [] {
        TableJoueurs t = douzeJoueurs();
        t.indice_message = 2;
        t.nombre_joueurs = 11;
        for (int i = 0; i < 11; ++i) {
            t.slots[std::size_t(i)] = t.slots[std::size_t(i + 1)];
            t.slots[std::size_t(i)].score += 25;
            t.slots[std::size_t(i)].progression[kAnimaux] += 1;
        }
        return t;
    }();

    // What the next start reads, as it would read it.
    std::pair<LectureJoueurs, TableJoueurs> prochainDepart() {
        TableJoueurs t;
        const LectureJoueurs issue = lire_joueurs(path(), t).issue;
        return {issue, t};
    }
    static bool memes(const TableJoueurs& a, const TableJoueurs& b) {
        return a.indice_message == b.indice_message && joueursDe(a) == joueursDe(b);
    }
};

} // namespace

TEST_F(SaveFaults, AFailingSaveSaysSoAndLeavesThePreviousFileAlone) {
    using P = CouchePilotee::Panne;
    const qint64 taille = encoderJoueurs(nouvelle).size();
    struct Case {
        const char* what;
        P panne;
        qint64 a;
    };
    const Case cases[] = {
        {"the file cannot be made", P::Creation, 0},
        {"writing fails at once", P::Ecriture, 0},
        {"writing fails after a byte", P::Ecriture, 1},
        {"writing fails halfway", P::Ecriture, taille / 2},
        {"writing fails at the last byte", P::Ecriture, taille - 1},
        {"the disk is full from the start", P::DisquePlein, 0},
        {"the disk fills up halfway", P::DisquePlein, taille / 2},
        {"the flush to the disk fails", P::Synchronisation, 0},
        {"closing fails", P::Fermeture, 0},
        {"the rename fails", P::Renommage, 0},
    };
    const QByteArray avant = encoderJoueurs(ancienne);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ecrireOctets(path(), avant);
        CouchePilotee couche(c.panne, c.a);
        QString erreur;
        EXPECT_FALSE(sauver_joueurs(path(), nouvelle, &erreur, couche));
        EXPECT_FALSE(erreur.isEmpty());
        EXPECT_EQ(lireOctets(path()), avant);
        EXPECT_EQ(contenu(dir.path()), QStringList{"4.bin"});
    }
}

TEST_F(SaveFaults, ShortWritesStillSaveTheWholeFile) {
    for (qint64 morceau : {1, 7, 100}) {
        SCOPED_TRACE(morceau);
        ecrireOctets(path(), encoderJoueurs(ancienne));
        CouchePilotee couche;
        couche.morceau = morceau;
        ASSERT_TRUE(sauver_joueurs(path(), nouvelle, nullptr, couche));
        EXPECT_EQ(lireOctets(path()), encoderJoueurs(nouvelle));
        EXPECT_EQ(contenu(dir.path()), QStringList{"4.bin"});
    }
}

TEST_F(SaveFaults, AStopAtAnyByteLeavesTheOldFileOrTheNewOne) {
    using P = CouchePilotee::Panne;
    CouchePilotee complete;
    ASSERT_TRUE(sauver_joueurs(path(), nouvelle, nullptr, complete));
    const qint64 etapes = complete.etapes();
    const qint64 tailleNouvelle = encoderJoueurs(nouvelle).size();
    ASSERT_GT(etapes, tailleNouvelle);

    struct Depart {
        const char* what;
        std::optional<QByteArray> ancien;
    };
    for (P panne : {P::Arret, P::Coupure}) {
        for (const Depart& d : {Depart{"over a previous save", encoderJoueurs(ancienne)},
                                Depart{"first save", std::nullopt}}) {
            int anciens = 0, nouveaux = 0;
            for (qint64 a = 0; a <= etapes; ++a) {
                SCOPED_TRACE(::testing::Message() << (panne == P::Arret ? "stop" : "power cut")
                                                  << ", " << d.what << ", after step " << a);
                // What an earlier cut left in the temporary file stays there.
                if (d.ancien)
                    ecrireOctets(path(), *d.ancien);
                else
                    QFile::remove(path());
                CouchePilotee couche(panne, a);
                sauver_joueurs(path(), nouvelle, nullptr, couche);
                ASSERT_EQ(couche.arrete(), a < etapes);

                const auto [issue, t] = prochainDepart();
                if (d.ancien && issue == LectureJoueurs::Joueurs && memes(t, ancienne)) {
                    ++anciens;
                } else if (!d.ancien && issue == LectureJoueurs::Absent) {
                    ++anciens;
                } else {
                    ASSERT_EQ(issue, LectureJoueurs::Joueurs);
                    ASSERT_TRUE(memes(t, nouvelle));
                    ++nouveaux;
                }
                // One temporary file at most, never longer than one save.
                const QStringList noms = contenu(dir.path());
                ASSERT_TRUE(noms == QStringList{"4.bin"} ||
                            noms == (QStringList{"4.bin", "4.bin.nouveau"}) ||
                            (!d.ancien && noms == QStringList{"4.bin.nouveau"}) ||
                            (!d.ancien && noms.isEmpty()))
                    << noms.join(QChar(u' ')).toStdString();
                ASSERT_LE(QFileInfo(temp()).size(), tailleNouvelle);
            }
            // Both outcomes were met: the cut points span the whole save.
            EXPECT_GT(anciens, tailleNouvelle);
            EXPECT_GT(nouveaux, 0);
            // The next save that runs to its end leaves the save file alone.
            ASSERT_TRUE(sauver_joueurs(path(), ancienne, nullptr));
            EXPECT_EQ(contenu(dir.path()), QStringList{"4.bin"});
            EXPECT_TRUE(memes(prochainDepart().second, ancienne));
        }
    }
}

TEST_F(SaveFaults, WithoutItsFlushesASaveCouldBeLostToAPowerCut) {
    // The layer that drops the flushes shows what the flushes guard against:
    // the power cut test above must be able to fail.
    class SansSynchronisation final : public FichiersSauvegarde {
    public:
        explicit SansSynchronisation(FichiersSauvegarde& couche) : couche_(couche) {}
        bool creer(const QString& p) override { return couche_.creer(p); }
        qint64 ecrire(const char* d, qint64 n) override { return couche_.ecrire(d, n); }
        bool synchroniser() override { return true; }
        bool fermer() override { return couche_.fermer(); }
        bool renommer(const QString& a, const QString& b) override {
            return couche_.renommer(a, b);
        }
        bool synchroniserDossier(const QString& f) override {
            return couche_.synchroniserDossier(f);
        }
        void supprimer(const QString& p) override { couche_.supprimer(p); }
        QString erreur() const override { return couche_.erreur(); }

    private:
        FichiersSauvegarde& couche_;
    };
    ecrireOctets(path(), encoderJoueurs(ancienne));
    // Stop just after the rename, before the folder is flushed.
    CouchePilotee complete;
    SansSynchronisation essai(complete);
    ASSERT_TRUE(sauver_joueurs(path(), nouvelle, nullptr, essai));
    ecrireOctets(path(), encoderJoueurs(ancienne));
    CouchePilotee couche(CouchePilotee::Panne::Coupure, complete.etapes() - 1);
    SansSynchronisation sans(couche);
    sauver_joueurs(path(), nouvelle, nullptr, sans);
    EXPECT_EQ(prochainDepart().first, LectureJoueurs::Endommage);
}

TEST_F(SaveFaults, ALeftoverTemporaryOfAnyKindIsReplaced) {
    const QString ailleurs = dir.filePath(QStringLiteral("ailleurs"));
    const QByteArray nomTemp = QFile::encodeName(temp());
    struct Case {
        const char* what;
        std::function<void()> laisser;
    };
    const Case cases[] = {
        {"a longer file", [&] { ecrireOctets(temp(), QByteArray(100000, 'x')); }},
        {"a pipe", [&] { ASSERT_EQ(::mkfifo(nomTemp.constData(), 0644), 0); }},
        {"a link to another file",
         [&] { ASSERT_EQ(::symlink("ailleurs", nomTemp.constData()), 0); }},
        {"a link to nothing", [&] { ASSERT_EQ(::symlink("rien", nomTemp.constData()), 0); }},
        {"an empty folder", [&] { ASSERT_TRUE(QDir().mkpath(temp())); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        QDir(dir.path()).removeRecursively();
        QDir().mkpath(dir.path());
        ecrireOctets(path(), encoderJoueurs(ancienne));
        ecrireOctets(ailleurs, "autre chose");
        c.laisser();
        // Were the pipe opened for writing, the save would wait for a reader:
        // one comes after a while so that the test ends and says so.
        auto sauvegarde = std::async(std::launch::async,
                                     [&] { return sauver_joueurs(path(), nouvelle, nullptr); });
        if (sauvegarde.wait_for(std::chrono::seconds(5)) != std::future_status::ready) {
            ADD_FAILURE() << "the save waits";
            const int fd = ::open(nomTemp.constData(), O_RDONLY | O_NONBLOCK);
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
            if (fd >= 0)
                ::close(fd);
        }
        EXPECT_TRUE(sauvegarde.get());
        EXPECT_EQ(lireOctets(path()), encoderJoueurs(nouvelle));
        EXPECT_EQ(lireOctets(ailleurs), QByteArray("autre chose"));
        EXPECT_EQ(contenu(dir.path()), (QStringList{"4.bin", "ailleurs"}));
    }
}
