#include "report_engine/reportpreviewdialog.h"

#include "common/messagebox.h"
#include "report_engine/reportpainter.h"
#include "report_engine/reportpreviewer.h"

#include <QFileDialog>
#include <QPrintDialog>
#include <QPrintPreviewWidget>
#include <QToolBar>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

ReportPreviewer::Function ReportPreviewer::preview = &ReportPreviewDialog::showModal;

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
    toolBar->addAction(u"上一頁"_s, m_preview,
                       [this] { m_preview->setCurrentPage(m_preview->currentPage() - 1); });
    toolBar->addAction(u"下一頁"_s, m_preview,
                       [this] { m_preview->setCurrentPage(m_preview->currentPage() + 1); });
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

void ReportPreviewDialog::print()
{
    QPrintDialog dialog(&m_printer, this);
    if (dialog.exec() == QDialog::Accepted)
        m_preview->print();
}

void ReportPreviewDialog::saveAsPdf()
{
    QString file = QFileDialog::getSaveFileName(this, u"存成 PDF"_s, QString(), u"PDF (*.pdf)"_s);
    if (file.isEmpty())
        return;
    if (!file.endsWith(u".pdf"_s, Qt::CaseInsensitive))
        file += u".pdf"_s;
    if (!WriteReportPdf(m_layout, file, windowTitle()))
        ShowMessage(u"無法寫入 %1"_s.arg(file), u"印表錯誤"_s, MessageService::Icon::Critical);
}
