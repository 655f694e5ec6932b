#include "time_sheet/timesheetform.h"

#include "common/formgeometry.h"
#include "common/formhelpers.h"
#include "grid/fml.h"
#include "grid/spreadsheetgrid.h"
#include "time_sheet/runcolumns.h"
#include "time_sheet/runcomputations.h"
#include "time_sheet/runsheet.h"

#include <QAction>
#include <QDialog>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

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

QPushButton *commandButton(const QString &name, QAction *action, QWidget *parent)
{
    auto *button = new QPushButton(parent);
    button->setObjectName(name);
    // Enter in the date box moves on; it never confirms or leaves the sheet.
    button->setAutoDefault(false);
    button->setDefault(false);
    ShowActionOnButton(action, button);
    return button;
}

} // namespace

void TimeSheetForm::setupForm(QDialog *dialog)
{
    dialog->setObjectName(u"frm日報登錄作業_耗時"_s);
    dialog->setWindowTitle(u"耗時"_s);
    new QVBoxLayout(dialog);
    setupJob(dialog);
    setupFigures(dialog);
    setupGrid(dialog);
    setupCommands(dialog);

    // Wide enough for every shown column of the grid.
    int columns = 0;
    for (int col = 1; col <= RunCol::Last; ++col)
        if (!fml明細->isColumnHidden(col))
            columns += fml明細->columnWidthPixels(col);
    dialog->resize(columns + 90, TwipsToPixels(kFmlRowHeight, dialog->logicalDpiY()) * 10 + 200);
}

void TimeSheetForm::setupJob(QDialog *dialog)
{
    auto *job = new QGridLayout;
    lbl單號 = new QLabel(dialog);
    lbl單號->setObjectName(u"lbl單號"_s);
    lbl品名 = new QLabel(dialog);
    lbl品名->setObjectName(u"lbl品名"_s);
    // The completion stamp shows whole, however it was stored.
    txt完工日期 = new QLineEdit(dialog);
    txt完工日期->setObjectName(u"txt完工日期"_s);
    txt完工日期->setMinimumWidth(txt完工日期->fontMetrics().horizontalAdvance(u"0000-000"_s) + 12);
    cmd日期 = new QToolButton(dialog);
    cmd日期->setObjectName(u"cmd日期"_s);
    cmd日期->setIcon(dialog->style()->standardIcon(QStyle::SP_FileDialogDetailedView));
    cmd日期->setToolTip(u"日期"_s);
    cmd日期->setAccessibleName(u"日期"_s);
    txt總耗時 = new QLineEdit(dialog);
    txt總耗時->setObjectName(u"txt總耗時"_s);
    txt總耗時->setFixedWidth(txt總耗時->fontMetrics().horizontalAdvance(u"00000.00"_s) + 12);
    txt總耗時->setAlignment(Qt::AlignRight);
    job->addWidget(captionFor(u"工單單號："_s, lbl單號, dialog), 0, 0);
    job->addWidget(lbl單號, 0, 1, 1, 2);
    job->addWidget(captionFor(u"品名："_s, lbl品名, dialog), 0, 3);
    job->addWidget(lbl品名, 0, 4, 1, 3);
    job->addWidget(captionFor(u"完工日期:"_s, txt完工日期, dialog), 1, 0);
    job->addWidget(txt完工日期, 1, 1);
    job->addWidget(cmd日期, 1, 2);
    job->addWidget(captionFor(u"總耗時:"_s, txt總耗時, dialog), 1, 3);
    job->addWidget(txt總耗時, 1, 4);
    job->setColumnStretch(6, 1);
    static_cast<QVBoxLayout *>(dialog->layout())->addLayout(job);
}

void TimeSheetForm::setupFigures(QDialog *dialog)
{
    auto *figures = new QFrame(dialog);
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
    dialog->layout()->addWidget(figures);
}

void TimeSheetForm::setupGrid(QDialog *dialog)
{
    fml明細 = new SpreadsheetGrid(dialog);
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
    static_cast<QVBoxLayout *>(dialog->layout())->addWidget(fml明細, 1);
    lbl重疊 = new QLabel(dialog);
    lbl重疊->setObjectName(u"lbl重疊"_s);
    lbl重疊->setStyleSheet(u"color: #a04000;"_s);
    dialog->layout()->addWidget(lbl重疊);
}

void TimeSheetForm::setupCommands(QDialog *dialog)
{
    m_confirm = new QAction(u"確   定"_s, dialog);
    m_delete = new QAction(u"明細刪除"_s, dialog);
    m_helper = new QAction(u"輔助(F9)"_s, dialog);
    m_helper->setShortcut(Qt::Key_F9);
    m_back = new QAction(u"回前畫面"_s, dialog);
    for (QAction *action : {m_confirm, m_delete, m_helper, m_back})
        dialog->addAction(action);

    auto *buttons = new QHBoxLayout;
    scmd確定 = commandButton(u"scmd確定"_s, m_confirm, dialog);
    scmd刪除 = commandButton(u"scmd刪除"_s, m_delete, dialog);
    scmd輔助 = commandButton(u"scmd輔助"_s, m_helper, dialog);
    ssc回前畫面 = commandButton(u"ssc回前畫面"_s, m_back, dialog);
    for (QPushButton *b : {scmd確定, scmd刪除, scmd輔助})
        buttons->addWidget(b);
    buttons->addStretch(1);
    buttons->addWidget(ssc回前畫面);
    static_cast<QVBoxLayout *>(dialog->layout())->addLayout(buttons);

    // 輔助 turns light grey while it is not offered; its caption stays readable.
    const auto greyHelper = [this] {
        QPalette palette = scmd輔助->palette();
        palette.setColor(QPalette::Button, m_helper->isEnabled()
                                               ? QPalette().color(QPalette::Button)
                                               : QColor(192, 192, 192));
        palette.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(96, 96, 96));
        scmd輔助->setPalette(palette);
    };
    QObject::connect(m_helper, &QAction::changed, scmd輔助, greyHelper);
}

void TimeSheetForm::placeBelowMainGrid(QDialog *dialog)
{
    CenterForm(dialog);
    const QWidget *main = dialog->parentWidget();
    const QWidget *mainGrid = main ? main->findChild<QWidget *>(u"fml印刷"_s) : nullptr;
    if (!mainGrid)
        return;
    int top = mainGrid->mapToGlobal(QPoint(0, 0)).y() +
              TwipsToPixels(kBelowGridTwips, dialog->logicalDpiY());
    // Never below the bottom of the screen, whatever the main screen's place.
    if (const QScreen *screen = main->screen()) {
        const QRect room = screen->availableGeometry();
        top = std::clamp(top, room.top(),
                         std::max(room.top(), room.bottom() - dialog->frameGeometry().height()));
    }
    dialog->move(dialog->x(), top);
}

void TimeSheetForm::showRunFigures(const RunFigures &figures)
{
    lbl實際數量->setText(figures.actual);
    lbl時標準量->setText(figures.perHour);
    lbl標準數量->setText(figures.standard);
    lbl差異->setText(figures.difference);
    lbl點數->setText(figures.score);
}

void TimeSheetForm::showRunNotes(const RunNotes &notes)
{
    // A warning, not a refusal: the times stay as typed and save as before.
    const QColor warning(255, 214, 153);
    QHash<std::pair<int, int>, CellModel::Note> cells;
    for (int row : notes.overlapping)
        for (int col : {int(RunCol::Start), int(RunCol::End)})
            cells[{row, col}].background = warning;
    for (auto it = notes.effectiveExplained.cbegin(); it != notes.effectiveExplained.cend(); ++it)
        cells[{it.key(), int(RunCol::Effective)}].toolTip = it.value();
    fml明細->setCellNotes(cells);
    lbl重疊->setText(notes.warning);
    lbl點數->setToolTip(notes.scoreExplained);
    lbl點數->setAccessibleDescription(notes.scoreExplained);
}

void TimeSheetForm::offerOnlyGoingBack(QDialog *dialog)
{
    LockEntryControls(dialog);
    for (QAction *action : {m_confirm, m_delete, m_helper})
        action->setEnabled(false);
    cmd日期->setEnabled(false);
    fml明細->setEnabled(false);
}
