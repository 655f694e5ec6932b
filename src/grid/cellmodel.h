#pragma once

#include "grid/cellformat.h"

#include <QAbstractTableModel>
#include <QColor>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVector>

// The cells of one spreadsheet sheet. Every cell is a text (an empty text is an
// empty cell); they are kept row by row in one contiguous array that grows only
// as far as something was written, so a sheet of 16384 rows costs nothing until
// it is filled. The maximum row and column only limit what the model shows:
// cells beyond them keep their texts, as in a spreadsheet.
//
// The sheet operations count rows and columns from 1; the Qt model interface
// counts from 0 as usual (model row 0 is sheet row 1).
class CellModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    // The sheet's own limits, those of the spreadsheet the screens were made for.
    static constexpr int kSheetRows = 16384;
    static constexpr int kSheetCols = 256;

    explicit CellModel(QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

    int maxRow() const { return m_maxRow; }
    void setMaxRow(int rows);
    int maxCol() const { return m_maxCol; }
    void setMaxCol(int cols);
    // The last row holding any text, 0 when the sheet is empty.
    int lastRow() const;

    QString cell(int row, int col) const;
    void setCell(int row, int col, const QString &text);
    // Bulk copy in: rowsOfCells[i][j] goes to (startRow + i, startCol + j);
    // one change notification for the whole block.
    void setCells(int startRow, int startCol, const QVector<QVector<QString>> &rowsOfCells);
    // Bulk copy out of the range (r1, c1) to (r2, c2), one inner vector per row.
    QVector<QVector<QString>> cells(int r1, int c1, int r2, int c2) const;
    void clearCells(int r1, int c1, int r2, int c2);
    // Removes the range; the cells below it in the same columns move up and
    // the sheet's bottom rows become empty.
    void deleteCells(int r1, int c1, int r2, int c2);

    // The heading shown over a column: the text set for it, else its
    // spreadsheet letter (A, B, ..., Z, AA, ...).
    QString heading(int col) const;
    void setHeadings(const QStringList &headings);

    void setColumnFormat(int col, const QString &format);
    QString columnFormat(int col) const;
    void setColumnAlign(int col, CellAlign align);
    CellAlign columnAlign(int col) const;
    // Colour of every cell's text; an invalid colour leaves the view's own.
    void setTextColour(const QColor &colour);

    // What a screen says about single cells: a background colour (invalid: the
    // view's own) and a tooltip, also the cell's accessible description. Notes
    // stay with their place, not with the text that moves.
    struct Note
    {
        QColor background;
        QString toolTip;
        bool operator==(const Note &) const = default;
    };
    // Replaces every note, keyed by (row, col); the same notes again repaint nothing.
    void setNotes(const QHash<std::pair<int, int>, Note> &notes);

private:
    struct ColumnStyle
    {
        QString format;
        int decimals = -1;
        CellAlign align = CellAlign::General;
    };

    qsizetype offset(int row, int col) const { return qsizetype(row - 1) * m_storedCols + col - 1; }
    void ensureStored(int rows, int cols);
    void notifyChanged(int r1, int c1, int r2, int c2);
    ColumnStyle style(int col) const { return m_styles.value(col - 1); }
    ColumnStyle &styleForWrite(int col);

    QList<QString> m_cells;
    int m_storedRows = 0;
    int m_storedCols = 0;
    int m_maxRow = kSheetRows;
    int m_maxCol = kSheetCols;
    QStringList m_headings;
    QList<ColumnStyle> m_styles;
    QColor m_textColour;
    QHash<std::pair<int, int>, Note> m_notes;
};
