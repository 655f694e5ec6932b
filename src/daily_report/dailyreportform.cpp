#include "daily_report/dailyreportform.h"

#include "common/datetext.h"
#include "daily_report/drawnicon.h"
#include "daily_report/schedulecolumns.h"
#include "grid/spreadsheetgrid.h"

#include <QAction>
#include <QButtonGroup>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMainWindow>
#include <QRadioButton>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

struct ToolbarButton
{
    QString caption;
    QString key; // the action's object name
    QString tooltip;
    Picture picture;
    QKeySequence shortcut = {};
};

// Toolbar1 in its design order.
const ToolbarButton kToolbar1[] = {
    {u"新增  "_s, u"add"_s, u"新增(F1)"_s, Picture::Page},
    {u"修改  "_s, u"edit"_s, u"修改"_s, Picture::Pencil},
    {u"查詢"_s, u"search"_s, u"查詢(F2)"_s, Picture::Magnifier},
    {u"排程單"_s, u"print"_s, u"排程單"_s, Picture::Printer},
    {u"單筆列印"_s, u"print1"_s, u"單筆列印"_s, Picture::Sheet, Qt::Key_F4},
    {u"還原"_s, u"reload"_s, u"還原"_s, Picture::Undo},
    {u"工單查詢"_s, u"明細查詢"_s, u"工單查詢"_s, Picture::List},
    {u"預設"_s, u"預設"_s, u"預設"_s, Picture::Star},
    {u"刪除"_s, u"del"_s, u"刪除(F3)"_s, Picture::Bin},
    {u"  第一筆  "_s, u"first"_s, u"第一筆(Ctrl-Home)"_s, Picture::First},
    {u"上一筆"_s, u"previous"_s, u"上一筆(Page Up)"_s, Picture::Previous},
    {u"下一筆"_s, u"next"_s, u"下一筆(Page Down)"_s, Picture::Next},
    {u"最末筆"_s, u"last"_s, u"最末筆(Ctrl-End)"_s, Picture::Last},
    {u"   儲存   "_s, u"save"_s, u"儲存(F8)"_s, Picture::Disk, Qt::Key_F8},
    {u"刷新"_s, u"refresh"_s, u"刷新"_s, Picture::Refresh},
    {u"離開"_s, u"exit"_s, u"離開(ESC)"_s, Picture::Door, Qt::Key_Escape},
};

QToolBar *newToolBar(QMainWindow *window, const QString &name)
{
    QToolBar *bar = window->addToolBar(name);
    bar->setObjectName(name);
    bar->setMovable(false);
    bar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    return bar;
}

QLabel *newLabel(const QString &name, const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(name);
    return label;
}

} // namespace

void DailyReportForm::setupForm(QMainWindow *window)
{
    window->setObjectName(u"frm日報登錄作業"_s);
    window->setWindowTitle(u"印刷日報登錄"_s);
    setupToolbars(window);

    auto *central = new QWidget(window);
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

    auto *options = new QButtonGroup(window);
    const QString captions[2] = {u"已完工不秀"_s, u"只秀已完工"_s};
    for (int i = 0; i < 2; ++i) {
        opt完工[i] = new QRadioButton(captions[i], central);
        opt完工[i]->setObjectName(u"opt完工_%1"_s.arg(i));
        options->addButton(opt完工[i], i);
        top->addWidget(opt完工[i]);
    }
    opt完工[0]->setChecked(true);

    scmd顯示資料 = new QToolButton(central);
    scmd顯示資料->setObjectName(u"scmd顯示資料"_s);
    scmd顯示資料->setIcon(DrawnIcon(Picture::Magnifier));
    scmd顯示資料->setIconSize(QSize(24, 24));
    scmd顯示資料->setToolTip(u"顯示資料"_s);
    scmd顯示資料->setAccessibleName(u"顯示資料"_s);
    top->addWidget(scmd顯示資料);
    top->addStretch(1);
    layout->addLayout(top);

    setupGrid(central);
    layout->addWidget(fml印刷, 1);
    setupDetailPanel(central);
    layout->addWidget(pic明細);
    window->setCentralWidget(central);

    const QString panels[4] = {u"筆數"_s, u"0"_s, u"系統日期"_s, TodayDateShown()};
    for (int i = 0; i < 4; ++i) {
        StatusPanel[i] = newLabel(u"StatusBar1_%1"_s.arg(i + 1), panels[i], window);
        StatusPanel[i]->setFrameShape(QFrame::Panel);
        StatusPanel[i]->setFrameShadow(QFrame::Sunken);
        StatusPanel[i]->setMinimumWidth(i % 2 ? 120 : 70);
        window->statusBar()->addWidget(StatusPanel[i]);
    }
    window->statusBar()->setObjectName(u"StatusBar1"_s);
}

void DailyReportForm::setupToolbars(QMainWindow *window)
{
    Toolbar1 = newToolBar(window, u"Toolbar1"_s);
    for (const ToolbarButton &b : kToolbar1) {
        QAction *a = Toolbar1->addAction(DrawnIcon(b.picture), b.caption);
        a->setObjectName(b.key);
        a->setToolTip(b.tooltip);
        a->setShortcut(b.shortcut);
        a->setEnabled(false); // until the screen gives it a command
        if (b.key == u"預設" || b.key == u"del" || b.key == u"last")
            Toolbar1->addSeparator();
    }
    const auto action = [this](const QString &key) {
        QAction *a = Toolbar1->findChild<QAction *>(key);
        a->setEnabled(true);
        return a;
    };
    m_save = action(u"save"_s);
    m_print = action(u"print"_s);
    m_print1 = action(u"print1"_s);
    m_refresh = action(u"refresh"_s);
    m_exit = action(u"exit"_s);

    Toolbar2 = newToolBar(window, u"Toolbar2"_s);
    m_workOrder = Toolbar2->addAction(DrawnIcon(Picture::Folder), u" 查工單 "_s);
    m_workOrder->setObjectName(u"工單"_s);
    m_workOrder->setToolTip(u"工單"_s);
}

void DailyReportForm::setupGrid(QWidget *parent)
{
    fml印刷 = new SpreadsheetGrid(parent, kEmptyRows, ScheduleCol::Last);
    fml印刷->setObjectName(u"fml印刷"_s);
    fml印刷->setAccessibleName(u"印刷排程"_s);
    fml印刷->setColumns(ScheduleColumns());
}

void DailyReportForm::setupDetailPanel(QWidget *parent)
{
    pic明細 = new QFrame(parent);
    pic明細->setObjectName(u"pic明細"_s);
    pic明細->setFrameShape(QFrame::StyledPanel);
    auto *detail = new QGridLayout(pic明細);
    lbl客戶 = newLabel(u"lbl客戶"_s, QString(), pic明細);
    lbl品名 = newLabel(u"lbl品名"_s, QString(), pic明細);
    lbl備註 = newLabel(u"lbl備註"_s, u"印刷備註:"_s, pic明細);
    lbl備註1 = newLabel(u"lbl備註1"_s, u"印刷備註"_s, pic明細);
    lbl備註1->setWordWrap(true);
    QLabel *customerCaption = newLabel(u"Label3"_s, u"客戶:"_s, pic明細);
    QLabel *productCaption = newLabel(u"Label3"_s, u"品名:"_s, pic明細);
    customerCaption->setBuddy(lbl客戶);
    productCaption->setBuddy(lbl品名);
    lbl備註->setBuddy(lbl備註1);
    detail->addWidget(customerCaption, 0, 0);
    detail->addWidget(lbl客戶, 0, 1);
    detail->addWidget(productCaption, 0, 2);
    detail->addWidget(lbl品名, 0, 3);
    detail->addWidget(lbl備註, 1, 0);
    detail->addWidget(lbl備註1, 1, 1, 1, 3);
    // The empty screen hides the remark until a line is listed: it starts hidden, so
    // the first showing neither lays it out nor paints it.
    lbl備註->hide();
    lbl備註1->hide();
    detail->setColumnStretch(1, 1);
    detail->setColumnStretch(3, 3);

    pic急件 = new QFrame(pic明細);
    pic急件->setObjectName(u"pic急件"_s);
    pic急件->setStyleSheet(u"background-color: red;"_s);
    auto *badge = new QHBoxLayout(pic急件);
    lbl急件 = newLabel(u"lbl急件"_s, u" 急  件 "_s, pic急件);
    lbl急件->setStyleSheet(u"color: white; font-weight: bold; font-size: 14pt;"_s);
    badge->addWidget(lbl急件);
    detail->addWidget(pic急件, 0, 4, 2, 1);
    pic急件->hide();
}
