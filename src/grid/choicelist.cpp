#include "grid/choicelist.h"

#include "grid/choiceitems.h"
#include "grid/choicelistbox.h"
#include "grid/spreadsheetgrid.h"

namespace {

ChoiceListBox *listOf(SpreadsheetGrid &grid, int listId)
{
    if (listId == 0)
        return nullptr;
    const QList<ChoiceListBox *> lists = grid.findChildren<ChoiceListBox *>();
    for (ChoiceListBox *list : lists)
        if (list->id() == listId)
            return list;
    return nullptr;
}

int nextListId()
{
    static int lastId = 0;
    return ++lastId;
}

} // namespace

int FmlBuildChoiceList(const QString &kind, const QString &key, SpreadsheetGrid &grid, int listId,
                       RecordArray &data)
{
    ChoiceListBox *list = listOf(grid, listId);
    if (list)
        list->clear();
    else
        list = new ChoiceListBox(grid, nextListId());
    const int rowHeight = grid.cellRangeRect(1, 1, 1, 1).height();
    const QStringList items = ChoiceListItems(kind, key, grid.activeText(), data);
    for (const QString &text : items) {
        auto *item = new QListWidgetItem(text, list);
        item->setSizeHint(QSize(0, rowHeight));
    }
    list->collapse();
    return list->id();
}

void FmlShowChoiceList(int listId, SpreadsheetGrid &grid)
{
    ChoiceListBox *list = listOf(grid, listId);
    const int row = grid.activeRow();
    const int col = grid.activeCol();
    if (!list || row < 1 || col < 1)
        return;
    QStringList items;
    for (int i = 0; i < list->count(); ++i)
        items.append(list->item(i)->text());
    const int selected = ChoiceListPreselect(items, grid.activeText().trimmed());
    list->setCurrentRow(selected);
    if (selected < 0)
        list->clearSelection();
    // Hidden columns right of the cell take no room, so the list is as wide as
    // the cell.
    list->open(grid.cellRangeRect(row, col, ChoiceListBottomRow(row, list->count()), col));
}

void FmlHideChoiceList(SpreadsheetGrid &grid, int &listId)
{
    if (auto *list = grid.findChild<ChoiceListBox *>(grid.objectName()))
        list->collapse();
    else
        listId = 0;
}
