#pragma once

#include <QList>
#include <QString>
#include <QVariantList>

// What an import reads: the tables of an Access file, one after the other, each
// with its typed columns and then its rows. The Access reader is one such source;
// tests and benchmarks hand plain rows in the same way.

// How the Access file stores a column, and so what its values are in a row:
// Bool (bool), Integer (qlonglong), Real (double), Decimal (QString holding the
// exact decimal number, as currency and decimal columns are), DateTime (QDateTime
// in Qt::UTC, standing for the naive date and time that Access stores), Text
// (QString, memo included), Binary (QByteArray), Guid (QString "{…}").
// A null value is an invalid QVariant.
enum class SourceKind
{
    Bool,
    Integer,
    Real,
    Decimal,
    DateTime,
    Text,
    Binary,
    Guid
};

struct SourceColumn
{
    QString name;
    SourceKind kind = SourceKind::Text;
};

struct SourceTable
{
    QString name;
    QList<SourceColumn> columns;
    qint64 rowCount = 0; // as the file says; for progress only
};

class RowSource
{
public:
    virtual ~RowSource() = default;
    // The next table, false when there are no more. Throws DbError, naming the
    // table, when the file cannot be read.
    virtual bool nextTable(SourceTable &table) = 0;
    // The next row of the current table, a value per column; false after its last
    // row. Throws DbError, naming the table and row, when the file cannot be read.
    virtual bool nextRow(QVariantList &values) = 0;
};
