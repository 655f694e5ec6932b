#pragma once

#include "lookups/lookuprows.h"

#include <QDialog>
#include <QList>

class QFrame;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QStatusBar;
class QTableWidget;

// What the staff and vendor lookups share: a modal pick list with a filter box
// and "確定", placed over the form that called it and coloured from the
// session's colour settings. Loading empties the job hand-off list; picking a
// row (Enter or a right click in the list) copies every cell of the current row,
// hidden columns included, into its slots 0 onwards and closes the dialog. Esc
// and the close box close it with nothing handed back.
//
// A refill keeps the row that was current (the list's "Tag" remembers it) when
// the new list is long enough, and falls back to the last row otherwise; a list
// without rows shows its headings only.
class LookupDialog : public QDialog
{
    Q_OBJECT

public:
    // True once a list could not be read; its message box has been shown.
    bool loadFailed() const { return m_loadFailed; }

signals:
    // A list could not be read and the message box about it has been closed.
    void listLoadFailed();

protected:
    struct Design
    {
        QString objectName;
        QString caption;
        QString filterLabel;
        QSize clientTwips;
        QStringList headings;
        QList<int> widthsTwips; // 0: a hidden column
    };
    LookupDialog(QWidget *caller, const Design &design);

    // The designed controls, named as designed.
    QFrame *SSPanel1;
    QLabel *Label1;
    QLineEdit *txt篩選;
    QPushButton *scmd確定;
    QTableWidget *MSHFlexGrid1;
    QStatusBar *StatusBar1;
    // The row of the filter controls, where a dialog adds its own.
    QHBoxLayout *filterRow() const { return m_filterRow; }

    // Runs once, at the first activation.
    virtual void firstActivation() = 0;
    // "確定", Enter in the filter box.
    virtual void confirm() = 0;

    // Puts the rows into the list, or shows the failure under errorTitle and
    // leaves the list as it was. False on a failure.
    bool showRows(const LookupRows &rows, const QString &errorTitle);

    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildControls(const Design &design);
    void applySessionColours();
    void placeAgainst(QWidget *caller);
    void pick();
    void scrollByWheel(int delta);

    QHBoxLayout *m_filterRow = nullptr;
    QList<int> m_widthsTwips;
    bool m_firstActivation = true;
    bool m_activating = false;
    bool m_loadFailed = false;
};
