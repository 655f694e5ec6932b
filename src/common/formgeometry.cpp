#include "common/formgeometry.h"

#include <QtGlobal>

namespace {

// What the suite's forms leave for the task bar below the centred form.
constexpr int kTaskBarAllowanceTwips = 420;
constexpr double kZeroWidthUnitsPerZero = 256.0;

} // namespace

QPoint CenteredFormOrigin(const QSize &screenTwips, const QSize &formTwips)
{
    const int left = (screenTwips.width() - formTwips.width()) / 2;
    const int top = (screenTwips.height() - formTwips.height() - kTaskBarAllowanceTwips) / 2;
    return QPoint(left, top);
}

int TwipsToPixels(int twips, double logicalDpi)
{
    if (logicalDpi <= 0)
        return 0;
    return qRound(twips * logicalDpi / kTwipsPerInch);
}

int PixelsToTwips(int pixels, double logicalDpi)
{
    if (logicalDpi <= 0)
        return 0;
    return qRound(pixels * kTwipsPerInch / logicalDpi);
}

int ZeroWidthUnitsToPixels(int units, double zeroWidthPixels)
{
    return qRound(units * zeroWidthPixels / kZeroWidthUnitsPerZero);
}

int PixelsToZeroWidthUnits(int pixels, double zeroWidthPixels)
{
    if (zeroWidthPixels <= 0)
        return 0;
    return qRound(pixels * kZeroWidthUnitsPerZero / zeroWidthPixels);
}
