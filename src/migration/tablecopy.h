#pragma once

#include "migration/rowsource.h"

#include <QList>
#include <QString>
#include <QStringList>

// What an import did, table by table.
struct TableCopied
{
    QString source; // the Access table
    QString target; // the database's table it went into
    qint64 read = 0;
    qint64 written = 0;
};

struct ColumnNote
{
    QString table;
    QString column;
    qint64 rows = 0; // defaulted nulls: how many
};

struct ImportReport
{
    QList<TableCopied> tables;
    QStringList skippedTables;          // in the Access file, not in the database
    QStringList missingTables;          // in the database, not in the Access file: left empty
    QList<ColumnNote> droppedColumns;   // Access columns the database's table lacks
    QList<ColumnNote> defaultedColumns; // database columns the Access table lacks
    QList<ColumnNote> defaultedNulls;   // nulls that took the column's default
    QString error;                      // empty when all of it was copied and committed
};

// Told how the copy goes, for a progress display.
class ImportProgress
{
public:
    virtual ~ImportProgress() = default;
    virtual void tableStarted(const SourceTable &table, const QString &target) = 0;
    virtual void rowsCopied(qint64 rows) = 0; // of the current table so far
    virtual void tableFinished(const TableCopied &table) = 0;
};

// Copies the rows of every table of the source whose name matches a table of the
// database into it, column by column by name, converting each value to its
// column's type (ConvertValue). One transaction: all of it, or at the first
// failure none of it, with the failure in `error` naming the table and row. The
// database must hold no rows yet. Values keep identity columns' numbers, and the
// server's sequences continue after the highest. Rows go in as multi-row inserts
// with bound values, a few hundred rows a statement.
ImportReport CopyTables(RowSource &source, const QString &connectionString,
                        ImportProgress *progress = nullptr);
