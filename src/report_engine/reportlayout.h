#pragma once

#include <QPageRanges>
#include <QPoint>
#include <QRect>
#include <QRectF>
#include <QString>
#include <QVector>
#include <Qt>
#include <memory>

// A printed report as positioned items, all in twips (1/1440 inch): the report is
// built as bands of texts and rules, the bands are placed on pages, and a painter
// draws the pages onto a printer, a preview or a PDF.

struct ReportFont
{
    QString family; // the family as the report names it ("新細明體", "標楷體")
    int pointSize = 10;
    bool bold = false;
    bool operator==(const ReportFont &) const = default;
};

struct ReportText
{
    QString name; // the field's name, or the label's own text
    QRect rect;   // within the band
    QString text;
    ReportFont font;
    Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter;
    // The text of a page footer that numbers its page: %1 is the page's number,
    // %2 the number of pages (see PageFooter).
    bool pageNumbered = false;
};

// A thin rule from one point to another within the band.
struct ReportLine
{
    QPoint from;
    QPoint to;
};

class QPainter;

// A picture of its own drawn into a box of a band (a chart): box is in the
// device's units, unitsPerTwip its resolution over 1440.
class ReportDrawing
{
public:
    virtual ~ReportDrawing() = default;
    virtual void paint(QPainter &painter, const QRectF &box, double unitsPerTwip) const = 0;
};

struct ReportPicture
{
    QRect rect; // within the band
    std::shared_ptr<const ReportDrawing> drawing;
};

struct ReportBand
{
    enum class Kind
    {
        GroupHeader,
        Detail,
        GroupFooter
    };
    Kind kind = Kind::Detail;
    int height = 0;
    // Stays on the page of the band that follows it (a group header with its
    // first entry, a group's last entry with its footer).
    bool keepWithNext = false;
    QVector<ReportText> texts;
    QVector<ReportLine> lines;
    // On a group header: the band that opens every further page of its group.
    std::shared_ptr<const ReportBand> continuation;
    QVector<ReportPicture> pictures{};
    // Begins a new page unless it would be the first band of its page.
    bool startsPage = false;

    const ReportText *text(const QString &name) const;
};

struct PlacedBand
{
    int top = 0; // within the printable area of the page
    ReportBand band;
};

struct ReportPage
{
    QVector<PlacedBand> bands;
};

// Paper size (already turned to its orientation) and margins.
struct ReportPageSetup
{
    QSize paper;
    int leftMargin = 0;
    int topMargin = 0;
    int rightMargin = 0;
    int bottomMargin = 0;
    bool landscape = false;

    int printableWidth() const { return paper.width() - leftMargin - rightMargin; }
    int printableHeight() const { return paper.height() - topMargin - bottomMargin; }
};

// A report: its bands in order and the page they are meant for. They are placed
// on pages (PaginateBands) when painted, on the page the device really offers.
struct ReportLayout
{
    ReportPageSetup setup;
    QVector<ReportBand> bands;
    // Painted at the foot of every page (none when its height is 0); the bands
    // are placed in the room above it.
    ReportBand pageFooter{};
};

// The footer of one page: its page-numbered texts filled in with the page's
// number (from 1) and the number of pages.
ReportBand PageFooter(const ReportBand &footer, int page, int pageCount);

// Places the bands one under the other, starting a new page where a band would
// not fit or starts a page, so no band is ever split; a band that keeps with the next one moves to
// the new page together with it. A band taller than a whole page gets a page of
// its own. A page that goes on with a group started on an earlier page opens
// with the group header's continuation band.
QVector<ReportPage> PaginateBands(const QVector<ReportBand> &bands, int printableHeight);

// The widest the report's texts and rules reach, in twips from the left margin.
int ReportContentWidth(const QVector<ReportBand> &bands);

// Which pages a print gives, in print order (0-based): the pages in `ranges`
// (every page when empty), `copies` times, each copy whole when `collate`,
// otherwise each page's copies together.
QVector<int> PrintedPages(int pageCount, const QPageRanges &ranges, int copies, bool collate);
