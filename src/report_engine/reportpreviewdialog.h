#pragma once

#include "report_engine/reportlayout.h"

#include <QDialog>
#include <QPrinter>

class QLabel;
class QPrintPreviewWidget;

// The preview window of a report: a top-level window of its own (with its own
// taskbar button) showing the pages and which of them is in view, with buttons to
// print them (the pages, copies and printer the print dialog names) and to save
// them as a PDF file.
class ReportPreviewDialog : public QDialog
{
    Q_OBJECT

public:
    ReportPreviewDialog(const ReportLayout &layout, const QString &title,
                        QWidget *parent = nullptr);

    QPrintPreviewWidget *previewWidget() const { return m_preview; }

    // Shows the dialog modally over parent and returns when it is closed.
    static void showModal(QWidget *parent, const ReportLayout &layout, const QString &objectName,
                          const QString &title);

private:
    void turnTo(int page);
    void showPageNumber();
    void print();
    void saveAsPdf();

    ReportLayout m_layout;
    QPrinter m_printer;
    QPrintPreviewWidget *m_preview;
    QLabel *m_pageLabel;
};
