#pragma once

#include "report_engine/reportlayout.h"

#include <QString>

class QPagedPaintDevice;
class QPainter;

// Gives the device the layout's paper, orientation and margins. A printer that
// cannot print that close to the edge keeps its own margins.
void ApplyReportPageSetup(const ReportPageSetup &setup, QPagedPaintDevice &device);

// Draws one page with its origin at the top left of the printable area;
// unitsPerTwip is the device's resolution over 1440.
void PaintReportPage(QPainter &painter, const ReportPage &page, double unitsPerTwip);

// Applies the page setup and draws every page onto a printer, a preview's
// printer or a PDF writer. Returns false when the device cannot be painted on.
bool PaintReport(const ReportLayout &layout, QPagedPaintDevice &device);

// Writes the layout as a PDF file. Returns false when the file cannot be written.
bool WriteReportPdf(const ReportLayout &layout, const QString &pdfFile, const QString &title);
