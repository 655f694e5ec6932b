#include "daily_report/dailyreportwindow.h"

#include "common/datetext.h"
#include "common/formhelpers.h"
#include "common/handoff.h"
#include "common/messagebox.h"
#include "common/numbertext.h"
#include "common/waitcursor.h"
#include "daily_report/completionsave.h"
#include "daily_report/jobdetail.h"
#include "daily_report/schedulecolumns.h"
#include "daily_report/scheduleediting.h"
#include "daily_report/schedulequery.h"
#include "daily_report/timesheethook.h"
#include "daily_report/workorderhandoff.h"
#include "db/dberror.h"
#include "grid/fml.h"
#include "grid/recordtext.h"
#include "grid/spreadsheetgrid.h"
#include "grid/virtualkey.h"
#include "reports/printpressschedule.h"
#include "startup/platform.h"
#include "startup/processcontrol.h"
#include "startup/runningprogram.h"
#include "startup/sessionchecks.h"
#include "startup/sessionsettings.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHash>
#include <QKeyEvent>
#include <QLabel>
#include <QRadioButton>
#include <QStatusBar>
#include <QStyle>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

constexpr int kRowHeight = 400;
const QString kSave = u"save"_s;
const QString kPrint = u"print"_s;
const QString kWorkOrder = u"工單"_s;

struct ToolbarButton
{
    const char *caption;
    const char *key;
    const char *tooltip;
    QStyle::StandardPixmap icon;
};

// Toolbar1 in its design order; only save, print, print1, refresh and exit act here.
const ToolbarButton toolbar1Buttons[] = {
    {"新增  ", "add", "新增(F1)", QStyle::SP_FileIcon},
    {"修改  ", "edit", "修改", QStyle::SP_FileDialogDetailedView},
    {"查詢", "search", "查詢(F2)", QStyle::SP_FileDialogContentsView},
    {"排程單", "print", "排程單", QStyle::SP_FileDialogListView},
    {"單筆列印", "print1", "單筆列印", QStyle::SP_FileDialogInfoView},
    {"還原", "reload", "還原", QStyle::SP_BrowserReload},
    {"工單查詢", "明細查詢", "工單查詢", QStyle::SP_FileDialogContentsView},
    {"預設", "預設", "預設", QStyle::SP_DialogResetButton},
    {"刪除", "del", "刪除(F3)", QStyle::SP_TrashIcon},
    {"  第一筆  ", "first", "第一筆(Ctrl-Home)", QStyle::SP_MediaSkipBackward},
    {"上一筆", "previous", "上一筆(Page Up)", QStyle::SP_MediaSeekBackward},
    {"下一筆", "next", "下一筆(Page Down)", QStyle::SP_MediaSeekForward},
    {"最末筆", "last", "最末筆(Ctrl-End)", QStyle::SP_MediaSkipForward},
    {"   儲存   ", "save", "儲存(F8)", QStyle::SP_DialogSaveButton},
    {"刷新", "refresh", "刷新", QStyle::SP_BrowserReload},
    {"離開", "exit", "離開(ESC)", QStyle::SP_DialogCloseButton},
};

QAction *actionOf(QToolBar *bar, const QString &key)
{
    for (QAction *a : bar->actions())
        if (a->objectName() == key)
            return a;
    return nullptr;
}

QLabel *captionLabel(const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(u"Label3"_s);
    return label;
}

} // namespace

DailyReportWindow::DailyReportWindow(QWidget *parent) : QMainWindow(parent)
{
    setObjectName(u"frm日報登錄作業"_s);
    setWindowTitle(u"印刷日報登錄"_s);
    buildToolbars();
    buildControls();
    resize(1180, 720);

    // Load: centre and style the form; the first activation does the rest.
    CenterForm(this);
    ApplyControlStyle(this, GetWindowsVersion());
    m_firstActivation = true;
    qApp->installEventFilter(this);
}

DailyReportWindow::~DailyReportWindow()
{
    qApp->removeEventFilter(this);
}

void DailyReportWindow::buildToolbars()
{
    Toolbar1 = addToolBar(u"Toolbar1"_s);
    Toolbar1->setObjectName(u"Toolbar1"_s);
    Toolbar1->setMovable(false);
    Toolbar1->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    for (const ToolbarButton &b : toolbar1Buttons) {
        QAction *a =
            Toolbar1->addAction(style()->standardIcon(b.icon), QString::fromUtf8(b.caption));
        const QString key = QString::fromUtf8(b.key);
        a->setObjectName(key);
        a->setToolTip(QString::fromUtf8(b.tooltip));
        connect(a, &QAction::triggered, this, [this, key] { onToolbar1(key); });
        if (key == u"預設" || key == u"del" || key == u"last")
            Toolbar1->addSeparator();
    }

    Toolbar2 = addToolBar(u"Toolbar2"_s);
    Toolbar2->setObjectName(u"Toolbar2"_s);
    Toolbar2->setMovable(false);
    Toolbar2->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    QAction *workOrder =
        Toolbar2->addAction(style()->standardIcon(QStyle::SP_DirOpenIcon), u" 查工單 "_s);
    workOrder->setObjectName(kWorkOrder);
    workOrder->setToolTip(u"工單"_s);
    connect(workOrder, &QAction::triggered, this, [this] { OpenWorkOrder(); });
}

void DailyReportWindow::buildControls()
{
    auto *central = new QWidget(this);
    auto *layout = new QVBoxLayout(central);

    auto *top = new QHBoxLayout;
    auto *pressLabel = new QLabel(u"車別:"_s, central);
    cbo車別 = new QComboBox(central);
    cbo車別->setObjectName(u"cbo車別"_s);
    cbo車別->setEditable(true);
    cbo車別->setMinimumWidth(180);
    cbo車別->setInsertPolicy(QComboBox::NoInsert);
    pressLabel->setBuddy(cbo車別);
    top->addWidget(pressLabel);
    top->addWidget(cbo車別);

    auto *options = new QButtonGroup(this);
    const QString captions[2] = {u"已完工不秀"_s, u"只秀已完工"_s};
    for (int i = 0; i < 2; ++i) {
        opt完工[i] = new QRadioButton(captions[i], central);
        opt完工[i]->setObjectName(u"opt完工_%1"_s.arg(i));
        options->addButton(opt完工[i], i);
        top->addWidget(opt完工[i]);
        connect(opt完工[i], &QRadioButton::clicked, this, [this] { ClearSchedule(); });
    }
    opt完工[0]->setChecked(true);

    scmd顯示資料 = new QToolButton(central);
    scmd顯示資料->setObjectName(u"scmd顯示資料"_s);
    scmd顯示資料->setIcon(style()->standardIcon(QStyle::SP_FileDialogContentsView));
    scmd顯示資料->setIconSize(QSize(24, 24));
    scmd顯示資料->setToolTip(u"顯示資料"_s);
    scmd顯示資料->setAccessibleName(u"顯示資料"_s);
    connect(scmd顯示資料, &QToolButton::clicked, this, [this] { QuerySchedule(); });
    top->addWidget(scmd顯示資料);
    top->addStretch(1);
    layout->addLayout(top);

    connect(cbo車別, &QComboBox::activated, this, [this] { ClearSchedule(); });

    fml印刷 = new SpreadsheetGrid(central);
    fml印刷->setObjectName(u"fml印刷"_s);
    fml印刷->setAccessibleName(u"印刷排程"_s);
    fml印刷->setColumns(ScheduleColumns());
    // Cells show their stored values as they are: the designed number formats would
    // widen 1200 to 1200.000 and cut it off in the narrow 台數 column.
    for (int col = 1; col <= ScheduleCol::Last; ++col)
        fml印刷->setColumnFormat(col, u"General"_s);
    fml印刷->setMaxCol(ScheduleCol::Last);
    fml印刷->setMaxRow(100);
    layout->addWidget(fml印刷, 1);
    connect(fml印刷, &SpreadsheetGrid::cellClicked, this, &DailyReportWindow::onCellClicked);
    connect(fml印刷, &SpreadsheetGrid::activeCellChanged, this,
            &DailyReportWindow::onActiveCellChanged);
    connect(fml印刷, &SpreadsheetGrid::keyPressed, this, &DailyReportWindow::onKeyPressed);
    connect(fml印刷, &SpreadsheetGrid::keyDown, this,
            [this](int &key, Qt::KeyboardModifiers) { onKeyDown(key); });
    connect(fml印刷, &SpreadsheetGrid::editEnded, this, &DailyReportWindow::onEditEnded);

    // The job detail panel under the grid.
    pic明細 = new QFrame(central);
    pic明細->setObjectName(u"pic明細"_s);
    pic明細->setFrameShape(QFrame::StyledPanel);
    auto *detail = new QGridLayout(pic明細);
    lbl客戶 = new QLabel(pic明細);
    lbl客戶->setObjectName(u"lbl客戶"_s);
    lbl品名 = new QLabel(pic明細);
    lbl品名->setObjectName(u"lbl品名"_s);
    lbl備註 = new QLabel(u"印刷備註:"_s, pic明細);
    lbl備註->setObjectName(u"lbl備註"_s);
    lbl備註1 = new QLabel(u"印刷備註"_s, pic明細);
    lbl備註1->setObjectName(u"lbl備註1"_s);
    lbl備註1->setWordWrap(true);
    auto *customerCaption = captionLabel(u"客戶:"_s, pic明細);
    auto *productCaption = captionLabel(u"品名:"_s, pic明細);
    customerCaption->setBuddy(lbl客戶);
    productCaption->setBuddy(lbl品名);
    lbl備註->setBuddy(lbl備註1);
    detail->addWidget(customerCaption, 0, 0);
    detail->addWidget(lbl客戶, 0, 1);
    detail->addWidget(productCaption, 0, 2);
    detail->addWidget(lbl品名, 0, 3);
    detail->addWidget(lbl備註, 1, 0);
    detail->addWidget(lbl備註1, 1, 1, 1, 3);
    detail->setColumnStretch(1, 1);
    detail->setColumnStretch(3, 3);

    pic急件 = new QFrame(pic明細);
    pic急件->setObjectName(u"pic急件"_s);
    pic急件->setStyleSheet(u"background-color: red;"_s);
    auto *badge = new QHBoxLayout(pic急件);
    lbl急件 = new QLabel(u" 急  件 "_s, pic急件);
    lbl急件->setObjectName(u"lbl急件"_s);
    lbl急件->setStyleSheet(u"color: white; font-weight: bold; font-size: 14pt;"_s);
    badge->addWidget(lbl急件);
    detail->addWidget(pic急件, 0, 4, 2, 1);
    pic急件->hide();
    layout->addWidget(pic明細);
    setCentralWidget(central);

    const QString panels[4] = {u"筆數"_s, u"0"_s, u"系統日期"_s, TodayDateShown()};
    for (int i = 0; i < 4; ++i) {
        StatusPanel[i] = new QLabel(panels[i], this);
        StatusPanel[i]->setObjectName(u"StatusBar1_%1"_s.arg(i + 1));
        StatusPanel[i]->setFrameShape(QFrame::Panel);
        StatusPanel[i]->setFrameShadow(QFrame::Sunken);
        StatusPanel[i]->setMinimumWidth(i % 2 ? 120 : 70);
        statusBar()->addWidget(StatusPanel[i]);
    }
    statusBar()->setObjectName(u"StatusBar1"_s);
}

bool DailyReportWindow::event(QEvent *e)
{
    if (e->type() == QEvent::WindowActivate && !m_activating) {
        // Each activation disables the screen while it is handled.
        m_activating = true;
        setEnabled(false);
        if (m_firstActivation)
            firstActivation();
        setEnabled(true);
        m_activating = false;
    }
    return QMainWindow::event(e);
}

void DailyReportWindow::firstActivation()
{
    m_firstActivation = false;
    SessionSettings &s = Session();
    s.MainWindow = OwnWindowHandle();
    const bool parentAlive = IsParentAlive(s.ParentWindow);
    if (const auto error = RegisterRunningProgram(s.ConnectionString, s.MachineUserId, parentAlive,
                                                  s.MainWindow, ProgramTitle))
        ShowMessage(*error, u"記錄已開啟程式錯誤"_s, MessageService::Icon::Critical);
    if (!parentAlive)
        ProcessControl::EndNow(); // the menu program that started us has gone
    ClearSchedule();
    FillPressList();
    cbo車別->setFocus();
    emit ready();
}

void DailyReportWindow::setScheduleActions(bool enabled)
{
    actionOf(Toolbar1, kSave)->setEnabled(enabled);
    actionOf(Toolbar1, kPrint)->setEnabled(enabled);
    actionOf(Toolbar2, kWorkOrder)->setEnabled(enabled);
}

void DailyReportWindow::FillPressList()
{
    WaitCursor wait;
    cbo車別->clear();
    cbo車別->addItem(QString());
    try {
        cbo車別->addItems(ReadPressNames(Session().ConnectionString));
    } catch (const DbError &e) {
        ShowMessage(e.description(), u"取得所有機別資料錯誤"_s, MessageService::Icon::Critical);
    }
}

void DailyReportWindow::ClearSchedule()
{
    m_detailPo.clear();
    m_detailNo.clear();
    FmlSetRowHeight(kRowHeight, *fml印刷);
    FmlClear(*fml印刷, 0, QString());
    fml印刷->setMaxRow(100);
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
    m_marks = {{false}};
    m_listed.clear();
    const bool finishedOnly = opt完工[1]->isChecked();
    try {
        ScheduleResult result =
            QueryScheduleRows(Session().ConnectionString, cbo車別->currentText(), finishedOnly);
        // Colour counts are shown grouped, and a count of zero blank. Done on the
        // result, so the grid is written in one bulk copy.
        for (int field : {ScheduleCol::Color1 - 1, ScheduleCol::Color2 - 1}) {
            if (field >= result.records.size())
                continue;
            QHash<QString, QString> shown; // colour counts repeat: group each value once
            for (QVariant &value : result.records[field]) {
                const QString raw = RecordValueText(value);
                auto it = shown.find(raw);
                if (it == shown.end()) {
                    const QString text = FormatThousands(raw);
                    it = shown.insert(raw, text == u"0" ? QString() : text);
                }
                value = *it;
            }
        }
        if (result.count == 0) {
            fml印刷->setMaxRow(1);
            setScheduleActions(false);
            fml印刷->setEnabled(false);
        } else {
            m_filledRows = result.count;
            FmlFromArray(*fml印刷, result.records, 0);
            FmlCountRow(m_filledRows, *fml印刷);
            fml印刷->setMaxRow(m_filledRows);
            setScheduleActions(true);
            fml印刷->setEnabled(true);
            fml印刷->setFocus();
        }
        StatusPanel[1]->setText(QString::number(m_filledRows));

        for (int row = 1; row <= m_filledRows; ++row) {
            m_listed.append({fml印刷->text(row, ScheduleCol::Planned),
                             fml印刷->text(row, ScheduleCol::Completion)});
        }
        if (finishedOnly)
            actionOf(Toolbar1, kPrint)->setEnabled(false); // the schedule prints open lines only
        m_marks = QVector<QVector<bool>>(fml印刷->maxRow() + 1,
                                         QVector<bool>(fml印刷->maxCol() + 1, false));
        StatusPanel[1]->setText(QString::number(m_filledRows));
        // As a move of the cursor does (on column 1, so no time sheet opens).
        onActiveCellChanged(fml印刷->activeRow(), fml印刷->activeCol());
    } catch (const DbError &e) {
        ShowMessage(e.description(), u"顯示資料錯誤"_s, MessageService::Icon::Warning);
    }
}

void DailyReportWindow::RefreshJobDetail()
{
    const int row = fml印刷->activeRow();
    lbl客戶->setText(fml印刷->text(row, ScheduleCol::Customer).trimmed());
    lbl品名->setText(fml印刷->text(row, ScheduleCol::Product).trimmed());
    ShowJobDetail(fml印刷->text(row, ScheduleCol::PO).trimmed(),
                  fml印刷->text(row, ScheduleCol::NO).trimmed());
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
    try {
        const std::optional<JobDetailRecord> record = ReadJobDetail(Session().ConnectionString, po);
        if (!record)
            return;
        pic急件->setVisible(record->rush);
        if (record->rush)
            pic急件->raise();
        lbl備註1->setText(fml印刷->text(fml印刷->activeRow(), ScheduleCol::Remark) + u' ' +
                          record->printingNote);
    } catch (const DbError &e) {
        ShowMessage(e.description(), u"依工單單號取得資料錯誤"_s, MessageService::Icon::Critical);
    }
}

bool DailyReportWindow::isMarked(int row, int col) const
{
    return row >= 0 && row < m_marks.size() && col >= 0 && col < m_marks[row].size() &&
           m_marks[row][col];
}

void DailyReportWindow::mark(int row, int col)
{
    if (row >= 0 && row < m_marks.size() && col >= 0 && col < m_marks[row].size())
        m_marks[row][col] = true;
}

bool DailyReportWindow::rowIsClosed(int row) const
{
    return IsClosedRow(fml印刷->text(row, ScheduleCol::ClosingMark));
}

bool DailyReportWindow::activeColumnTakesStamps() const
{
    return IsStampHeading(fml印刷->heading(fml印刷->activeCol()));
}

void DailyReportWindow::onCellClicked(int row, int col)
{
    if (row < 1 || col < 1 || rowIsClosed(row))
        return;
    if (activeColumnTakesStamps() && fml印刷->text(row, col).trimmed().isEmpty()) {
        fml印刷->setText(row, col, StampMMDDHH());
        mark(row, col);
    }
}

void DailyReportWindow::onActiveCellChanged(int row, int col)
{
    RefreshJobDetail();
    ClearJobHandOff();
    if (fml印刷->heading(col) != u"耗時")
        return;
    JobHandOffList &handOff = JobHandOff();
    const int columns[12] = {
        ScheduleCol::PO,         ScheduleCol::NO,           ScheduleCol::Completion,
        ScheduleCol::TimeUsed,   ScheduleCol::Product,      ScheduleCol::Press,
        ScheduleCol::Color1,     ScheduleCol::Color2,       ScheduleCol::Proofing,
        ScheduleCol::ScheduleId, ScheduleCol::ScheduleLine, ScheduleCol::ClosingMark};
    for (int slot = 0; slot < 12; ++slot)
        handOff[slot] = fml印刷->text(row, columns[slot]).trimmed();
    OpenTimeSheet(this);
    if (TimeSheetSaved()) {
        fml印刷->setText(row, ScheduleCol::TimeUsed, handOff[0]);
        fml印刷->setText(row, ScheduleCol::Completion, handOff[1]);
        mark(row, ScheduleCol::Completion);
        // The time sheet has stored this stamp itself: it is what the line now holds.
        if (row - 1 < m_listed.size())
            m_listed[row - 1].second = handOff[1];
    }
}

void DailyReportWindow::onKeyPressed(int &charCode)
{
    const int row = fml印刷->activeRow();
    if (activeColumnTakesStamps() && !rowIsClosed(row)) {
        mark(row, fml印刷->activeCol());
    } else if (charCode != 8 && charCode != 13) {
        charCode = 0; // nothing else of the schedule can be typed into
    }
    // Enter moves on to the next cell: the Tab goes out once the grid has finished
    // with the Enter (an edit it ends must be stored in its own cell first).
    if (charCode == 13)
        QTimer::singleShot(0, this, [] { SendKeysViaShell(u"{TAB}"_s, false); });
}

void DailyReportWindow::onKeyDown(int &keyCode)
{
    if (keyCode == VirtualKey::Delete) {
        if (activeColumnTakesStamps() && !rowIsClosed(fml印刷->activeRow()))
            mark(fml印刷->activeRow(), fml印刷->activeCol());
        else
            keyCode = 0;
    } else if (keyCode == VirtualKey::F2) {
        keyCode = 0;
    }
}

void DailyReportWindow::onEditEnded(QString &text, bool &accept)
{
    const QString heading = fml印刷->heading(fml印刷->activeCol());
    // Only the running order and the stamps of open lines take entries; an edit
    // opened anywhere else (a double click) leaves the cell as it was.
    if (heading != u"順序" && !(IsStampHeading(heading) && !rowIsClosed(fml印刷->activeRow()))) {
        accept = false;
        return;
    }
    const LimitedEntry entry = LimitScheduleEntry(heading, text);
    if (entry.setsText)
        text = entry.text;
    if (!entry.message.isEmpty())
        ShowMessage(entry.message, u"訊息"_s, MessageService::Icon::Warning);
    fml印刷->setFocus();
    mark(fml印刷->activeRow(), fml印刷->activeCol());
}

void DailyReportWindow::SaveCompletion()
{
    fml印刷->endEdit();
    if (ShowMessage(u"確定儲存資料?"_s, u"詢問"_s, MessageService::Icon::Question,
                    MessageService::Buttons::YesNo) != MessageService::Answer::Yes)
        return;
    if (!MaintenanceLockAllows())
        return;

    try {
        WaitCursor wait;
        QApplication::processEvents();
        QVector<QVector<QString>> cells;
        FmlToArray(*fml印刷, cells);
        QVector<CompletionLine> lines;
        for (int r = 0; r < m_filledRows && r < cells.size(); ++r) {
            if (!isMarked(r + 1, ScheduleCol::Planned) && !isMarked(r + 1, ScheduleCol::Completion))
                continue;
            const QVector<QString> &row = cells[r];
            const auto cell = [&](int col) {
                return col - 1 < row.size() ? row[col - 1] : QString();
            };
            CompletionLine line;
            line.po = cell(ScheduleCol::PO).trimmed();
            line.no = Val(cell(ScheduleCol::NO));
            line.id = cell(ScheduleCol::ScheduleId).trimmed();
            line.ino = Val(cell(ScheduleCol::ScheduleLine));
            line.planned = cell(ScheduleCol::Planned).trimmed();
            line.completion = cell(ScheduleCol::Completion).trimmed();
            if (r < m_listed.size()) {
                line.listedPlanned = m_listed[r].first;
                line.listedCompletion = m_listed[r].second;
            }
            lines.append(line);
        }
        SaveCompletionLines(Session().ConnectionString, lines);
    } catch (const DbError &e) {
        // Nothing was written; the grid keeps the edits and their marks.
        ShowMessage(e.description(), u"儲存錯誤"_s, MessageService::Icon::Critical);
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
    setEnabled(false);
    const QString right = Session().permission(u"工單作業細部"_s);
    if (right.isEmpty() || right.startsWith(u'0')) {
        ShowMessage(u"你的權限無法使用該項功能!"_s, u"訊息"_s, MessageService::Icon::Warning);
    } else if (const auto error = WriteWorkOrderHandOff(
                   Session().TempFolder, fml印刷->text(fml印刷->activeRow(), ScheduleCol::PO))) {
        ShowMessage(*error, u"錯誤"_s, MessageService::Icon::Critical);
    } else {
        LaunchProgram(u"工單作業系統.EXE"_s);
    }
    setEnabled(true);
}

void DailyReportWindow::onToolbar1(const QString &key)
{
    Toolbar1->setEnabled(false);
    if (key == kSave)
        SaveCompletion();
    else if (key == kPrint || key == u"print1")
        PrintSchedule();
    else if (key == u"refresh")
        QuerySchedule();
    else if (key == u"exit") {
        Toolbar1->setEnabled(true);
        AskToClose();
        return;
    }
    Toolbar1->setEnabled(true);
}

bool DailyReportWindow::confirmClosing()
{
    return ShowMessage(u"確定離開"_s + windowTitle() + u"嗎？"_s, ProgramTitle,
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
    if (!m_unloading && e->spontaneous()) {
        // The close box asks the closing question too.
        if (!confirmClosing()) {
            e->ignore();
            return;
        }
    }
    unload();
    e->accept();
}

void DailyReportWindow::unload()
{
    m_unloading = true;
    qApp->removeEventFilter(this);
    const SessionSettings &s = Session();
    if (const auto error =
            UnregisterRunningProgram(s.ConnectionString, s.MachineUserId, ProgramTitle))
        ShowMessage(*error, u"刪除已開啟程式錯誤"_s, MessageService::Icon::Critical);
}

bool DailyReportWindow::eventFilter(QObject *watched, QEvent *e)
{
    // The screen sees its keys before its controls do.
    if (e->type() != QEvent::KeyPress || !watched->isWidgetType())
        return false;
    auto *widget = static_cast<QWidget *>(watched);
    if (widget->window() != this || !isEnabled())
        return false;
    const int key = static_cast<QKeyEvent *>(e)->key();
    if (key == Qt::Key_F8) {
        if (actionOf(Toolbar1, kSave)->isEnabled())
            SaveCompletion();
        return true;
    }
    if (key == Qt::Key_F4) {
        PrintSchedule();
        return true;
    }
    if (key == Qt::Key_Escape) {
        AskToClose();
        return true;
    }
    return false;
}
