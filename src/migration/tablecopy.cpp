#include "migration/tablecopy.h"

#include "db/connection.h"
#include "db/dberror.h"
#include "db/sqlquery.h"
#include "migration/tablemapping.h"
#include "migration/targetschema.h"
#include "migration/valueconversion.h"

#include <QSqlQuery>

using namespace Qt::StringLiterals;

namespace {

// Bound values a statement holds at most. Binding costs SQLite's driver more per
// value the more a statement has; a server costs an exchange per statement.
constexpr qsizetype kValuesPerSqliteStatement = 1000;
constexpr qsizetype kValuesPerServerStatement = 10000;
constexpr qsizetype kRowsPerStatement = 500;

qsizetype rowsPerStatement(const Connection &c, qsizetype columns)
{
    const qsizetype values = c.engine().rowIdentity() == u"rowid" ? kValuesPerSqliteStatement
                                                                  : kValuesPerServerStatement;
    return std::clamp(values / columns, qsizetype(1), kRowsPerStatement);
}

// Rows of one table gathered into multi-row inserts.
class BatchInserter
{
public:
    // `source`: the Access table's name, for messages.
    BatchInserter(Connection &connection, const TargetTable &table, const ColumnMapping &mapping,
                  const QString &source)
        : m_connection(connection), m_table(source),
          m_columns(std::max<qsizetype>(1, mapping.target.size())),
          m_batchRows(rowsPerStatement(connection, m_columns))
    {
        QStringList names;
        bool always = false;
        for (qsizetype t : mapping.target) {
            names.append(Engine::quoted(table.columns.at(t).name));
            always = always || table.columns.at(t).alwaysIdentity;
        }
        m_head = u"insert into "_s + Engine::quoted(table.name);
        if (!names.isEmpty())
            m_head += u" ("_s + names.join(u", "_s) + u')';
        if (always)
            m_head += u" overriding system value"_s;
        m_head += names.isEmpty() ? u" default values"_s : u" values "_s;
        m_empty = names.isEmpty();
        m_pending.reserve(m_batchRows * m_columns);
    }

    QVariantList &values() { return m_pending; }

    // One more row's values are in values(); `row` is its number in the source.
    void rowAdded(qint64 row)
    {
        if (m_pendingRows++ == 0)
            m_firstRow = row;
        if (m_empty || m_pendingRows == m_batchRows)
            flush();
    }

    qint64 written() const { return m_written; }

    void flush()
    {
        if (m_pendingRows == 0)
            return;
        // A full batch's statement is made once; a shorter one, the table's last,
        // when its length changes.
        const bool full = m_pendingRows == m_batchRows;
        if (full && m_fullSql.isEmpty())
            m_fullSql = statement(m_batchRows);
        if (!full && m_sqlRows != m_pendingRows) {
            m_sql = statement(m_pendingRows);
            m_sqlRows = m_pendingRows;
        }
        const QString &sql = full ? m_fullSql : m_sql;
        try {
            QSqlQuery &q = m_connection.run(sql, m_pending);
            m_written += q.numRowsAffected();
            q.finish();
        } catch (const DbError &e) {
            const qint64 last = m_firstRow + m_pendingRows - 1;
            const QString rows = last == m_firstRow ? u"第 %1 列"_s.arg(m_firstRow)
                                                    : u"第 %1 至 %2 列"_s.arg(m_firstRow).arg(last);
            throw DbError(u"資料表 %1 %2：%3"_s.arg(m_table, rows, e.description()));
        }
        m_pending.clear();
        m_pendingRows = 0;
    }

private:
    QString statement(qsizetype rows) const
    {
        if (m_empty)
            return m_head;
        const QString one = u'(' + QString(u"?, "_s).repeated(m_columns - 1) + u"?)"_s;
        QString sql = m_head;
        sql.reserve(m_head.size() + rows * (one.size() + 2));
        for (qsizetype i = 0; i < rows; ++i) {
            if (i > 0)
                sql += u", "_s;
            sql += one;
        }
        return sql;
    }

    Connection &m_connection;
    QString m_table;
    qsizetype m_columns;
    qsizetype m_batchRows;
    QString m_head;
    bool m_empty = false;
    QString m_fullSql; // the statement of a full batch
    QString m_sql;     // the statement of the last, shorter one
    qsizetype m_sqlRows = 0;
    QVariantList m_pending;
    qsizetype m_pendingRows = 0;
    qint64 m_firstRow = 0;
    qint64 m_written = 0;
};

void requireNoRows(Connection &c, const QList<TargetTable> &tables)
{
    for (const TargetTable &table : tables) {
        QSqlQuery &q = c.run(u"select 1 from "_s + Engine::quoted(table.name) + u" limit 1"_s, {});
        const bool rows = q.next();
        q.finish();
        if (rows)
            throw DbError(
                u"資料庫的資料表 %1 已經有資料；匯入只寫入還沒有資料的資料庫"_s.arg(table.name));
    }
}

// PostgreSQL: each sequence numbering a column continues after its highest value.
void continueSequences(Connection &c, const QList<TargetTable> &tables)
{
    for (const TargetTable &table : tables) {
        for (const TargetColumn &column : table.columns) {
            if (!column.identity)
                continue;
            QSqlQuery &q = c.run(u"select setval(pg_get_serial_sequence(?, ?), max("_s +
                                     Engine::quoted(column.name) + u")) from "_s +
                                     Engine::quoted(table.name) + u" having count(*) > 0"_s,
                                 {Engine::quoted(table.name), column.name});
            q.finish();
        }
    }
}

// A table's indexes are dropped while its rows go in and made again afterwards, in
// the same transaction: one sort at the end is far cheaper than keeping them up to
// date row by row. Gives the statements that make them again.
QStringList dropIndexes(Connection &c, const QString &table)
{
    const bool sqlite = c.engine().rowIdentity() == u"rowid";
    QSqlQuery &q = c.run(sqlite ? u"select name, sql from sqlite_master where type = 'index' "
                                  u"and tbl_name = ? and sql is not null"_s
                                : u"select indexname, indexdef from pg_indexes where schemaname "
                                  u"= current_schema() and tablename = ? and indexname not in "
                                  u"(select conname from pg_constraint)"_s,
                         {table});
    QStringList names, make;
    while (q.next()) {
        names.append(q.value(0).toString());
        make.append(q.value(1).toString());
    }
    q.finish();
    for (const QString &name : names)
        runStatement(c.database(), u"drop index "_s + Engine::quoted(name), {});
    return make;
}

// Reads the rest of a table that is not copied.
qint64 drain(RowSource &source)
{
    QVariantList values;
    qint64 rows = 0;
    while (source.nextRow(values))
        ++rows;
    return rows;
}

class Copier
{
public:
    Copier(RowSource &source, Connection &c, ImportProgress *progress, ImportReport &report)
        : m_source(source), m_connection(c), m_progress(progress), m_report(report)
    {
    }

    void copyAll(const QList<TargetTable> &tables)
    {
        QList<bool> seen(tables.size(), false);
        SourceTable table;
        while (m_source.nextTable(table)) {
            const qsizetype t = FindTable(tables, table.name);
            if (t < 0 || seen.at(t)) {
                m_report.skippedTables.append(table.name);
                drain(m_source);
                continue;
            }
            seen[t] = true;
            copy(table, tables.at(t));
        }
        for (qsizetype t = 0; t < tables.size(); ++t) {
            if (!seen.at(t))
                m_report.missingTables.append(tables.at(t).name);
        }
    }

private:
    void copy(const SourceTable &source, const TargetTable &target)
    {
        const ColumnMapping mapping = MapColumns(source, target);
        for (const QString &column : mapping.dropped)
            m_report.droppedColumns.append({source.name, column, 0});
        for (const QString &column : mapping.defaulted)
            m_report.defaultedColumns.append({target.name, column, 0});
        if (m_progress)
            m_progress->tableStarted(source, target.name);
        const QStringList indexes = dropIndexes(m_connection, target.name);
        BatchInserter inserter(m_connection, target, mapping, source.name);
        QList<qint64> defaulted(mapping.target.size(), 0);
        QVariantList row;
        TableCopied copied{source.name, target.name, 0, 0};
        while (m_source.nextRow(row)) {
            ++copied.read;
            QVariantList &values = inserter.values();
            for (qsizetype i = 0; i < mapping.source.size(); ++i) {
                const qsizetype s = mapping.source.at(i);
                const TargetColumn &column = target.columns.at(mapping.target.at(i));
                ConvertedValue v = ConvertValue(row.at(s), source.columns.at(s).kind, column);
                if (!v.error.isEmpty())
                    throw DbError(u"資料表 %1 第 %2 列，欄位 %3：%4"_s.arg(
                        source.name, QString::number(copied.read), source.columns.at(s).name,
                        v.error));
                defaulted[i] += v.defaulted;
                values.append(std::move(v.value));
            }
            inserter.rowAdded(copied.read);
            if (m_progress && copied.read % 1000 == 0)
                m_progress->rowsCopied(copied.read);
        }
        inserter.flush();
        for (const QString &index : indexes)
            runStatement(m_connection.database(), index, {});
        copied.written = inserter.written();
        for (qsizetype i = 0; i < mapping.target.size(); ++i) {
            if (defaulted.at(i) > 0)
                m_report.defaultedNulls.append(
                    {target.name, target.columns.at(mapping.target.at(i)).name, defaulted.at(i)});
        }
        m_report.tables.append(copied);
        if (m_progress) {
            m_progress->rowsCopied(copied.read);
            m_progress->tableFinished(copied);
        }
    }

    RowSource &m_source;
    Connection &m_connection;
    ImportProgress *m_progress;
    ImportReport &m_report;
};

} // namespace

ImportReport CopyTables(RowSource &source, const QString &connectionString,
                        ImportProgress *progress)
{
    ImportReport report;
    try {
        Connection c;
        c.open(connectionString);
        const QList<TargetTable> tables = ReadTargetSchema(c);
        TransactionGuard transaction(c);
        // From here the transaction belongs to its session: a lost session fails
        // the import rather than going on in a fresh one.
        c.lockUntilCommit(u"plov import"_s);
        requireNoRows(c, tables);
        Copier(source, c, progress, report).copyAll(tables);
        if (c.engine().rowIdentity() != u"rowid")
            continueSequences(c, tables);
        transaction.commit();
    } catch (const DbError &e) {
        ImportReport failed;
        failed.error = e.description();
        return failed;
    }
    return report;
}
