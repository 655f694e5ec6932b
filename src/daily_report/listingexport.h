#pragma once

#include <QObject>
#include <QString>
#include <functional>

class QAction;
class QLabel;
class QMainWindow;
class QMenu;
class QPoint;
class SpreadsheetGrid;

// The context menu of the main screen's grid:
// - "匯出至試算表", offered while the grid lists lines, writes the listing as the
//   grid shows it (the shown columns in their order, under their headings, each
//   cell's shown text; numbers as numbers) into the spreadsheet folder, as the
//   user's spreadsheet extension says (.csv, otherwise .xlsx), and says in the
//   status bar where it went; a file that cannot be written gets a message box
//   under "匯出錯誤" and leaves nothing behind.
// - "本月產能摘要" previews this month's summary of the chosen press.
class ListingMenu : public QObject
{
    Q_OBJECT

public:
    // What the screen tells the menu: how many rows the grid lists, the press
    // they were listed for, and the press chosen in the press box.
    struct Listing
    {
        std::function<int()> rows;
        std::function<QString()> listedPress;
        std::function<QString()> chosenPress;
    };

    ListingMenu(QMainWindow *screen, SpreadsheetGrid *grid, Listing listing);

    // The menu's operations.
    void ExportListing();
    void ShowMonthSummary();

private:
    void showMenu(const QPoint &globalPos);

    QMainWindow *m_screen;
    SpreadsheetGrid *m_grid;
    Listing m_listing;
    QMenu *m_menu;
    QAction *m_export;
    QLabel *m_exported; // the status bar's note of the last export
};
