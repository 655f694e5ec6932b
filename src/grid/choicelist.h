#pragma once

#include "db/recordset.h"

#include <QString>
#include <QVector>

class SpreadsheetGrid;

// Drop-down choice lists over grid cells. A grid has one list object, named
// with the grid's own name and known to its screen by a number (0: none yet);
// the screen fills it for a list key, shows it at the active cell, and hides it
// when the selection moves. A pick writes the item into the active cell and the
// grid reports choicePicked (see ChoiceListBox for the keys).

// Fills the list object listId of the grid (0 or unknown: a new one) with the
// items of the key (ChoiceListItems, from the active cell's text and data,
// which is subscripted (field, record): field 0 ID, 1 ITEM, 2 DESC; a single
// empty element means no table data). Gives the object's number; the list
// stays hidden.
int FmlBuildChoiceList(const QString &kind, const QString &key, SpreadsheetGrid &grid, int listId,
                       RecordArray &data);

// Opens the list listId over the active cell, dropping below it, with the
// cell's text preselected.
void FmlShowChoiceList(int listId, SpreadsheetGrid &grid);

// What a screen does when the selection moves: finds the list by the grid's
// name and collapses it, or sets listId to 0 when the grid has none.
void FmlHideChoiceList(SpreadsheetGrid &grid, int &listId);
