#include "db/recordset.h"

#include "db/connection.h"
#include "db/dberror.h"
#include "db/engine.h"
#include "db/sqlquery.h"

#include <QRegularExpression>
#include <QSqlRecord>

using namespace Qt::StringLiterals;

namespace {

const QString kIdentityAlias = u"plov_row_identity"_s;

// The one table a statement opened for update reads: the name after its "from".
QString tableOfStatement(const QString &jetSql)
{
    static const QRegularExpression from(uR"(\bfrom\s+(\[[^\]]+\]|"[^"]+"|[^\s,()]+))"_s,
                                         QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = from.match(jetSql);
    if (!m.hasMatch())
        throw DbError(u"無法判斷要更新的資料表：%1"_s.arg(jetSql));
    QString name = m.captured(1);
    if (name.startsWith(u'[') || name.startsWith(u'"'))
        name = name.mid(1, name.size() - 2);
    return name;
}

// "select [top n] <list> from ..." becomes "select [top n] <identity> as alias, <list> from ...".
QString withIdentity(const QString &jetSql, const QString &identity)
{
    static const QRegularExpression head(uR"(^\s*select\s+(top\s+\d+\s+)?)"_s,
                                         QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = head.match(jetSql);
    if (!m.hasMatch())
        throw DbError(u"只能更新 select 敘述的結果：%1"_s.arg(jetSql));
    return jetSql.left(m.capturedEnd()) + identity + u" as "_s + kIdentityAlias + u", "_s +
           jetSql.mid(m.capturedEnd());
}

} // namespace

Recordset::Recordset(Connection &connection) : m_connection(connection) {}

void Recordset::open(const QString &jetSql, const QVariantList &params, Lock lock)
{
    close();
    m_lock = lock;
    m_position = 0;
    if (lock == Lock::ReadOnly) {
        // A read alone: a single exchange with a server.
        StatementResult result = m_connection.runBatch({{jetSql, params}}).first();
        m_fields = result.columns;
        m_rows.reserve(result.rows.size());
        for (QVariantList &values : result.rows) {
            Row row;
            row.changed.fill(false, values.size());
            row.values = std::move(values);
            m_rows.append(std::move(row));
        }
        m_open = true;
        return;
    }
    m_table = tableOfStatement(jetSql);
    const QString sql = withIdentity(jetSql, m_connection.engine().rowIdentity());
    QSqlQuery &q = m_connection.run(m_connection.translate(sql), params);
    const QSqlRecord rec = q.record();
    const int first = 1;
    for (int i = first; i < rec.count(); ++i)
        m_fields.append(rec.fieldName(i));
    const int n = int(m_fields.size());
    while (q.next()) {
        Row row;
        row.values.resize(n);
        for (int i = 0; i < n; ++i)
            row.values[i] = q.value(i + first);
        row.identity = q.value(0);
        row.original = row.values;
        row.changed.fill(false, n);
        m_rows.append(std::move(row));
    }
    q.finish();
    m_open = true;
}

void Recordset::openTable(const QString &table, Lock lock)
{
    close();
    m_lock = lock;
    m_table = table;
    const QString sql = u"select * from [%1] where 1 = 0"_s.arg(table);
    QSqlQuery &q = m_connection.run(m_connection.translate(sql), {});
    const QSqlRecord rec = q.record();
    q.finish();
    for (int i = 0; i < rec.count(); ++i)
        m_fields.append(rec.fieldName(i));
    m_position = 0;
    m_open = true;
}

void Recordset::close()
{
    m_fields.clear();
    m_rows.clear();
    m_table.clear();
    m_position = 0;
    m_open = false;
}

bool Recordset::bof() const
{
    return m_rows.isEmpty() || m_position < 0;
}

bool Recordset::eof() const
{
    return m_rows.isEmpty() || m_position >= m_rows.size();
}

void Recordset::moveFirst()
{
    m_position = 0;
}

void Recordset::moveNext()
{
    if (eof())
        throw DbError(u"已經在最後一筆資料之後"_s);
    ++m_position;
}

int Recordset::fieldIndex(const QString &field) const
{
    for (int i = 0; i < m_fields.size(); ++i)
        if (m_fields.at(i).compare(field, Qt::CaseInsensitive) == 0)
            return i;
    throw DbError(u"在對應所要求名稱或序數的集合中，找不到項目：%1"_s.arg(field));
}

Recordset::Row &Recordset::current()
{
    if (bof() || eof())
        throw DbError(u"目前沒有資料錄（BOF 或 EOF 為 True）"_s);
    return m_rows[m_position];
}

const Recordset::Row &Recordset::current() const
{
    if (bof() || eof())
        throw DbError(u"目前沒有資料錄（BOF 或 EOF 為 True）"_s);
    return m_rows[m_position];
}

QVariant Recordset::value(const QString &field) const
{
    const int i = fieldIndex(field);
    return current().values.at(i);
}

QString Recordset::text(const QString &field) const
{
    const QVariant v = value(field);
    return v.isNull() ? QString() : v.toString();
}

RecordArray Recordset::getRows() const
{
    RecordArray out(m_fields.size());
    for (int f = 0; f < m_fields.size(); ++f) {
        out[f].reserve(m_rows.size());
        for (const Row &row : m_rows)
            out[f].append(row.values.at(f));
    }
    return out;
}

void Recordset::setValue(const QString &field, const QVariant &value)
{
    if (m_lock == Lock::ReadOnly)
        throw DbError(u"資料錄集是唯讀的，無法更新"_s);
    const int i = fieldIndex(field);
    Row &row = current();
    row.values[i] = value;
    row.changed[i] = true;
    row.pending = true;
}

void Recordset::addNew()
{
    if (m_lock == Lock::ReadOnly)
        throw DbError(u"資料錄集是唯讀的，無法新增"_s);
    Row row;
    row.values.resize(m_fields.size());
    row.original = row.values;
    row.changed.fill(false, m_fields.size());
    row.isNew = true;
    row.pending = true;
    m_rows.append(std::move(row));
    m_position = int(m_rows.size()) - 1;
}

void Recordset::update()
{
    Row &row = current();
    if (m_lock == Lock::BatchOptimistic || !row.pending)
        return;
    writeRow(row);
}

void Recordset::updateBatch()
{
    for (Row &row : m_rows)
        if (row.pending)
            writeRow(row);
}

void Recordset::writeRow(Row &row)
{
    const Engine &engine = m_connection.engine();
    const QString table = engine.quoteIdentifier(m_table);
    QStringList columns;
    QVariantList params;
    QString sql;
    if (row.isNew) {
        QStringList marks;
        for (int i = 0; i < m_fields.size(); ++i)
            if (row.changed.at(i)) {
                columns.append(engine.quoteIdentifier(m_fields.at(i)));
                marks.append(u"?"_s);
                params.append(row.values.at(i));
            }
        sql = columns.isEmpty() ? u"insert into %1 default values"_s.arg(table)
                                : u"insert into %1 (%2) values (%3)"_s.arg(
                                      table, columns.join(u','), marks.join(u','));
    } else {
        // The row is found by its identity, and only while every changed column still
        // holds what was read: a row changed meanwhile by someone else is not overwritten.
        QStringList checks{engine.rowIdentity() + u" = ?"_s};
        QVariantList checkParams{row.identity};
        for (int i = 0; i < m_fields.size(); ++i) {
            if (!row.changed.at(i))
                continue;
            const QString col = engine.quoteIdentifier(m_fields.at(i));
            columns.append(col + u" = ?"_s);
            params.append(row.values.at(i));
            if (row.original.at(i).isNull()) {
                checks.append(col + u" is null"_s);
            } else {
                checks.append(col + u" = ?"_s);
                checkParams.append(row.original.at(i));
            }
        }
        if (columns.isEmpty()) {
            row.pending = false;
            return;
        }
        params += checkParams;
        sql = u"update %1 set %2 where %3"_s.arg(table, columns.join(u", "_s),
                                                 checks.join(u" and "_s));
    }
    sql += u" returning "_s + engine.rowIdentity();
    QSqlQuery &q = m_connection.run(sql, params);
    if (!q.next()) {
        q.finish();
        const QString why =
            u"資料表 %1 的這筆資料已被其他使用者變更或刪除，無法儲存。請重新查詢後再試一次。"_s.arg(
                m_table);
        LogFailedStatement(sql, params, why);
        throw DbConflictError(why);
    }
    row.identity = q.value(0);
    q.finish();
    row.original = row.values;
    row.changed.fill(false);
    row.isNew = false;
    row.pending = false;
}
