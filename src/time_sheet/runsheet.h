#pragma once

#include "time_sheet/runcomputations.h"
#include "time_sheet/runoverlap.h"
#include "time_sheet/timesheetjob.h"

#include <QMap>
#include <QString>
#include <QVector>
#include <optional>

// The texts of one row of the run grid, columns 1 to RunCol::Last (index col - 1).
using RunCells = QVector<QString>;

// A cell the sheet wrote, for the window to copy into its grid.
struct CellChange
{
    int row = 0;
    int col = 0;
    QString text;
};

// A message to show, in the order the rules raised them.
struct SheetMessage
{
    QString text;
    QString title;
    bool critical = false; // the error icon rather than the exclamation mark
};

// What the sheet says about its runs beyond their cells.
struct RunNotes
{
    QVector<int> overlapping; // runs overlapping another run of the press
    QString warning;          // the active run's overlap, else the first run's; empty when none
    QMap<int, QString> effectiveExplained; // each run's effective time, written out
    QString scoreExplained;                // how the active run's score came about
};

// The runs of a time sheet as plain values: the grid's rows, the job they
// belong to, the press's figures (when they have been read) and the count of
// rows that are runs. Each operation is what the user did to a cell; it
// writes the cells its rules change and raises the messages they call for, and
// the window copies both out. Rows and columns count from 1, as on the grid.
class RunSheet
{
public:
    RunSheet(TimeSheetJob job, QVector<RunCells> rows, int filledRows,
             std::optional<PressFigures> figures);

    // A click on a cell: 開始 and 結束 take the stamp of now (an end only after
    // a start), 看印 toggles its "Y". A stamped start gives a new run its
    // defaults and the operator of the run above.
    void click(int row, int col, const QString &stampNow);
    // An edit that ended: the entry cut to its column's limit, then what the
    // column's entry brings about (hours, defaults, plates, the operator to look up).
    void endEdit(int row, int col, const QString &entry);
    // A row worked on by a pick from a list (or the lookup): counted as a run,
    // recalculated, and its figures shown.
    void listPicked(int row);
    void setOperator(int row, const QString &id, const QString &name);
    void clearOperator(int row);

    // Brings the press, standard and every run's effective time up to date,
    // and the active run's score. Without the press's figures nothing but the
    // press is written and false comes back.
    bool recalculate(int activeRow);
    // The five figures of the active run shown, its score written to its row;
    // nothing on a row that is not a run.
    void showFigures(int activeRow);

    // Overlaps with each other and with `stored` (the press's other runs), and
    // the explanations of the figures; the allowances are known once the
    // press's figures are.
    RunNotes notes(int activeRow, const QVector<RunInterval> &stored) const;

    // The first stamp of a run that is not a date and time, as (row, col).
    std::optional<std::pair<int, int>> unreadableStamp() const;
    // Hours of all runs.
    double totalHours() const;
    // True on row 1, or when the row above holds any non-blank text.
    bool previousRowFilled(int row) const;

    QString text(int row, int col) const;
    int filledRows() const { return m_filledRows; }
    const QVector<CellChange> &changes() const { return m_changes; }
    const QVector<SheetMessage> &messages() const { return m_messages; }
    // The operator typed into 經辦, still to be looked up (by code, name or the lookup).
    const std::optional<QString> &operatorToLookUp() const { return m_operatorToLookUp; }
    // 時標準量 as a recalculation leaves it, and the figures of the active run.
    const std::optional<QString> &perHourShown() const { return m_perHourShown; }
    const std::optional<RunFigures> &figuresShown() const { return m_figuresShown; }

private:
    void set(int row, int col, const QString &text);
    double number(int row, int col) const;
    bool blank(int row, int col) const;
    void countRow(int row);
    void applyNewRunDefaults(int row);
    void sumPlates(int row);
    void computeTimeConsumed(int row);
    void say(const QString &text, const QString &title, bool critical);

    TimeSheetJob m_job;
    QVector<RunCells> m_rows;
    int m_filledRows = 0;
    std::optional<PressFigures> m_figures;
    QVector<CellChange> m_changes;
    QVector<SheetMessage> m_messages;
    std::optional<QString> m_operatorToLookUp;
    std::optional<QString> m_perHourShown;
    std::optional<RunFigures> m_figuresShown;
};
