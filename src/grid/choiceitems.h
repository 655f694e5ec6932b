#pragma once

#include "db/recordset.h"

#include <QString>
#include <QStringList>
#include <QVector>

// The items of a cell's choice list, as rules without a widget.

// The shop's fourteen kinds of work, 印前 to 其它, in the order of the vendor
// flags ITEM1 to ITEM14; the "製程種類" list offers them.
const QStringList &WorkKinds();

// The items of the list for a list key. current is the active cell's text;
// data holds the phrase rows subscripted (field, record) as a record set gives
// them (field 0 ID, 1 ITEM, 2 DESC, further fields where the rows have them);
// a single empty element means there are no rows. The cell's own text, trimmed,
// heads the list except for the keys "YN1", "判定" and "製程種類".
QStringList ChoiceListItems(const QString &kind, const QString &key, const QString &current,
                            const RecordArray &data);

// The item preselected when the list opens over a cell holding current: the
// last item equal to it, or -1 (none) when the cell is empty or no item is.
int ChoiceListPreselect(const QStringList &items, const QString &current);

// The last sheet row the open list covers when it opens on activeRow with
// itemCount items: it drops itemCount + 1 rows below the cell, but never more
// than ten rows.
int ChoiceListBottomRow(int activeRow, int itemCount);
