#pragma once

#include <QString>

// The longest leading part of text that fits width bytes of code page 950.
// A two-byte character that would straddle the limit is left out whole, so
// the result can be one byte short of the width. A width of 0 or less gives
// the empty text. Surrogate pairs are never split.
QString LeftByBytes(const QString &text, int width);

// An entry held to its cell's byte limit in code page 950: the text the cell
// keeps and, when the entry was longer and was cut to the limit (LeftByBytes),
// the message that says so.
struct ByteLimitedEntry
{
    QString text;
    QString message; // empty when the entry fitted
};
ByteLimitedEntry LimitEntryBytes(const QString &entry, int limit, const QString &message);
