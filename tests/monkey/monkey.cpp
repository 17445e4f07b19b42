#include "monkey/monkey.h"

#include "app/epreuves.h"
#include "platform/fake/fake_platform.h"
#include "point_games/bonneteau.h"
#include "point_games/machine.h"
#include "point_games/pari_lettre.h"
#include "quizzes/quiz_clic.h"
#include "quizzes/quiz_saisie.h"
#include "reading/defilement.h"
#include "reading/fichier_lecture2.h"
#include "reading/fichier_textes.h"
#include "reading/lecture2.h"
#include "reading/liste.h"
#include "reading/suite.h"
#include "reading/trous.h"
#include "shell/demande_prenom.h"
#include "shell/depart.h"
#include "shell/feuille_aide.h"
#include "shell/game.h"
#include "shell/routines.h"
#include "shell/stage.h"

#include <QElapsedTimer>
#include <QFile>
#include <QKeySequence>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTextStream>
#include <algorithm>
#include <array>
#include <atomic>
#include <csignal>
#include <cstdio>
#include <limits>
#include <random>
#include <thread>
#include <unistd.h>

namespace zm::monkey {

using fake::FakePlatform;

namespace {

// --- what is said when the process itself dies ------------------------------

std::atomic<quint64> gSeed{0};
std::atomic<std::size_t> gEvent{0};
std::atomic<std::size_t> gProgress{0};
std::atomic<bool> gRunning{false};

void sayWhere(const char* what) {
    char line[256];
    const int n = std::snprintf(line, sizeof line,
                                "\nmonkey: %s with seed %llu during event #%zu; replay with "
                                "bench/monkey --seed %llu --events %zu\n",
                                what, static_cast<unsigned long long>(gSeed.load()), gEvent.load(),
                                static_cast<unsigned long long>(gSeed.load()), gEvent.load() + 1);
    if (n > 0) [[maybe_unused]]
        const auto w = ::write(STDERR_FILENO, line, std::size_t(n));
}

void onFatalSignal(int signal) {
    sayWhere("crash");
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

// A game that stops handing out events for this long (real time) is hung.
void watchHangs() {
    static const bool started = [] {
        for (int s : {SIGSEGV, SIGABRT, SIGFPE, SIGBUS, SIGILL})
            std::signal(s, onFatalSignal);
        std::thread([] {
            std::size_t seen = gProgress.load();
            int still = 0;
            while (true) {
                std::this_thread::sleep_for(std::chrono::seconds(1));
                const std::size_t now = gProgress.load();
                still = (now == seen && gRunning.load()) ? still + 1 : 0;
                seen = now;
                if (still >= 60) {
                    sayWhere("hang (no event for 60 s)");
                    std::_Exit(3);
                }
            }
        }).detach();
        return true;
    }();
    (void)started;
}

// --- the keys -----------------------------------------------------------------

struct Touche {
    int key;
    QString text;
};

const std::vector<Touche>& touches() {
    static const std::vector<Touche> all = [] {
        std::vector<Touche> t;
        for (int i = 0; i < 26; ++i) {
            t.push_back({Qt::Key_A + i, QString(QChar(u'a' + i))});
            t.push_back({Qt::Key_A + i, QString(QChar(u'a' + i))});
        }
        for (int i = 0; i < 4; ++i)
            t.push_back({Qt::Key_A + i * 5, QString(QChar(u'A' + i * 5))});
        for (QChar c : QStringLiteral("éèêàâçùûôîïëüÉÀœæ")) {
            const QChar haut = c.toUpper();
            t.push_back(
                {haut.unicode() < 256 ? int(haut.unicode()) : int(Qt::Key_unknown), QString(c)});
        }
        for (int i = 0; i < 6; ++i) {
            t.push_back({Qt::Key_Return, QStringLiteral("\r")});
            t.push_back({Qt::Key_Backspace, QStringLiteral("\b")});
        }
        for (int i = 0; i < 3; ++i) {
            t.push_back({Qt::Key_Escape, QStringLiteral("\x1b")});
            t.push_back({Qt::Key_Tab, QStringLiteral("\t")});
            t.push_back({Qt::Key_Space, QStringLiteral(" ")});
        }
        t.push_back({Qt::Key_Enter, QStringLiteral("\r")});
        t.push_back({Qt::Key_Backtab, QString()});
        t.push_back({Qt::Key_Delete, QStringLiteral("\x7f")});
        t.push_back({Qt::Key_Left, QString()});
        t.push_back({Qt::Key_Home, QString()});
        t.push_back({Qt::Key_Apostrophe, QStringLiteral("'")});
        t.push_back({Qt::Key_Minus, QStringLiteral("-")});
        t.push_back({Qt::Key_1, QStringLiteral("1")});
        t.push_back({Qt::Key_0, QStringLiteral("0")});
        return t;
    }();
    return all;
}

// --- the places in the lists ----------------------------------------------------

// The nine places in the lists, as the start screen's player holds them.
struct PlaceListe {
    const char* ecran;
    int Routines::*place = nullptr;
    qint16 Routines::*place16 = nullptr;
};
const std::array<PlaceListe, 9> kListes = {{
    {"femelles", &Routines::progression_femelles},
    {"pluriels", &Routines::progression_pluriels},
    {"verbes", &Routines::progression_verbes},
    {"animaux", &Routines::progression_animaux},
    {"synonymes", &Routines::progression_synonymes},
    {"syllabes", nullptr, &Routines::progression_syllabes},
    {"trous", &Routines::progression_trous},
    {"defilement", &Routines::progression_defilement},
    {"lecture2", &Routines::progression_lecture2},
}};

qint64 place(Routines& r, const PlaceListe& l) {
    return l.place ? qint64(r.*l.place) : qint64(r.*l.place16);
}

// Texts of 2.bin as the scrolling-text screen counts them.
int textes2(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    int n = 0;
    while (!f.atEnd()) {
        lireTexte(f);
        ++n;
    }
    return n;
}

// Texts of 3.bin as the erasing-text screen counts them.
int textes3(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    int n = 0;
    while (lireTexteSuivant(f))
        ++n;
    return n;
}

QString nomDe(const QWidget* w) {
    if (!w)
        return QStringLiteral("(rien)");
    return w->objectName().isEmpty() ? QString::fromLatin1(w->metaObject()->className())
                                     : w->objectName();
}

const Screen* ecranDe(const QWidget* w) {
    while (w && !qobject_cast<const Screen*>(w))
        w = w->parentWidget();
    return static_cast<const Screen*>(w);
}

QString chemin(const QWidget* w) {
    const Screen* s = ecranDe(w);
    return s == w ? nomDe(w) : nomDe(s) + QStringLiteral(" › ") + nomDe(w);
}

const char* const kBoutons[3] = {"gauche", "droit", "milieu"};
constexpr Qt::MouseButton kQtBoutons[3] = {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton};

// The rectangle the door keeps the pointer in while it is open.
const QRect kPorte(QPoint(728, 352), QPoint(764, 397));

// Events queued ahead of the clock, so that they fall inside the waits.
constexpr std::size_t kEnAvance = 4;

// --- one run ----------------------------------------------------------------------

class Run {
public:
    Run(quint64 seed, const std::vector<Event>& events, const Options& options)
        : events_(events), options_(options), draws_(seed ^ 0x5eed'0f'd7a3'5ULL) {
        for (const char* name : {"2.bin", "3.bin"})
            QFile::copy(QStringLiteral(ZM_DATAS_DIR "/") + QString::fromLatin1(name),
                        dir_.filePath(QString::fromLatin1(name)));
        textes2_ = textes2(dir_.filePath(QStringLiteral("2.bin")));
        textes3_ = textes3(dir_.filePath(QStringLiteral("3.bin")));
    }

    Outcome go() {
        demarrerJeu();
        while (!out_.failure) {
            if (game_->ended()) {
                if (suivant_ >= events_.size())
                    break;
                finirJeu();
                demarrerJeu();
                continue;
            }
            if (suivant_ >= events_.size() && enAttente() == 0)
                break;
            remplir();
            p_->runUntil(std::max(dernier_, p_->now()));
            verifier(dernierVu_);
        }
        // What still runs ends: tickers, animations, the last verdict.
        if (!out_.failure && !game_->ended()) {
            p_->advance(30000);
            verifier(dernierVu_);
        }
        finirJeu();
        return out_;
    }

private:
    std::size_t enAttente() const { return enFile_ - livres_ - p_->dropped; }

    void demarrerJeu() {
        p_ = std::make_unique<FakePlatform>();
        enFile_ = livres_ = 0;
        dernier_ = 0;
        redessins_.clear();
        redessinsVus_ = 0;
        lu_.fill(false);
        game_ = std::make_unique<Game>(*p_, dir_.path(), fabriquerEpreuve);
        sonsALaFin_.reset();
        game_->onEnded = [this] { sonsALaFin_ = p_->sound().played.size(); };
        p_->display().onRedraw = [this](const fake::Redraw& d) {
            const Stage& stage = game_->stage();
            redessins_.push_back({ecranDe(d.source), stage.termine() ? nullptr : stage.active()});
        };
        ++out_.stats.games;
        remplir();
        // The roster's start-up wait lets the first events in.
        game_->start();
        verifier(dernierVu_);
    }

    void finirJeu() {
        for (const fake::PlayedSound& son : p_->sound().played) {
            out_.stats.victories += son.name.endsWith(QLatin1String(".vic"));
            out_.stats.defeats += son.name.endsWith(QLatin1String(".def"));
        }
        out_.stats.lost += enAttente();
        out_.stats.dropped += p_->dropped;
        out_.stats.virtualMs += p_->now();
        game_.reset();
        p_.reset();
    }

    void remplir() {
        if (out_.failure || game_->ended())
            return;
        while (suivant_ < events_.size() && enAttente() < kEnAvance) {
            const Event& e = events_[suivant_++];
            dernier_ = std::max(dernier_, p_->now()) + e.gap;
            ++enFile_;
            p_->at(dernier_, [this, &e] { livrer(e); });
        }
    }

    void livrer(const Event& e) {
        ++livres_;
        if (out_.failure || game_->ended()) {
            ++out_.stats.lost;
            return;
        }
        ++out_.stats.delivered;
        gEvent = e.id;
        ++gProgress;
        dernierVu_ = e.id;
        ++profondeur_;
        out_.stats.deepestNesting = std::max(out_.stats.deepestNesting, profondeur_);
        if (const Screen* s = game_->stage().active()) {
            ++out_.stats.perScreen[s->objectName()];
            tracer(e, QStringLiteral("sans effet sur %1").arg(nomDe(s)));
        }
        while (p_->random().scriptLeft() < 64)
            p_->random().push(std::uniform_real_distribution<double>(0.0, 1.0)(draws_));
        // The next events are queued first, so that they arrive inside the
        // waits this one may start.
        remplir();
        appliquer(e);
        if (options_.afterEvent)
            options_.afterEvent(*game_);
        verifier(e.id);
        --profondeur_;
    }

    void tracer(const Event& e, const QString& what) {
        if (options_.trace)
            out_.trace[e.id] = QStringLiteral("à %1 ms : %2").arg(p_->now()).arg(what);
    }

    std::vector<QWidget*> controles(Screen* s) const {
        std::vector<QWidget*> out;
        for (QWidget* w : s->findChildren<QWidget*>())
            if (w->isVisibleTo(s))
                out.push_back(w);
        return out;
    }

    // The control under a point of the screen, and the point in its own pixels.
    static std::pair<QWidget*, QPoint> sous(Screen* s, QPoint point) {
        QWidget* w = s->childAt(point);
        if (!w)
            w = s;
        return {w, w->mapFrom(s, point)};
    }

    static QPoint dans(QRect zone, float fx, float fy) {
        return QPoint(zone.left() + int(fx * float(zone.width() - 1)),
                      zone.top() + int(fy * float(zone.height() - 1)));
    }

    void cliquer(Screen* s, const Event& e) {
        const std::optional<QRect> retenu = p_->cursor().confinement;
        QWidget* w = nullptr;
        QPoint local;
        if (retenu || e.kind == Event::Kind::ClickBackground) {
            // A held pointer reaches only what lies in its rectangle.
            std::tie(w, local) = sous(s, dans(retenu ? *retenu : s->rect(), e.fx, e.fy));
        } else {
            const std::vector<QWidget*> c = controles(s);
            if (c.empty())
                return;
            w = c[e.pick % c.size()];
            local = dans(w->rect(), e.fx, e.fy);
        }
        const int b = e.button % 3;
        tracer(e, QStringLiteral("clic %1 sur %2 en (%3, %4)")
                      .arg(QString::fromLatin1(kBoutons[b]), chemin(w))
                      .arg(local.x())
                      .arg(local.y()));
        FakePlatform::click(w, kQtBoutons[b], local);
    }

    // Types the text into the box, then Enter.
    static void taper(QWidget* boite, const QString& texte) {
        for (QChar c : texte) {
            const QChar haut = c.toUpper();
            FakePlatform::key(boite, haut.unicode() < 256 ? int(haut.unicode()) : 0, QString(c));
        }
        FakePlatform::key(boite, Qt::Key_Return, QStringLiteral("\r"));
    }

    // What the right answer of the active exercise is, as a control to click
    // or a text to type in a box; nothing when none is asked for now.
    struct Reponse {
        QWidget* clic = nullptr;
        QWidget* boite = nullptr;
        QString texte = {};
    };
    Reponse bonneReponse(Screen* s) const {
        Routines& r = game_->routines();
        if (auto* q = qobject_cast<QuizSaisie*>(s))
            return {nullptr, q->reponse,
                    q->objectName() == QLatin1String("verbes") ? r.texte_article : r.texte_reponse};
        if (auto* q = qobject_cast<QuizClic*>(s))
            return {q->etat == QuizClic::Attente
                        ? q->cartes[std::size_t(q->place_reponse) % q->cartes.size()]
                        : q->enonce};
        if (auto* t = qobject_cast<Trous*>(s)) {
            for (int k = 0; k < 4; ++k)
                if (t->place_mot[std::size_t(k)] >= 0 &&
                    t->texte_a_trous.mid(t->place_mot[std::size_t(k)], 1) == QLatin1String("~"))
                    return {nullptr, t->reponse, t->mots_manquants[std::size_t(k)]};
            return {t->commencer};
        }
        if (auto* d = qobject_cast<Defilement*>(s)) {
            const int n = std::clamp(d->numero_question, 0, 3);
            const int v = d->texte_lu.affirmations[std::size_t(n)].verite;
            return {v == 0 || v == 1 ? d->oui_non[std::size_t(v)] : d->commencer};
        }
        if (auto* l = qobject_cast<Lecture2*>(s)) {
            const std::size_t n = std::size_t(std::clamp(l->numero_question, 0, kQuestionsMax - 1));
            if (l->genre_question[n] == 1)
                return {nullptr, l->reponse, l->reponse_attendue[n]};
            const int v = l->reponse_attendue[n].trimmed().toInt();
            return {l->etape() == Lecture2::Etape::Question && (v == 0 || v == 1)
                        ? l->oui_non[std::size_t(v)]
                        : l->effacement};
        }
        if (auto* l = qobject_cast<zm::Liste*>(s)) {
            for (Label* c : l->reponse)
                if (c->caption() == l->bonne_reponse)
                    return {c};
            return {l->melange};
        }
        if (auto* suite = qobject_cast<Suite*>(s)) {
            for (Label* m : suite->mot_memoire)
                if (m->caption() == suite->serie[std::size_t(suite->rang_attendu)])
                    return {m};
            return {suite->commentaire};
        }
        if (auto* b = qobject_cast<Bonneteau*>(s))
            return {b->bonnet[std::size_t(
                b->ordre_mots[std::size_t(std::clamp(b->mots_trouves, 0, 2))])]};
        if (auto* pl = qobject_cast<PariLettre*>(s))
            return {pl->reponse[std::size_t(std::clamp(pl->resultat, 0, 2))]};
        if (auto* m = qobject_cast<Machine*>(s))
            return {m->label_melanger};
        return {};
    }

    void appliquer(const Event& e) {
        Screen* s = game_->stage().active();
        if (!s)
            return;
        Routines& r = game_->routines();
        Depart* depart = game_->depart();
        switch (e.kind) {
        case Event::Kind::Click:
        case Event::Kind::ClickBackground:
            cliquer(s, e);
            return;
        case Event::Kind::Move: {
            const std::vector<QWidget*> c = controles(s);
            if (c.empty())
                return;
            QWidget* w = c[e.pick % c.size()];
            const QPoint local = dans(w->rect(), e.fx, e.fy);
            tracer(e, QStringLiteral("souris sur %1").arg(chemin(w)));
            FakePlatform::move(w, local);
            return;
        }
        case Event::Kind::Key: {
            const Touche& t = touches()[e.pick % touches().size()];
            QWidget* w = s->focusWidget();
            if (!w || !w->isVisibleTo(s) || !w->isEnabled() || e.fx < 0.15f)
                w = s;
            tracer(e, QStringLiteral("touche %1 vers %2")
                          .arg(t.key == Qt::Key_unknown ? t.text : QKeySequence(t.key).toString(),
                               chemin(w)));
            FakePlatform::key(w, t.key, t.text);
            return;
        }
        case Event::Kind::Play: {
            DemandePrenom& roster = game_->roster();
            if (s != &roster) {
                cliquer(s, e);
                return;
            }
            tracer(e, QStringLiteral("prénom « %1 » tapé, puis Jouer").arg(e.text));
            for (QChar c : e.text) {
                QWidget* w = roster.focusWidget();
                if (!w || !w->isVisibleTo(&roster))
                    w = &roster;
                const QChar haut = c.toUpper();
                FakePlatform::key(w, haut.unicode() < 256 ? int(haut.unicode()) : 0, QString(c));
                if (game_->ended() || game_->stage().active() != &roster)
                    return;
            }
            FakePlatform::click(roster.fin_mot);
            return;
        }
        case Event::Kind::WayOut:
        case Event::Kind::Help: {
            QWidget* w = nullptr;
            if (s == depart)
                w = depart->anim[e.pick % depart->anim.size()];
            else if (auto* x = qobject_cast<EcranEpreuve*>(s))
                w = e.kind == Event::Kind::Help ? x->aide : x->retour;
            if (!w || !w->isVisibleTo(s) || p_->cursor().confinement) {
                cliquer(s, e);
                return;
            }
            tracer(e, QStringLiteral("clic gauche sur %1").arg(chemin(w)));
            FakePlatform::click(w);
            return;
        }
        case Event::Kind::Answer: {
            const Reponse rep = bonneReponse(s);
            if (rep.boite && rep.boite->isVisibleTo(s) && !rep.texte.isEmpty()) {
                tracer(e, QStringLiteral("« %1 » tapé dans %2, puis Entrée")
                              .arg(rep.texte, chemin(rep.boite)));
                taper(rep.boite, rep.texte);
            } else if (rep.clic && rep.clic->isVisibleTo(s) && !p_->cursor().confinement) {
                tracer(
                    e,
                    QStringLiteral("clic gauche sur la bonne réponse, %1").arg(chemin(rep.clic)));
                FakePlatform::click(rep.clic);
            } else {
                cliquer(s, e);
            }
            return;
        }
        case Event::Kind::Close:
            tracer(e, QStringLiteral("fenêtre fermée"));
            game_->quitRequested();
            return;
        case Event::Kind::Points:
            if (s != depart)
                return;
            tracer(e, QStringLiteral("%1 points donnés").arg(e.value));
            r.ajouter_points(e.value);
            return;
        case Event::Kind::Progressions: {
            if (s != depart)
                return;
            std::mt19937_64 g(quint64(e.value));
            static const qint64 extremes[] = {-32768,
                                              -7,
                                              -1,
                                              0,
                                              1,
                                              2,
                                              67,
                                              68,
                                              69,
                                              126,
                                              127,
                                              134,
                                              135,
                                              150,
                                              151,
                                              198,
                                              199,
                                              200,
                                              201,
                                              258,
                                              259,
                                              292,
                                              293,
                                              294,
                                              1000,
                                              32767,
                                              40000,
                                              std::numeric_limits<int>::max(),
                                              std::numeric_limits<int>::min()};
            QStringList valeurs;
            for (std::size_t k = 0; k < kListes.size(); ++k) {
                const qint64 v =
                    g() % 2 ? qint64(g() % 330) - 3 : extremes[g() % std::size(extremes)];
                if (kListes[k].place)
                    r.*kListes[k].place = int(v);
                else
                    r.*kListes[k].place16 = qint16(std::clamp<qint64>(v, -32768, 32767));
                valeurs << QString::number(place(r, kListes[k]));
                lu_[k] = false;
            }
            tracer(e, QStringLiteral("places dans les listes : ") + valeurs.join(u' '));
            return;
        }
        }
    }

    // The highest place a list may hold once its screen has read it.
    std::pair<qint64, qint64> bornes(EcranEpreuve* e, const PlaceListe& l) const {
        const QString nom = QString::fromLatin1(l.ecran);
        if (auto* q = qobject_cast<QuizSaisie*>(e))
            return {0, q->liste().size()};
        if (auto* q = qobject_cast<QuizClic*>(e))
            return {0, q->liste().size()};
        if (nom == QLatin1String("trous"))
            return {0, Trous::liste_trous().size()};
        if (nom == QLatin1String("defilement"))
            return {0, textes2_ - 1};
        return {0, textes3_ - 1};
    }

    // Every check, after every event. A check that fails stops the run.
    void verifier(std::size_t id) {
        if (out_.failure || !game_)
            return;
        auto echec = [&](const char* check, const QString& detail) {
            if (!out_.failure)
                out_.failure = Failure{id, QString::fromLatin1(check), detail};
        };
        Routines& r = game_->routines();
        const Stage& stage = game_->stage();
        const bool fini = game_->ended();
        Screen* actif = fini ? nullptr : stage.active();
        Depart& depart = *game_->depart();
        const auto& cursor = p_->cursor();

        out_.stats.highestScore = std::max<qint64>(out_.stats.highestScore, r.score);
        if (r.score < 0)
            echec("score", QStringLiteral("score de %1").arg(r.score));
        if (r.indice_message < 0 || r.indice_message > 6)
            echec("indice_message", QStringLiteral("indice_message à %1").arg(r.indice_message));

        // Only the active screen draws.
        for (; redessinsVus_ < redessins_.size(); ++redessinsVus_) {
            const auto [auteur, actifAlors] = redessins_[redessinsVus_];
            if (auteur != actifAlors)
                echec(
                    "affichage",
                    QStringLiteral("%1 redessiné à %2 ms alors que l'écran actif était %3")
                        .arg(chemin(p_->display().redraws[redessinsVus_].source))
                        .arg(p_->display().redraws[redessinsVus_].at)
                        .arg(actifAlors ? nomDe(actifAlors) : QStringLiteral("aucun (jeu fini)")));
        }

        // The start screen is played with a free pointer (the open door
        // keeps it on the door), its score shown and its timer running.
        if (actif == &depart) {
            if (!cursor.shown())
                echec("souris", QStringLiteral("pointeur caché sur l'écran de départ"));
            if (cursor.confinement && !(depart.porte_ouverte == 1 && *cursor.confinement == kPorte))
                echec("souris", QStringLiteral("pointeur retenu dans (%1, %2, %3 x %4) sur l'écran "
                                               "de départ, porte %5")
                                    .arg(cursor.confinement->x())
                                    .arg(cursor.confinement->y())
                                    .arg(cursor.confinement->width())
                                    .arg(cursor.confinement->height())
                                    .arg(depart.porte_ouverte));
            if (!depart.timer().isActive())
                echec("départ", QStringLiteral("l'écran de départ actif sans sa minuterie"));
            if (depart.scoreLabel()->isHidden())
                echec("départ", QStringLiteral("l'écran de départ actif sans son score"));
        }
        // The help sheet closes with a click: its pointer shows.
        if (qobject_cast<FeuilleAide*>(actif) && !cursor.shown())
            echec("souris", QStringLiteral("pointeur caché sur la feuille d'aide"));
        if (sonsALaFin_ && p_->sound().played.size() > *sonsALaFin_)
            echec("son", QStringLiteral("%1 joué après la fin du jeu")
                             .arg(p_->sound().played[*sonsALaFin_].name));
        if (fini && (!cursor.shown() || cursor.confinement))
            echec("souris",
                  QStringLiteral("le jeu a fini en laissant le pointeur %1")
                      .arg(cursor.shown() ? QStringLiteral("retenu") : QStringLiteral("caché")));

        // At most one animation, ticker or erasing: a screen hidden has
        // ended its visit, and its waits give up as soon as they return.
        QStringList attendent;
        for (Screen* s : stage.findChildren<Screen*>(Qt::FindDirectChildrenOnly))
            if (s->attenteEnCours() && !s->isHidden())
                attendent << nomDe(s);
        if (attendent.size() > 1)
            echec("animations",
                  QStringLiteral("attentes en cours sur %1 à la fois").arg(attendent.join(", ")));
        if (depart.timer().isActive() && actif != &depart)
            echec("animations", QStringLiteral("la minuterie de l'écran de départ tourne sous %1")
                                    .arg(actif ? nomDe(actif) : QStringLiteral("le jeu fini")));
        // The exercise screens made so far (they are made on first use).
        const QList<EcranEpreuve*> faits =
            game_->stage().findChildren<EcranEpreuve*>(QString(), Qt::FindDirectChildrenOnly);
        for (EcranEpreuve* e : faits)
            if (auto* l = qobject_cast<Lecture2*>(e); l && l->effacer().isActive() && actif != l)
                echec("animations", QStringLiteral("l'effacement tourne sous %1")
                                        .arg(actif ? nomDe(actif) : QStringLiteral("le jeu fini")));

        // A place in a list, once its screen has read it, is one of its rows
        // (or the one after the last, which the next reading takes as the first).
        if (fini)
            return;
        for (std::size_t k = 0; k < kListes.size(); ++k) {
            EcranEpreuve* e = nullptr;
            for (EcranEpreuve* c : faits)
                if (c->objectName() == QLatin1String(kListes[k].ecran))
                    e = c;
            if (!e)
                continue;
            if (actif == e)
                lu_[k] = true;
            if (!lu_[k])
                continue;
            const qint64 v = place(r, kListes[k]);
            const auto [bas, haut] = bornes(e, kListes[k]);
            const bool pair = kListes[k].place != &Routines::progression_trous || v % 2 == 0;
            if (v < bas || v > haut || !pair)
                echec("progression", QStringLiteral("progression de %1 à %2, hors de %3 à %4")
                                         .arg(nomDe(e))
                                         .arg(v)
                                         .arg(bas)
                                         .arg(haut));
        }
    }

    const std::vector<Event>& events_;
    const Options& options_;
    std::mt19937_64 draws_;
    QTemporaryDir dir_;
    int textes2_ = 0, textes3_ = 0;
    std::unique_ptr<FakePlatform> p_;
    std::unique_ptr<Game> game_;
    std::size_t suivant_ = 0, enFile_ = 0, livres_ = 0, dernierVu_ = 0;
    qint64 dernier_ = 0;
    int profondeur_ = 0;
    std::vector<std::pair<const Screen*, const Screen*>> redessins_;
    std::size_t redessinsVus_ = 0;
    std::array<bool, kListes.size()> lu_{};
    // The sounds played when the game ended: nothing sounds afterwards.
    std::optional<std::size_t> sonsALaFin_;
    Outcome out_;
};

QString prenomAuHasard(std::mt19937_64& g) {
    static const QString lettres = QStringLiteral("abcdefghijklmnopqrstuvwxyzéèçàëï  -'");
    const int n = int(g() % 16);
    QString s;
    for (int i = 0; i < n; ++i)
        s += lettres[qsizetype(g() % quint64(lettres.size()))];
    return s;
}

} // namespace

Stats& Stats::operator+=(const Stats& o) {
    delivered += o.delivered;
    lost += o.lost;
    dropped += o.dropped;
    games += o.games;
    deepestNesting = std::max(deepestNesting, o.deepestNesting);
    virtualMs += o.virtualMs;
    victories += o.victories;
    defeats += o.defeats;
    highestScore = std::max(highestScore, o.highestScore);
    for (const auto& [k, v] : o.perScreen)
        perScreen[k] += v;
    return *this;
}

std::vector<Event> generate(quint64 seed, std::size_t count) {
    std::mt19937_64 g(seed);
    auto tirage = [&] { return std::uniform_real_distribution<double>(0.0, 1.0)(g); };
    std::vector<Event> events(count);
    // Each seed has its tempo: a child's pace, frantic fingers that land
    // inside every wait, or a patient player who lets animations end.
    const int tempo = int(seed % 3);
    const double auVol = tempo == 1 ? 0.8 : tempo == 2 ? 0.15 : 0.45;
    const double pause = tempo == 1 ? 0.97 : tempo == 2 ? 0.7 : 0.9;
    for (std::size_t i = 0; i < count; ++i) {
        Event& e = events[i];
        e.id = i;
        // Gaps: at once, a double click, a child's pace, a pause.
        const double t = tirage();
        e.gap = t < auVol / 4 ? 0
                : t < auVol   ? int(1 + g() % 60)
                : t < pause   ? int(60 + g() % 600)
                              : int(600 + g() % 5000);
        const double k = tirage();
        using K = Event::Kind;
        e.kind = k < 0.40     ? K::Click
                 : k < 0.49   ? K::ClickBackground
                 : k < 0.60   ? K::Move
                 : k < 0.82   ? K::Key
                 : k < 0.86   ? K::Play
                 : k < 0.925  ? K::WayOut
                 : k < 0.94   ? K::Help
                 : k < 0.97   ? K::Answer
                 : k < 0.983  ? K::Points
                 : k < 0.9965 ? K::Progressions
                              : K::Close;
        e.pick = quint32(g());
        e.fx = float(tirage());
        e.fy = float(tirage());
        e.button = tirage() < 0.72 ? 0 : tirage() < 0.93 ? 1 : 2;
        if (e.kind == K::Play)
            e.text = prenomAuHasard(g);
        if (e.kind == K::Points)
            e.value = tirage() < 0.9 ? qint64(10 + g() % 300) : qint64(g() % 3'000'000'000ULL);
        if (e.kind == K::Progressions)
            e.value = qint64(g() >> 1);
    }
    return events;
}

Outcome run(quint64 seed, const std::vector<Event>& events, const Options& options) {
    watchHangs();
    gSeed = seed;
    gRunning = true;
    Outcome out = Run(seed, events, options).go();
    gRunning = false;
    return out;
}

std::vector<Event> keep(const std::vector<Event>& events, const std::vector<std::size_t>& ids) {
    std::vector<Event> out;
    for (std::size_t id : ids)
        if (id < events.size())
            out.push_back(events[id]);
    return out;
}

namespace {

// The events up to the one after which the failure was seen.
std::vector<Event> jusqua(const std::vector<Event>& events, std::size_t id) {
    std::vector<Event> out;
    for (const Event& e : events) {
        out.push_back(e);
        if (e.id == id)
            break;
    }
    return out;
}

} // namespace

std::vector<Event> shrink(quint64 seed, const std::vector<Event>& events, const Failure& failure,
                          std::chrono::seconds budget, const Options& options) {
    const auto fin = std::chrono::steady_clock::now() + budget;
    std::vector<Event> seq = jusqua(events, failure.event);
    // Whether the candidate still fails the same check; it is then cut
    // after the event that showed it.
    auto echoue = [&](std::vector<Event>& candidat) {
        const Outcome o = run(seed, candidat, options);
        if (!o.failure || o.failure->check != failure.check)
            return false;
        candidat = jusqua(candidat, o.failure->event);
        return true;
    };
    std::size_t n = 2;
    while (seq.size() >= 2 && std::chrono::steady_clock::now() < fin) {
        const std::size_t part = (seq.size() + n - 1) / n;
        bool reduit = false;
        for (std::size_t debut = 0; debut < seq.size() && std::chrono::steady_clock::now() < fin;
             debut += part) {
            std::vector<Event> candidat;
            for (std::size_t i = 0; i < seq.size(); ++i)
                if (i < debut || i >= debut + part)
                    candidat.push_back(seq[i]);
            if (!candidat.empty() && echoue(candidat)) {
                seq = std::move(candidat);
                n = std::max<std::size_t>(n - 1, 2);
                reduit = true;
                break;
            }
        }
        if (!reduit) {
            if (n >= seq.size())
                break;
            n = std::min(seq.size(), 2 * n);
        }
    }
    return seq;
}

QString report(quint64 seed, std::size_t generated, const Failure& failure,
               const std::vector<Event>& shortest, const Options& options) {
    Options traced = options;
    traced.trace = true;
    const Outcome o = run(seed, shortest, traced);
    QString text;
    QTextStream s(&text);
    s << "monkey: check \"" << failure.check << "\" failed after event #" << failure.event
      << " (seed " << seed << "): " << failure.detail << "\n";
    if (o.failure)
        s << "shortest sequence found, " << shortest.size() << " events, fails \""
          << o.failure->check << "\" after #" << o.failure->event << ": " << o.failure->detail
          << "\n";
    else
        s << "(the shortest sequence no longer fails on its own: replay it whole)\n";
    QStringList ids;
    for (const Event& e : shortest) {
        ids << QString::number(e.id);
        const auto t = o.trace.find(e.id);
        s << "  #" << e.id << " +" << e.gap << " ms: "
          << (t != o.trace.end() ? t->second
                                 : QStringLiteral("jamais délivré : tenu par une attente puis "
                                                  "abandonné, ou perdu avec la fenêtre fermée"))
          << "\n";
    }
    s << "replay: bench/monkey --seed " << seed << " --events " << generated << " --keep "
      << ids.join(u',') << "\n";
    return text;
}

QString runCampaign(Campaign& c) {
    QElapsedTimer wall;
    wall.start();
    QString echec;
    for (quint64 seed : c.seeds) {
        QElapsedTimer t;
        t.start();
        const std::vector<Event> events = generate(seed, c.eventsPerSeed);
        const Outcome o = run(seed, events);
        c.total += o.stats;
        if (c.verbose)
            std::fprintf(stderr,
                         "seed %llu: %zu events delivered, %zu games, deepest nesting %d, %.1f s "
                         "virtual, %.1f s%s\n",
                         static_cast<unsigned long long>(seed), o.stats.delivered, o.stats.games,
                         o.stats.deepestNesting, double(o.stats.virtualMs) / 1000.0,
                         double(t.elapsed()) / 1000.0, o.failure ? ", FAILED" : "");
        if (o.failure) {
            const std::vector<Event> court = shrink(seed, events, *o.failure, c.shrinkBudget);
            echec = report(seed, events.size(), *o.failure, court);
            break;
        }
    }
    c.seconds = double(wall.elapsed()) / 1000.0;
    return echec;
}

} // namespace zm::monkey
