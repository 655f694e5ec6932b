#pragma once

#include <QString>
#include <QStringList>
#include <QVariantList>
#include <QVector>
#include <optional>

// What the lookup dialogs read: one statement with its bound values, and the
// rows it gave as the cell texts of the list.

struct LookupStatement
{
    QString sql; // Jet dialect, "?" for each value
    QVariantList params;
};

struct LookupRows
{
    QVector<QStringList> rows; // one text per column, Null as the empty text
    // The filter matched nobody and the list holds every row without it.
    bool filterDropped = false;
    std::optional<QString> error; // the failure's own description
};

// The value a "Like ?" of the lookups compares with: the filter inside "%",
// so "%" and "_" typed into it keep their wildcard meaning.
QString ContainsPattern(const QString &filter);

// Runs the statement on a connection of its own; when it gives no row and a
// fallback is given, runs that instead (filterDropped then tells). Failures come
// back as the error, never thrown.
LookupRows ReadLookupRows(const QString &connectionString, const LookupStatement &statement,
                          const std::optional<LookupStatement> &fallback = std::nullopt);
