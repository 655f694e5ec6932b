#pragma once

#include <QList>
#include <QString>
#include <QVariant>
#include <limits>

class Connection;

// A column of the database an import writes into, as its catalog describes it.
struct TargetColumn
{
    // What the column holds, from its declared type. Any: a column without a type
    // (SQLite), which keeps each value as it is.
    enum class Kind
    {
        Text,
        Integer,
        Real,
        Decimal,
        Boolean,
        DateTime,
        Date,
        Blob,
        Any
    };
    QString name; // as the catalog spells it
    QString type; // the declared type, for messages
    Kind kind = Kind::Text;
    qint64 minimum = std::numeric_limits<qint64>::min(); // Integer
    qint64 maximum = std::numeric_limits<qint64>::max();
    int maxLength = 0; // Text: characters, 0 without a limit
    bool notNull = false;
    // The value the column takes when none is given, when its default is a plain
    // value (text or number); invalid otherwise.
    QVariant defaultValue;
    bool identity = false;       // PostgreSQL: numbered by a sequence
    bool alwaysIdentity = false; // PostgreSQL "generated always as identity"
};

struct TargetTable
{
    QString name;
    QList<TargetColumn> columns;
};

// The tables (views left out) of the database a connection is open on, in the
// order they were made. Throws DbError.
QList<TargetTable> ReadTargetSchema(Connection &connection);

// What a column declared with this type holds: SQLite's declared types by their
// affinity (every integer type 64 bits), PostgreSQL's by information_schema's
// data_type.
void SetTargetKind(TargetColumn &column, const QString &declaredType, bool postgres);

// The plain value of a column default as the catalog writes it ('' → "",
// '0'::double precision → "0", 12 → 12); an invalid QVariant for NULL and for an
// expression (a function call, a sequence).
QVariant PlainDefault(const QString &defaultText);
