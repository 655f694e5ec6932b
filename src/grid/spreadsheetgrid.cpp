#include "grid/spreadsheetgrid.h"

#include "common/formgeometry.h"
#include "common/texttrim.h"
#include "db/jetval.h"
#include "grid/cellmodel.h"
#include "grid/gridview.h"

#include <QHeaderView>
#include <QScrollBar>
#include <QVBoxLayout>
#include <algorithm>

namespace {

// A picked choice is cut to the widest cell a list feeds.
constexpr int kPickedItemBytes = 20;

} // namespace

SpreadsheetGrid::SpreadsheetGrid(QWidget *parent, int rows, int cols)
    : QWidget(parent), m_model(new CellModel(this)), m_view(new GridView(this)),
      m_widths(CellModel::kSheetCols, kDefaultColumnWidth), m_hidden(CellModel::kSheetCols, false)
{
    m_model->setMaxRow(rows);
    m_model->setMaxCol(cols);
    m_view->setModel(m_model);
    m_view->setSelectionMode(QAbstractItemView::SingleSelection);
    m_view->setSelectionBehavior(QAbstractItemView::SelectItems);
    // Edits are opened by the grid itself, after its key events have run.
    m_view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_view->setWordWrap(false);
    m_view->setAccessibleName(tr("Grid"));
    for (QHeaderView *header : {m_view->horizontalHeader(), m_view->verticalHeader()}) {
        header->setSectionsClickable(false);
        header->setHighlightSections(false);
        header->setMinimumSectionSize(1);
    }
    m_view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_view);
    setFocusProxy(m_view);
    m_view->installEventFilter(this);
    m_view->viewport()->installEventFilter(this);

    connect(this, &QObject::objectNameChanged, m_view, &QWidget::setAccessibleName);
    connect(m_view, &QAbstractItemView::clicked, this, [this](const QModelIndex &index) {
        emit cellClicked(index.row() + 1, index.column() + 1);
    });
    connect(m_view, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex &index) {
        if (index == m_view->currentIndex())
            beginEdit(activeText(), {});
    });
    connect(m_view->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex &current) {
                if (m_quietMoves == 0 && current.isValid())
                    emit activeCellChanged(current.row() + 1, current.column() + 1);
            });
    connect(m_view, &GridView::editorClosed, this, &SpreadsheetGrid::onEditorClosed);

    applyRowHeight();
    for (int col = 1; col <= maxCol(); ++col)
        applyColumnWidth(col);
    setActiveCell(1, 1);
}

SpreadsheetGrid::~SpreadsheetGrid()
{
    // An edit still open when the screen goes is dropped, and dropped before
    // the view takes its editor down with it.
    if (m_editIndex.isValid())
        m_view->discardEditing(m_editIndex);
}

int SpreadsheetGrid::activeRow() const
{
    const QModelIndex index = m_view->currentIndex();
    return index.isValid() ? index.row() + 1 : 0;
}

int SpreadsheetGrid::activeCol() const
{
    const QModelIndex index = m_view->currentIndex();
    return index.isValid() ? index.column() + 1 : 0;
}

void SpreadsheetGrid::setActiveCell(int row, int col)
{
    const QModelIndex index =
        m_model->index(std::clamp(row, 1, maxRow()) - 1, std::clamp(col, 1, maxCol()) - 1);
    ++m_quietMoves;
    m_view->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
    --m_quietMoves;
}

QString SpreadsheetGrid::activeText() const
{
    return text(activeRow(), activeCol());
}

void SpreadsheetGrid::setActiveText(const QString &text)
{
    setText(activeRow(), activeCol(), text);
}

QString SpreadsheetGrid::text(int row, int col) const
{
    return m_model->cell(row, col);
}

void SpreadsheetGrid::setText(int row, int col, const QString &text)
{
    m_model->setCell(row, col, text);
}

double SpreadsheetGrid::number(int row, int col) const
{
    return Val(text(row, col));
}

QString SpreadsheetGrid::heading(int col) const
{
    return m_model->heading(col);
}

void SpreadsheetGrid::setHeadings(const QStringList &headings)
{
    m_model->setHeadings(headings);
}

int SpreadsheetGrid::maxRow() const
{
    return m_model->maxRow();
}

void SpreadsheetGrid::setMaxRow(int rows)
{
    const int row = activeRow();
    const int col = activeCol();
    ++m_quietMoves;
    m_model->setMaxRow(rows);
    --m_quietMoves;
    keepActiveCell(row, col);
}

int SpreadsheetGrid::maxCol() const
{
    return m_model->maxCol();
}

void SpreadsheetGrid::setMaxCol(int cols)
{
    const int row = activeRow();
    const int col = activeCol();
    const int before = maxCol();
    ++m_quietMoves;
    m_model->setMaxCol(cols);
    --m_quietMoves;
    // Columns coming back get their designed width and hiding again.
    for (int c = before + 1; c <= maxCol(); ++c) {
        applyColumnWidth(c);
        m_view->setColumnHidden(c - 1, m_hidden.at(c - 1));
    }
    keepActiveCell(row, col);
}

int SpreadsheetGrid::lastRow() const
{
    return m_model->lastRow();
}

void SpreadsheetGrid::clearRange(int r1, int c1, int r2, int c2)
{
    m_model->clearCells(r1, c1, r2, c2);
}

void SpreadsheetGrid::deleteRange(int r1, int c1, int r2, int c2)
{
    m_model->deleteCells(r1, c1, r2, c2);
}

void SpreadsheetGrid::setArray(int startRow, int startCol,
                               const QVector<QVector<QString>> &rowsOfCells)
{
    m_model->setCells(startRow, startCol, rowsOfCells);
}

QVector<QVector<QString>> SpreadsheetGrid::toArray(int r1, int c1, int r2, int c2) const
{
    return m_model->cells(r1, c1, r2, c2);
}

void SpreadsheetGrid::setRowHeightTwips(int twips)
{
    m_rowHeightTwips = std::max(1, twips);
    applyRowHeight();
}

void SpreadsheetGrid::setRedraw(bool redraw)
{
    m_view->setUpdatesEnabled(redraw);
}

void SpreadsheetGrid::scrollToOrigin()
{
    m_view->horizontalScrollBar()->setValue(0);
    m_view->verticalScrollBar()->setValue(0);
}

void SpreadsheetGrid::endEdit()
{
    if (m_editIndex.isValid())
        m_view->finishEditing(m_editIndex);
}

bool SpreadsheetGrid::isEditing() const
{
    return m_view->isEditing();
}

void SpreadsheetGrid::setColumnWidth(int col, int width)
{
    if (col < 1 || col > CellModel::kSheetCols)
        return;
    m_widths[col - 1] = std::max(0, width);
    applyColumnWidth(col);
}

int SpreadsheetGrid::columnWidth(int col) const
{
    return m_widths.value(col - 1);
}

int SpreadsheetGrid::columnWidthPixels(int col) const
{
    return ZeroWidthUnitsToPixels(columnWidth(col),
                                  m_view->fontMetrics().horizontalAdvance(QLatin1Char('0')));
}

void SpreadsheetGrid::setColumnHidden(int col, bool hidden)
{
    if (col < 1 || col > CellModel::kSheetCols)
        return;
    m_hidden[col - 1] = hidden;
    if (col <= maxCol())
        m_view->setColumnHidden(col - 1, hidden);
}

bool SpreadsheetGrid::isColumnHidden(int col) const
{
    return m_hidden.value(col - 1);
}

void SpreadsheetGrid::setColumnFormat(int col, const QString &format)
{
    m_model->setColumnFormat(col, format);
}

QString SpreadsheetGrid::columnFormat(int col) const
{
    return m_model->columnFormat(col);
}

void SpreadsheetGrid::setColumnAlign(int col, CellAlign align)
{
    m_model->setColumnAlign(col, align);
}

CellAlign SpreadsheetGrid::columnAlign(int col) const
{
    return m_model->columnAlign(col);
}

void SpreadsheetGrid::setColumns(const QList<GridColumn> &columns)
{
    QStringList headings;
    for (int i = 0; i < columns.size(); ++i) {
        const GridColumn &column = columns.at(i);
        headings.append(column.heading);
        setColumnWidth(i + 1, column.width);
        setColumnFormat(i + 1, column.format);
        setColumnAlign(i + 1, column.align);
        setColumnHidden(i + 1, column.hidden);
    }
    setHeadings(headings);
}

void SpreadsheetGrid::setCellFont(const QFont &font, const QColor &colour)
{
    m_view->setFont(font); // the widths follow through the font-change event
    if (colour.isValid())
        m_model->setTextColour(colour);
}

QFont SpreadsheetGrid::cellFont() const
{
    return m_view->font();
}

void SpreadsheetGrid::setBackgroundColour(const QColor &colour)
{
    QPalette palette = m_view->palette();
    palette.setColor(QPalette::Base, colour);
    m_view->setPalette(palette);
}

QWidget *SpreadsheetGrid::sheetArea() const
{
    return m_view->viewport();
}

QRect SpreadsheetGrid::cellRangeRect(int r1, int c1, int r2, int c2) const
{
    const int rowHeight = m_view->verticalHeader()->defaultSectionSize();
    const int top = m_view->rowViewportPosition(r1 - 1);
    const int left = m_view->columnViewportPosition(c1 - 1);
    const int right = m_view->columnViewportPosition(c2 - 1) + m_view->columnWidth(c2 - 1);
    return QRect(left, top, right - left, (r2 - r1 + 1) * rowHeight);
}

void SpreadsheetGrid::pickChoice(const QString &item)
{
    if (activeRow() < 1)
        return;
    setActiveText(LeftByBytes(item, kPickedItemBytes));
    emit choicePicked();
}

void SpreadsheetGrid::applyColumnWidth(int col)
{
    if (col < 1 || col > maxCol())
        return;
    m_view->setColumnWidth(col - 1, columnWidthPixels(col));
}

void SpreadsheetGrid::applyRowHeight()
{
    const int pixels = std::max(1, TwipsToPixels(m_rowHeightTwips, m_view->logicalDpiY()));
    QHeaderView *rows = m_view->verticalHeader();
    rows->setMinimumSectionSize(std::min(rows->minimumSectionSize(), pixels));
    rows->setDefaultSectionSize(pixels);
}

void SpreadsheetGrid::keepActiveCell(int row, int col)
{
    const QModelIndex current = m_view->currentIndex();
    if (!current.isValid() || current.row() + 1 != row || current.column() + 1 != col)
        setActiveCell(row, col);
}

void SpreadsheetGrid::setCellNotes(const QHash<std::pair<int, int>, CellModel::Note> &notes)
{
    m_model->setNotes(notes);
}
