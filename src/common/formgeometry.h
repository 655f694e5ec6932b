#pragma once

#include <QPoint>
#include <QSize>

// Form placement arithmetic. The suite measures forms in twips (1/1440 inch);
// at 96 dots per inch a pixel is 15 twips.

constexpr int kTwipsPerInch = 1440;

// The top-left corner, in twips, of a form centred on the screen: horizontally
// in the middle, vertically 210 twips above the middle (420 twips are taken
// off the screen height for the task bar).
QPoint CenteredFormOrigin(const QSize &screenTwips, const QSize &formTwips);

// Conversions at the given logical dots per inch, rounded to the nearest unit.
int TwipsToPixels(int twips, double logicalDpi);
int PixelsToTwips(int pixels, double logicalDpi);

// A width counted in 1/256 of the width of the digit zero (the grid's column
// width unit), in pixels for a font whose "0" is zeroWidthPixels wide.
int ZeroWidthUnitsToPixels(int units, double zeroWidthPixels);
int PixelsToZeroWidthUnits(int pixels, double zeroWidthPixels);
