#include "schedulequery.h"

#include "startup/db/connection.h"
#include "startup/db/recordset.h"

QString ScheduleStatement(bool finishedOnly)
{
    QString sql = QStringLiteral(
        "select PRINTING_S.PO, PRINTING_S.[NO], PRINTING_S.[DESC], CUST.SNAME, PWORK.[DESC], "
        "PRINTING_S.COLOR1, PRINTING_S.COLOR2, PRINTING_S.[COUNT], PRINTING_S.MEMB, "
        "PRINTING_S.PLAT, PRINTING_S.[SIZE], PRINTING_S.QTY, PRINTING_S.QTY1, PRINTING_S.QTY2, "
        "PRINTING_S.順序, PRINTING_S.車別, 預排耗時_印刷.耗時, PRINTING_S.[NO] as NO1, "
        "PRINTING_S.ODATE, PRINTING_S.FDATE, PRINTING_S.REM, ITEM_P.ITEM7 as 看印, PRINTING_S.ID, "
        "PRINTING_S.INO, 印刷預排.PDATE "
        "from (((([印刷預排] inner join [PRINTING_S] on 印刷預排.PO = PRINTING_S.PO and "
        "印刷預排.[NO] = PRINTING_S.[NO] and 印刷預排.ID = PRINTING_S.ID) "
        "inner join [PWORK] on 印刷預排.PO = PWORK.PO) "
        "inner join [CUST] on PWORK.CUST = CUST.ID) "
        "left join [ITEM_P] on 印刷預排.PO = ITEM_P.PO) "
        "left join [預排耗時_印刷] on PRINTING_S.PO = 預排耗時_印刷.工單單號 and "
        "PRINTING_S.[NO] = 預排耗時_印刷.工單序 and PRINTING_S.車別 = 預排耗時_印刷.機別 "
        "where (PRINTING_S.車別 like ?) and PRINTING_S.順序 <> '' ");
    if (!finishedOnly)
        sql += QStringLiteral(" and (PRINTING_S.FDATE = '') "
                              " and (PWORK.FDATE = '' or PWORK.FDATE is null) "
                              " and (印刷預排.PDATE = '') "
                              " and (印刷預排.FDATE = '') ");
    else
        sql += QStringLiteral(" and ((PRINTING_S.FDATE <> '') "
                              " or (PWORK.FDATE <> '') "
                              " or (印刷預排.PDATE <> '') "
                              " or (印刷預排.FDATE <> '')) ");
    sql += QStringLiteral(" order by PRINTING_S.ID desc, val(PRINTING_S.順序), PRINTING_S.PO, "
                          "PRINTING_S.[NO] ");
    return sql;
}

ScheduleResult QueryScheduleRows(const QString &connectionString, const QString &press,
                                 bool finishedOnly)
{
    Connection c;
    c.open(connectionString);
    Recordset rs(c);
    rs.open(ScheduleStatement(finishedOnly), {press.trimmed() + u'%'});
    ScheduleResult result;
    result.count = rs.recordCount();
    if (result.count > 0)
        result.records = rs.getRows();
    return result;
}

QStringList ReadPressNames(const QString &connectionString)
{
    Connection c;
    c.open(connectionString);
    Recordset rs(c);
    rs.open(QStringLiteral("select ID, ITEM, [DESC] from [PHRASE] where KIND = 'Z-雜項' and "
                           "ITEM = '機別' order by ID"));
    QStringList names;
    while (!rs.eof()) {
        names.append(rs.text(QStringLiteral("DESC")).trimmed());
        rs.moveNext();
    }
    return names;
}
