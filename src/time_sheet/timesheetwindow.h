#pragma once

#include "grid/entermoveson.h"
#include "time_sheet/timesheetjob.h"
#include "time_sheet/timesheetstore.h"

#include <QDialog>
#include <QVector>

class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;
class SpreadsheetGrid;

// The time sheet "耗時": the press runs of one job line, opened modally from the
// main screen's 耗時 column. Runs are stamped and typed in the grid, their
// times and scores computed as they change, and confirming replaces the
// line's stored runs and stores its completion stamp.
class TimeSheetWindow : public QDialog
{
    Q_OBJECT

public:
    explicit TimeSheetWindow(QWidget *parent = nullptr);
    ~TimeSheetWindow() override;

    // The screen's operations.
    bool LoadJobRuns();
    void Confirm();
    bool Save();
    void DeleteRun();
    void GoBack();
    // Brings the runs' figures up to date; false when the press's figures could
    // not be read (the error is shown, the runs keep their figures).
    bool Recalculate(int row);
    void ShowFigures();

    int filledRows() const { return m_filledRows; }

signals:
    // The first activation is done: the runs are loaded (or the load failed).
    void ready();

protected:
    bool event(QEvent *event) override;
    void done(int result) override;
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildControls();
    void placeBelowMainGrid();
    void firstActivation();
    void showTotal();

    // Grid events and the editing rules (timesheetwindowediting.cpp).
    void connectGrid();
    QString headingOf(int col) const;
    void onCellClicked(int row, int col);
    void onActiveCellChanged();
    void onEditStarted(QString &text);
    void onEditEnded(QString &text, bool &accept);
    void onKeyPressed(int &charCode);
    void onKeyDown(int &keyCode);
    void onChoicePicked();
    // The active row counted as a run, and the delete button enabled by it.
    void countRun();
    void applyNewRunDefaults(int row);
    void computeTimeConsumed(int row);
    void sumPlates(int row);
    void lookUpOperator(int row, const QString &typed);
    bool takeOperatorFromHandOff(int row);
    void lookUpOperatorByKey();
    void openStaffLookup();
    void setHelperEnabled(bool enabled);
    void showChoiceList(const QString &heading);
    void hideChoiceList();

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
    QPushButton *scmd確定 = nullptr;
    QPushButton *ssc回前畫面 = nullptr;
    QPushButton *scmd刪除 = nullptr;
    QPushButton *scmd輔助 = nullptr;

    // Screen state.
    TimeSheetJob m_job;
    int m_filledRows = 0;
    RecordArray m_phraseChoices;
    RecordArray m_fillChoices;
    RecordArray m_seenRuns; // the stored runs as loaded, for the save's check
    EnterMovesOn *m_enterMovesOn;
    int m_listId = 0;
    int m_editRow = 0; // the cell an edit in progress belongs to
    int m_editCol = 0;
    bool m_firstActivation = true;
    bool m_activating = false;
    bool m_saved = false;
};

// Opens the time sheet of the job in the hand-off list, modally over the main
// screen; returns when it is closed.
void ShowTimeSheet(QWidget *mainScreen);
