#pragma once

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QVariantList>

// Prepares and runs one engine statement with its bound values; throws DbError
// with the engine's own description (and the statement) on failure.
QSqlQuery runStatement(const QSqlDatabase &db, const QString &sql, const QVariantList &params);

// Binds values in order; an empty text is bound as '' (never as Null).
void bindValues(QSqlQuery &query, const QVariantList &params);
// The engine's own description of a failed statement, with the statement.
QString describeQueryError(const QSqlQuery &query, const QString &sql);
