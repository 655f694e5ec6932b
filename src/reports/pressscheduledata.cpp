#include "reports/pressscheduledata.h"

#include "startup/db/connection.h"
#include "startup/db/dberror.h"
#include "startup/db/recordset.h"

#include <cmath>

namespace {

const QString RowsFrom = QStringLiteral("select * from [印刷預排表1] where 車別 like ?");

QVariant PressPattern(const QString &press)
{
    return QVariant(press.trimmed() + QLatin1Char('%'));
}

// The line number as the lookups compare it: a whole number binds as an integer.
QVariant LineNumber(double no)
{
    if (std::isfinite(no) && no == std::trunc(no) && std::fabs(no) < 9e15)
        return QVariant(qlonglong(no));
    return QVariant(no);
}

PressScheduleRow ReadRow(const Recordset &rs)
{
    PressScheduleRow r;
    r.press = rs.text(QStringLiteral("車別"));
    r.po = rs.text(QStringLiteral("PO"));
    r.no = rs.text(QStringLiteral("NO"));
    r.desc1 = rs.text(QStringLiteral("DESC1"));
    r.desc = rs.text(QStringLiteral("DESC"));
    r.sname = rs.text(QStringLiteral("SNAME"));
    r.color1 = rs.text(QStringLiteral("COLOR1"));
    r.color2 = rs.text(QStringLiteral("COLOR2"));
    r.memb = rs.text(QStringLiteral("MEMB"));
    r.plat = rs.text(QStringLiteral("PLAT"));
    r.size = rs.text(QStringLiteral("SIZE"));
    r.qty = rs.text(QStringLiteral("QTY"));
    r.odate = rs.text(QStringLiteral("ODATE"));
    r.fdate = rs.text(QStringLiteral("FDATE"));
    r.prem = rs.text(QStringLiteral("PREM"));
    r.paperSpec = rs.text(QStringLiteral("規格"));
    r.paperItem = rs.text(QStringLiteral("紙品"));
    r.vendor = rs.text(QStringLiteral("下游廠商"));
    r.code = rs.text(QStringLiteral("CODE"));
    r.item1 = rs.text(QStringLiteral("ITEM1"));
    r.item4 = rs.text(QStringLiteral("ITEM4"));
    r.item7 = rs.text(QStringLiteral("ITEM7"));
    return r;
}

} // namespace

int CountPressScheduleRows(Connection &connection, const QString &press)
{
    Recordset rs(connection);
    rs.open(RowsFrom, {PressPattern(press)});
    return rs.recordCount();
}

QVector<PressScheduleRow> LoadPressScheduleRows(Connection &connection, const QString &press)
{
    Recordset rs(connection);
    rs.open(RowsFrom + QStringLiteral(" order by 車別, PO, [NO]"), {PressPattern(press)});
    QVector<PressScheduleRow> rows;
    rows.reserve(rs.recordCount());
    for (; !rs.eof(); rs.moveNext())
        rows.append(ReadRow(rs));
    return rows;
}

QString ReadCompanyName(Connection &connection)
{
    Recordset rs(connection);
    rs.open(QStringLiteral("select * from [COMPANY]"));
    return rs.eof() ? QString() : rs.text(QStringLiteral("COMPANY")).trimmed();
}

DbPressScheduleLookups::DbPressScheduleLookups(const QString &connectionString)
    : m_connectionString(connectionString)
{
}

DbPressScheduleLookups::~DbPressScheduleLookups() = default;

void DbPressScheduleLookups::beginRow()
{
    if (m_connection)
        return;
    auto connection = std::make_unique<Connection>();
    connection->open(m_connectionString);
    m_connection = std::move(connection);
}

void DbPressScheduleLookups::endRow()
{
    if (!m_rowFailed)
        return;
    // After a failure the next entry starts on a fresh connection.
    m_connection.reset();
    m_rowFailed = false;
}

template <typename Lookup> auto DbPressScheduleLookups::guarded(Lookup lookup)
{
    try {
        return lookup(*m_connection);
    } catch (const DbError &) {
        m_rowFailed = true;
        throw;
    }
}

QVector<PressScheduleLookups::PaperLine> DbPressScheduleLookups::paperLines(const QString &po,
                                                                            double no)
{
    return guarded([&](Connection &connection) {
        Recordset rs(connection);
        rs.open(QStringLiteral("select PO, [NO], SPEC, [ITEM], FDATE from [PAPER] "
                               "where PO = ? and [NO] = ?"),
                {po, LineNumber(no)});
        QVector<PaperLine> lines;
        for (; !rs.eof(); rs.moveNext()) {
            lines.append({rs.text(QStringLiteral("SPEC")), rs.text(QStringLiteral("ITEM")),
                          rs.text(QStringLiteral("FDATE"))});
        }
        return lines;
    });
}

QVector<QString> DbPressScheduleLookups::plateDates(const QString &po, double no)
{
    return guarded([&](Connection &connection) {
        Recordset rs(connection);
        rs.open(QStringLiteral("select PO, [NO], FDATE from [PLATE] where PO = ? and [NO] = ?"),
                {po, LineNumber(no)});
        QVector<QString> dates;
        for (; !rs.eof(); rs.moveNext())
            dates.append(rs.text(QStringLiteral("FDATE")));
        return dates;
    });
}
