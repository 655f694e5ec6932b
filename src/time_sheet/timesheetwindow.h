#pragma once

#include "grid/entermoveson.h"
#include "time_sheet/runsheet.h"
#include "time_sheet/timesheetform.h"
#include "time_sheet/timesheetjob.h"
#include "time_sheet/timesheetstore.h"

#include <QDialog>
#include <functional>
#include <optional>

// The time sheet "耗時": the press runs of one job line, opened modally from the
// main screen's 耗時 column. Runs are stamped and typed in the grid, their
// times and scores computed as they change (RunSheet holds the rules), and
// confirming replaces the line's stored runs and stores its completion stamp.
class TimeSheetWindow : public QDialog, private TimeSheetForm
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

    int filledRows() const { return m_filledRows; }

signals:
    // The first activation is done: the runs are loaded (or the load failed).
    void ready();

protected:
    bool event(QEvent *event) override;
    void done(int result) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void firstActivation();
    bool readPressFigures();

    // The rules run on the grid's rows: the window hands the cells to a
    // RunSheet, lets `op` work on it, and copies back what it changed.
    RunSheet step(int row, const std::function<void(RunSheet &)> &op);
    void apply(const RunSheet &sheet);

    // Grid events (timesheetwindowediting.cpp).
    void connectGrid();
    void onCellClicked(int row, int col);
    void onActiveCellChanged();
    void onEditStarted(QString &text);
    void onEditEnded(QString &text, bool &accept);
    void onKeyPressed(int &charCode);
    void onKeyDown(int &keyCode);
    void onChoicePicked();
    void lookUpOperatorByKey();
    void showChoiceList(int col);
    void hideChoiceList();

    TimeSheetJob m_job;
    int m_filledRows = 0;
    // Read once per open sheet: the job's press, and so its figures, stay the
    // same while the sheet is open. A read that failed is tried again.
    std::optional<PressFigures> m_pressFigures;
    QVector<RunInterval> m_otherRuns; // the press's other lines' runs, for overlaps
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
