#include "lookups/lookupplacement.h"

namespace {

constexpr int kRightInset = 200;
constexpr int kBelowCallerTop = 1300;
constexpr int kTaskBarAllowance = 420;

} // namespace

QPoint LookupOrigin(const QRect &callerTwips, const QSize &dialogTwips, const QSize &screenTwips)
{
    int left = callerTwips.left() + callerTwips.width() - dialogTwips.width() - kRightInset;
    if (left <= 0)
        left = (screenTwips.width() - dialogTwips.width()) / 2;
    int top = callerTwips.top() + kBelowCallerTop;
    if (top <= 0)
        top = (screenTwips.height() - dialogTwips.height() - kTaskBarAllowance) / 2;
    return {left, top};
}
