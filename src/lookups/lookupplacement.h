#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

// Where a lookup dialog opens over the form that called it, all in twips:
// against the caller's right edge, 200 twips in, and 1300 twips below its top.
// A left or top edge that would be 0 or less is that of the dialog centred on
// the screen as a form is (CenteredFormOrigin) instead.
QPoint LookupOrigin(const QRect &callerTwips, const QSize &dialogTwips, const QSize &screenTwips);
