#pragma once
// The ticker of the reading exercises: a text passes one character at a time
// through a one-line window of 42 characters, entering from the right on a
// tape of dots and leaving on the left.

#include <QString>
#include <functional>

namespace zm {

class Clock;
class Label;

// 50 dots, the text, 35 dots.
QString bandeDefilante(const QString& texte);
// The windows shown: the text's length + 55.
int nombreDePas(const QString& texte);
// The window of step i, from 0: 42 characters of the tape, fewer at its end.
QString fenetreDuPas(const QString& bande, int i);

// Scrolls the text through the window: each window stays 50 + `delai` ms,
// counted from the moment it is shown, through `attendre`, a wait that lets
// events run. Stops early, and returns false, as soon as a wait says the
// screen was left.
bool defiler_texte(const Clock& clock, Label& fenetre, const QString& texte, int delai,
                   const std::function<bool(int ms)>& attendre);

} // namespace zm
