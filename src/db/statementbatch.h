#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVariantList>
#include <QVector>

// One statement of a batch, with its values bound in order to its "?".
struct Statement
{
    QString sql;
    QVariantList params;
};

// What one statement of a batch gave: the names of its columns, the rows it read
// (or returned), each one's values in column order, and the number of rows it wrote.
struct StatementResult
{
    QStringList columns;
    QVector<QVariantList> rows;
    int affected = 0;
};

// The value a "json_records(?)" reads: a JSON array with one object per record,
// its members named `names` in order (lower case). Invalid (Null) values are
// JSON's null, numbers numbers (a number that is none, such as infinity, null),
// anything else text (an empty text "", as when bound).
QString JsonRecordsText(const QStringList &names, const QVector<QVariantList> &records);
