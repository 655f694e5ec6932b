#include "reports/pressschedulebands.h"

#include "reports/reportpage.h"

using namespace Qt::StringLiterals;

namespace {

ReportText Text(const QString &name, int left, int top, int width, int height, const QString &text,
                int pointSize, Qt::Alignment alignment = kLeft, const QString &family = kMing)
{
    return ReportText{name, QRect(left, top, width, height), text, ReportFont{family, pointSize},
                      alignment};
}

ReportText Label(int left, int top, int width, int height, const QString &text, int pointSize,
                 Qt::Alignment alignment = kLeft)
{
    return Text(text, left, top, width, height, text, pointSize, alignment);
}

ReportLine Rule(int x1, int x2, int y)
{
    return ReportLine{QPoint(x1, y), QPoint(x2, y)};
}

struct Heading
{
    const char *text;
    int left;
    int width;
};

// Column headings of the first line of an entry; the fields sit under them.
const Heading kHeadings[] = {
    {"序", 90, 360},
    {"工單單號", 495, 990},
    {"客  戶", 1500, 840},
    {"印　    件    　名    　稱", 2370, 3195},
    {"項 目", 5580, 645},
    {"正色", 6255, 480},
    {"反色", 6765, 480},
    {"模數", 7275, 480},
    {"台數", 7785, 615},
    {"印刷尺寸", 8415, 930},
    {"數             量", 9360, 1560},
    {"預定日", 10935, 795},
    {"完工日", 11745, 795},
    {"紙", 12555, 270},
    {"版", 12855, 270},
    {"備註", 13140, 615},
    {"版別", 13770, 495},
    {"看印", 14280, 495},
};

constexpr int kRuleLeft = 90;
constexpr int kRuleRight = 14775;

// How far the press line stands below the top of the group header.
constexpr int kPressLineTop = 735;

// The header of a page that goes on with a press: the press line and the column
// headings of the header, moved up into the room of the title.
ReportBand ContinuationOf(const ReportBand &header)
{
    ReportBand band;
    band.kind = ReportBand::Kind::GroupHeader;
    band.height = header.height - kPressLineTop;
    for (ReportText text : header.texts) {
        if (text.name == u"txt公司名稱")
            continue;
        text.rect.translate(0, -kPressLineTop);
        band.texts.append(text);
    }
    for (ReportLine line : header.lines) {
        line.from.ry() -= kPressLineTop;
        line.to.ry() -= kPressLineTop;
        band.lines.append(line);
    }
    return band;
}

} // namespace

ReportBand PressScheduleGroupHeader(const QString &companyName, const QString &printDate,
                                    const QString &press)
{
    ReportBand band;
    band.kind = ReportBand::Kind::GroupHeader;
    band.height = kPressScheduleHeaderHeight;
    band.keepWithNext = true;
    band.texts = {
        Text(u"txt公司名稱"_s, 90, 0, 14685, 540, companyName + u" - 印刷排程表"_s, 20, kCenter,
             kKai),
        Label(90, 795, 1140, 330, u"車       別："_s, 11),
        Text(u"txt機別"_s, 1155, 765, 1725, 375, press, 14),
        Label(12405, 810, 1110, 330, u"印表日期："_s, 11),
        Text(u"txt印表日期"_s, 13470, 810, 1020, 330, printDate, 11),
    };
    band.lines.append(Rule(kRuleLeft, kRuleRight, 1155));
    for (const Heading &h : kHeadings) {
        band.texts.append(
            Label(h.left, 1230, h.width, 330, QString::fromUtf8(h.text), 11, kCenter));
        band.lines.append(Rule(h.left, h.left + h.width, 1560));
    }
    band.continuation = std::make_shared<const ReportBand>(ContinuationOf(band));
    return band;
}

ReportBand PressScheduleDetail(const PressScheduleEntry &e, bool lastOfPress)
{
    ReportBand band;
    band.kind = ReportBand::Kind::Detail;
    band.height = kPressScheduleDetailHeight;
    band.keepWithNext = lastOfPress;
    band.texts = {
        // First line, under the headings.
        Text(u"txt序"_s, 90, 30, 360, 375, e.counter, 12, kCenter),
        Text(u"PO"_s, 495, 75, 990, 330, e.po, 10),
        Text(u"SNAME"_s, 1500, 75, 840, 330, e.sname, 10),
        Text(u"DESC1"_s, 2370, 75, 3195, 345, e.desc1, 10),
        Text(u"DESC"_s, 5580, 75, 645, 330, e.desc, 10),
        Text(u"COLOR1"_s, 6255, 75, 480, 330, e.color1, 10, kRight),
        Text(u"COLOR2"_s, 6780, 75, 480, 330, e.color2, 10, kRight),
        Text(u"MEMB"_s, 7275, 75, 480, 330, e.memb, 11, kRight),
        Text(u"PLAT"_s, 7785, 75, 615, 330, e.plat, 11, kRight),
        Text(u"SIZE"_s, 8415, 75, 930, 330, e.size, 10, kCenter),
        Text(u"txt令"_s, 9360, 75, 810, 330, e.reams, 10, kRight),
        Label(10155, 30, 165, 375, u"+"_s, 11, kCenter),
        Text(u"txt張"_s, 10305, 75, 630, 330, e.sheets, 10),
        Text(u"ODATE"_s, 10935, 75, 795, 330, e.odate, 10, kCenter),
        Text(u"FDATE"_s, 11745, 75, 795, 330, e.fdate, 10, kCenter),
        Text(u"txt紙"_s, 12555, 75, 270, 330, e.paperArrived, 10, kCenter),
        Text(u"txt版"_s, 12855, 75, 270, 330, e.plateDone, 10, kCenter),
        Text(u"txt版別"_s, 13770, 75, 495, 330, e.plateKind, 10, kCenter),
        Text(u"txt看印"_s, 14280, 75, 495, 330, e.pressCheck, 10, kCenter),
        // Second line.
        Label(495, 435, 675, 330, u"備註："_s, 10),
        Text(u"PREM"_s, 1170, 435, 4440, 330, e.prem, 10),
        Label(5670, 435, 675, 330, u"用紙："_s, 10),
        Text(u"txt用紙"_s, 6345, 435, 3210, 330, e.paperText, 10),
        Label(9615, 435, 1065, 330, u"下游廠商："_s, 10),
        Text(u"下游廠商"_s, 10680, 435, 1485, 330, e.vendor, 10),
        Label(12225, 435, 675, 330, u"料號："_s, 10),
        Text(u"CODE"_s, 12900, 435, 1860, 330, e.code, 10),
    };
    band.lines.append(Rule(kRuleLeft, kRuleRight, 810));
    return band;
}

ReportBand PressScheduleGroupFooter()
{
    struct SignOff
    {
        const char *text;
        int left;
        int lineFrom;
        int lineTo;
    };
    static const SignOff signOffs[] = {
        {"主　管：", 375, 1305, 3210},
        {"複　核：", 4080, 5010, 6915},
        {"裁　切：", 7755, 8685, 10590},
        {"經　辦：", 11445, 12345, 14250},
    };
    ReportBand band;
    band.kind = ReportBand::Kind::GroupFooter;
    band.height = kPressScheduleFooterHeight;
    for (const SignOff &s : signOffs) {
        band.texts.append(Label(s.left, 285, 990, 285, QString::fromUtf8(s.text), 11));
        band.lines.append(Rule(s.lineFrom, s.lineTo, 570));
    }
    return band;
}
