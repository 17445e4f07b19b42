#pragma once
// Text helpers shared by the whole game.

#include <QString>

namespace zm {

// Stored text to readable text: every character whose Windows-1252 code is
// above 3 is replaced by the one 4 codes lower. Changes the argument and
// returns it.
QString dechiffrer(QString& text);

// Left edge of letter box i of a row of n boxes, 47 pixels apart, centred.
int bordGaucheCase(int n, int i);

} // namespace zm
