#include "daily_report/scheduleediting.h"

#include "common/cp950.h"
#include "common/texttrim.h"

using namespace Qt::StringLiterals;

bool IsStampHeading(const QString &heading)
{
    return heading == u"預定日" || heading == u"完工日";
}

bool IsClosedRow(const QString &closingMark)
{
    return !closingMark.trimmed().isEmpty();
}

LimitedEntry LimitScheduleEntry(const QString &heading, const QString &entry)
{
    int limit = 0;
    QString message;
    if (heading == u"順序") {
        limit = 10;
        message = u"最多只可輸入10個字元!"_s;
    } else if (IsStampHeading(heading)) {
        limit = 7;
        message = u"最多只可輸入7個字元!"_s;
    } else {
        return {entry, QString(), false};
    }
    if (Cp950ByteLength(entry) > limit)
        return {LeftByBytes(entry, limit), message, true};
    return {entry, QString(), true};
}
