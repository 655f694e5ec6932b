#include "lookups/lookupdialog.h"

#include "common/colournumber.h"
#include "common/formgeometry.h"
#include "common/formhelpers.h"
#include "common/handoff.h"
#include "common/messagebox.h"
#include "common/typefaces.h"
#include "lookups/lookupplacement.h"
#include "startup/platform.h"
#include "startup/sessionsettings.h"

#include <QApplication>
#include <QFrame>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QStatusBar>
#include <QTableWidget>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

const QString kHint = u"選取時請按[ENTER]或滑鼠右鍵一下!!"_s;
// One notch of a mouse wheel, and the rows it moves the list's top row.
constexpr int kWheelNotch = 120;
constexpr int kRowsPerNotch = 3;

// A style sheet declaration of a colour setting; empty when the setting is empty.
QString declaration(const QString &property, const QString &setting)
{
    const QColor colour = ColourFromNumberText(setting);
    return colour.isValid() ? property + u": "_s + colour.name() + u"; "_s : QString();
}

double dpiOf(const QWidget *widget)
{
    return widget->logicalDpiX();
}

} // namespace

LookupDialog::LookupDialog(QWidget *caller, const Design &design)
    : QDialog(caller), m_widthsTwips(design.widthsTwips),
      m_disabledWhileActivating(design.disabledWhileActivating)
{
    setObjectName(design.objectName);
    setWindowTitle(design.caption);
    QFont ming = font();
    ming.setFamilies({ScreenFamily(), FaceForFamily(ScreenFamily())});
    setFont(ming);
    buildControls(design);
    resize(TwipsToPixels(design.clientTwips.width(), dpiOf(this)),
           TwipsToPixels(design.clientTwips.height(), logicalDpiY()));

    // Load: style and centre, place against the caller, hand nothing back yet.
    ApplyControlStyle(this, GetWindowsVersion());
    CenterForm(this);
    if (caller)
        placeAgainst(caller);
    ClearJobHandOff();
    applySessionColours();
}

void LookupDialog::buildControls(const Design &design)
{
    SSPanel1 = new QFrame(this);
    SSPanel1->setObjectName(u"SSPanel1"_s);
    SSPanel1->setFrameShape(QFrame::Panel);
    SSPanel1->setFrameShadow(QFrame::Raised);

    Label1 = new QLabel(design.filterLabel, SSPanel1);
    Label1->setObjectName(u"Label1"_s);
    txt篩選 = new QLineEdit(SSPanel1);
    txt篩選->setObjectName(u"txt篩選"_s);
    txt篩選->installEventFilter(this);
    Label1->setBuddy(txt篩選);
    scmd確定 = new QPushButton(u"確定"_s, SSPanel1);
    scmd確定->setObjectName(u"scmd確定"_s);
    scmd確定->setAutoDefault(false); // Enter belongs to the filter box and the list
    connect(scmd確定, &QPushButton::clicked, this, &LookupDialog::confirm);
    connect(txt篩選, &QLineEdit::returnPressed, this, &LookupDialog::confirm);

    MSHFlexGrid1 = new QTableWidget(0, int(design.headings.size()), SSPanel1);
    MSHFlexGrid1->setObjectName(u"MSHFlexGrid1"_s);
    MSHFlexGrid1->setAccessibleName(design.caption);
    MSHFlexGrid1->setHorizontalHeaderLabels(design.headings);
    MSHFlexGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    MSHFlexGrid1->setSelectionBehavior(QAbstractItemView::SelectRows);
    MSHFlexGrid1->setSelectionMode(QAbstractItemView::SingleSelection);
    MSHFlexGrid1->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    MSHFlexGrid1->setTabKeyNavigation(false);
    MSHFlexGrid1->setWordWrap(false);
    MSHFlexGrid1->verticalHeader()->hide();
    MSHFlexGrid1->horizontalHeader()->setHighlightSections(false);
    MSHFlexGrid1->horizontalHeader()->setMinimumSectionSize(0);
    MSHFlexGrid1->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    for (int col = 0; col < m_widthsTwips.size(); ++col) {
        const int width = m_widthsTwips.at(col);
        MSHFlexGrid1->setColumnWidth(col, TwipsToPixels(width, dpiOf(this)));
        MSHFlexGrid1->setColumnHidden(col, width == 0);
    }
    MSHFlexGrid1->installEventFilter(this);
    MSHFlexGrid1->viewport()->installEventFilter(this);

    m_filterRow = new QHBoxLayout;
    m_filterRow->addWidget(Label1);
    m_filterRow->addWidget(txt篩選, 1);
    m_filterRow->addWidget(scmd確定);
    auto *panel = new QVBoxLayout(SSPanel1);
    panel->setContentsMargins(6, 6, 6, 6);
    panel->addLayout(m_filterRow);
    panel->addWidget(MSHFlexGrid1, 1);

    StatusBar1 = new QStatusBar(this);
    StatusBar1->setObjectName(u"StatusBar1"_s);
    StatusBar1->setSizeGripEnabled(false);
    auto *hint = new QLabel(kHint, StatusBar1);
    hint->setObjectName(u"StatusBar1_1"_s);
    StatusBar1->addWidget(hint, 1);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(SSPanel1, 1);
    layout->addWidget(StatusBar1);
}

void LookupDialog::applySessionColours()
{
    const SessionSettings &s = Session();
    QString sheet = u"QTableWidget { "_s + declaration(u"background-color"_s, s.Color1) +
                    declaration(u"gridline-color"_s, s.Color7) +
                    declaration(u"selection-background-color"_s, s.Color5) +
                    declaration(u"selection-color"_s, s.Color6) + u"} "_s;
    if (ColourFromNumberText(s.Color2).isValid())
        sheet += u"QTableWidget::item { "_s + declaration(u"background-color"_s, s.Color2) +
                 u"} QTableWidget::item:selected { "_s +
                 declaration(u"background-color"_s, s.Color5) + declaration(u"color"_s, s.Color6) +
                 u"} "_s;
    const QString heading =
        declaration(u"background-color"_s, s.Color3) + declaration(u"color"_s, s.Color4);
    // A border rule makes the style paint the heading flat in its colour rather
    // than as its own shaded bevel.
    const QColor colour7 = ColourFromNumberText(s.Color7);
    const QString lines = (colour7.isValid() ? colour7 : QColor(Qt::gray)).name();
    if (!heading.isEmpty())
        sheet += u"QHeaderView::section { "_s + heading +
                 u"border: none; border-right: 1px solid "_s + lines +
                 u"; border-bottom: 1px solid "_s + lines + u"; padding: 0 2px; } "_s;
    MSHFlexGrid1->setStyleSheet(sheet);
}

void LookupDialog::placeAgainst(QWidget *caller)
{
    const QWidget *form = caller->window();
    QScreen *screen = form->screen() ? form->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const double dpi = screen->logicalDotsPerInchX();
    const auto twips = [dpi](int pixels) { return PixelsToTwips(pixels, dpi); };
    const QRect area = screen->geometry();
    const QRect callerFrame = form->frameGeometry().translated(-area.topLeft());
    const QPoint origin =
        LookupOrigin(QRect(twips(callerFrame.x()), twips(callerFrame.y()),
                           twips(callerFrame.width()), twips(callerFrame.height())),
                     QSize(twips(frameGeometry().width()), twips(frameGeometry().height())),
                     QSize(twips(area.width()), twips(area.height())));
    move(area.x() + TwipsToPixels(origin.x(), dpi), area.y() + TwipsToPixels(origin.y(), dpi));
}

bool LookupDialog::showRows(const LookupRows &rows, const QString &errorTitle)
{
    if (rows.error) {
        m_loadFailed = true;
        ShowMessage(*rows.error, errorTitle, MessageService::Icon::Critical);
        emit listLoadFailed();
        return false;
    }
    QTableWidget *grid = MSHFlexGrid1;
    const int current = grid->currentRow();
    const int remembered = current < 0 ? 1 : current + 1;
    grid->setProperty("Tag", QString::number(remembered));

    grid->clearContents();
    grid->setRowCount(int(rows.rows.size()));
    for (int r = 0; r < rows.rows.size(); ++r) {
        const QStringList &cells = rows.rows.at(r);
        for (int c = 0; c < cells.size() && c < grid->columnCount(); ++c)
            grid->setItem(r, c, new QTableWidgetItem(cells.at(c)));
    }
    if (!rows.rows.isEmpty()) {
        const int row = remembered <= grid->rowCount() ? remembered : grid->rowCount();
        grid->setCurrentCell(row - 1, 0);
        grid->selectRow(row - 1);
    }
    return true;
}

void LookupDialog::pick()
{
    const int row = MSHFlexGrid1->currentRow();
    JobHandOffList &handOff = JobHandOff();
    for (int col = 0; row >= 0 && col < MSHFlexGrid1->columnCount(); ++col) {
        const QTableWidgetItem *cell = MSHFlexGrid1->item(row, col);
        handOff[col] = cell ? cell->text() : QString();
    }
    accept();
}

void LookupDialog::scrollByWheel(int delta)
{
    QScrollBar *bar = MSHFlexGrid1->verticalScrollBar();
    // The top row moves by up to three rows and stays within the list.
    if (delta == kWheelNotch)
        bar->setValue(std::max(bar->value() - kRowsPerNotch, 0));
    else if (delta == -kWheelNotch)
        bar->setValue(std::min(bar->value() + kRowsPerNotch, MSHFlexGrid1->rowCount() - 1));
}

bool LookupDialog::event(QEvent *e)
{
    if (e->type() == QEvent::WindowActivate && !m_activating) {
        m_activating = true;
        if (m_disabledWhileActivating)
            setEnabled(false);
        const bool first = m_firstActivation;
        if (first) {
            m_firstActivation = false;
            firstActivation();
        }
        setEnabled(true);
        m_activating = false;
        // The first list takes the keyboard, ready for a pick; an empty one
        // leaves it to the filter box.
        if (first && MSHFlexGrid1->rowCount() > 0)
            MSHFlexGrid1->setFocus();
        else if (first)
            txt篩選->setFocus();
    }
    return QDialog::event(e);
}

bool LookupDialog::eventFilter(QObject *watched, QEvent *e)
{
    if (watched == txt篩選 && e->type() == QEvent::FocusIn) {
        SelectAllText(txt篩選);
    } else if (watched == MSHFlexGrid1 && e->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(e)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            pick();
            return true;
        }
    } else if (watched == MSHFlexGrid1->viewport()) {
        if (e->type() == QEvent::MouseButtonRelease &&
            static_cast<QMouseEvent *>(e)->button() == Qt::RightButton) {
            pick();
            return true;
        }
        if (e->type() == QEvent::Wheel && MSHFlexGrid1->hasFocus()) {
            const auto *wheel = static_cast<QWheelEvent *>(e);
            if (wheel->modifiers() == Qt::NoModifier && wheel->buttons() == Qt::NoButton)
                scrollByWheel(wheel->angleDelta().y());
            return true; // any other wheel turn does nothing
        }
    }
    return QDialog::eventFilter(watched, e);
}
