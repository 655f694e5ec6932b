// The main screen's controls and grid events: the press choice, the stamps
// clicked, typed and edited in the schedule grid, and the time sheet opened from
// a line's 耗時 cell.

#include "daily_report/dailyreportwindow.h"

#include "common/datetext.h"
#include "common/handoff.h"
#include "common/messagebox.h"
#include "daily_report/completionsave.h"
#include "daily_report/schedulecolumns.h"
#include "grid/spreadsheetgrid.h"
#include "grid/virtualkey.h"

#include <QComboBox>
#include <QRadioButton>
#include <QToolButton>

using namespace Qt::StringLiterals;

void DailyReportWindow::connectControls()
{
    // Qt also reports a typed press name as chosen when the box loses the focus (as
    // the query itself moves it to the grid): only another press than the one
    // listed clears the listing, so no unsaved stamp is lost to a focus change.
    connect(cbo車別, &QComboBox::activated, this, [this] {
        if (cbo車別->currentText().trimmed() != m_listedPress)
            ClearSchedule();
    });
    for (QRadioButton *option : opt完工)
        connect(option, &QRadioButton::clicked, this, &DailyReportWindow::ClearSchedule);
    connect(scmd顯示資料, &QToolButton::clicked, this, &DailyReportWindow::QuerySchedule);
    connect(fml印刷, &SpreadsheetGrid::cellClicked, this, &DailyReportWindow::onCellClicked);
    connect(fml印刷, &SpreadsheetGrid::activeCellChanged, this,
            &DailyReportWindow::onActiveCellChanged);
    connect(fml印刷, &SpreadsheetGrid::keyPressed, this, &DailyReportWindow::onKeyPressed);
    connect(fml印刷, &SpreadsheetGrid::keyDown, this,
            [this](int &key, Qt::KeyboardModifiers) { onKeyDown(key); });
    connect(fml印刷, &SpreadsheetGrid::editStarted, this, [this](QString &) {
        m_editRow = fml印刷->activeRow();
        m_editCol = fml印刷->activeCol();
    });
    connect(fml印刷, &SpreadsheetGrid::editEnded, this, &DailyReportWindow::onEditEnded);
}

QString DailyReportWindow::closingMark(int row) const
{
    return fml印刷->text(row, ScheduleCol::ClosingMark);
}

bool DailyReportWindow::activeCellTakesStamp() const
{
    return TakesStamp(fml印刷->activeCol(), closingMark(fml印刷->activeRow()));
}

void DailyReportWindow::onCellClicked(int row, int col)
{
    if (row >= 1 && ClickStamps(col, closingMark(row), fml印刷->text(row, col))) {
        fml印刷->setText(row, col, StampMMDDHH());
        m_marks.mark(row, col);
    }
}

void DailyReportWindow::onActiveCellChanged(int row, int col)
{
    RefreshJobDetail();
    ClearJobHandOff();
    if (col != ScheduleCol::TimeUsed)
        return;
    JobHandOffList &handOff = JobHandOff();
    for (int slot = 0; slot < 12; ++slot)
        handOff[slot] = fml印刷->text(row, kTimeSheetHandOffColumns[slot]).trimmed();
    // The sheet's save stores its stamp only over the one this screen listed.
    if (row <= m_listed.size())
        handOff[kListedCompletionSlot] = m_listed[row - 1].completion;
    TimeSheetSaved() = false;
    if (m_openTimeSheet)
        m_openTimeSheet(this);
    if (!TimeSheetSaved())
        return;
    // Every row listing the line shows what the time sheet stored.
    const QString line = listedLineKey(row);
    for (int r = 1; r <= m_filledRows; ++r) {
        if (listedLineKey(r) != line)
            continue;
        fml印刷->setText(r, ScheduleCol::TimeUsed, handOff[0]);
        fml印刷->setText(r, ScheduleCol::Completion, handOff[1]);
        m_marks.mark(r, ScheduleCol::Completion);
        // The time sheet has stored this stamp itself: it is what the line now holds.
        if (r <= m_listed.size())
            m_listed[r - 1].completion = handOff[1];
    }
}

QString DailyReportWindow::listedLineKey(int row) const
{
    const auto cell = [&](int col) { return fml印刷->text(row, col); };
    return ListedLineKey(cell(ScheduleCol::Po), cell(ScheduleCol::No),
                         cell(ScheduleCol::ScheduleId), cell(ScheduleCol::ScheduleLine));
}

void DailyReportWindow::onKeyPressed(int &charCode)
{
    const KeyEffect effect = TypedKeyEffect(charCode, activeCellTakesStamp());
    charCode = effect.code;
    if (effect.marks)
        m_marks.mark(fml印刷->activeRow(), fml印刷->activeCol());
    // Enter moves on to the next cell.
    if (charCode == VirtualKey::Enter)
        m_enterMovesOn->request();
}

void DailyReportWindow::onKeyDown(int &keyCode)
{
    const KeyEffect effect = KeyDownEffect(keyCode, activeCellTakesStamp());
    keyCode = effect.code;
    if (effect.marks)
        m_marks.mark(fml印刷->activeRow(), fml印刷->activeCol());
}

void DailyReportWindow::onEditEnded(QString &text, bool &accept)
{
    // The edited cell is marked, its message answered, and only then does the
    // Enter that ended the edit move on (the cursor must not move behind the box,
    // nor open the time sheet over it).
    const EnterMovesOn::Hold moveOnAfterwards(*m_enterMovesOn);
    // An edit opened anywhere else (a double click) leaves the cell as it was.
    accept = TakesEntry(m_editCol, closingMark(m_editRow));
    if (accept) {
        const LimitedEntry entry = LimitScheduleEntry(m_editCol, text);
        if (entry.setsText)
            text = entry.text;
        m_marks.mark(m_editRow, m_editCol);
        if (!entry.message.isEmpty())
            ShowMessage(entry.message, u"訊息"_s, MessageService::Icon::Warning);
        fml印刷->setFocus();
    }
}
