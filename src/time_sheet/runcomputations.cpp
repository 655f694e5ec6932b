#include "time_sheet/runcomputations.h"

#include "common/datetext.h"
#include "common/numbertext.h"
#include "db/jetval.h"

#include <QRegularExpression>
#include <cmath>

using namespace Qt::StringLiterals;

namespace {

double roundTo(double value, int decimals)
{
    const double scale = std::pow(10.0, decimals);
    const double rounded = std::round(value * scale) / scale; // half away from zero
    return rounded == 0.0 ? 0.0 : rounded;                    // no "-0.00"
}

} // namespace

QString FixedText(double value, int decimals)
{
    return QString::number(roundTo(value, decimals), 'f', decimals);
}

std::optional<double> TimeConsumedHours(const QString &start, const QString &end)
{
    const std::optional<qint64> minutes = MinutesBetweenStamps(start, end);
    if (!minutes)
        return std::nullopt;
    return roundTo(double(*minutes) / 60.0, 2);
}

QString EffectiveTimeText(double hours, double plates, const QString &proofingMark, double fills,
                          const PressCapacity &capacity)
{
    double minutes =
        hours * 60.0 - plates * capacity.perPlate - fills * capacity.perFill - capacity.pressWash;
    if (proofingMark == u"Y")
        minutes -= capacity.proofing;
    return FixedText(minutes / 60.0, 2);
}

QString ScoreText(double difference, double standard)
{
    if (standard == 0)
        return u"0"_s;
    const double percent = roundTo(difference * 100.0 / standard, 0);
    struct Band
    {
        double from;
        const char16_t *score;
    };
    static constexpr Band bands[] = {{26, u"10"}, {21, u"9"}, {16, u"8"},  {11, u"7"},
                                     {6, u"6"},   {-5, u"5"}, {-10, u"4"}, {-15, u"3"},
                                     {-20, u"2"}, {-25, u"1"}};
    for (const Band &band : bands)
        if (percent >= band.from)
            return QString::fromUtf16(band.score);
    return u"0"_s;
}

RunFigures FiguresOfRun(const QString &finished, const QString &effective, const QString &perHour)
{
    const double actual = QuantityValue(finished);
    const double hourly = Val(perHour);
    const double standard = roundTo(Val(effective) * hourly, 0);
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
