#include "reports/reportpreviewdialog.h"

#include "common/messagebox.h"
#include "reports/reportpainter.h"
#include "reports/reportpreviewer.h"

#include <QFileDialog>
#include <QPrintDialog>
#include <QPrintPreviewWidget>
#include <QToolBar>
#include <QVBoxLayout>

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
    toolBar->addAction(QStringLiteral("列印"), this, &ReportPreviewDialog::print)
        ->setObjectName(QStringLiteral("actPrint"));
    toolBar->addAction(QStringLiteral("存成 PDF"), this, &ReportPreviewDialog::saveAsPdf)
        ->setObjectName(QStringLiteral("actSavePdf"));
    toolBar->addSeparator();
    toolBar->addAction(QStringLiteral("放大"), m_preview, [this] { m_preview->zoomIn(); });
    toolBar->addAction(QStringLiteral("縮小"), m_preview, [this] { m_preview->zoomOut(); });
    toolBar->addAction(QStringLiteral("整頁"), m_preview, &QPrintPreviewWidget::fitInView);
    toolBar->addAction(QStringLiteral("頁寬"), m_preview, &QPrintPreviewWidget::fitToWidth);
    toolBar->addSeparator();
    toolBar->addAction(QStringLiteral("上一頁"), m_preview,
                       [this] { m_preview->setCurrentPage(m_preview->currentPage() - 1); });
    toolBar->addAction(QStringLiteral("下一頁"), m_preview,
                       [this] { m_preview->setCurrentPage(m_preview->currentPage() + 1); });
    toolBar->addSeparator();
    toolBar->addAction(QStringLiteral("關閉"), this, &QDialog::accept);

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
    QString file = QFileDialog::getSaveFileName(this, QStringLiteral("存成 PDF"), QString(),
                                                QStringLiteral("PDF (*.pdf)"));
    if (file.isEmpty())
        return;
    if (!file.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive))
        file += QStringLiteral(".pdf");
    if (!WriteReportPdf(m_layout, file, windowTitle()))
        ShowMessage(QStringLiteral("無法寫入 %1").arg(file), QStringLiteral("印表錯誤"),
                    MessageService::Icon::Critical);
}
