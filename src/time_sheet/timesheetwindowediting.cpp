// The grid events of the time sheet and the editing rules they run.

#include "common/datetext.h"
#include "common/formhelpers.h"
#include "common/handoff.h"
#include "common/messagebox.h"
#include "common/numbertext.h"
#include "grid/choicelist.h"
#include "grid/fml.h"
#include "grid/spreadsheetgrid.h"
#include "grid/virtualkey.h"
#include "lookups/stafflookup.h"
#include "startup/sessionsettings.h"
#include "time_sheet/runcolumns.h"
#include "time_sheet/runediting.h"
#include "time_sheet/timesheetwindow.h"

#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>

using namespace Qt::StringLiterals;

void TimeSheetWindow::connectGrid()
{
    connect(fml明細, &SpreadsheetGrid::cellClicked, this, &TimeSheetWindow::onCellClicked);
    connect(fml明細, &SpreadsheetGrid::activeCellChanged, this, [this] { onActiveCellChanged(); });
    connect(fml明細, &SpreadsheetGrid::editStarted, this, &TimeSheetWindow::onEditStarted);
    connect(fml明細, &SpreadsheetGrid::editEnded, this, &TimeSheetWindow::onEditEnded);
    connect(fml明細, &SpreadsheetGrid::keyPressed, this, &TimeSheetWindow::onKeyPressed);
    connect(fml明細, &SpreadsheetGrid::keyDown, this,
            [this](int &key, Qt::KeyboardModifiers) { onKeyDown(key); });
    connect(fml明細, &SpreadsheetGrid::choicePicked, this, &TimeSheetWindow::onChoicePicked);
    connect(fml明細, &SpreadsheetGrid::contentsChanged, this,
            [this] { Recalculate(fml明細->activeRow()); });
}

QString TimeSheetWindow::headingOf(int col) const
{
    return fml明細->heading(col).trimmed();
}

void TimeSheetWindow::onCellClicked(int row, int col)
{
    if (row < 1 || col < 1 || !FmlPreviousRowFilled(*fml明細))
        return;
    const QString heading = headingOf(col);
    if (heading == u"開始") {
        fml明細->setText(row, col, TimeStamp());
    } else if (heading == u"結束") {
        if (fml明細->text(row, col - 1).trimmed().isEmpty())
            return; // no end before a start
        fml明細->setText(row, col, TimeStamp());
    } else if (heading == u"看印") {
        // A run marked here is a run, as one stamped or typed.
        const bool marked = fml明細->text(row, col).trimmed() == u"Y";
        fml明細->setText(row, col, marked ? QString() : u"Y"_s);
    } else {
        return;
    }
    countRun();
    if (heading == u"開始") {
        applyNewRunDefaults(row);
        // The operator of the run before carries over to a new run.
        if (row == m_filledRows && row != 1 &&
            fml明細->text(row, RunCol::Operator).trimmed().isEmpty()) {
            fml明細->setText(row, RunCol::OperatorId, fml明細->text(row - 1, RunCol::OperatorId));
            fml明細->setText(row, RunCol::Operator, fml明細->text(row - 1, RunCol::Operator));
        }
    }
    computeTimeConsumed(row);
    Recalculate(row);
}

void TimeSheetWindow::countRun()
{
    FmlCountRow(m_filledRows, *fml明細);
    FmlEnableForRow(m_filledRows, *fml明細, scmd刪除);
}

void TimeSheetWindow::applyNewRunDefaults(int row)
{
    SpreadsheetGrid &g = *fml明細;
    if (g.text(row, RunCol::Front).isEmpty())
        g.setText(row, RunCol::Front, m_job.front);
    if (g.text(row, RunCol::Back).isEmpty())
        g.setText(row, RunCol::Back, m_job.back);
    sumPlates(row);
    if (g.text(row, RunCol::Proofing).isEmpty() && m_job.proofing == u"1")
        g.setText(row, RunCol::Proofing, u"V"_s);
    if (g.text(row, RunCol::Press).isEmpty())
        g.setText(row, RunCol::Press, m_job.press);
}

void TimeSheetWindow::sumPlates(int row)
{
    const double plates = fml明細->number(row, RunCol::Front) + fml明細->number(row, RunCol::Back);
    fml明細->setText(row, RunCol::Plates, NumberText(plates));
}

void TimeSheetWindow::computeTimeConsumed(int row)
{
    const QString start = fml明細->text(row, RunCol::Start).trimmed();
    const QString end = fml明細->text(row, RunCol::End).trimmed();
    if (start.isEmpty() || end.isEmpty())
        return;
    const std::optional<double> hours = TimeConsumedHours(start, end);
    if (!hours) {
        ShowMessage(u"時間格式輸入錯誤!"_s, u"錯誤"_s, MessageService::Icon::Critical);
        return;
    }
    fml明細->setText(row, RunCol::Hours, NumberText(*hours));
}

bool TimeSheetWindow::Recalculate(int row)
{
    // Only a run the sheet counts gets its press and standard: writing into the
    // blank row below would make it look filled without being saved.
    const bool run = row >= 1 && row <= m_filledRows;
    if (run)
        fml明細->setText(row, RunCol::Press, m_job.press);
    // The standard and the allowances are read again on every change, on one
    // connection; a failed read keeps what it read before the failure.
    const StoreRead<PressFigures> press = ReadPressFigures(Session().ConnectionString, m_job.press);
    if (run && press.value.standard)
        fml明細->setText(row, RunCol::Standard, NumberText(*press.value.standard));
    if (!run || press.value.standard)
        lbl時標準量->setText(NumberText(fml明細->number(row, RunCol::Standard)));
    if (press.error) {
        ShowMessage(*press.error, u"依機別取得標準數量錯誤"_s, MessageService::Icon::Critical);
        // Without the allowances every effective time and score would be worked
        // out from zeros: the runs keep the ones they have.
        showTotal();
        return false;
    }
    SpreadsheetGrid &g = *fml明細;
    for (int r = 1; r <= m_filledRows; ++r) {
        g.setText(r, RunCol::Effective,
                  EffectiveTimeText(g.number(r, RunCol::Hours), g.number(r, RunCol::Plates),
                                    g.text(r, RunCol::Proofing), g.number(r, RunCol::Fills),
                                    press.value.capacity));
        // Every run keeps the score of its own figures, whichever run is looked at.
        g.setText(r, RunCol::Score,
                  FiguresOfRun(g.text(r, RunCol::Finished), g.text(r, RunCol::Effective),
                               g.text(r, RunCol::Standard))
                      .score);
    }
    showTotal();
    return true;
}

void TimeSheetWindow::ShowFigures()
{
    const int row = fml明細->activeRow();
    if (row < 1 || row > m_filledRows)
        return;
    const RunFigures figures =
        FiguresOfRun(fml明細->text(row, RunCol::Finished), fml明細->text(row, RunCol::Effective),
                     fml明細->text(row, RunCol::Standard));
    lbl實際數量->setText(figures.actual);
    lbl時標準量->setText(figures.perHour);
    lbl標準數量->setText(figures.standard);
    lbl差異->setText(figures.difference);
    lbl點數->setText(figures.score);
    fml明細->setText(row, RunCol::Score, figures.score);
}

void TimeSheetWindow::onActiveCellChanged()
{
    hideChoiceList();
    ShowFigures();
    setHelperEnabled(false);
    const QString heading = headingOf(fml明細->activeCol());
    if (heading == u"經辦")
        setHelperEnabled(true);
    else
        showChoiceList(heading);
    FmlEnableForRow(m_filledRows, *fml明細, scmd刪除);
}

void TimeSheetWindow::setHelperEnabled(bool enabled)
{
    scmd輔助->setEnabled(enabled);
    QPalette palette = scmd輔助->palette();
    palette.setColor(QPalette::Button,
                     enabled ? QPalette().color(QPalette::Button) : QColor(192, 192, 192));
    // The caption stays readable on the grey.
    palette.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(96, 96, 96));
    scmd輔助->setPalette(palette);
}

void TimeSheetWindow::onEditStarted(QString &text)
{
    m_editRow = fml明細->activeRow();
    m_editCol = fml明細->activeCol();
    // A stamp is corrected, not typed again.
    const QString heading = headingOf(m_editCol);
    if (heading == u"開始" || heading == u"結束")
        text = fml明細->text(m_editRow, m_editCol);
}

void TimeSheetWindow::onEditEnded(QString &text, bool &accept)
{
    // The entry is stored, its message answered and its operator looked up before
    // the Enter that ended the edit moves on.
    const EnterMovesOn::Hold moveOnAfterwards(*m_enterMovesOn);
    const int row = m_editRow > 0 ? m_editRow : fml明細->activeRow();
    const int col = m_editCol > 0 ? m_editCol : fml明細->activeCol();
    m_editRow = m_editCol = 0;
    // An edit opened with the mouse on a row below a blank one is refused as
    // typing there is: the run could not be counted and would not be saved.
    if (!FmlPreviousRowFilled(*fml明細, row)) {
        accept = false;
        ShowMessage(u"前一列資料尚未輸入!"_s, u"警告"_s, MessageService::Icon::Warning);
        return;
    }
    const QString heading = headingOf(col);
    const ByteLimitedEntry entry = LimitRunEntry(heading, text);
    // Stored here rather than by the grid, so the effects below read the entry.
    accept = false;
    fml明細->setText(row, col, entry.text);
    if (!entry.message.isEmpty())
        ShowMessage(entry.message, u"訊息"_s, MessageService::Icon::Warning);
    fml明細->setFocus();
    // Counted by the row edited: a click elsewhere ends the edit after the
    // cursor has already left it.
    if (row > m_filledRows)
        ++m_filledRows;
    FmlEnableForRow(m_filledRows, *fml明細, scmd刪除);

    const bool fitted = entry.message.isEmpty();
    if ((heading == u"開始" || heading == u"結束") && fitted) {
        computeTimeConsumed(row);
        if (heading == u"開始" && !fml明細->text(row, RunCol::End).trimmed().isEmpty())
            applyNewRunDefaults(row);
    } else if (heading == u"正色" || heading == u"反色") {
        sumPlates(row);
    } else if (heading == u"經辦" && fitted) {
        lookUpOperator(row, entry.text.trimmed());
    }
    Recalculate(row);
}

void TimeSheetWindow::onKeyPressed(int &charCode)
{
    if (!FmlPreviousRowFilled(*fml明細)) {
        charCode = 0;
        ShowMessage(u"前一列資料尚未輸入!"_s, u"警告"_s, MessageService::Icon::Warning);
        return;
    }
    charCode = FilterRunKey(headingOf(fml明細->activeCol()), charCode);
    // Enter moves on to the next cell.
    if (charCode == VirtualKey::Enter)
        m_enterMovesOn->request();
}

void TimeSheetWindow::onKeyDown(int &keyCode)
{
    switch (
        RunKeyDownRule(headingOf(fml明細->activeCol()), keyCode, FmlPreviousRowFilled(*fml明細))) {
    case RunKeyAction::Pass:
        break;
    case RunKeyAction::Swallow:
        keyCode = 0;
        break;
    case RunKeyAction::ClearOperator:
        fml明細->setText(fml明細->activeRow(), RunCol::OperatorId, QString());
        fml明細->setText(fml明細->activeRow(), RunCol::Operator, QString());
        break;
    case RunKeyAction::LookUpOperator: {
        keyCode = 0;
        if (fml明細->isEditing()) {
            fml明細->endEdit(); // the typed name is looked up as it ends
            return;
        }
        const int row = fml明細->activeRow();
        LookupFilterText().clear();
        openStaffLookup();
        if (takeOperatorFromHandOff(row)) {
            countRun();
            SendKeysViaShell(u"{ENTER}"_s, false);
        }
        break;
    }
    }
}

void TimeSheetWindow::lookUpOperatorByKey()
{
    fml明細->setFocus();
    int key = VirtualKey::F9;
    onKeyDown(key);
}

bool TimeSheetWindow::takeOperatorFromHandOff(int row)
{
    const QString id = JobHandOff()[0].trimmed();
    if (id.isEmpty())
        return false;
    fml明細->setText(row, RunCol::OperatorId, id);
    fml明細->setText(row, RunCol::Operator, JobHandOff()[1].trimmed());
    return true;
}

void TimeSheetWindow::lookUpOperator(int row, const QString &typed)
{
    ClearJobHandOff();
    const StoreRead<std::optional<StaffMember>> found =
        ReadOperator(Session().ConnectionString, typed);
    if (found.error) {
        ShowMessage(*found.error, u"取得業務員資料錯誤"_s, MessageService::Icon::Critical);
        return;
    }
    if (found.value) {
        JobHandOff()[0] = found.value->id;
        JobHandOff()[1] = found.value->name;
    }
    if (takeOperatorFromHandOff(row))
        return;
    LookupFilterText() = typed;
    openStaffLookup();
    takeOperatorFromHandOff(row);
}

void TimeSheetWindow::openStaffLookup()
{
    OpenStaffLookup(this);
}

void TimeSheetWindow::showChoiceList(const QString &heading)
{
    const std::optional<RunChoiceList> list = RunChoiceListFor(heading);
    if (!list || !FmlPreviousRowFilled(*fml明細))
        return; // nothing may be picked on a row below a blank one
    m_listId = FmlBuildChoiceList(list->kind, list->key, *fml明細, m_listId,
                                  list->specialFills ? m_fillChoices : m_phraseChoices);
    FmlShowChoiceList(m_listId, *fml明細);
}

void TimeSheetWindow::hideChoiceList()
{
    FmlHideChoiceList(*fml明細, m_listId);
}

void TimeSheetWindow::onChoicePicked()
{
    const int row = fml明細->activeRow();
    countRun();
    // A picked fill count or note is a change of the run like a typed one.
    Recalculate(row);
    ShowFigures();
}
