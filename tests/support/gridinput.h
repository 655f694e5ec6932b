#pragma once

#include <Qt>

class QString;
class SpreadsheetGrid;

// A SpreadsheetGrid driven as a user drives it, with the mouse and the keys.

// Clicks the cell (row and column from 1), scrolled into view first.
void ClickCell(SpreadsheetGrid &grid, int row, int col);
// Keys go to the cell editor once an edit has begun, else to the sheet.
void PressKey(SpreadsheetGrid &grid, Qt::Key key);
// Types the text key by key; a character beyond ASCII comes as an input method
// gives it, with no key code, only the text.
void TypeKeys(SpreadsheetGrid &grid, const QString &text);
