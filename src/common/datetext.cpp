#include "common/datetext.h"

#include "common/clock.h"
#include "db/jetval.h"

#include <QTime>

using namespace Qt::StringLiterals;

namespace {

constexpr int kMinguoOffset = 1911;

bool allDigits(QStringView text)
{
    if (text.isEmpty())
        return false;
    for (const QChar c : text) {
        if (c < u'0' || c > u'9')
            return false;
    }
    return true;
}

// Minutes since the epoch, rounded down, so that the difference of two counts
// is the number of minute boundaries between them.
qint64 floorMinutes(const QDateTime &moment)
{
    const qint64 ms = moment.toMSecsSinceEpoch();
    const qint64 minute = 60 * 1000;
    return ms >= 0 ? ms / minute : -((-ms + minute - 1) / minute);
}

} // namespace

QString Date7(const QDate &date)
{
    if (!date.isValid())
        return QString();
    const int value = (date.year() - kMinguoOffset) * 10000 + date.month() * 100 + date.day();
    return u"%1"_s.arg(value, 7, 10, QLatin1Char('0'));
}

QString ShownDate(const QString &date7)
{
    const int year = static_cast<int>(Val(date7.mid(0, 3)));
    const int month = static_cast<int>(Val(date7.mid(3, 2)));
    const int day = static_cast<int>(Val(date7.mid(5, 2)));
    return u"%1/%2/%3"_s.arg(year)
        .arg(month, 2, 10, QLatin1Char('0'))
        .arg(day, 2, 10, QLatin1Char('0'));
}

QString TodayDate7()
{
    return Date7(Clock::current().now().date());
}

QString TodayDateShown()
{
    return ShownDate(TodayDate7());
}

QString StampMMDDHH(const QDateTime &moment)
{
    return Date7(moment.date()).mid(3, 4) + u'-' + moment.time().toString(u"HH"_s);
}

QString StampMMDDHH()
{
    return StampMMDDHH(Clock::current().now());
}

QString TimeStamp(const QDateTime &moment)
{
    return Date7(moment.date()) + u'-' + moment.time().toString(u"HH:mm"_s);
}

QString TimeStamp()
{
    return TimeStamp(Clock::current().now());
}

QDateTime StampDateTime(const QString &stamp)
{
    // The date part must be the seven digits it is written as: a stamp typed
    // with letters or blanks there is a wrong stamp, not year 1911.
    const QStringView date7 = QStringView(stamp).left(7);
    if (date7.size() < 7 || !allDigits(date7))
        return QDateTime();
    const QDate date(date7.left(3).toInt() + kMinguoOffset, date7.mid(3, 2).toInt(),
                     date7.mid(5, 2).toInt());
    const QTime time = QTime::fromString(stamp.right(5), u"HH:mm"_s);
    if (!date.isValid() || !time.isValid())
        return QDateTime();
    return QDateTime(date, time, Qt::UTC);
}

qint64 MinutesBetween(const QDateTime &from, const QDateTime &to)
{
    return floorMinutes(to) - floorMinutes(from);
}

std::optional<qint64> MinutesBetweenStamps(const QString &startStamp, const QString &endStamp)
{
    const QDateTime start = StampDateTime(startStamp);
    const QDateTime end = StampDateTime(endStamp);
    if (!start.isValid() || !end.isValid())
        return std::nullopt;
    return MinutesBetween(start, end);
}

std::optional<QDate> DateOf7(const QString &date7)
{
    if (date7.size() != 7)
        return std::nullopt; // the stamp's check would take its first seven
    const QDateTime moment = StampDateTime(date7 + u"-00:00"_s);
    if (!moment.isValid())
        return std::nullopt;
    return moment.date();
}
