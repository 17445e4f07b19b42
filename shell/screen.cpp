#include "shell/screen.h"

#include "shell/divers.h"
#include "shell/routines.h"
#include "shell/stage.h"

namespace zm {

Screen::Screen(const QString& name, Routines& routines, QWidget* stage)
    : QWidget(stage), routines(routines), fond(new Backdrop(this)) {
    setObjectName(name);
    setGeometry(0, 0, 800, 600);
    setMouseTracking(true);
    hide();
}

void Screen::setBackgroundFile(const QString& path) {
    fondAcharger_ = path;
}

void Screen::preparerAffichage() {
    if (fondAcharger_.isEmpty())
        return;
    setBackground(chargerImage(fondAcharger_));
    fondAcharger_.clear();
}

void Screen::preparerEnAvance(double echelle) {
    if (!fondAcharger_.isEmpty())
        preparerImage(fondAcharger_, QPoint(0, 0), echelle);
    for (const Label* label : findChildren<Label*>())
        if (label->isVisibleTo(this))
            label->preparerDessin(echelle);
}

void Screen::oublierFond() {
    if (const auto& dessin = fond->picture().dessin())
        dessin->oublierRendus();
    setBackground(Image());
    rendreMemoire();
}

bool Screen::enJeu() const {
    const Stage& stage = routines.stage();
    return !stage.termine() && stage.active() == this;
}

bool Screen::attente(int ms, bool retenir) {
    if (!enJeu())
        return false;
    const quint64 visite = visite_;
    ++attentes_;
    if (retenir)
        routines.platform().clock().waitHoldingEvents(ms);
    else
        routines.platform().clock().waitLettingEventsRun(ms);
    --attentes_;
    return visite == visite_ && enJeu();
}

bool Screen::attendre(int ms) {
    return attente(ms, false);
}

bool Screen::pause(int ms, QWidget* aDessiner) {
    if (!enJeu())
        return false;
    routines.platform().display().redrawNow(aDessiner ? aDessiner : this);
    return attente(ms, true);
}

bool Screen::clignoter(const Clignotement& c) {
    auto colorer = [&](bool allume) {
        for (std::size_t i = 0; i < c.labels.size(); ++i) {
            Label* label = c.labels[i];
            const QColor colour = allume                 ? c.allume
                                  : i < c.eteints.size() ? c.eteints[i]
                                                         : c.eteint;
            if (c.couleur == Clignotement::Couleur::Texte)
                label->setTextColour(colour);
            else
                label->setBackgroundColour(colour);
            routines.platform().display().redrawNow(label);
        }
    };
    // Each change is drawn as it is made.
    const bool retenir = c.attente == Clignotement::Attente::Retenir;
    for (int k = 0; k < c.fois; ++k) {
        if (!enJeu())
            return false;
        if (c.avant)
            c.avant(k);
        colorer(true);
        if (!attente(c.msAllume, retenir))
            return false;
        colorer(false);
        if (!attente(c.msEteint, retenir))
            return false;
        if (c.apres)
            c.apres(k);
    }
    return true;
}

Label* Screen::addLabel(const QString& name, QRect geometry, const QString& caption) {
    auto* label = new Label(this, name);
    label->setGeometry(geometry);
    label->setCaption(caption);
    return label;
}

void Screen::addScoreLabel() {
    label_score =
        addLabel(QStringLiteral("label_score"), QRect(680, 8, 110, 62), QStringLiteral("Score"));
    label_score->setAlignment(Qt::AlignCenter);
    label_score->setPointSize(18);
    label_score->setTextColour(QColor(0, 0, 128));
    // Two lines of 18 points fit the panel only set closer than the font's own.
    label_score->setLineHeight(78);
    // The widest scores are set smaller.
    label_score->shrinkToFit(10);
}

Label* Screen::addCarte(const QString& name, QRect geometry, int points) {
    Label* carte = addLabel(name, geometry);
    carte->setAlignment(Qt::AlignCenter);
    carte->setPointSize(points);
    carte->setBold(true);
    carte->setFrameShape(QFrame::Box);
    carte->setLineWidth(2);
    carte->setBackgroundColour(kFondCarte);
    carte->setCursor(Qt::PointingHandCursor);
    return carte;
}

} // namespace zm
