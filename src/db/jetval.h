#pragma once

#include <QString>

// The leading number of a text, as the suite's val() reads cell and column texts
// (and as the engines' val() reads them in statements): leading blanks are
// skipped, then an optional sign and digits with at most one decimal point;
// reading stops at the first other character. "1,200" gives 1, " 12.5kg" 12.5,
// "abc" and "" give 0.
double Val(const QString &text);
