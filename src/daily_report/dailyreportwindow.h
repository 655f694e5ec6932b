#pragma once

#include <QMainWindow>
#include <QPair>
#include <QVector>

class QAction;
class QComboBox;
class QFrame;
class QLabel;
class QRadioButton;
class QToolBar;
class QToolButton;
class SpreadsheetGrid;

// The main screen "印刷日報登錄": the press schedule of one press, its planned
// and completion stamps, and the job detail panel of the line under the cursor.
class DailyReportWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit DailyReportWindow(QWidget *parent = nullptr);
    ~DailyReportWindow() override;

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
    bool isMarked(int row, int col) const;

signals:
    // The first activation is done: registered, press list filled.
    void ready();

protected:
    bool event(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildControls();
    void buildToolbars();
    void firstActivation();
    void setScheduleActions(bool enabled);
    void mark(int row, int col);
    bool rowIsClosed(int row) const;
    bool activeColumnTakesStamps() const;
    void onCellClicked(int row, int col);
    void onActiveCellChanged(int row, int col);
    void onKeyPressed(int &charCode);
    void onKeyDown(int &keyCode);
    void onEditEnded(QString &text, bool &accept);
    void onToolbar1(const QString &key);
    bool confirmClosing();
    void unload();

    // Controls, named as the screen's design names them.
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
    QToolBar *Toolbar1 = nullptr;
    QToolBar *Toolbar2 = nullptr;
    QLabel *StatusPanel[4] = {nullptr, nullptr, nullptr, nullptr};

    // Screen state.
    int m_filledRows = 0;
    QVector<QVector<bool>> m_marks;            // (grid row, grid column)
    QVector<QPair<QString, QString>> m_listed; // planned and completion stamps as listed, per row
    QString m_detailPo;
    QString m_detailNo;
    bool m_firstActivation = true;
    bool m_activating = false;
    bool m_unloading = false;
};
