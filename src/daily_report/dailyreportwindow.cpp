#include "daily_report/dailyreportwindow.h"

#include "common/formhelpers.h"
#include "common/messagebox.h"
#include "common/preferences.h"
#include "common/waitcursor.h"
#include "daily_report/completionsave.h"
#include "daily_report/jobdetail.h"
#include "daily_report/listingexport.h"
#include "daily_report/schedulecolumns.h"
#include "daily_report/workorderhandoff.h"
#include "grid/fml.h"
#include "grid/spreadsheetgrid.h"
#include "reports/printpressschedule.h"
#include "startup/platform.h"
#include "startup/processcontrol.h"
#include "startup/runningprogram.h"
#include "startup/sessionchecks.h"
#include "startup/sessionsettings.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPointer>
#include <QRadioButton>
#include <QToolBar>

using namespace Qt::StringLiterals;

namespace {

// The screen disabled while a handling runs, as its design has it. The control
// that had the focus gets it back: Qt takes the focus from a disabled control,
// and the next activation would give it to the screen's first control instead.
class ScreenDisabled
{
public:
    explicit ScreenDisabled(QWidget *screen) : m_screen(screen), m_focus(screen->focusWidget())
    {
        m_screen->setEnabled(false);
    }
    ~ScreenDisabled()
    {
        m_screen->setEnabled(true);
        if (m_focus)
            m_focus->setFocus();
    }
    ScreenDisabled(const ScreenDisabled &) = delete;
    ScreenDisabled &operator=(const ScreenDisabled &) = delete;

private:
    QWidget *m_screen;
    QPointer<QWidget> m_focus;
};

} // namespace

DailyReportWindow::DailyReportWindow(TimeSheetOpener openTimeSheet, QWidget *parent)
    : QMainWindow(parent), m_openTimeSheet(std::move(openTimeSheet)),
      m_enterMovesOn(new EnterMovesOn(this))
{
    setupForm(this);
    connectCommands();
    connectControls();
    new ListingMenu(this, fml印刷,
                    {[this] { return m_filledRows; },
                     [this] { return m_listedPress.value_or(QString()); },
                     [this] { return cbo車別->currentText(); }});
    resize(1180, 720);

    // Load: centre and style the form; the first activation does the rest.
    CenterForm(this);
    ApplyControlStyle(this, GetWindowsVersion());
    m_firstActivation = true;
    KeepWindowPlace(this, u"MainWindow"_s, KeptPlace::PlaceAndSize); // where the user left it
}

void DailyReportWindow::connectCommands()
{
    // Toolbar1 rests while its command runs.
    const auto fromToolbar1 = [this](QAction *action, void (DailyReportWindow::*run)()) {
        connect(action, &QAction::triggered, this, [this, run] {
            Toolbar1->setEnabled(false);
            (this->*run)();
            Toolbar1->setEnabled(true);
        });
    };
    fromToolbar1(m_save, &DailyReportWindow::SaveCompletion);
    fromToolbar1(m_print, &DailyReportWindow::PrintSchedule);
    fromToolbar1(m_print1, &DailyReportWindow::PrintSchedule);
    fromToolbar1(m_refresh, &DailyReportWindow::QuerySchedule);
    connect(m_exit, &QAction::triggered, this, &DailyReportWindow::AskToClose);
    connect(m_workOrder, &QAction::triggered, this, &DailyReportWindow::OpenWorkOrder);
}

bool DailyReportWindow::event(QEvent *e)
{
    if (e->type() == QEvent::WindowActivate && !m_activating) {
        // Each activation disables the screen while it is handled.
        m_activating = true;
        {
            const ScreenDisabled disabled(this);
            if (m_firstActivation)
                firstActivation();
        }
        m_activating = false;
    }
    return QMainWindow::event(e);
}

void DailyReportWindow::keyPressEvent(QKeyEvent *e)
{
    // Enter moves on from every control of the form; the grid keeps its Enter and
    // moves on by its own rule.
    if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
        SendKeysViaShell(u"{TAB}"_s, false);
        return;
    }
    QMainWindow::keyPressEvent(e);
}

void DailyReportWindow::firstActivation()
{
    m_firstActivation = false;
    SessionSettings &s = Session();
    s.MainWindow = OwnWindowHandle();
    const bool parentAlive = IsParentAlive(s.ParentWindow);
    if (const auto error = RegisterRunningProgram(s.ConnectionString, s.MachineUserId, parentAlive,
                                                  s.MainWindow, kProgramTitle))
        ShowMessage(*error, u"記錄已開啟程式錯誤"_s, MessageService::Icon::Critical);
    if (!parentAlive)
        ProcessControl::EndNow(); // the menu program that started us has gone
    ClearSchedule();
    FillPressList();
    KeepLastPress(cbo車別);
    cbo車別->setFocus();
    emit ready();
}

void DailyReportWindow::setScheduleActions(bool enabled)
{
    m_save->setEnabled(enabled);
    m_print->setEnabled(enabled);
    m_workOrder->setEnabled(enabled);
}

void DailyReportWindow::FillPressList()
{
    WaitCursor wait;
    cbo車別->clear();
    cbo車別->addItem(QString());
    const PressList presses = ReadPressNames(Session().ConnectionString);
    cbo車別->addItems(presses.names);
    wait.restore();
    if (presses.error)
        ShowMessage(*presses.error, u"取得所有機別資料錯誤"_s, MessageService::Icon::Critical);
}

void DailyReportWindow::ClearSchedule()
{
    m_listedPress.reset();
    m_detailPo.clear();
    m_detailNo.clear();
    FmlSetRowHeight(kFmlRowHeight, *fml印刷);
    FmlClear(*fml印刷, 0, QString());
    fml印刷->setMaxRow(kEmptyRows);
    fml印刷->setEnabled(false);
    lbl品名->clear();
    lbl客戶->clear();
    lbl備註1->clear();
    lbl備註->hide();
    lbl備註1->hide();
    setScheduleActions(false);
    StatusPanel[1]->setText(u"0"_s);
}

void DailyReportWindow::QuerySchedule()
{
    if (!MaintenanceLockAllows())
        return;

    WaitCursor wait;
    m_detailPo.clear();
    m_detailNo.clear();
    m_filledRows = 0;
    FmlClear(*fml印刷, 0, QString());
    m_marks.reset(0, 0);
    m_listed.clear();
    const bool finishedOnly = opt完工[1]->isChecked();
    const ScheduleResult result =
        QueryScheduleRows(Session().ConnectionString, cbo車別->currentText(), finishedOnly);
    if (result.error) {
        wait.restore();
        ShowMessage(*result.error, u"顯示資料錯誤"_s, MessageService::Icon::Warning);
        return;
    }
    m_filledRows = result.count;
    if (m_filledRows > 0)
        m_listedPress = cbo車別->currentText().trimmed();
    fml印刷->setMaxRow(std::max(m_filledRows, 1));
    setScheduleActions(m_filledRows > 0);
    fml印刷->setEnabled(m_filledRows > 0);
    if (m_filledRows > 0) {
        FmlFromArray(*fml印刷, result.records, 0);
        fml印刷->setFocus();
        m_listed = ListedStampsOf(result.records);
    }
    if (finishedOnly)
        m_print->setEnabled(false); // the schedule prints open lines only
    m_marks.reset(fml印刷->maxRow(), fml印刷->maxCol());
    StatusPanel[1]->setText(QString::number(m_filledRows));
    // As a move of the cursor does (on column 1, so no time sheet opens); the
    // detail read shows its own pointer and its own error.
    wait.restore();
    onActiveCellChanged(fml印刷->activeRow(), fml印刷->activeCol());
}

void DailyReportWindow::RefreshJobDetail()
{
    const int row = fml印刷->activeRow();
    lbl客戶->setText(fml印刷->text(row, ScheduleCol::Customer).trimmed());
    lbl品名->setText(fml印刷->text(row, ScheduleCol::Product).trimmed());
    ShowJobDetail(fml印刷->text(row, ScheduleCol::Po).trimmed(),
                  fml印刷->text(row, ScheduleCol::No).trimmed());
}

void DailyReportWindow::ShowJobDetail(const QString &po, const QString &no)
{
    lbl備註->show();
    lbl備註1->show();
    lbl備註->setText(u"印刷備註:"_s);
    pic明細->raise();
    if (po.isEmpty()) {
        lbl客戶->clear();
        lbl品名->clear();
        lbl備註1->clear();
        return;
    }
    if (po == m_detailPo && no == m_detailNo)
        return;
    m_detailPo = po;
    m_detailNo = no;
    WaitCursor wait;
    const JobDetailResult detail = ReadJobDetail(Session().ConnectionString, po);
    if (detail.error) {
        wait.restore();
        ShowMessage(*detail.error, u"依工單單號取得資料錯誤"_s, MessageService::Icon::Critical);
    } else if (detail.record) {
        pic急件->setVisible(detail.record->rush);
        if (detail.record->rush)
            pic急件->raise();
        lbl備註1->setText(fml印刷->text(fml印刷->activeRow(), ScheduleCol::Remark) + u' ' +
                          detail.record->printingNote);
    }
}

void DailyReportWindow::SaveCompletion()
{
    fml印刷->endEdit();
    if (ShowMessage(u"確定儲存資料?"_s, u"詢問"_s, MessageService::Icon::Question,
                    MessageService::Buttons::YesNo) != MessageService::Answer::Yes)
        return;
    if (!MaintenanceLockAllows(u"儲存錯誤"_s))
        return;

    WaitCursor wait;
    // The screen repaints; a click or key waits until the save is done (a click
    // on 耗時 would open the time sheet in the middle of it).
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    QVector<QVector<QString>> cells;
    FmlToArray(*fml印刷, cells);
    const auto error =
        SaveCompletionLines(Session().ConnectionString,
                            LinesToSave(cells, m_filledRows, m_marks, m_listed), SessionEditor());
    wait.restore();
    if (error) {
        // Nothing was written; the grid keeps the edits and their marks.
        ShowMessage(*error, u"儲存錯誤"_s, MessageService::Icon::Critical);
        return;
    }
    ShowMessage(u"資料儲存完畢!"_s, u"資料儲存"_s, MessageService::Icon::Information);
    QuerySchedule();
}

void DailyReportWindow::PrintSchedule()
{
    PrintPressSchedule(this, cbo車別->currentText());
}

void DailyReportWindow::OpenWorkOrder()
{
    // The screen is disabled while the work-order program is handed the job.
    const ScreenDisabled disabled(this);
    const QString right = Session().permission(u"工單作業細部"_s);
    if (right.isEmpty() || right.startsWith(u'0')) {
        ShowMessage(u"你的權限無法使用該項功能!"_s, u"訊息"_s, MessageService::Icon::Warning);
    } else if (const auto error = WriteWorkOrderHandOff(
                   Session().TempFolder, fml印刷->text(fml印刷->activeRow(), ScheduleCol::Po))) {
        ShowMessage(*error, u"錯誤"_s, MessageService::Icon::Critical);
    } else {
        LaunchProgram(u"工單作業系統.EXE"_s);
    }
}

bool DailyReportWindow::confirmClosing()
{
    return ShowMessage(u"確定離開"_s + windowTitle() + u"嗎？"_s, kProgramTitle,
                       MessageService::Icon::Question,
                       MessageService::Buttons::YesNo) == MessageService::Answer::Yes;
}

void DailyReportWindow::AskToClose()
{
    if (!confirmClosing())
        return;
    m_unloading = true;
    close();
}

void DailyReportWindow::closeEvent(QCloseEvent *e)
{
    // The close box asks the closing question too.
    if (!m_unloading && e->spontaneous() && !confirmClosing()) {
        e->ignore();
        return;
    }
    unload();
    e->accept();
}

void DailyReportWindow::unload()
{
    m_unloading = true;
    const SessionSettings &s = Session();
    if (const auto error =
            UnregisterRunningProgram(s.ConnectionString, s.MachineUserId, kProgramTitle))
        ShowMessage(*error, u"刪除已開啟程式錯誤"_s, MessageService::Icon::Critical);
}
