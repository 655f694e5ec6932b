#include "time_sheet/timesheetwindow.h"

#include "common/datetext.h"
#include "common/formgeometry.h"
#include "common/formhelpers.h"
#include "common/handoff.h"
#include "common/messagebox.h"
#include "common/numbertext.h"
#include "common/preferences.h"
#include "common/waitcursor.h"
#include "grid/fml.h"
#include "grid/spreadsheetgrid.h"
#include "startup/platform.h"
#include "startup/sessionchecks.h"
#include "startup/sessionsettings.h"
#include "time_sheet/runcolumns.h"

#include <QApplication>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

// Rows the grid offers beyond the stored runs.
constexpr int kFreeRows = 200;
constexpr int kMinRows = 500;
// The sheet opens this far below the top of the main screen's grid.
constexpr int kBelowGridTwips = 3900;

QLabel *captionFor(const QString &text, QWidget *field, QWidget *parent)
{
    auto *caption = new QLabel(text, parent);
    caption->setBuddy(field);
    return caption;
}

QLabel *figureLabel(const QString &name, QWidget *parent)
{
    auto *label = new QLabel(u"0"_s, parent);
    label->setObjectName(name);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    label->setMinimumWidth(label->fontMetrics().horizontalAdvance(u"-0000000"_s));
    label->setFrameShape(QFrame::Panel);
    label->setFrameShadow(QFrame::Sunken);
    return label;
}

QPushButton *commandButton(const QString &name, const QString &caption, QWidget *parent)
{
    auto *button = new QPushButton(caption, parent);
    button->setObjectName(name);
    // Enter in the date box moves on; it never confirms or leaves the sheet.
    button->setAutoDefault(false);
    button->setDefault(false);
    return button;
}

} // namespace

TimeSheetWindow::TimeSheetWindow(QWidget *parent)
    : QDialog(parent), m_enterMovesOn(new EnterMovesOn(this))
{
    setObjectName(u"frm日報登錄作業_耗時"_s);
    setWindowTitle(u"耗時"_s);
    setModal(true);
    buildControls();

    // Load: figures at 0, the shared preparation, the grid emptied.
    for (QLabel *figure : {lbl時標準量, lbl標準數量, lbl實際數量, lbl差異, lbl點數})
        figure->setText(u"0"_s);
    ApplyControlStyle(this, GetWindowsVersion());
    FmlSetRowHeight(kFmlRowHeight, *fml明細);
    FmlClear(*fml明細, 0, QString());
    LockControl(txt總耗時);
    m_firstActivation = true;
    placeBelowMainGrid();
    KeepWindowPlace(this, u"TimeSheet"_s, KeptPlace::PlaceOnly); // where the user left it
}

TimeSheetWindow::~TimeSheetWindow() = default;

void TimeSheetWindow::buildControls()
{
    auto *layout = new QVBoxLayout(this);

    auto *job = new QGridLayout;
    lbl單號 = new QLabel(this);
    lbl單號->setObjectName(u"lbl單號"_s);
    lbl品名 = new QLabel(this);
    lbl品名->setObjectName(u"lbl品名"_s);
    txt完工日期 = new QLineEdit(this);
    txt完工日期->setObjectName(u"txt完工日期"_s);
    txt完工日期->setMaxLength(7); // a completion stamp, MMDD-HH
    txt完工日期->setFixedWidth(txt完工日期->fontMetrics().horizontalAdvance(u"0000-000"_s) + 12);
    txt完工日期->installEventFilter(this);
    cmd日期 = new QToolButton(this);
    cmd日期->setObjectName(u"cmd日期"_s);
    cmd日期->setIcon(style()->standardIcon(QStyle::SP_FileDialogDetailedView));
    cmd日期->setToolTip(u"日期"_s);
    cmd日期->setAccessibleName(u"日期"_s);
    txt總耗時 = new QLineEdit(this);
    txt總耗時->setObjectName(u"txt總耗時"_s);
    txt總耗時->setFixedWidth(txt總耗時->fontMetrics().horizontalAdvance(u"00000.00"_s) + 12);
    txt總耗時->setAlignment(Qt::AlignRight);
    job->addWidget(captionFor(u"工單單號："_s, lbl單號, this), 0, 0);
    job->addWidget(lbl單號, 0, 1, 1, 2);
    job->addWidget(captionFor(u"品名："_s, lbl品名, this), 0, 3);
    job->addWidget(lbl品名, 0, 4, 1, 3);
    job->addWidget(captionFor(u"完工日期:"_s, txt完工日期, this), 1, 0);
    job->addWidget(txt完工日期, 1, 1);
    job->addWidget(cmd日期, 1, 2);
    job->addWidget(captionFor(u"總耗時:"_s, txt總耗時, this), 1, 3);
    job->addWidget(txt總耗時, 1, 4);
    job->setColumnStretch(6, 1);
    layout->addLayout(job);

    auto *figures = new QFrame(this);
    figures->setObjectName(u"fra點數"_s);
    figures->setFrameShape(QFrame::StyledPanel);
    auto *figureRow = new QHBoxLayout(figures);
    lbl時標準量 = figureLabel(u"lbl時標準量"_s, figures);
    lbl標準數量 = figureLabel(u"lbl標準數量"_s, figures);
    lbl實際數量 = figureLabel(u"lbl實際數量"_s, figures);
    lbl差異 = figureLabel(u"lbl差異"_s, figures);
    lbl點數 = figureLabel(u"lbl點數"_s, figures);
    const std::pair<QString, QLabel *> figureCaptions[] = {{u"時標準量:"_s, lbl時標準量},
                                                           {u"標準數量:"_s, lbl標準數量},
                                                           {u"實際數量:"_s, lbl實際數量},
                                                           {u"差異:"_s, lbl差異},
                                                           {u"點數:"_s, lbl點數}};
    for (const auto &[caption, label] : figureCaptions) {
        figureRow->addWidget(captionFor(caption, label, figures));
        figureRow->addWidget(label);
        figureRow->addSpacing(12);
    }
    figureRow->addStretch(1);
    layout->addWidget(figures);

    fml明細 = new SpreadsheetGrid(this);
    fml明細->setObjectName(u"fml明細"_s);
    fml明細->setColumns(RunColumns());
    // A whole stamp shows in its cell, in whatever face stands in for the design's.
    const double digit = fml明細->fontMetrics().horizontalAdvance(QLatin1Char('0'));
    const int stamp = PixelsToZeroWidthUnits(
        fml明細->fontMetrics().horizontalAdvance(u"0000000-00:00"_s) + 12, digit);
    for (int col : {int(RunCol::Start), int(RunCol::End)})
        fml明細->setColumnWidth(col, std::max(fml明細->columnWidth(col), stamp));
    fml明細->setMaxCol(RunCol::Last);
    fml明細->setMaxRow(kMinRows);
    layout->addWidget(fml明細, 1);
    connectGrid();

    auto *buttons = new QHBoxLayout;
    scmd確定 = commandButton(u"scmd確定"_s, u"確   定"_s, this);
    scmd刪除 = commandButton(u"scmd刪除"_s, u"明細刪除"_s, this);
    scmd輔助 = commandButton(u"scmd輔助"_s, u"輔助(F9)"_s, this);
    ssc回前畫面 = commandButton(u"ssc回前畫面"_s, u"回前畫面"_s, this);
    for (QPushButton *b : {scmd確定, scmd刪除, scmd輔助})
        buttons->addWidget(b);
    buttons->addStretch(1);
    buttons->addWidget(ssc回前畫面);
    layout->addLayout(buttons);

    connect(scmd確定, &QPushButton::clicked, this, [this] { Confirm(); });
    connect(scmd刪除, &QPushButton::clicked, this, [this] { DeleteRun(); });
    connect(scmd輔助, &QPushButton::clicked, this, [this] { lookUpOperatorByKey(); });
    connect(ssc回前畫面, &QPushButton::clicked, this, [this] { GoBack(); });
    connect(cmd日期, &QToolButton::clicked, this, [this] { txt完工日期->setText(StampMMDDHH()); });

    // Wide enough for every shown column of the grid.
    int columns = 0;
    for (int col = 1; col <= RunCol::Last; ++col)
        if (!fml明細->isColumnHidden(col))
            columns += fml明細->columnWidthPixels(col);
    resize(columns + 90, TwipsToPixels(kFmlRowHeight, logicalDpiY()) * 10 + 200);
}

void TimeSheetWindow::placeBelowMainGrid()
{
    CenterForm(this);
    const QWidget *main = parentWidget();
    const QWidget *mainGrid = main ? main->findChild<QWidget *>(u"fml印刷"_s) : nullptr;
    if (!mainGrid)
        return;
    int top =
        mainGrid->mapToGlobal(QPoint(0, 0)).y() + TwipsToPixels(kBelowGridTwips, logicalDpiY());
    // Never below the bottom of the screen, whatever the main screen's place.
    if (const QScreen *screen = main->screen()) {
        const QRect room = screen->availableGeometry();
        top = std::clamp(top, room.top(),
                         std::max(room.top(), room.bottom() - frameGeometry().height()));
    }
    move(x(), top);
}

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
        LockEntryControls(this);
        emit ready();
        return;
    }
    lbl單號->setText(m_job.po);
    lbl品名->setText(m_job.product);
    txt完工日期->setText(m_job.completion);
    // A closed line's runs can be looked at, not saved.
    if (!m_job.closingMark.isEmpty())
        scmd確定->setEnabled(false);
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
    FmlEnableForRow(m_filledRows, *fml明細, scmd刪除);
    showTotal();
    onActiveCellChanged();
    return true;
}

void TimeSheetWindow::showTotal()
{
    double total = 0;
    for (int row = 1; row <= m_filledRows; ++row)
        total += fml明細->number(row, RunCol::Hours);
    txt總耗時->setText(NumberText(total));
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
    if (!Recalculate(fml明細->activeRow()))
        return false;
    QVector<QVector<QString>> cells;
    FmlToArray(*fml明細, cells);
    const int rows = fml明細->lastRow() == 0 ? 0 : std::min(m_filledRows, int(cells.size()));
    std::optional<QString> error;
    {
        WaitCursor wait;
        QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        error = SaveRuns(Session().ConnectionString, m_job, cells.mid(0, rows),
                         txt完工日期->text().trimmed(), m_seenRuns);
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
    FmlEnableForRow(m_filledRows, *fml明細, scmd刪除);
    showTotal();
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

bool TimeSheetWindow::eventFilter(QObject *watched, QEvent *e)
{
    if (watched == txt完工日期) {
        if (e->type() == QEvent::FocusIn) {
            QTimer::singleShot(0, txt完工日期, [box = txt完工日期] { SelectAllText(box); });
        } else if (e->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent *>(e)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter) {
                focusNextChild(); // Enter moves on, as Tab does
                return true;
            }
        }
    }
    return QDialog::eventFilter(watched, e);
}

void ShowTimeSheet(QWidget *mainScreen)
{
    TimeSheetWindow sheet(mainScreen);
    sheet.exec();
}
