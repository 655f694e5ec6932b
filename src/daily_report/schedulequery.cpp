#include "daily_report/schedulequery.h"

#include "common/numbertext.h"
#include "daily_report/schedulecolumns.h"
#include "db/connection.h"
#include "db/dberror.h"
#include "db/recordset.h"
#include "grid/recordtext.h"

#include <QHash>

using namespace Qt::StringLiterals;

QString ScheduleStatement(bool finishedOnly)
{
    QString sql =
        u"select PRINTING_S.PO, PRINTING_S.[NO], PRINTING_S.[DESC], CUST.SNAME, PWORK.[DESC], "
        u"PRINTING_S.COLOR1, PRINTING_S.COLOR2, PRINTING_S.[COUNT], PRINTING_S.MEMB, "
        u"PRINTING_S.PLAT, PRINTING_S.[SIZE], PRINTING_S.QTY, PRINTING_S.QTY1, PRINTING_S.QTY2, "
        u"PRINTING_S.順序, PRINTING_S.車別, 預排耗時_印刷.耗時, PRINTING_S.[NO] as NO1, "
        u"PRINTING_S.ODATE, PRINTING_S.FDATE, PRINTING_S.REM, ITEM_P.ITEM7 as 看印, PRINTING_S.ID, "
        u"PRINTING_S.INO, 印刷預排.PDATE "
        u"from (((([印刷預排] inner join [PRINTING_S] on 印刷預排.PO = PRINTING_S.PO and "
        u"印刷預排.[NO] = PRINTING_S.[NO] and 印刷預排.ID = PRINTING_S.ID) "
        u"inner join [PWORK] on 印刷預排.PO = PWORK.PO) "
        u"inner join [CUST] on PWORK.CUST = CUST.ID) "
        u"left join [ITEM_P] on 印刷預排.PO = ITEM_P.PO) "
        u"left join [預排耗時_印刷] on PRINTING_S.PO = 預排耗時_印刷.工單單號 and "
        u"PRINTING_S.[NO] = 預排耗時_印刷.工單序 and PRINTING_S.車別 = 預排耗時_印刷.機別 "
        u"where (PRINTING_S.車別 like ?) and PRINTING_S.順序 <> '' "_s;
    if (!finishedOnly)
        sql += u" and (PRINTING_S.FDATE = '') "
               u" and (PWORK.FDATE = '' or PWORK.FDATE is null) "
               u" and (印刷預排.PDATE = '') "
               u" and (印刷預排.FDATE = '') "_s;
    else
        sql += u" and ((PRINTING_S.FDATE <> '') "
               u" or (PWORK.FDATE <> '') "
               u" or (印刷預排.PDATE <> '') "
               u" or (印刷預排.FDATE <> '')) "_s;
    sql += u" order by PRINTING_S.ID desc, val(PRINTING_S.順序), PRINTING_S.PO, "
           u"PRINTING_S.[NO] "_s;
    return sql;
}

QString ColourCountText(const QVariant &value)
{
    const QString text = FormatThousands(RecordValueText(value));
    return text == u"0" ? QString() : text;
}

namespace {

// The colour counts of the result as shown; they repeat, so each value is
// formatted once.
void showColourCounts(RecordArray &records)
{
    for (const int field : {ScheduleCol::Color1 - 1, ScheduleCol::Color2 - 1}) {
        if (field >= records.size())
            continue;
        QHash<QString, QString> shown;
        for (QVariant &value : records[field]) {
            const QString raw = RecordValueText(value);
            auto it = shown.find(raw);
            if (it == shown.end())
                it = shown.insert(raw, ColourCountText(raw));
            value = *it;
        }
    }
}

} // namespace

ScheduleResult QueryScheduleRows(const QString &connectionString, const QString &press,
                                 bool finishedOnly)
{
    ScheduleResult result;
    try {
        Connection c;
        c.open(connectionString);
        Recordset rs(c);
        rs.open(ScheduleStatement(finishedOnly), {press.trimmed() + u'%'});
        result.count = rs.recordCount();
        if (result.count > 0)
            result.records = rs.getRows();
    } catch (const DbError &e) {
        return {0, {}, e.description()};
    }
    showColourCounts(result.records);
    return result;
}

QVector<ListedStamps> ListedStampsOf(const RecordArray &records)
{
    QVector<ListedStamps> listed;
    if (records.size() < ScheduleCol::Completion)
        return listed;
    const QVector<QVariant> &planned = records.at(ScheduleCol::Planned - 1);
    const QVector<QVariant> &completion = records.at(ScheduleCol::Completion - 1);
    listed.reserve(planned.size());
    for (qsizetype r = 0; r < planned.size(); ++r)
        listed.append({RecordValueText(planned.at(r)), RecordValueText(completion.value(r))});
    return listed;
}

PressList ReadPressNames(const QString &connectionString)
{
    PressList list;
    try {
        Connection c;
        c.open(connectionString);
        Recordset rs(c);
        rs.open(u"select ID, ITEM, [DESC] from [PHRASE] where KIND = 'Z-雜項' and "
                u"ITEM = '機別' order by ID"_s);
        for (; !rs.eof(); rs.moveNext())
            list.names.append(rs.text(u"DESC"_s).trimmed());
    } catch (const DbError &e) {
        return {{}, e.description()};
    }
    return list;
}
