#include "reports/pressscheduleformat.h"

#include "common/numbertext.h"

#include <cmath>

using namespace Qt::StringLiterals;

QuantityParts SplitQuantity(const QString &qty)
{
    const qsizetype plus = qty.indexOf(QLatin1Char('+'));
    if (plus < 0)
        return {QString(), qty};
    return {qty.left(plus), qty.mid(plus + 1)};
}

QString CountColumnText(const QString &value)
{
    const QString grouped = FormatThousands(value);
    return grouped == QLatin1String("0") ? QString() : grouped;
}

QString PlannedDateText(const QString &date7)
{
    const std::optional<double> value = ParseNumericText(date7);
    if (!value)
        return date7;
    const double rounded = std::round(*value);
    if (std::fabs(rounded) >= 1e15)
        return date7;
    // The placeholders fill from the right; "#" prints nothing where the
    // number has no digit, the two "/" always print.
    const qint64 number = qint64(rounded);
    const QString digits = QString::number(number < 0 ? -number : number);
    const QString day = digits.right(2);
    const QString rest = digits.chopped(qMin<qsizetype>(2, digits.length()));
    const QString month = rest.right(2);
    const QString year = rest.chopped(qMin<qsizetype>(2, rest.length()));
    const QString sign = number < 0 ? u"-"_s : QString();
    return sign + year + QLatin1Char('/') + month + QLatin1Char('/') + day;
}

QString PlateKindText(const QString &item1, const QString &item4)
{
    if (item1.trimmed() == QLatin1String("1"))
        return u"新版"_s;
    if (item4.trimmed() == QLatin1String("1"))
        return u"舊版"_s;
    return QString();
}

QString PressCheckText(const QString &item7)
{
    return item7.trimmed() == QLatin1String("1") ? u"Y"_s : QString();
}

QString RowPaperText(const QString &paperSpec, const QString &paperItem)
{
    return paperSpec.trimmed() + u"   "_s + paperItem.trimmed();
}

QString PaperLineText(const QString &paperSpec, const QString &item)
{
    return paperSpec.trimmed() + u"     "_s + item.trimmed();
}

PressScheduleEntry FormatPressScheduleEntry(const PressScheduleRow &row, int counter)
{
    PressScheduleEntry e;
    e.counter = QString::number(counter);
    e.po = row.po;
    e.sname = row.sname;
    e.desc1 = row.desc1;
    e.desc = row.desc;
    e.color1 = CountColumnText(row.color1);
    e.color2 = CountColumnText(row.color2);
    e.memb = CountColumnText(row.memb);
    e.plat = CountColumnText(row.plat);
    e.size = row.size;
    const QuantityParts qty = SplitQuantity(row.qty);
    e.reams = qty.reams;
    e.sheets = qty.sheets;
    e.odate = PlannedDateText(row.odate);
    e.fdate = row.fdate;
    e.pressCheck = PressCheckText(row.item7);
    e.plateKind = PlateKindText(row.item1, row.item4);
    e.paperText = RowPaperText(row.paperSpec, row.paperItem);
    e.prem = row.prem;
    e.vendor = row.vendor;
    e.code = row.code;
    return e;
}
