#include "reports/schedulesheet.h"

#include "common/numbertext.h"
#include "db/connection.h"
#include "db/dberror.h"
#include "db/jetval.h"
#include "reports/pressscheduledata.h"
#include "reports/pressscheduleformat.h"

using namespace Qt::StringLiterals;

namespace {

// A count as the report prints it (blank for 0), as a number.
QVariant Count(const QString &value, const QString &printed)
{
    return printed.isEmpty() ? QVariant() : QVariant(Val(QString(value).remove(u',')));
}

} // namespace

SheetTable PressScheduleSheet(const QVector<PressScheduleRow> &rows, PressScheduleLookups &lookups)
{
    SheetTable sheet{u"印刷排程表"_s,
                     {u"車別"_s,   u"序"_s,     u"工單單號"_s, u"客戶"_s, u"印件名稱"_s, u"項目"_s,
                      u"正色"_s,   u"反色"_s,   u"模數"_s,     u"台數"_s, u"印刷尺寸"_s, u"數量"_s,
                      u"預定日"_s, u"完工日"_s, u"紙"_s,       u"版"_s,   u"備註"_s,     u"版別"_s,
                      u"看印"_s,   u"用紙"_s,   u"下游廠商"_s, u"料號"_s},
                     {}};
    sheet.rows.reserve(rows.size());
    const QVector<PressScheduleEntry> entries = PressScheduleEntries(rows, lookups);
    for (qsizetype i = 0; i < rows.size(); ++i) {
        const PressScheduleRow &row = rows[i];
        const PressScheduleEntry &e = entries[i];
        sheet.rows.append({row.press.trimmed(),
                           double(i + 1),
                           e.po,
                           e.sname,
                           e.desc1,
                           e.desc,
                           Count(row.color1, e.color1),
                           Count(row.color2, e.color2),
                           Count(row.memb, e.memb),
                           Count(row.plat, e.plat),
                           e.size,
                           row.qty.trimmed(),
                           e.odate,
                           e.fdate,
                           e.paperArrived,
                           e.plateDone,
                           e.prem,
                           e.plateKind,
                           e.pressCheck,
                           e.paperText.trimmed(),
                           e.vendor,
                           e.code});
    }
    return sheet;
}

std::optional<QString> WriteScheduleSheet(const QString &connectionString, const QString &press,
                                          const QString &file)
{
    SheetTable sheet;
    try {
        QVector<PressScheduleRow> rows;
        {
            Connection connection;
            connection.open(connectionString);
            rows = LoadPressScheduleRows(connection, press);
        }
        if (rows.isEmpty())
            return u"查無任何資料!"_s;
        DbPressScheduleLookups lookups(connectionString);
        sheet = PressScheduleSheet(rows, lookups);
    } catch (const DbError &e) {
        return e.description();
    }
    return WriteSheetFile(sheet, file);
}
