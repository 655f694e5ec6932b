#include "common/formgeometry.h"

#include <QtGlobal>

namespace {

// What the suite's forms leave for the task bar below the centred form.
constexpr int TaskBarAllowanceTwips = 420;
constexpr double ZeroWidthUnitsPerZero = 256.0;

} // namespace

QPoint CenteredFormOrigin(const QSize &screenTwips, const QSize &formTwips)
{
    const int left = (screenTwips.width() - formTwips.width()) / 2;
    const int top = (screenTwips.height() - formTwips.height() - TaskBarAllowanceTwips) / 2;
    return QPoint(left, top);
}

int TwipsToPixels(int twips, double logicalDpi)
{
    if (logicalDpi <= 0)
        return 0;
    return qRound(twips * logicalDpi / TwipsPerInch);
}

int PixelsToTwips(int pixels, double logicalDpi)
{
    if (logicalDpi <= 0)
        return 0;
    return qRound(pixels * TwipsPerInch / logicalDpi);
}

int ZeroWidthUnitsToPixels(int units, double zeroWidthPixels)
{
    return qRound(units * zeroWidthPixels / ZeroWidthUnitsPerZero);
}

int PixelsToZeroWidthUnits(int pixels, double zeroWidthPixels)
{
    if (zeroWidthPixels <= 0)
        return 0;
    return qRound(pixels * ZeroWidthUnitsPerZero / zeroWidthPixels);
}
