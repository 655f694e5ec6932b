#include "benchdata.h"

#include "db/connection.h"

using namespace Qt::StringLiterals;

namespace {

// Numbers 1..N, for statements that make many rows at once on either engine.
const QString numbers = u"with recursive n(i) as (select 1 union all "
                        u"select i + 1 from n where i < %1) "_s;

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
    const QString open = u"i %% %1 = 0"_s.arg(openEvery).replace(u"%%"_s, u"%"_s);
    run(c, u"insert into [CUST] (ID, SNAME) select 'C' || i, '客戶' || i from n"_s, 100);
    run(c,
        u"insert into [PWORK] (PO, CUST, [DESC], FDATE, PREM, 急件) "
        u"select 'W' || i, 'C' || (i % 100 + 1), '品名' || i, '', '備註', '' from n"_s,
        total);
    run(c,
        u"insert into [印刷預排] (PO, [NO], ID, FDATE, PDATE) "
        u"select 'W' || i, 1, 'P' || (i / 1000), '', '' from n"_s,
        total);
    run(c,
        u"insert into [PRINTING_S] (PO, [NO], ID, INO, [DESC], COLOR1, COLOR2, [COUNT], "
        u"MEMB, PLAT, [SIZE], QTY, QTY1, QTY2, 順序, 車別, ODATE, FDATE, REM, ACT) "
        u"select 'W' || i, 1, 'P' || (i / 1000), i, '印刷', 4, 1500, 5, 2, 1, '菊全', "
        u"'3000張', 0, 0, '' || (i % 1000 + 1), "
        u"case when %1 then ? else ? end, '', "
        u"case when %1 then '' else '1' || (i % 12 + 10) || '-' || (i % 14 + 10) end, "
        u"'', '' from n"_s.arg(open),
        total, {BenchPress, u"小森五色"_s});
    run(c,
        u"insert into [PRINTING] (PO, [NO], ODATE, FDATE, ACT, EAMT) "
        u"select 'W' || i, 1, '', '', '', 0 from n where %1"_s.arg(open),
        total);
    run(c,
        u"insert into [VENDERAC] (PO, [NO], KIND, ODATE, EAMT) "
        u"select 'W' || i, 1, '印 刷', '', 0 from n where %1"_s.arg(open),
        total);
    run(c,
        u"insert into [預排資料明細] (PO, [NO], ID, INO, KIND, ODATE) "
        u"select 'W' || i, 1, 'P' || (i / 1000), i, '印 刷', '' from n where %1"_s.arg(open),
        total);
    t.commit();
}

void FillPrintedSchedule(const QString &connectionString, int rows)
{
    Connection c;
    c.open(connectionString);
    TransactionGuard t(c);
    run(c,
        u"insert into [印刷預排表1] (車別, PO, [NO], DESC1, [DESC], SNAME, COLOR1, COLOR2, "
        u"MEMB, PLAT, [SIZE], QTY, ODATE, FDATE, PREM, 規格, 紙品, 下游廠商, CODE, "
        u"ITEM1, ITEM4, ITEM7) "
        u"select ?, 'R' || i, 1, '印件' || i, '印刷', '客戶', 4, 0, 2, 1200, '菊全', "
        u"'0.167令 + 80張', '1151208', '', '備註', case when i % 2 = 0 then '' else "
        u"'80g道林' end, case when i % 2 = 0 then '' else '菊全' end, '裝訂廠', "
        u"'M' || i, '1', '', '1' from n"_s,
        rows, {BenchPress});
    run(c,
        u"insert into [PAPER] (PO, [NO], SPEC, [ITEM], FDATE) "
        u"select 'R' || i, 1, '80g道林', '菊全', '1151201' from n"_s,
        rows);
    run(c, u"insert into [PLATE] (PO, [NO], FDATE) select 'R' || i, 1, '1151202' from n"_s, rows);
    t.commit();
}
