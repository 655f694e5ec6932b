#include "benchdata.h"

#include "startup/db/connection.h"

namespace {

// Numbers 1..N, for statements that make many rows at once on either engine.
const QString numbers = QStringLiteral("with recursive n(i) as (select 1 union all "
                                       "select i + 1 from n where i < %1) ");

void run(Connection &c, const QString &sql, int total, const QVariantList &params = {})
{
    c.execute(numbers.arg(total) + sql, params);
}

} // namespace

void FillScheduleLines(const QString &connectionString, int total, int openEvery)
{
    Connection c;
    c.open(connectionString);
    TransactionGuard t(c);
    const QString open = QStringLiteral("i %% %1 = 0")
                             .arg(openEvery)
                             .replace(QStringLiteral("%%"), QStringLiteral("%"));
    run(c, QStringLiteral("insert into [CUST] (ID, SNAME) select 'C' || i, '客戶' || i from n"),
        100);
    run(c,
        QStringLiteral("insert into [PWORK] (PO, CUST, [DESC], FDATE, PREM, 急件) "
                       "select 'W' || i, 'C' || (i % 100 + 1), '品名' || i, '', '備註', '' from n"),
        total);
    run(c,
        QStringLiteral("insert into [印刷預排] (PO, [NO], ID, FDATE, PDATE) "
                       "select 'W' || i, 1, 'P' || (i / 1000), '', '' from n"),
        total);
    run(c,
        QStringLiteral(
            "insert into [PRINTING_S] (PO, [NO], ID, INO, [DESC], COLOR1, COLOR2, [COUNT], "
            "MEMB, PLAT, [SIZE], QTY, QTY1, QTY2, 順序, 車別, ODATE, FDATE, REM, ACT) "
            "select 'W' || i, 1, 'P' || (i / 1000), i, '印刷', 4, 1500, 5, 2, 1, '菊全', "
            "'3000張', 0, 0, '' || (i % 1000 + 1), "
            "case when %1 then ? else ? end, '', "
            "case when %1 then '' else '1' || (i % 12 + 10) || '-' || (i % 14 + 10) end, "
            "'', '' from n")
            .arg(open),
        total, {BenchPress, QStringLiteral("小森五色")});
    run(c,
        QStringLiteral("insert into [PRINTING] (PO, [NO], ODATE, FDATE, ACT, EAMT) "
                       "select 'W' || i, 1, '', '', '', 0 from n where %1")
            .arg(open),
        total);
    run(c,
        QStringLiteral("insert into [VENDERAC] (PO, [NO], KIND, ODATE, EAMT) "
                       "select 'W' || i, 1, '印 刷', '', 0 from n where %1")
            .arg(open),
        total);
    run(c,
        QStringLiteral("insert into [預排資料明細] (PO, [NO], ID, INO, KIND, ODATE) "
                       "select 'W' || i, 1, 'P' || (i / 1000), i, '印 刷', '' from n where %1")
            .arg(open),
        total);
    t.commit();
}

void FillPrintedSchedule(const QString &connectionString, int rows)
{
    Connection c;
    c.open(connectionString);
    TransactionGuard t(c);
    run(c,
        QStringLiteral(
            "insert into [印刷預排表1] (車別, PO, [NO], DESC1, [DESC], SNAME, COLOR1, COLOR2, "
            "MEMB, PLAT, [SIZE], QTY, ODATE, FDATE, PREM, 規格, 紙品, 下游廠商, CODE, "
            "ITEM1, ITEM4, ITEM7) "
            "select ?, 'R' || i, 1, '印件' || i, '印刷', '客戶', 4, 0, 2, 1200, '菊全', "
            "'0.167令 + 80張', '1151208', '', '備註', case when i % 2 = 0 then '' else "
            "'80g道林' end, case when i % 2 = 0 then '' else '菊全' end, '裝訂廠', "
            "'M' || i, '1', '', '1' from n"),
        rows, {BenchPress});
    run(c,
        QStringLiteral("insert into [PAPER] (PO, [NO], SPEC, [ITEM], FDATE) "
                       "select 'R' || i, 1, '80g道林', '菊全', '1151201' from n"),
        rows);
    run(c,
        QStringLiteral(
            "insert into [PLATE] (PO, [NO], FDATE) select 'R' || i, 1, '1151202' from n"),
        rows);
    t.commit();
}
