#include "time_sheet/runcomputations.h"

#include "common/datetext.h"
#include "common/numbertext.h"
#include "db/jetval.h"

#include <QRegularExpression>
#include <iterator>

using namespace Qt::StringLiterals;

std::optional<double> TimeConsumedHours(const QString &start, const QString &end)
{
    const std::optional<qint64> minutes = MinutesBetweenStamps(start, end);
    if (!minutes)
        return std::nullopt;
    return RoundTo(double(*minutes) / 60.0, 2);
}

namespace {

double effectiveMinutes(double hours, double plates, const QString &proofingMark, double fills,
                        const PressCapacity &capacity)
{
    double minutes =
        hours * 60.0 - plates * capacity.perPlate - fills * capacity.perFill - capacity.pressWash;
    if (proofingMark == u"Y")
        minutes -= capacity.proofing;
    return minutes;
}

// The score bands, from the top: a whole percentage at or above `from` scores `score`.
struct Band
{
    double from;
    const char16_t *score;
    const char16_t *range;
};
constexpr Band kBands[] = {
    {26, u"10", u"26% 以上"},     {21, u"9", u"21% 至 25%"},    {16, u"8", u"16% 至 20%"},
    {11, u"7", u"11% 至 15%"},    {6, u"6", u"6% 至 10%"},      {-5, u"5", u"-5% 至 5%"},
    {-10, u"4", u"-10% 至 -6%"},  {-15, u"3", u"-15% 至 -11%"}, {-20, u"2", u"-20% 至 -16%"},
    {-25, u"1", u"-25% 至 -21%"}, {-1e300, u"0", u"-26% 以下"},
};

const Band &bandOf(double percent)
{
    for (const Band &band : kBands)
        if (percent >= band.from)
            return band;
    return kBands[std::size(kBands) - 1];
}

double wholePercent(double difference, double standard)
{
    return RoundTo(difference * 100.0 / standard, 0);
}

} // namespace

QString EffectiveTimeText(double hours, double plates, const QString &proofingMark, double fills,
                          const PressCapacity &capacity)
{
    return FixedText(effectiveMinutes(hours, plates, proofingMark, fills, capacity) / 60.0, 2);
}

QString EffectiveTimeExplained(double hours, double plates, const QString &proofingMark,
                               double fills, const PressCapacity &capacity)
{
    const double minutes = effectiveMinutes(hours, plates, proofingMark, fills, capacity);
    QString text = NumberText(RoundTo(hours * 60.0, 2)) + u" 分 − 版 "_s + NumberText(plates) +
                   u" × "_s + NumberText(capacity.perPlate);
    if (proofingMark == u"Y")
        text += u" − 看印 "_s + NumberText(capacity.proofing);
    text += u" − 特滿 "_s + NumberText(fills) + u" × "_s + NumberText(capacity.perFill) +
            u" − 洗車 "_s + NumberText(capacity.pressWash) + u" = "_s +
            NumberText(RoundTo(minutes, 2)) + u" 分 = "_s + FixedText(minutes / 60.0, 2) +
            u" 小時"_s;
    return text;
}

QString ScoreText(double difference, double standard)
{
    if (standard == 0)
        return u"0"_s;
    return QString::fromUtf16(bandOf(wholePercent(difference, standard)).score);
}

QString ScoreExplained(const QString &finished, const QString &effective, const QString &perHour)
{
    const RunFigures figures = FiguresOfRun(finished, effective, perHour);
    const QString quantities = u"標準數量 "_s + figures.standard + u"，實際數量 "_s +
                               figures.actual + u"，差異 "_s + figures.difference;
    const double standard = Val(figures.standard);
    if (standard == 0)
        return quantities + u"；標準數量為 0，點數 0"_s;
    const double percent = wholePercent(Val(figures.difference), standard);
    const Band &band = bandOf(percent);
    return quantities + u"（"_s + NumberText(percent) + u"%），落在 "_s +
           QString::fromUtf16(band.range) + u"，點數 "_s + QString::fromUtf16(band.score);
}

RunFigures FiguresOfRun(const QString &finished, const QString &effective, const QString &perHour)
{
    const double actual = QuantityValue(finished);
    const double hourly = Val(perHour);
    const double standard = RoundTo(Val(effective) * hourly, 0);
    const double difference = actual - standard;
    return {NumberText(hourly), NumberText(standard), NumberText(actual), NumberText(difference),
            ScoreText(difference, standard)};
}

double QuantityValue(const QString &text)
{
    static const QRegularExpression grouped(uR"(^\s*[+-]?\d{1,3}(,\d{3})+(\.\d*)?\s*$)"_s);
    if (grouped.match(text).hasMatch())
        return Val(QString(text).remove(u','));
    return Val(text);
}
