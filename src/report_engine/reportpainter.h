#pragma once

#include <optional>

#include "report_engine/reportlayout.h"

#include <QPageRanges>
#include <QString>
#include <functional>

class QPagedPaintDevice;
class QPainter;

// Room kept free on either side of every text, so that neighbouring fields never
// run into each other.
inline constexpr int kReportTextInset = 30;

// How a text is set in its box. A text wider than the room inside the insets
// has its blanks narrowed first (to half their width at least), then its letters
// (to 70% at least); what is still too wide is cut after its last whole
// character. The text keeps its alignment in the box either way.
struct FittedText
{
    QString text;         // what is drawn
    qreal blankScale = 1; // width of a blank against its own
    qreal squeeze = 1;    // width of the letters against their own
    qreal left = 0;       // where the text starts, from the box's left edge
    qreal width = 0;      // the width it is drawn in
};
// The natural width of a piece of text without blanks, in the box's units.
using TextAdvance = std::function<qreal(const QString &)>;
FittedText FitText(const QString &text, qreal boxWidth, Qt::Alignment alignment, qreal inset,
                   qreal blankWidth, const TextAdvance &advance);

// Which pages a print takes and how many of each.
struct ReportPrintOptions
{
    QPageRanges pages; // empty: every page
    int copies = 1;    // copies this program paints itself
    bool collate = true;
};

// Gives the device the layout's paper, orientation and margins. A printer that
// cannot print that close to the edge keeps its own margins.
void ApplyReportPageSetup(const ReportPageSetup &setup, QPagedPaintDevice &device);

// Draws one page with its origin at the top left of the printable area;
// unitsPerTwip is the device's resolution over 1440.
void PaintReportPage(QPainter &painter, const ReportPage &page, double unitsPerTwip);

// Draws the pages onto a printer, a preview's printer or a PDF writer as it is set
// up: the bands are placed on the page the device really offers (narrowed to its
// width when it is narrower than the report), then the pages of the options are
// painted. Returns false when the device cannot be painted on.
bool PaintReport(const ReportLayout &layout, QPagedPaintDevice &device,
                 const ReportPrintOptions &options = {});

// Writes the layout as a PDF file: under a name of its own beside it first, which
// takes the file's name only once all of it is on the disk. Gives why the file
// could not be written (a full disk, a folder that cannot be written), and leaves
// then no file behind; nothing when it was written.
std::optional<QString> WriteReportPdf(const ReportLayout &layout, const QString &pdfFile,
                                      const QString &title);
