#include "report_engine/reportpreviewdialog.h"

#include "common/messagebox.h"
#include "report_engine/reportpainter.h"
#include "report_engine/reportpreviewer.h"

#include <QFileDialog>
#include <QLabel>
#include <QPrintDialog>
#include <QPrintPreviewWidget>
#include <QToolBar>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

bool AskPrintDialog(QWidget *parent, QPrinter &printer, int pageCount)
{
    QPrintDialog dialog(&printer, parent);
    dialog.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintPageRange |
                      QAbstractPrintDialog::PrintCollateCopies |
                      QAbstractPrintDialog::PrintShowPageSize |
                      QAbstractPrintDialog::PrintCurrentPage);
    dialog.setMinMax(1, pageCount);
    return dialog.exec() == QDialog::Accepted;
}

} // namespace

ReportPreviewer::Function ReportPreviewer::preview = &ReportPreviewDialog::showModal;
ReportPrintDialog::Function ReportPrintDialog::ask = &AskPrintDialog;

ReportPreviewDialog::ReportPreviewDialog(const ReportLayout &layout, const QString &title,
                                         QWidget *parent)
    : QDialog(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint),
      m_layout(layout), m_printer(QPrinter::HighResolution)
{
    setWindowTitle(title);
    ApplyReportPageSetup(m_layout.setup, m_printer);
    m_preview = new QPrintPreviewWidget(&m_printer, this);
    connect(m_preview, &QPrintPreviewWidget::paintRequested, this,
            [this](QPrinter *printer) { PaintReport(m_layout, *printer); });

    auto *toolBar = new QToolBar(this);
    toolBar->addAction(u"列印"_s, this, &ReportPreviewDialog::print)->setObjectName(u"actPrint"_s);
    toolBar->addAction(u"存成 PDF"_s, this, &ReportPreviewDialog::saveAsPdf)
        ->setObjectName(u"actSavePdf"_s);
    toolBar->addSeparator();
    toolBar->addAction(u"放大"_s, m_preview, [this] { m_preview->zoomIn(); });
    toolBar->addAction(u"縮小"_s, m_preview, [this] { m_preview->zoomOut(); });
    toolBar->addAction(u"整頁"_s, m_preview, &QPrintPreviewWidget::fitInView);
    toolBar->addAction(u"頁寬"_s, m_preview, &QPrintPreviewWidget::fitToWidth);
    toolBar->addSeparator();
    toolBar->addAction(u"上一頁"_s, this, [this] { turnTo(m_preview->currentPage() - 1); });
    toolBar->addAction(u"下一頁"_s, this, [this] { turnTo(m_preview->currentPage() + 1); })
        ->setObjectName(u"actNextPage"_s);
    m_pageLabel = new QLabel(toolBar);
    m_pageLabel->setObjectName(u"lblPage"_s);
    m_pageLabel->setContentsMargins(8, 0, 8, 0);
    toolBar->addWidget(m_pageLabel);
    // Scrolling and a new preview say so; turning the page by the buttons does not.
    connect(m_preview, &QPrintPreviewWidget::previewChanged, this,
            &ReportPreviewDialog::showPageNumber);
    toolBar->addSeparator();
    toolBar->addAction(u"關閉"_s, this, &QDialog::accept);

    auto *box = new QVBoxLayout(this);
    box->setContentsMargins(0, 0, 0, 0);
    box->setSpacing(0);
    box->addWidget(toolBar);
    box->addWidget(m_preview, 1);
    resize(1100, 760);
}

void ReportPreviewDialog::showModal(QWidget *parent, const ReportLayout &layout,
                                    const QString &objectName, const QString &title)
{
    ReportPreviewDialog dialog(layout, title, parent);
    dialog.setObjectName(objectName);
    dialog.setWindowState(Qt::WindowMaximized);
    dialog.exec();
}

void ReportPreviewDialog::turnTo(int page)
{
    m_preview->setCurrentPage(page);
    showPageNumber();
}

void ReportPreviewDialog::showPageNumber()
{
    m_pageLabel->setText(
        u"第 %1 頁，共 %2 頁"_s.arg(m_preview->currentPage()).arg(m_preview->pageCount()));
}

void ReportPreviewDialog::print()
{
    if (!ReportPrintDialog::ask(this, m_printer, m_preview->pageCount()))
        return;
    ReportPrintOptions options;
    if (m_printer.printRange() == QPrinter::CurrentPage)
        options.pages.addPage(m_preview->currentPage());
    else if (m_printer.printRange() == QPrinter::PageRange)
        options.pages = m_printer.pageRanges();
    // A printer that makes the copies itself is sent the pages once.
    options.copies = m_printer.supportsMultipleCopies() ? 1 : m_printer.copyCount();
    options.collate = m_printer.collateCopies();
    if (!PaintReport(m_layout, m_printer, options))
        ShowMessage(u"無法列印到 %1"_s.arg(m_printer.printerName()), u"印表錯誤"_s,
                    MessageService::Icon::Critical);
}

void ReportPreviewDialog::saveAsPdf()
{
    QString file = QFileDialog::getSaveFileName(this, u"存成 PDF"_s, QString(), u"PDF (*.pdf)"_s);
    if (file.isEmpty())
        return;
    if (!file.endsWith(u".pdf"_s, Qt::CaseInsensitive))
        file += u".pdf"_s;
    if (const std::optional<QString> why = WriteReportPdf(m_layout, file, windowTitle()))
        ShowMessage(u"無法寫入 %1：%2"_s.arg(file, *why), u"印表錯誤"_s,
                    MessageService::Icon::Critical);
}
