// The grid events of the time sheet: each hands the grid's rows to the rules
// (RunSheet) and shows what they changed.

#include "common/datetext.h"
#include "common/formhelpers.h"
#include "common/messagebox.h"
#include "grid/choicelist.h"
#include "grid/fml.h"
#include "grid/spreadsheetgrid.h"
#include "grid/virtualkey.h"
#include "time_sheet/operatorlookup.h"
#include "time_sheet/runediting.h"
#include "time_sheet/timesheetwindow.h"

#include <QAction>

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
    connect(fml明細, &SpreadsheetGrid::contentsChanged, this, [this] {
        const int row = fml明細->activeRow();
        step(row, [row](RunSheet &sheet) { sheet.recalculate(row); });
    });
}

void TimeSheetWindow::onCellClicked(int row, int col)
{
    const QString now = TimeStamp();
    step(row, [&](RunSheet &sheet) { sheet.click(row, col, now); });
}

void TimeSheetWindow::onActiveCellChanged()
{
    hideChoiceList();
    const int row = fml明細->activeRow();
    step(row, [row](RunSheet &sheet) { sheet.showFigures(row); });
    const int col = fml明細->activeCol();
    // 輔助 is offered where F9 looks the operator up.
    m_helper->setEnabled(RunKeyDownRule(col, VirtualKey::F9, true) == RunKeyAction::LookUpOperator);
    showChoiceList(col);
}

void TimeSheetWindow::onEditStarted(QString &text)
{
    m_editRow = fml明細->activeRow();
    m_editCol = fml明細->activeCol();
    if (RunEditKeepsCellText(m_editCol))
        text = fml明細->text(m_editRow, m_editCol);
}

void TimeSheetWindow::onEditEnded(QString &text, bool &accept)
{
    // The entry is stored, its message answered and its operator looked up before
    // the Enter that ended the edit moves on.
    const EnterMovesOn::Hold moveOnAfterwards(*m_enterMovesOn);
    // Counted by the row edited: a click elsewhere ends the edit after the
    // cursor has already left it.
    const int row = m_editRow > 0 ? m_editRow : fml明細->activeRow();
    const int col = m_editCol > 0 ? m_editCol : fml明細->activeCol();
    m_editRow = m_editCol = 0;
    // Stored by the rules rather than by the grid, so their effects read the entry.
    accept = false;
    const RunSheet sheet = step(row, [&](RunSheet &s) { s.endEdit(row, col, text); });
    fml明細->setFocus();
    if (!sheet.operatorToLookUp())
        return;
    if (const std::optional<StaffMember> found = FindOperator(this, *sheet.operatorToLookUp()))
        step(row, [&](RunSheet &s) { s.setOperator(row, found->id, found->name); });
}

void TimeSheetWindow::onKeyPressed(int &charCode)
{
    if (!FmlPreviousRowFilled(*fml明細)) {
        charCode = 0;
        ShowMessage(u"前一列資料尚未輸入!"_s, u"警告"_s, MessageService::Icon::Warning);
        return;
    }
    charCode = FilterRunKey(fml明細->activeCol(), charCode);
    // Enter moves on to the next cell.
    if (charCode == VirtualKey::Enter)
        m_enterMovesOn->request();
}

void TimeSheetWindow::onKeyDown(int &keyCode)
{
    const int row = fml明細->activeRow();
    switch (RunKeyDownRule(fml明細->activeCol(), keyCode, FmlPreviousRowFilled(*fml明細))) {
    case RunKeyAction::Pass:
        break;
    case RunKeyAction::Swallow:
        keyCode = 0;
        break;
    case RunKeyAction::ClearOperator:
        step(row, [row](RunSheet &sheet) { sheet.clearOperator(row); });
        break;
    case RunKeyAction::LookUpOperator:
        keyCode = 0;
        m_helper->trigger();
        break;
    }
}

// 輔助 and F9 in 經辦: the staff lookup for the active run.
void TimeSheetWindow::lookUpOperatorByKey()
{
    fml明細->setFocus();
    if (RunKeyDownRule(fml明細->activeCol(), VirtualKey::F9, FmlPreviousRowFilled(*fml明細)) !=
        RunKeyAction::LookUpOperator)
        return;
    if (fml明細->isEditing()) {
        fml明細->endEdit(); // the typed name is looked up as it ends
        return;
    }
    const int row = fml明細->activeRow();
    if (const std::optional<StaffMember> picked = PickOperator(this)) {
        step(row, [&](RunSheet &sheet) { sheet.setOperator(row, picked->id, picked->name); });
        SendKeysViaShell(u"{ENTER}"_s, false);
    }
}

void TimeSheetWindow::showChoiceList(int col)
{
    const std::optional<RunChoiceList> list = RunChoiceListFor(col);
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
    // A picked fill count or note is a change of the run like a typed one.
    const int row = fml明細->activeRow();
    step(row, [row](RunSheet &sheet) {
        sheet.listPicked(row);
        sheet.showFigures(row);
    });
}
