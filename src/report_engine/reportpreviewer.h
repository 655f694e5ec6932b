#pragma once

#include "report_engine/reportlayout.h"

#include <QString>
#include <functional>

class QPrinter;
class QWidget;

// How a finished report reaches the user: by default the modal preview window
// (ReportPreviewDialog::showModal), returning when it is closed. Tests put a function of
// their own in its place so that nothing blocks.
struct ReportPreviewer
{
    using Function = std::function<void(QWidget *parent, const ReportLayout &layout,
                                        const QString &objectName, const QString &title)>;
    static Function preview;
};

// How the preview's print button asks for the printer, the pages and the copies:
// by default the system's print dialog over the preview, offering pages 1 to
// pageCount. Answers false when the user cancels. Tests put their own answer in
// its place.
struct ReportPrintDialog
{
    using Function = std::function<bool(QWidget *parent, QPrinter &printer, int pageCount)>;
    static Function ask;
};
