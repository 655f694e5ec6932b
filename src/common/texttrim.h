#pragma once

#include <QString>

// The longest leading part of text that fits width bytes of code page 950.
// A two-byte character that would straddle the limit is left out whole, so
// the result can be one byte short of the width. A width of 0 or less gives
// the empty text. Surrogate pairs are never split.
QString LeftByBytes(const QString &text, int width);
