#include "lookups/lookupplacement.h"

#include "common/formgeometry.h"

namespace {

constexpr int kRightInset = 200;
constexpr int kBelowCallerTop = 1300;

} // namespace

QPoint LookupOrigin(const QRect &callerTwips, const QSize &dialogTwips, const QSize &screenTwips)
{
    const QPoint centred = CenteredFormOrigin(screenTwips, dialogTwips);
    int left = callerTwips.left() + callerTwips.width() - dialogTwips.width() - kRightInset;
    if (left <= 0)
        left = centred.x();
    int top = callerTwips.top() + kBelowCallerTop;
    if (top <= 0)
        top = centred.y();
    return {left, top};
}
