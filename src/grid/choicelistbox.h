#pragma once

#include <QListWidget>

class SpreadsheetGrid;

// The drop-down list object a grid shows over its sheet (see choicelist.h). It
// lives on the grid's sheet area, so it scrolls with the cells, and carries the
// grid's name so a screen can find it again.
//
// The open list leaves the keyboard with the grid; Alt+Down in the grid moves
// the keyboard into it. There Up, Down, Page Up, Page Down, Home and End move
// the selection, Enter picks the selected item and Esc closes the list without
// a pick; any other key goes back to the grid. A click on an item picks it. A
// pick writes the item into the active cell (SpreadsheetGrid::pickChoice) and
// closes the list.
class ChoiceListBox : public QListWidget
{
    Q_OBJECT

public:
    ChoiceListBox(SpreadsheetGrid &grid, int id);

    int id() const { return m_id; }
    // Shows the list over the given area of the sheet, in sheet-area coordinates.
    void open(const QRect &area);
    // Hides the list at zero size.
    void collapse();
    bool isOpen() const { return isVisible(); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void pick(QListWidgetItem *item);
    void backToGrid();

    SpreadsheetGrid &m_grid;
    int m_id;
};
