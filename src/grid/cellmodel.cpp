#include "grid/cellmodel.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

// A, B, ..., Z, AA, AB, ...: the column names a spreadsheet shows by default.
QString columnLetters(int col)
{
    QString letters;
    for (int n = col; n > 0; n = (n - 1) / 26)
        letters.prepend(QChar(u'A' + (n - 1) % 26));
    return letters;
}

} // namespace

CellModel::CellModel(QObject *parent) : QAbstractTableModel(parent) {}

int CellModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_maxRow;
}

int CellModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_maxCol;
}

QVariant CellModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || !checkIndex(index))
        return {};
    const int row = index.row() + 1;
    const int col = index.column() + 1;
    switch (role) {
    case Qt::DisplayRole:
    case Qt::AccessibleTextRole:
        return DisplayCellText(cell(row, col), style(col).decimals);
    case Qt::EditRole:
        return cell(row, col);
    case Qt::TextAlignmentRole:
        return int(CellAlignment(cell(row, col), style(col).align));
    case Qt::ForegroundRole:
        return m_textColour.isValid() ? QVariant(m_textColour) : QVariant();
    case Qt::BackgroundRole: {
        const QColor colour = m_notes.value({row, col}).background;
        return colour.isValid() ? QVariant(colour) : QVariant();
    }
    case Qt::ToolTipRole:
    case Qt::AccessibleDescriptionRole: {
        const QString tip = m_notes.value({row, col}).toolTip;
        return tip.isEmpty() ? QVariant() : QVariant(tip);
    }
    default:
        return {};
    }
}

void CellModel::setNotes(const QHash<std::pair<int, int>, Note> &notes)
{
    if (notes == m_notes)
        return;
    int lastRow = 0;
    for (const QHash<std::pair<int, int>, Note> *set : {&std::as_const(m_notes), &notes})
        for (auto it = set->cbegin(); it != set->cend(); ++it)
            lastRow = std::max(lastRow, it.key().first);
    m_notes = notes;
    if (lastRow > 0 && m_maxCol > 0)
        emit dataChanged(index(0, 0), index(std::min(lastRow, m_maxRow) - 1, m_maxCol - 1),
                         {Qt::BackgroundRole, Qt::ToolTipRole, Qt::AccessibleDescriptionRole});
}

bool CellModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (role != Qt::EditRole || !index.isValid() || !checkIndex(index))
        return false;
    setCell(index.row() + 1, index.column() + 1, value.toString());
    return true;
}

Qt::ItemFlags CellModel::flags(const QModelIndex &index) const
{
    if (!index.isValid() || !checkIndex(index))
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable | Qt::ItemNeverHasChildren;
}

QVariant CellModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole || section < 0)
        return {};
    if (orientation == Qt::Horizontal)
        return section < m_maxCol ? QVariant(heading(section + 1)) : QVariant();
    return section < m_maxRow ? QVariant(section + 1) : QVariant();
}

void CellModel::setMaxRow(int rows)
{
    rows = std::clamp(rows, 1, kSheetRows);
    if (rows > m_maxRow) {
        beginInsertRows({}, m_maxRow, rows - 1);
        m_maxRow = rows;
        endInsertRows();
    } else if (rows < m_maxRow) {
        beginRemoveRows({}, rows, m_maxRow - 1);
        m_maxRow = rows;
        endRemoveRows();
    }
}

void CellModel::setMaxCol(int cols)
{
    cols = std::clamp(cols, 1, kSheetCols);
    if (cols > m_maxCol) {
        beginInsertColumns({}, m_maxCol, cols - 1);
        m_maxCol = cols;
        endInsertColumns();
    } else if (cols < m_maxCol) {
        beginRemoveColumns({}, cols, m_maxCol - 1);
        m_maxCol = cols;
        endRemoveColumns();
    }
}

int CellModel::lastRow() const
{
    for (int row = m_storedRows; row >= 1; --row) {
        const auto first = m_cells.cbegin() + offset(row, 1);
        if (std::any_of(first, first + m_storedCols, [](const QString &t) { return !t.isEmpty(); }))
            return row;
    }
    return 0;
}

QString CellModel::cell(int row, int col) const
{
    if (row < 1 || col < 1 || row > m_storedRows || col > m_storedCols)
        return {};
    return m_cells.at(offset(row, col));
}

void CellModel::setCell(int row, int col, const QString &text)
{
    if (row < 1 || col < 1 || row > kSheetRows || col > kSheetCols || cell(row, col) == text)
        return;
    ensureStored(row, col);
    m_cells[offset(row, col)] = text;
    notifyChanged(row, col, row, col);
}

void CellModel::setCells(int startRow, int startCol, const QVector<QVector<QString>> &rowsOfCells)
{
    if (startRow < 1 || startCol < 1 || startRow > kSheetRows || startCol > kSheetCols)
        return;
    const int rows = std::min(int(rowsOfCells.size()), kSheetRows - startRow + 1);
    int width = 0;
    for (int i = 0; i < rows; ++i)
        width = std::max(width, int(rowsOfCells.at(i).size()));
    width = std::min(width, kSheetCols - startCol + 1);
    if (rows == 0 || width == 0)
        return;
    ensureStored(startRow + rows - 1, startCol + width - 1);
    for (int i = 0; i < rows; ++i) {
        const QVector<QString> &source = rowsOfCells.at(i);
        const int n = std::min(int(source.size()), width);
        std::copy_n(source.cbegin(), n, m_cells.begin() + offset(startRow + i, startCol));
    }
    notifyChanged(startRow, startCol, startRow + rows - 1, startCol + width - 1);
}

QVector<QVector<QString>> CellModel::cells(int r1, int c1, int r2, int c2) const
{
    QVector<QVector<QString>> out;
    if (r1 > r2 || c1 > c2)
        return out;
    out.reserve(r2 - r1 + 1);
    for (int row = r1; row <= r2; ++row) {
        QVector<QString> line(c2 - c1 + 1);
        if (row >= 1 && row <= m_storedRows) {
            for (int col = std::max(c1, 1); col <= std::min(c2, m_storedCols); ++col)
                line[col - c1] = m_cells.at(offset(row, col));
        }
        out.append(std::move(line));
    }
    return out;
}

void CellModel::clearCells(int r1, int c1, int r2, int c2)
{
    const int lastStoredRow = std::min(r2, m_storedRows);
    const int lastStoredCol = std::min(c2, m_storedCols);
    for (int row = std::max(r1, 1); row <= lastStoredRow; ++row) {
        for (int col = std::max(c1, 1); col <= lastStoredCol; ++col)
            m_cells[offset(row, col)].clear();
    }
    notifyChanged(r1, c1, r2, c2);
}

void CellModel::deleteCells(int r1, int c1, int r2, int c2)
{
    r1 = std::max(r1, 1);
    c1 = std::max(c1, 1);
    if (r1 > r2 || c1 > c2 || r1 > m_storedRows)
        return;
    const int shift = r2 - r1 + 1;
    const int lastCol = std::min(c2, m_storedCols);
    for (int row = r1; row <= m_storedRows; ++row) {
        const int from = row + shift;
        for (int col = c1; col <= lastCol; ++col) {
            QString &target = m_cells[offset(row, col)];
            if (from <= m_storedRows)
                target = std::move(m_cells[offset(from, col)]);
            else
                target.clear();
        }
    }
    notifyChanged(r1, c1, m_storedRows, lastCol);
}

QString CellModel::heading(int col) const
{
    const QString text = m_headings.value(col - 1);
    return text.isEmpty() ? columnLetters(col) : text;
}

void CellModel::setHeadings(const QStringList &headings)
{
    m_headings = headings;
    emit headerDataChanged(Qt::Horizontal, 0, m_maxCol - 1);
}

void CellModel::setColumnFormat(int col, const QString &format)
{
    if (col < 1 || col > kSheetCols)
        return;
    ColumnStyle &s = styleForWrite(col);
    s.format = format;
    s.decimals = NumberFormatDecimals(format);
    notifyChanged(1, col, m_maxRow, col);
}

QString CellModel::columnFormat(int col) const
{
    const QString format = style(col).format;
    return format.isEmpty() ? u"General"_s : format;
}

void CellModel::setColumnAlign(int col, CellAlign align)
{
    if (col < 1 || col > kSheetCols)
        return;
    styleForWrite(col).align = align;
    notifyChanged(1, col, m_maxRow, col);
}

CellAlign CellModel::columnAlign(int col) const
{
    return style(col).align;
}

void CellModel::setTextColour(const QColor &colour)
{
    m_textColour = colour;
    notifyChanged(1, 1, m_maxRow, m_maxCol);
}

void CellModel::ensureStored(int rows, int cols)
{
    if (cols > m_storedCols) {
        // Widening changes the stride, so the rows are laid out afresh.
        const int newRows = std::max(rows, m_storedRows);
        QList<QString> wider(qsizetype(newRows) * cols);
        for (int row = 1; row <= m_storedRows; ++row) {
            const auto first = m_cells.begin() + offset(row, 1);
            std::move(first, first + m_storedCols, wider.begin() + qsizetype(row - 1) * cols);
        }
        m_cells = std::move(wider);
        m_storedCols = cols;
        m_storedRows = newRows;
    } else if (rows > m_storedRows) {
        m_cells.resize(qsizetype(rows) * m_storedCols);
        m_storedRows = rows;
    }
}

void CellModel::notifyChanged(int r1, int c1, int r2, int c2)
{
    r1 = std::max(r1, 1);
    c1 = std::max(c1, 1);
    r2 = std::min(r2, m_maxRow);
    c2 = std::min(c2, m_maxCol);
    if (r1 <= r2 && c1 <= c2)
        emit dataChanged(index(r1 - 1, c1 - 1), index(r2 - 1, c2 - 1));
}

CellModel::ColumnStyle &CellModel::styleForWrite(int col)
{
    if (m_styles.size() < col)
        m_styles.resize(col);
    return m_styles[col - 1];
}
