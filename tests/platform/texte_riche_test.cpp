// The rich text box and its model in memory behave alike, operation by
// operation: same text, same colours, weights and alignments.
#include "platform/boite_texte.h"
#include "platform/texte_riche.h"

#include <functional>
#include <gtest/gtest.h>

using namespace zm;

inline void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}

namespace {

const QColor kRouge(255, 0, 0), kBleu(0, 0, 255), kFond(255, 252, 235);

// What a text looks like, character by character: the character, then
// its colour (n black, r red, b blue, f background), + when bold, and the
// paragraph's alignment at each line start (< left, = centred).
QString apparence(const TexteRiche& t) {
    const QString texte = t.texte();
    QString out;
    for (qsizetype i = 0; i <= texte.size(); ++i) {
        if (i == 0 || texte[i - 1] == u'\n')
            out += t.alignement(i) == Alignement::Centre ? u'=' : u'<';
        if (i == texte.size())
            break;
        if (texte[i] == u'\n') {
            out += u'|';
            continue;
        }
        const QColor c = t.couleur(i);
        out += texte[i];
        out += c == kRouge      ? u'r'
               : c == kBleu     ? u'b'
               : c == kFond     ? u'f'
               : c == Qt::black ? u'n'
                                : u'?';
        if (t.gras(i))
            out += u'+';
    }
    return out;
}

struct Etape {
    std::function<void(TexteRiche&)> faire;
    const char* attendu;
};

struct Scenario {
    const char* nom;
    std::vector<Etape> etapes;
};

} // namespace

TEST(RichText, TheBoxAndItsModelAgreeStepByStep) {
    const Scenario scenarios[] = {
        {"a title centred, a text left, words erased",
         {{[](TexteRiche& t) {
               t.remplacerTexte(QString());
               t.aligner(0, 0, Alignement::Centre);
               t.remplacerTexte(QStringLiteral("TI\n\n"));
           },
           "=TnIn|=|="},
          {[](TexteRiche& t) {
               t.ajouter(QStringLiteral("un ab"));
               t.aligner(5, 4, Alignement::Gauche);
           },
           "=TnIn|=|<unnn nanbn"},
          {[](TexteRiche& t) { t.colorer(0, 2, kRouge); }, "=TrIr|=|<unnn nanbn"},
          {[](TexteRiche& t) {
               t.colorer(4, 2, kFond);
               t.colorer(7, 50, kRouge);
               t.blanchir(7, 50);
           },
           "=TrIr|=|<ufnf n r r"}}},
        {"a heading in bold, then a question in blue and a verdict in red",
         {{[](TexteRiche& t) {
               t.remplacerTexte(QStringLiteral("\nQ 1\n\n"));
               t.aligner(0, 6, Alignement::Centre);
               t.mettreEnGras(0, 5, true);
           },
           "=|=Qn+ n+1n+|=|="},
          {[](TexteRiche& t) {
               t.ajouter(QStringLiteral("VU\n\n"));
               t.colorer(5, 4, kBleu);
               t.ajouter(QStringLiteral("\nOK"));
               t.colorer(9, 4, kRouge);
           },
           "=|=Qn+ n+1n+|=|=VbUb|=|=|=OrKr"},
          {[](TexteRiche& t) {
               // A new text keeps the first paragraph's alignment.
               t.aligner(0, 0, Alignement::Gauche);
               t.remplacerTexte(QStringLiteral("a\nb"));
           },
           "<an|<bn"}}},
        {"ranges past the end stop at it; an empty text",
         {{[](TexteRiche& t) {
               t.remplacerTexte(QStringLiteral("abc"));
               t.colorer(1, 99, kBleu);
               t.mettreEnGras(-3, 5, true);
               t.aligner(2, 99, Alignement::Centre);
           },
           "=an+bb+cb"},
          {[](TexteRiche& t) { t.remplacerTexte(QString()); }, "="}}},
    };
    for (const Scenario& s : scenarios) {
        SCOPED_TRACE(s.nom);
        ModeleTexteRiche modele(kFond);
        BoiteTexte boite(nullptr, QStringLiteral("boite_texte"));
        boite.setCouleurFond(kFond);
        EXPECT_EQ(boite.couleurFond(), kFond);
        for (const Etape& e : s.etapes) {
            e.faire(modele);
            e.faire(boite);
            EXPECT_EQ(apparence(modele), QString::fromUtf8(e.attendu));
            EXPECT_EQ(apparence(boite), QString::fromUtf8(e.attendu));
            EXPECT_EQ(boite.texte(), modele.texte());
        }
    }
}

TEST(RichText, TheBoxSaysWhetherItsTextFits) {
    BoiteTexte boite(nullptr, QStringLiteral("boite_texte"));
    boite.setGeometry(0, 0, 200, 100);
    boite.remplacerTexte(QStringLiteral("court"));
    EXPECT_LE(boite.hauteurTexte(), boite.hauteurVisible());
    boite.remplacerTexte(QString(20, u'\n'));
    EXPECT_GT(boite.hauteurTexte(), boite.hauteurVisible());
    // Bold takes more room: long words set in bold wrap onto more lines.
    boite.remplacerTexte(QStringLiteral("mot ").repeated(30));
    const int regulier = boite.hauteurTexte();
    boite.mettreEnGras(0, boite.longueur(), true);
    EXPECT_GE(boite.hauteurTexte(), regulier);
}
