#include "daily_report/listingexport.h"

#include "common/clock.h"
#include "common/messagebox.h"
#include "common/waitcursor.h"
#include "grid/cellformat.h"
#include "grid/spreadsheetgrid.h"
#include "reports/listingsheet.h"
#include "reports/previewrunsummary.h"
#include "startup/sessionsettings.h"

#include <QAction>
#include <QDir>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QStandardPaths>
#include <QStatusBar>

using namespace Qt::StringLiterals;

namespace {

// The listing as the grid shows it: the columns not hidden, their headings and
// the shown text of each cell of the listed rows.
SheetTable ShownListing(const SpreadsheetGrid &grid, int rows)
{
    QList<std::pair<int, int>> shown; // column, its decimals
    QStringList headings;
    for (int col = 1; col <= grid.maxCol(); ++col) {
        if (grid.isColumnHidden(col))
            continue;
        shown.append({col, NumberFormatDecimals(grid.columnFormat(col))});
        headings.append(grid.heading(col));
    }
    QVector<QStringList> texts;
    texts.reserve(rows);
    for (int row = 1; row <= rows; ++row) {
        QStringList cells;
        for (const auto &[col, decimals] : std::as_const(shown))
            cells.append(DisplayCellText(grid.text(row, col), decimals));
        texts.append(cells);
    }
    return ListingSheet(headings, texts);
}

} // namespace

ListingMenu::ListingMenu(QMainWindow *screen, SpreadsheetGrid *grid, Listing listing)
    : QObject(screen), m_screen(screen), m_grid(grid), m_listing(std::move(listing)),
      m_menu(new QMenu(grid)), m_exported(new QLabel(screen))
{
    m_menu->setObjectName(u"mnu印刷排程"_s);
    m_export = m_menu->addAction(u"匯出至試算表"_s, this, &ListingMenu::ExportListing);
    m_export->setObjectName(u"act匯出至試算表"_s);
    QAction *summary = m_menu->addAction(u"本月產能摘要"_s, this, &ListingMenu::ShowMonthSummary);
    summary->setObjectName(u"act本月產能摘要"_s);
    m_exported->setObjectName(u"lbl匯出"_s);
    screen->statusBar()->addPermanentWidget(m_exported);
    connect(grid, &SpreadsheetGrid::contextMenuRequested, this, &ListingMenu::showMenu);
}

void ListingMenu::showMenu(const QPoint &globalPos)
{
    m_export->setEnabled(m_listing.rows() > 0);
    m_menu->exec(globalPos);
}

void ListingMenu::ExportListing()
{
    const int rows = m_listing.rows();
    if (rows <= 0)
        return;
    const SessionSettings &s = Session();
    const QString folder = SpreadsheetFolder(
        s.ExcelFolder, QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
    const QString path = QDir(folder).filePath(ListingFileName(
        m_listing.listedPress(), Clock::current().now(), SheetFileExtension(s.XlsExt)));
    WaitCursor wait;
    const std::optional<QString> error = WriteSheetFile(ShownListing(*m_grid, rows), path);
    wait.restore();
    if (error) {
        ShowMessage(*error, u"匯出錯誤"_s, MessageService::Icon::Critical);
        return;
    }
    m_exported->setText(u"已匯出至 %1"_s.arg(QDir::toNativeSeparators(path)));
}

void ListingMenu::ShowMonthSummary()
{
    PreviewMonthSummary(m_screen, m_listing.chosenPress());
}
