#pragma once

#include "report_engine/reportlayout.h"

#include <QString>
#include <functional>

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
