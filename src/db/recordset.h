#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVariantList>
#include <QVector>

class Connection;

// A whole result as the grid layer takes it: subscripted (field, record).
using RecordArray = QVector<QVector<QVariant>>;

// The whole result of one statement, fetched at once, with a current record.
// Opened for update, each record carries its row identity so that a changed row
// is written back by that identity with an optimistic check on the changed
// columns. Failures throw DbError (DbConflictError for a row changed meanwhile).
class Recordset
{
public:
    enum class Lock
    {
        ReadOnly,
        Optimistic,
        BatchOptimistic
    };

    explicit Recordset(Connection &connection);

    // A select statement in the Jet dialect with "?" parameters. For Optimistic and
    // BatchOptimistic the statement must read one table ("... from [T] ...").
    void open(const QString &jetSql, const QVariantList &params = {}, Lock lock = Lock::ReadOnly);
    // A table opened by its name, for adding rows (no rows are read).
    void openTable(const QString &table, Lock lock = Lock::BatchOptimistic);
    void close();
    bool isOpen() const { return m_open; }

    int recordCount() const { return int(m_rows.size()); }
    bool bof() const;
    bool eof() const;
    void moveFirst();
    void moveNext();

    QStringList fieldNames() const { return m_fields; }
    // Field of the current record by name, regardless of case. Throws for an unknown field.
    QVariant value(const QString &field) const;
    // The field as text; Null reads as the empty text. Not trimmed.
    QString text(const QString &field) const;
    // All records as a (field, record) array.
    RecordArray getRows() const;

    void setValue(const QString &field, const QVariant &value);
    void addNew();
    // Writes the current record (Optimistic). Under BatchOptimistic it only keeps it.
    void update();
    // Writes every kept record (BatchOptimistic).
    void updateBatch();

private:
    struct Row
    {
        QVector<QVariant> values;
        QVector<QVariant> original;
        QVariant identity; // row identity in its table; invalid for a new row
        QVector<bool> changed;
        bool isNew = false;
        bool pending = false;
    };

    int fieldIndex(const QString &field) const;
    Row &current();
    const Row &current() const;
    void writeRow(Row &row);

    Connection &m_connection;
    Lock m_lock = Lock::ReadOnly;
    QString m_table;
    QStringList m_fields;
    QVector<Row> m_rows;
    int m_position = 0;
    bool m_open = false;
};
