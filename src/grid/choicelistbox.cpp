#include "grid/choicelistbox.h"

#include "grid/spreadsheetgrid.h"

#include <QCoreApplication>
#include <QKeyEvent>

ChoiceListBox::ChoiceListBox(SpreadsheetGrid &grid, int id)
    : QListWidget(grid.sheetArea()), m_grid(grid), m_id(id)
{
    setObjectName(grid.objectName());
    setAccessibleName(grid.objectName());
    setSelectionMode(QAbstractItemView::SingleSelection);
    setUniformItemSizes(true);
    setTextElideMode(Qt::ElideNone); // a long item is cut at the list's edge
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setFrameShape(QFrame::Box);
    setLineWidth(1);
    setFocusPolicy(Qt::ClickFocus);
    collapse();
    connect(this, &QListWidget::itemClicked, this, &ChoiceListBox::pick);
    connect(&grid, &SpreadsheetGrid::editStarted, this, &ChoiceListBox::collapse);
    // Alt+Down in the grid opens the list to the keyboard. This filter is the
    // view's last installed, so it sees the key before the grid does.
    grid.focusProxy()->installEventFilter(this);
}

void ChoiceListBox::open(const QRect &area)
{
    setGeometry(area);
    show();
    raise();
    if (currentItem())
        scrollToItem(currentItem(), QAbstractItemView::EnsureVisible);
    else
        scrollToTop();
}

void ChoiceListBox::collapse()
{
    // The keyboard goes back first: a focused widget that hides hands the focus
    // on as Tab would, and in an item view Tab moves the active cell.
    if (hasFocus())
        backToGrid();
    hide();
    resize(0, 0);
}

bool ChoiceListBox::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress && isOpen()) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Down && key->modifiers() == Qt::AltModifier) {
            setFocus();
            return true;
        }
    }
    return QListWidget::eventFilter(watched, event);
}

void ChoiceListBox::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Home:
    case Qt::Key_End:
        QListWidget::keyPressEvent(event);
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter: {
        const QList<QListWidgetItem *> selected = selectedItems();
        if (!selected.isEmpty())
            pick(selected.first());
        return;
    }
    case Qt::Key_Escape:
        collapse();
        return;
    default:
        // Typing, Tab and the keys that move the cell belong to the grid.
        backToGrid();
        QCoreApplication::sendEvent(m_grid.focusProxy(), event);
        return;
    }
}

void ChoiceListBox::pick(QListWidgetItem *item)
{
    if (!item)
        return;
    const QString text = item->text();
    collapse();
    m_grid.pickChoice(text);
}

void ChoiceListBox::backToGrid()
{
    m_grid.setFocus();
}
