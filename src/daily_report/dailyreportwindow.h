#pragma once

#include "daily_report/dailyreportform.h"
#include "daily_report/scheduleediting.h"
#include "daily_report/schedulequery.h"
#include "grid/entermoveson.h"

#include <QMainWindow>
#include <QVector>
#include <functional>
#include <optional>

// Opens the time sheet of the job in the hand-off list, modally, over the main
// screen; it sets TimeSheetSaved() when it stored the line.
using TimeSheetOpener = std::function<void(QWidget *mainScreen)>;

// The main screen "印刷日報登錄": the press schedule of one press, its planned
// and completion stamps, and the job detail panel of the line under the cursor.
// The form places the controls and the command actions; the screen connects
// them to its operations, which call the rules of the core (schedulequery,
// scheduleediting, completionsave, jobdetail) and show what they answer.
class DailyReportWindow : public QMainWindow, private DailyReportForm
{
    Q_OBJECT

public:
    // Moving into a line's 耗時 cell opens the time sheet through `openTimeSheet`
    // (nothing opens without one).
    explicit DailyReportWindow(TimeSheetOpener openTimeSheet, QWidget *parent = nullptr);

    // The screen's operations.
    void FillPressList();
    void ClearSchedule();
    void QuerySchedule();
    void RefreshJobDetail();
    void ShowJobDetail(const QString &po, const QString &no);
    void SaveCompletion();
    void PrintSchedule();
    void OpenWorkOrder();
    // Asks the closing question; closes the screen on Yes.
    void AskToClose();

    int filledRows() const { return m_filledRows; }
    bool isMarked(int row, int col) const { return m_marks.isMarked(row, col); }

signals:
    // The first activation is done: registered, press list filled.
    void ready();

protected:
    bool event(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void connectCommands();
    void firstActivation();
    void setScheduleActions(bool enabled);
    bool confirmClosing();
    void unload();

    // The controls and the grid's events (dailyreportwindowediting.cpp).
    void connectControls();
    QString closingMark(int row) const;
    QString listedLineKey(int row) const;
    bool activeCellTakesStamp() const;
    void onCellClicked(int row, int col);
    void onActiveCellChanged(int row, int col);
    void onKeyPressed(int &charCode);
    void onKeyDown(int &keyCode);
    void onEditEnded(QString &text, bool &accept);

    TimeSheetOpener m_openTimeSheet;
    // Screen state.
    int m_filledRows = 0;
    ScheduleMarks m_marks;
    QVector<ListedStamps> m_listed;       // per listed row, from row 1
    std::optional<QString> m_listedPress; // the press whose lines the grid lists
    QString m_detailPo;
    QString m_detailNo;
    int m_editRow = 0; // the cell of the edit in progress
    int m_editCol = 0;
    EnterMovesOn *m_enterMovesOn;
    bool m_firstActivation = true;
    bool m_activating = false;
    bool m_unloading = false;
};
