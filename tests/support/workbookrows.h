#pragma once

#include <QStringList>

// An .xlsx workbook as Debian's python3-openpyxl reads it back: for each worksheet
// "[name]", then one line per row, its cells joined by "|", each "n:" with a
// number (as Python's %.15g writes it) or "t:" with a text (a line break in it
// as "\n"), nothing for an empty cell; trailing empty cells are left off. Empty when the file
// cannot be read.
QStringList WorkbookRows(const QString &file);
