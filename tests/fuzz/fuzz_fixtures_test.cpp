// Every input kept by the fuzzers of the readers, the corpus and each input
// that once made a reader fail, replayed through the same checks as the
// fuzzers make.
#include "fuzz/cibles.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

using namespace zm;

TEST(FuzzFixtures, EveryKeptInputIsReadWithoutFault) {
    struct Cible {
        const char* nom;
        QString (*essayer)(const QByteArray&);
    };
    for (const Cible& c :
         {Cible{"joueurs", fuzz::essayerJoueurs}, Cible{"textes", fuzz::essayerTextes},
          Cible{"champs", fuzz::essayerChamps}, Cible{"lecture2", fuzz::essayerLecture2}}) {
        int entrees = 0;
        for (const char* dossier : {"corpus", "crashes"}) {
            const QDir dir(QStringLiteral(ZM_SOURCE_DIR "/fuzz/%1/%2")
                               .arg(QString::fromLatin1(dossier), QString::fromLatin1(c.nom)));
            for (const QFileInfo& f : dir.entryInfoList(QDir::Files)) {
                SCOPED_TRACE(f.filePath().toStdString());
                QFile file(f.filePath());
                ASSERT_TRUE(file.open(QIODevice::ReadOnly));
                EXPECT_EQ(c.essayer(file.readAll()).toStdString(), "");
                ++entrees;
            }
        }
        EXPECT_GT(entrees, 0) << c.nom;
    }
}
