#include "reports/pressscheduledata.h"

#include "db/connection.h"
#include "db/dberror.h"
#include "db/jetval.h"
#include "db/recordset.h"

#include <cmath>

using namespace Qt::StringLiterals;

namespace {

const QString kScheduleRows =
    u"select * from [印刷預排表1] where 車別 like ? order by 車別, PO, [NO]"_s;

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
    r.press = rs.text(u"車別"_s);
    r.po = rs.text(u"PO"_s);
    r.no = rs.text(u"NO"_s);
    r.desc1 = rs.text(u"DESC1"_s);
    r.desc = rs.text(u"DESC"_s);
    r.sname = rs.text(u"SNAME"_s);
    r.color1 = rs.text(u"COLOR1"_s);
    r.color2 = rs.text(u"COLOR2"_s);
    r.memb = rs.text(u"MEMB"_s);
    r.plat = rs.text(u"PLAT"_s);
    r.size = rs.text(u"SIZE"_s);
    r.qty = rs.text(u"QTY"_s);
    r.odate = rs.text(u"ODATE"_s);
    r.fdate = rs.text(u"FDATE"_s);
    r.prem = rs.text(u"PREM"_s);
    r.paperSpec = rs.text(u"規格"_s);
    r.paperItem = rs.text(u"紙品"_s);
    r.vendor = rs.text(u"下游廠商"_s);
    r.code = rs.text(u"CODE"_s);
    r.item1 = rs.text(u"ITEM1"_s);
    r.item4 = rs.text(u"ITEM4"_s);
    r.item7 = rs.text(u"ITEM7"_s);
    return r;
}

} // namespace

QVector<PressScheduleRow> LoadPressScheduleRows(Connection &connection, const QString &press)
{
    Recordset rs(connection);
    rs.open(kScheduleRows, {PressPattern(press)});
    QVector<PressScheduleRow> rows;
    rows.reserve(rs.recordCount());
    for (; !rs.eof(); rs.moveNext())
        rows.append(ReadRow(rs));
    return rows;
}

QString ReadCompanyName(Connection &connection)
{
    Recordset rs(connection);
    rs.open(u"select * from [COMPANY]"_s);
    return rs.eof() ? QString() : rs.text(u"COMPANY"_s).trimmed();
}

DbPressScheduleLookups::DbPressScheduleLookups(const QString &connectionString)
    : m_connectionString(connectionString)
{
}

DbPressScheduleLookups::~DbPressScheduleLookups() = default;

QString DbPressScheduleLookups::jobKey(const QString &po, double no)
{
    return po + QChar(0x1f) + QString::number(no, 'g', 17);
}

void DbPressScheduleLookups::prepare(const QVector<PressScheduleRow> &rows)
{
    // Each job once, numbered: the rows found come back with the number.
    QStringList keys;
    QHash<QString, qsizetype> numbers;
    QVector<QVariantList> jobs;
    for (const PressScheduleRow &row : rows) {
        const QString po = row.po.trimmed();
        const double no = Val(row.no);
        const QString key = jobKey(po, no);
        if (numbers.contains(key))
            continue;
        numbers.insert(key, keys.size());
        jobs.append({double(keys.size()), po, no});
        keys.append(key);
    }
    const QString document = JsonRecordsText({u"k"_s, u"po"_s, u"wno"_s}, jobs);
    const QString jobsTable = u"json_records(?) as l (k number, po text, wno number)"_s;
    try {
        Connection connection;
        connection.open(m_connectionString);
        const QVector<StatementResult> found = connection.runBatch(
            {{u"select l.k, t.SPEC, t.[ITEM], t.FDATE from %1 join [PAPER] t on t.PO = l.po "
              u"and t.[NO] = l.wno"_s.arg(jobsTable),
              {document}},
             {u"select l.k, t.FDATE from %1 join [PLATE] t on t.PO = l.po and t.[NO] = l.wno"_s.arg(
                  jobsTable),
              {document}}});
        const auto text = [](const QVariant &v) { return v.isNull() ? QString() : v.toString(); };
        QHash<QString, QVector<PaperLine>> paper;
        QHash<QString, QVector<QString>> plates;
        for (const QVariantList &r : found.at(0).rows)
            paper[keys.at(r.at(0).toInt())].append({text(r.at(1)), text(r.at(2)), text(r.at(3))});
        for (const QVariantList &r : found.at(1).rows)
            plates[keys.at(r.at(0).toInt())].append(text(r.at(1)));
        m_paper = std::move(paper);
        m_plates = std::move(plates);
        m_prepared = true;
    } catch (const DbError &) {
        // Each entry reads its own lookups instead.
    }
}

void DbPressScheduleLookups::beginRow()
{
    if (m_prepared || m_connection)
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
    if (m_prepared)
        return m_paper.value(jobKey(po, no));
    return guarded([&](Connection &connection) {
        Recordset rs(connection);
        rs.open(u"select PO, [NO], SPEC, [ITEM], FDATE from [PAPER] "
                u"where PO = ? and [NO] = ?"_s,
                {po, LineNumber(no)});
        QVector<PaperLine> lines;
        for (; !rs.eof(); rs.moveNext()) {
            lines.append({rs.text(u"SPEC"_s), rs.text(u"ITEM"_s), rs.text(u"FDATE"_s)});
        }
        return lines;
    });
}

QVector<QString> DbPressScheduleLookups::plateDates(const QString &po, double no)
{
    if (m_prepared)
        return m_plates.value(jobKey(po, no));
    return guarded([&](Connection &connection) {
        Recordset rs(connection);
        rs.open(u"select PO, [NO], FDATE from [PLATE] where PO = ? and [NO] = ?"_s,
                {po, LineNumber(no)});
        QVector<QString> dates;
        for (; !rs.eof(); rs.moveNext())
            dates.append(rs.text(u"FDATE"_s));
        return dates;
    });
}
