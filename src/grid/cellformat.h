#pragma once

#include <QString>
#include <Qt>

// Horizontal alignment of a grid column. General is the spreadsheet's
// default: numbers to the right, text to the left.
enum class CellAlign
{
    General,
    Left,
    Right,
    Centre
};

// Decimal places of a cell number format: "0" -> 0, "0.0" -> 1, "0.00" -> 2,
// "0.000" -> 3; "General", the empty text and any other format -> -1
// (the text is shown as it is stored).
int NumberFormatDecimals(const QString &format);

// The text a cell shows for its stored text under a column's number format
// (decimals as NumberFormatDecimals gives them). Only plain numbers are
// re-written, rounded half away from zero: "2.25" under "0.0" shows "2.3".
// Text, and numbers the program already grouped ("1,500"), show as stored.
QString DisplayCellText(const QString &text, int decimals);

// True when the cell's text reads as a number (blanks around it, a sign,
// thousands separators, decimals and an exponent allowed).
bool IsNumericCellText(const QString &text);

// Where a cell's text sits: the column's alignment, or for General right
// when the text is a number and left otherwise; always centred vertically.
Qt::Alignment CellAlignment(const QString &text, CellAlign align);
