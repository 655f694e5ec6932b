#pragma once

class QAction;
class QComboBox;
class QFrame;
class QLabel;
class QMainWindow;
class QRadioButton;
class QToolBar;
class QToolButton;
class QWidget;
class SpreadsheetGrid;

// The designed form of the main screen "印刷日報登錄": its controls under their
// designed names, captions and places, and one action per toolbar command with
// its shortcut. Buttons without a command on this screen show disabled.
// DailyReportWindow gives the form its behaviour.
class DailyReportForm
{
protected:
    // Places every control and action on the window.
    void setupForm(QMainWindow *window);

    // The commands of this screen. 單筆列印 prints as 排程單 does and stays
    // offered while 排程單 is not, so its F4 prints whatever the state of 排程單.
    QAction *m_save = nullptr;    // F8
    QAction *m_print = nullptr;   // 排程單
    QAction *m_print1 = nullptr;  // 單筆列印, F4
    QAction *m_refresh = nullptr; // 刷新
    QAction *m_exit = nullptr;    // Esc
    QAction *m_workOrder = nullptr;

    // Controls, named as the screen's design names them.
    QToolBar *Toolbar1 = nullptr;
    QToolBar *Toolbar2 = nullptr;
    QComboBox *cbo車別 = nullptr;
    QRadioButton *opt完工[2] = {nullptr, nullptr};
    QToolButton *scmd顯示資料 = nullptr;
    SpreadsheetGrid *fml印刷 = nullptr;
    QFrame *pic明細 = nullptr;
    QLabel *lbl客戶 = nullptr;
    QLabel *lbl品名 = nullptr;
    QLabel *lbl備註 = nullptr;
    QLabel *lbl備註1 = nullptr;
    QFrame *pic急件 = nullptr;
    QLabel *lbl急件 = nullptr;
    QLabel *StatusPanel[4] = {nullptr, nullptr, nullptr, nullptr};

    // The rows of the empty grid.
    static constexpr int kEmptyRows = 100;

private:
    void setupToolbars(QMainWindow *window);
    void setupGrid(QWidget *parent);
    void setupDetailPanel(QWidget *parent);
};
