#include "time_sheet/runsheet.h"

#include "common/datetext.h"
#include "common/numbertext.h"
#include "db/jetval.h"
#include "time_sheet/runcolumns.h"
#include "time_sheet/runediting.h"

#include <utility>

using namespace Qt::StringLiterals;

RunSheet::RunSheet(TimeSheetJob job, QVector<RunCells> rows, int filledRows,
                   std::optional<PressFigures> figures)
    : m_job(std::move(job)), m_rows(std::move(rows)), m_filledRows(filledRows),
      m_figures(std::move(figures))
{
}

QString RunSheet::text(int row, int col) const
{
    if (row < 1 || row > m_rows.size() || col < 1 || col > m_rows[row - 1].size())
        return {};
    return m_rows[row - 1][col - 1];
}

double RunSheet::number(int row, int col) const
{
    return Val(text(row, col));
}

bool RunSheet::blank(int row, int col) const
{
    return text(row, col).trimmed().isEmpty();
}

void RunSheet::set(int row, int col, const QString &text)
{
    if (row < 1 || col < 1 || col > RunCol::Last || this->text(row, col) == text)
        return;
    while (m_rows.size() < row)
        m_rows.append(RunCells(RunCol::Last));
    RunCells &cells = m_rows[row - 1];
    if (cells.size() < RunCol::Last)
        cells.resize(RunCol::Last);
    cells[col - 1] = text;
    m_changes.append({row, col, text});
}

void RunSheet::say(const QString &text, const QString &title, bool critical)
{
    m_messages.append({text, title, critical});
}

bool RunSheet::previousRowFilled(int row) const
{
    if (row <= 1)
        return true;
    for (int col = 1; col <= RunCol::Last; ++col)
        if (!blank(row - 1, col))
            return true;
    return false;
}

void RunSheet::countRow(int row)
{
    // One run more when a row below the runs is worked on, however far below.
    if (row > m_filledRows)
        ++m_filledRows;
}

void RunSheet::click(int row, int col, const QString &stampNow)
{
    if (row < 1 || col < 1 || !previousRowFilled(row))
        return;
    switch (col) {
    case RunCol::Start:
        set(row, col, stampNow);
        break;
    case RunCol::End:
        if (blank(row, RunCol::Start))
            return; // no end before a start
        set(row, col, stampNow);
        break;
    case RunCol::Proofing:
        // A run marked here is a run, as one stamped or typed.
        set(row, col, text(row, col).trimmed() == u"Y" ? QString() : u"Y"_s);
        break;
    default:
        return;
    }
    countRow(row);
    if (col == RunCol::Start) {
        applyNewRunDefaults(row);
        // The operator of the run before carries over to a new run.
        if (row == m_filledRows && row != 1 && blank(row, RunCol::Operator)) {
            set(row, RunCol::OperatorId, text(row - 1, RunCol::OperatorId));
            set(row, RunCol::Operator, text(row - 1, RunCol::Operator));
        }
    }
    computeTimeConsumed(row);
    recalculate(row);
}

void RunSheet::endEdit(int row, int col, const QString &entry)
{
    // A row below a blank one could not be counted and would not be saved.
    if (!previousRowFilled(row)) {
        say(u"前一列資料尚未輸入!"_s, u"警告"_s, false);
        return;
    }
    const ByteLimitedEntry limited = LimitRunEntry(col, entry);
    set(row, col, limited.text);
    const bool fitted = limited.message.isEmpty();
    if (!fitted)
        say(limited.message, u"訊息"_s, false);
    countRow(row);

    switch (col) {
    case RunCol::Start:
    case RunCol::End:
        if (!fitted)
            break;
        computeTimeConsumed(row);
        // The defaults of a new run follow a typed start once both stamps stand.
        if (col == RunCol::Start && !blank(row, RunCol::Start) && !blank(row, RunCol::End))
            applyNewRunDefaults(row);
        break;
    case RunCol::Front:
    case RunCol::Back:
        sumPlates(row);
        break;
    case RunCol::Operator:
        if (fitted)
            m_operatorToLookUp = limited.text.trimmed();
        break;
    default:
        break;
    }
    recalculate(row);
}

void RunSheet::listPicked(int row)
{
    countRow(row);
    recalculate(row);
}

void RunSheet::setOperator(int row, const QString &id, const QString &name)
{
    set(row, RunCol::OperatorId, id);
    set(row, RunCol::Operator, name);
    countRow(row);
}

void RunSheet::clearOperator(int row)
{
    set(row, RunCol::OperatorId, QString());
    set(row, RunCol::Operator, QString());
}

void RunSheet::applyNewRunDefaults(int row)
{
    if (text(row, RunCol::Front).isEmpty())
        set(row, RunCol::Front, m_job.front);
    if (text(row, RunCol::Back).isEmpty())
        set(row, RunCol::Back, m_job.back);
    sumPlates(row);
    if (text(row, RunCol::Proofing).isEmpty() && m_job.proofing == u"1")
        set(row, RunCol::Proofing, u"V"_s);
    if (text(row, RunCol::Press).isEmpty())
        set(row, RunCol::Press, m_job.press);
}

void RunSheet::sumPlates(int row)
{
    set(row, RunCol::Plates, NumberText(number(row, RunCol::Front) + number(row, RunCol::Back)));
}

void RunSheet::computeTimeConsumed(int row)
{
    const QString start = text(row, RunCol::Start).trimmed();
    const QString end = text(row, RunCol::End).trimmed();
    if (start.isEmpty() || end.isEmpty())
        return;
    const std::optional<double> hours = TimeConsumedHours(start, end);
    if (!hours) {
        say(u"時間格式輸入錯誤!"_s, u"錯誤"_s, true);
        return;
    }
    set(row, RunCol::Hours, NumberText(*hours));
}

bool RunSheet::recalculate(int activeRow)
{
    // Only a run gets its press and standard: writing into the blank row below
    // would make it look filled without being saved.
    const bool run = activeRow >= 1 && activeRow <= m_filledRows;
    if (run)
        set(activeRow, RunCol::Press, m_job.press);
    if (!m_figures) {
        // Without the allowances every effective time would be worked out from
        // zeros: the runs keep the ones they have.
        if (!run)
            m_perHourShown = NumberText(number(activeRow, RunCol::Standard));
        return false;
    }
    if (run)
        set(activeRow, RunCol::Standard, NumberText(m_figures->standard));
    m_perHourShown = NumberText(number(activeRow, RunCol::Standard));
    for (int r = 1; r <= m_filledRows; ++r)
        set(r, RunCol::Effective,
            EffectiveTimeText(number(r, RunCol::Hours), number(r, RunCol::Plates),
                              text(r, RunCol::Proofing), number(r, RunCol::Fills),
                              m_figures->capacity));
    // Only the run being worked on is scored again: the stored scores of the
    // others stay what their operators were judged by.
    if (run)
        showFigures(activeRow);
    return true;
}

void RunSheet::showFigures(int activeRow)
{
    if (activeRow < 1 || activeRow > m_filledRows)
        return;
    const RunFigures figures =
        FiguresOfRun(text(activeRow, RunCol::Finished), text(activeRow, RunCol::Effective),
                     text(activeRow, RunCol::Standard));
    set(activeRow, RunCol::Score, figures.score);
    m_figuresShown = figures;
}

std::optional<std::pair<int, int>> RunSheet::unreadableStamp() const
{
    for (int row = 1; row <= m_filledRows; ++row)
        for (int col : {int(RunCol::Start), int(RunCol::End)}) {
            const QString stamp = text(row, col).trimmed();
            if (!stamp.isEmpty() && !StampDateTime(stamp).isValid())
                return std::pair{row, col};
        }
    return std::nullopt;
}

double RunSheet::totalHours() const
{
    double total = 0;
    for (int row = 1; row <= m_filledRows; ++row)
        total += number(row, RunCol::Hours);
    return total;
}

RunNotes RunSheet::notes(int activeRow, const QVector<RunInterval> &stored) const
{
    RunNotes notes;
    QVector<std::optional<RunInterval>> runs;
    for (int row = 1; row <= m_filledRows; ++row) {
        std::optional<RunInterval> run =
            IntervalOf(text(row, RunCol::Start), text(row, RunCol::End));
        if (run) {
            run->press = m_job.press;
            run->po = m_job.po;
            run->line = m_job.line;
            run->seq = row;
        }
        runs.append(run);
        if (m_figures)
            notes.effectiveExplained.insert(
                row, EffectiveTimeExplained(number(row, RunCol::Hours), number(row, RunCol::Plates),
                                            text(row, RunCol::Proofing), number(row, RunCol::Fills),
                                            m_figures->capacity));
    }
    const QVector<std::optional<RunInterval>> overlaps = OverlapsOf(runs, stored);
    for (int row = 1; row <= overlaps.size(); ++row) {
        if (!overlaps[row - 1])
            continue;
        notes.overlapping.append(row);
        if (notes.warning.isEmpty() || row == activeRow)
            notes.warning = OverlapText(*overlaps[row - 1]);
    }
    if (activeRow >= 1 && activeRow <= m_filledRows)
        notes.scoreExplained =
            ScoreExplained(text(activeRow, RunCol::Finished), text(activeRow, RunCol::Effective),
                           text(activeRow, RunCol::Standard));
    return notes;
}
