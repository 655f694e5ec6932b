#include "reports/runsummaryreport.h"

#include "common/datetext.h"
#include "common/numbertext.h"
#include "reports/reportpage.h"
#include "reports/summarycharts.h"

using namespace Qt::StringLiterals;

namespace {

constexpr int kMargin = 400;
constexpr int kWidth = kA4LongSide - 2 * kMargin;

constexpr int kRowHeight = 330;
constexpr int kNameWidth = 3030;
constexpr int kFigureWidth = (kWidth - kNameWidth) / 9;
constexpr int kTitleHeight = 1050;
constexpr int kChartHeight = 5200;

ReportText Text(const QString &name, const QRect &rect, const QString &text, int points,
                Qt::Alignment alignment = kLeft, bool bold = false, const QString &family = kMing)
{
    return ReportText{name, rect, text, ReportFont{family, points, bold}, alignment};
}

ReportLine Rule(int y)
{
    return ReportLine{QPoint(0, y), QPoint(kWidth, y)};
}

// A number rounded to its decimals, its whole part grouped by thousands.
QString Fixed(double value, int decimals)
{
    QString text = FixedText(value, decimals);
    const qsizetype sign = text.startsWith(u'-') ? 1 : 0;
    const qsizetype point = decimals > 0 ? text.indexOf(u'.') : text.size();
    for (qsizetype i = point - 3; i > sign; i -= 3)
        text.insert(i, u',');
    return text;
}

QString Whole(double value)
{
    return Fixed(value, 0);
}

QString PeriodText(const RunSummary &summary)
{
    return ShownDate(summary.from) + u" 至 "_s + ShownDate(summary.to);
}

// The title, the press, the period and the print date; a press's page starts with it.
ReportBand PressTitle(const QString &companyName, const QString &press, const QString &period,
                      const QString &printDate)
{
    ReportBand band;
    band.kind = ReportBand::Kind::GroupHeader;
    band.height = kTitleHeight;
    band.keepWithNext = true;
    band.startsPage = true;
    const QString title =
        (companyName.isEmpty() ? QString() : companyName + u" - "_s) + u"印刷產能摘要"_s;
    band.texts = {
        Text(u"txt標題"_s, QRect(0, 0, kWidth, 540), title, 18, kCenter, false, kKai),
        Text(u"txt機別"_s, QRect(0, 600, 5000, 360), u"車別：%1"_s.arg(press), 12),
        Text(u"txt期間"_s, QRect(5000, 600, 6000, 360), u"期間：%1"_s.arg(period), 11, kCenter),
        Text(u"txt印表日期"_s, QRect(kWidth - 3000, 600, 3000, 360),
             u"印表日期：%1"_s.arg(printDate), 11, kRight),
    };
    band.lines = {Rule(kTitleHeight - 30)};
    return band;
}

// The table's headings, at `top` in the band.
void AddHeadings(ReportBand &band, int top)
{
    band.texts.append(Text(u"經辦"_s, QRect(0, top, kNameWidth, kRowHeight), u"經辦"_s, 10));
    const QStringList headings = SummaryFigureHeadings();
    for (qsizetype i = 0; i < headings.size(); ++i) {
        band.texts.append(Text(
            headings[i], QRect(kNameWidth + int(i) * kFigureWidth, top, kFigureWidth, kRowHeight),
            headings[i], 10, kRight));
    }
    band.lines += {Rule(top - 30), Rule(top + kRowHeight + 30)};
}

// The table's headings; a table that goes on over a page opens the page with
// them under its press.
ReportBand TableHeadings(const QString &press)
{
    ReportBand band;
    band.kind = ReportBand::Kind::GroupHeader;
    band.height = kRowHeight + 120;
    band.keepWithNext = true;
    AddHeadings(band, 60);
    auto continuation = std::make_shared<ReportBand>();
    continuation->kind = ReportBand::Kind::GroupHeader;
    continuation->height = 420 + band.height;
    continuation->texts.append(
        Text(u"txt機別"_s, QRect(0, 0, 5000, 360), u"車別：%1（續）"_s.arg(press), 12));
    AddHeadings(*continuation, 480);
    band.continuation = continuation;
    return band;
}

ReportBand FigureRow(const QString &caption, const RunTotals &totals, bool total)
{
    ReportBand band;
    band.kind = ReportBand::Kind::Detail;
    band.height = kRowHeight + (total ? 60 : 0);
    const int top = total ? 60 : 0;
    band.texts.append(
        Text(u"經辦"_s, QRect(0, top, kNameWidth, kRowHeight), caption, 10, kLeft, total));
    const QStringList headings = SummaryFigureHeadings();
    const QStringList texts = SummaryFigureTexts(totals);
    for (qsizetype i = 0; i < texts.size(); ++i) {
        band.texts.append(Text(
            headings[i], QRect(kNameWidth + int(i) * kFigureWidth, top, kFigureWidth, kRowHeight),
            texts[i], 10, kRight, total));
    }
    if (total)
        band.lines.append(Rule(30));
    return band;
}

ReportBand Charts(const PressSummary &press, bool monthly)
{
    ReportBand band;
    band.kind = ReportBand::Kind::Detail;
    band.height = kChartHeight;
    band.keepWithNext = true; // with the table's headings and its first row
    constexpr int Gap = 300;
    constexpr int HoursWidth = (kWidth - Gap) * 3 / 5;
    constexpr int ScoresLeft = HoursWidth + Gap;
    band.texts = {
        Text(u"txt耗時圖"_s, QRect(0, 250, HoursWidth, 360),
             monthly ? u"每月耗時：有效耗時與總耗時"_s : u"每日耗時：有效耗時與總耗時"_s, 11,
             kCenter, true),
        Text(u"txt點數圖"_s, QRect(ScoresLeft, 250, kWidth - ScoresLeft, 360),
             u"經辦點數分佈（點數 0 至 10）"_s, 11, kCenter, true),
    };
    const int top = 700;
    band.pictures = {
        {QRect(0, top, HoursWidth, kChartHeight - top - 100),
         std::make_shared<HoursChart>(press.periods)},
        {QRect(ScoresLeft, top, kWidth - ScoresLeft, kChartHeight - top - 100),
         std::make_shared<ScoreChart>(press.operators)},
    };
    return band;
}

ReportBand PageNumberFooter()
{
    ReportBand band;
    band.kind = ReportBand::Kind::Detail;
    band.height = 330;
    ReportText number =
        Text(u"txt頁次"_s, QRect(0, 0, kWidth, 330), u"第 %1 頁，共 %2 頁"_s, 10, kCenter);
    number.pageNumbered = true;
    band.texts.append(number);
    return band;
}

} // namespace

QStringList SummaryFigureHeadings()
{
    return {u"筆數"_s,     u"耗時"_s, u"有效耗時"_s, u"扣除耗時"_s,  u"完工數量"_s,
            u"標準數量"_s, u"差異"_s, u"平均點數"_s, u"點數標準差"_s};
}

QStringList SummaryFigureTexts(const RunTotals &t)
{
    return {Whole(double(t.runs)),    Fixed(t.hours, 2),          Fixed(t.effective, 2),
            Fixed(t.allowances(), 2), Whole(t.finished),          Whole(t.standard),
            Whole(t.difference()),    Fixed(t.scoreAverage(), 2), Fixed(t.scoreSpread(), 2)};
}

ReportLayout BuildRunSummaryReport(const RunSummary &summary, const QString &companyName,
                                   const QString &printDate)
{
    ReportLayout layout;
    layout.setup.paper = QSize(kA4LongSide, kA4ShortSide);
    layout.setup.landscape = true;
    layout.setup.leftMargin = kMargin;
    layout.setup.rightMargin = kMargin;
    layout.setup.topMargin = 300;
    layout.setup.bottomMargin = 300;
    layout.pageFooter = PageNumberFooter();
    const QString period = PeriodText(summary);
    for (const PressSummary &press : summary.presses) {
        layout.bands.append(PressTitle(companyName, press.press, period, printDate));
        layout.bands.append(Charts(press, ChartedByMonth(summary.from, summary.to)));
        layout.bands.append(TableHeadings(press.press));
        for (const OperatorFigures &o : press.operators)
            layout.bands.append(FigureRow(OperatorCaption(o), o.totals, false));
        layout.bands.append(FigureRow(u"合計"_s, press.totals, true));
        ReportBand end;
        end.kind = ReportBand::Kind::GroupFooter;
        layout.bands.append(end);
    }
    return layout;
}

SheetTable RunSummarySheet(const RunSummary &summary)
{
    SheetTable sheet{u"產能摘要"_s, {u"機別"_s, u"經辦代號"_s, u"經辦人員"_s}, {}};
    sheet.headings += SummaryFigureHeadings();
    const auto row = [](const QString &press, const QString &id, const QString &name,
                        const RunTotals &t) {
        return QVariantList{press,
                            id,
                            name,
                            double(t.runs),
                            RoundTo(t.hours, 2),
                            RoundTo(t.effective, 2),
                            RoundTo(t.allowances(), 2),
                            t.finished,
                            t.standard,
                            t.difference(),
                            RoundTo(t.scoreAverage(), 2),
                            RoundTo(t.scoreSpread(), 2)};
    };
    for (const PressSummary &press : summary.presses) {
        for (const OperatorFigures &o : press.operators)
            sheet.rows.append(row(press.press, o.id, o.name, o.totals));
        sheet.rows.append(row(press.press, QString(), u"合計"_s, press.totals));
    }
    if (summary.presses.size() > 1)
        sheet.rows.append(row(u"合計"_s, QString(), QString(), summary.totals));
    return sheet;
}
