#pragma once

class QAction;
class QDialog;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;
class SpreadsheetGrid;
struct RunFigures;
struct RunNotes;

// The designed form of the time sheet "耗時": its controls under their designed
// names and captions, and one action per command, shown by its button.
// TimeSheetWindow gives the form its behaviour.
class TimeSheetForm
{
protected:
    void setupForm(QDialog *dialog);
    // Centred, then moved to just below the top of the main screen's grid.
    static void placeBelowMainGrid(QDialog *dialog);
    // The five figures of the active run in their labels.
    void showRunFigures(const RunFigures &figures);
    // Every box read-only and every command but 回前畫面 withdrawn.
    void offerOnlyGoingBack(QDialog *dialog);
    // Overlapping runs marked and named under the grid, figures explained in tooltips.
    void showRunNotes(const RunNotes &notes);

    // Rows the grid offers when it opens, and beyond the stored runs.
    static constexpr int kMinRows = 500;
    static constexpr int kFreeRows = 200;

    // The commands of the sheet.
    QAction *m_confirm = nullptr; // 確定
    QAction *m_delete = nullptr;  // 明細刪除, enabled on a run
    QAction *m_helper = nullptr;  // 輔助, F9, enabled in 經辦
    QAction *m_back = nullptr;    // 回前畫面

    // Controls, named as the screen's design names them.
    QLabel *lbl單號 = nullptr;
    QLabel *lbl品名 = nullptr;
    QLineEdit *txt完工日期 = nullptr;
    QToolButton *cmd日期 = nullptr;
    QLineEdit *txt總耗時 = nullptr;
    QLabel *lbl時標準量 = nullptr;
    QLabel *lbl標準數量 = nullptr;
    QLabel *lbl實際數量 = nullptr;
    QLabel *lbl差異 = nullptr;
    QLabel *lbl點數 = nullptr;
    SpreadsheetGrid *fml明細 = nullptr;
    QLabel *lbl重疊 = nullptr; // the overlap warning under the grid
    QPushButton *scmd確定 = nullptr;
    QPushButton *ssc回前畫面 = nullptr;
    QPushButton *scmd刪除 = nullptr;
    QPushButton *scmd輔助 = nullptr;

private:
    void setupJob(QDialog *dialog);
    void setupFigures(QDialog *dialog);
    void setupGrid(QDialog *dialog);
    void setupCommands(QDialog *dialog);
};
