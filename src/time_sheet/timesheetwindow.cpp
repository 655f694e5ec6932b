#include "time_sheet/timesheetwindow.h"

#include "common/datetext.h"
#include "common/formhelpers.h"
#include "common/handoff.h"
#include "common/log.h"
#include "common/messagebox.h"
#include "common/numbertext.h"
#include "common/preferences.h"
#include "common/waitcursor.h"
#include "grid/fml.h"
#include "grid/spreadsheetgrid.h"
#include "startup/platform.h"
#include "startup/sessionchecks.h"
#include "startup/sessionsettings.h"
#include "time_sheet/pressruns.h"
#include "time_sheet/runcolumns.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>
#include <algorithm>

using namespace Qt::StringLiterals;

TimeSheetWindow::TimeSheetWindow(QWidget *parent)
    : QDialog(parent), m_enterMovesOn(new EnterMovesOn(this))
{
    setModal(true);
    setupForm(this);
    SelectAllOnFocusEnterMovesOn(txt完工日期);
    connectGrid();
    connect(m_confirm, &QAction::triggered, this, &TimeSheetWindow::Confirm);
    connect(m_delete, &QAction::triggered, this, &TimeSheetWindow::DeleteRun);
    connect(m_helper, &QAction::triggered, this, &TimeSheetWindow::lookUpOperatorByKey);
    connect(m_back, &QAction::triggered, this, &TimeSheetWindow::GoBack);
    connect(cmd日期, &QToolButton::clicked, this, [this] { txt完工日期->setText(StampMMDDHH()); });

    // Load (the figures start at 0): the shared preparation, the grid emptied.
    ApplyControlStyle(this, GetWindowsVersion());
    FmlSetRowHeight(kFmlRowHeight, *fml明細);
    FmlClear(*fml明細, 0, QString());
    LockControl(txt總耗時);
    m_firstActivation = true;
    placeBelowMainGrid(this);
    KeepWindowPlace(this, u"TimeSheet"_s, KeptPlace::PlaceOnly); // where the user left it
}

TimeSheetWindow::~TimeSheetWindow() = default;

bool TimeSheetWindow::event(QEvent *e)
{
    if (e->type() == QEvent::WindowActivate && !m_activating) {
        m_activating = true;
        if (m_firstActivation)
            firstActivation();
        else
            fml明細->setFocus();
        m_activating = false;
    }
    return QDialog::event(e);
}

void TimeSheetWindow::firstActivation()
{
    m_firstActivation = false;
    m_fillChoices = SpecialFillChoices();
    const StoreRead<RecordArray> choices = ReadRunChoices(Session().ConnectionString);
    m_phraseChoices = choices.value;
    if (choices.error)
        ShowMessage(*choices.error, u"錯誤"_s, MessageService::Icon::Critical);
    m_job = JobFromHandOff(JobHandOff());
    if (!LoadJobRuns()) {
        // Nothing was read, so nothing may be written: only 回前畫面 works.
        offerOnlyGoingBack(this);
        emit ready();
        return;
    }
    readPressFigures();
    onActiveCellChanged(); // the active run's figures, and the notes of every run
    lbl單號->setText(m_job.po);
    lbl品名->setText(m_job.product);
    txt完工日期->setText(m_job.completion);
    if (!m_job.closingMark.isEmpty()) // a closed line's runs can be looked at, not saved
        m_confirm->setEnabled(false);
    fml明細->setFocus();
    emit ready();
}

bool TimeSheetWindow::LoadJobRuns()
{
    if (m_job.po.isEmpty() || m_job.line.isEmpty())
        return true;
    WaitCursor wait;
    m_filledRows = 0;
    FmlClear(*fml明細, 0, QString());
    ApplyControlStyle(this, GetWindowsVersion());
    const StoreRead<RecordArray> runs = LoadRuns(Session().ConnectionString, m_job);
    if (runs.error) {
        wait.restore();
        ShowMessage(*runs.error, u"錯誤"_s, MessageService::Icon::Critical);
        return false;
    }
    m_seenRuns = runs.value;
    m_filledRows = RunCount(m_seenRuns);
    if (m_filledRows > 0) {
        fml明細->setMaxRow(std::max(kMinRows, m_filledRows + kFreeRows));
        FmlFromArray(*fml明細, m_seenRuns, 0);
        FmlCountRow(m_filledRows, *fml明細);
    }
    return true;
}

bool TimeSheetWindow::readPressFigures()
{
    if (m_pressFigures)
        return true;
    const StoreRead<PressFigures> press = ReadPressFigures(Session().ConnectionString, m_job.press);
    if (press.error) {
        ShowMessage(*press.error, u"依機別取得標準數量錯誤"_s, MessageService::Icon::Critical);
        return false;
    }
    m_pressFigures = press.value;
    const auto others = ReadRunIntervals(Session().ConnectionString, m_job.press, &m_job);
    if (others.error) // no run is marked as overlapping: a warning, not a refusal
        qCWarning(LogTimeSheet).noquote() << u"讀取同機別耗時明細錯誤："_s << *others.error;
    m_otherRuns = others.value;
    return true;
}

RunSheet TimeSheetWindow::step(int row, const std::function<void(RunSheet &)> &op)
{
    QVector<RunCells> cells;
    FmlToArray(*fml明細, cells);
    cells.resize(std::max(m_filledRows, row));
    RunSheet sheet(m_job, std::move(cells), m_filledRows, m_pressFigures);
    op(sheet);
    apply(sheet);
    return sheet;
}

void TimeSheetWindow::apply(const RunSheet &sheet)
{
    for (const CellChange &change : sheet.changes())
        fml明細->setText(change.row, change.col, change.text);
    m_filledRows = sheet.filledRows();
    FmlEnableForRow(m_filledRows, *fml明細, m_delete);
    txt總耗時->setText(NumberText(sheet.totalHours()));
    if (sheet.perHourShown())
        lbl時標準量->setText(*sheet.perHourShown());
    if (sheet.figuresShown())
        showRunFigures(*sheet.figuresShown());
    showRunNotes(sheet.notes(fml明細->activeRow(), m_otherRuns));
    for (const SheetMessage &message : sheet.messages())
        ShowMessage(message.text, message.title,
                    message.critical ? MessageService::Icon::Critical
                                     : MessageService::Icon::Warning);
}

void TimeSheetWindow::Confirm()
{
    if (!MaintenanceLockAllows(u"儲存錯誤"_s))
        return;
    if (!Save())
        return;
    TimeSheetSaved() = true;
    accept();
}

bool TimeSheetWindow::Save()
{
    fml明細->endEdit();
    // Runs are not stored with figures worked out without the press's figures.
    if (!readPressFigures())
        return false;
    const int active = fml明細->activeRow();
    const RunSheet sheet = step(active, [active](RunSheet &s) { s.recalculate(active); });
    // The costing programs read the stored stamps: each must be a time.
    if (const auto stamp = sheet.unreadableStamp()) {
        fml明細->setActiveCell(stamp->first, stamp->second);
        ShowMessage(u"時間格式輸入錯誤!"_s, u"錯誤"_s, MessageService::Icon::Critical);
        return false;
    }
    QVector<QVector<QString>> cells;
    FmlToArray(*fml明細, cells);
    const int rows = fml明細->lastRow() == 0 ? 0 : std::min(m_filledRows, int(cells.size()));
    std::optional<QString> error;
    {
        WaitCursor wait;
        QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        error = SaveRuns(Session().ConnectionString, m_job, cells.mid(0, rows),
                         txt完工日期->text().trimmed(), m_seenRuns, SessionEditor());
    }
    if (error) {
        // Nothing was written; the grid stays as the user left it.
        ShowMessage(*error, u"儲存錯誤"_s, MessageService::Icon::Critical);
        return false;
    }
    JobHandOff()[0] = txt總耗時->text().trimmed();
    JobHandOff()[1] = txt完工日期->text().trimmed();
    m_saved = true;
    return true;
}

void TimeSheetWindow::DeleteRun()
{
    if (fml明細->activeRow() > m_filledRows)
        return;
    hideChoiceList();
    FmlDeleteRow(*fml明細, 0);
    --m_filledRows;
    step(0, [](RunSheet &) {});
    fml明細->setFocus();
}

void TimeSheetWindow::GoBack()
{
    reject();
}

void TimeSheetWindow::done(int result)
{
    // However the sheet closes, only a save that went through counts.
    if (!m_saved)
        TimeSheetSaved() = false;
    hideChoiceList();
    QDialog::done(result);
}

void TimeSheetWindow::keyPressEvent(QKeyEvent *e)
{
    // Escape would drop every run typed so far; only 回前畫面 and the close box leave.
    if (e->key() == Qt::Key_Escape) {
        e->accept();
        return;
    }
    QDialog::keyPressEvent(e);
}

void ShowTimeSheet(QWidget *mainScreen)
{
    TimeSheetWindow sheet(mainScreen);
    sheet.exec();
}
