#pragma once

#include <QColor>
#include <QString>

// A colour number of the suite held as text (the colour settings, a grid's font
// colour): red + 256 × green + 65536 × blue, taken by the text's numeric value.
// A blank text names no colour: the colour is invalid.
QColor ColourFromNumberText(const QString &text);
