#include "time_sheet/pressruns.h"

#include "db/connection.h"
#include "db/dberror.h"
#include "db/jetval.h"
#include "db/recordset.h"
#include "grid/recordtext.h"

using namespace Qt::StringLiterals;

StoreRead<QVector<RunInterval>> ReadRunIntervals(const QString &connectionString,
                                                 const QString &press, const TimeSheetJob *except)
{
    StoreRead<QVector<RunInterval>> result;
    try {
        Connection c;
        c.open(connectionString);
        QString sql = u"select 機別, 工單單號, 工單序, 序, 開始, 結束 from [預排資料耗時明細1] "
                      u"where 開始 <> '' and 結束 <> ''"_s;
        QVariantList values;
        if (!press.isEmpty()) {
            sql += u" and 機別 = ?"_s;
            values << press;
        }
        if (except) {
            sql += u" and not (工單單號 = ? and 工單序 = ?)"_s;
            values << except->po << Val(except->line);
        }
        Recordset rs(c);
        rs.open(sql, values);
        for (; !rs.eof(); rs.moveNext()) {
            std::optional<RunInterval> run = IntervalOf(rs.text(u"開始"_s), rs.text(u"結束"_s));
            if (!run)
                continue;
            run->press = rs.text(u"機別"_s).trimmed();
            run->po = rs.text(u"工單單號"_s).trimmed();
            run->line = RecordValueText(rs.value(u"工單序"_s)).trimmed();
            run->seq = int(Val(RecordValueText(rs.value(u"序"_s))));
            result.value.append(*run);
        }
    } catch (const DbError &e) {
        result.error = e.description();
    }
    SortByStart(result.value);
    return result;
}
