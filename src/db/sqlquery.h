#pragma once

#include <QLoggingCategory>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QVariantList>

// The data layer's log (plov.db): every failed statement with its values, as a
// warning; with debug output on, every statement run.
Q_DECLARE_LOGGING_CATEGORY(LogDataLayer)

// Prepares and runs one engine statement with its bound values; throws DbError
// with the engine's own description on failure.
QSqlQuery runStatement(const QSqlDatabase &db, const QString &sql, const QVariantList &params);

// Binds values in order; an empty text is bound as '' (never as Null).
void bindValues(QSqlQuery &query, const QVariantList &params);
// The engine's own description of a failed statement: what the user is shown.
// The statement, its bound values and the description go to the log.
QString describeQueryError(const QSqlQuery &query, const QString &sql, const QVariantList &values);

// Logs a statement that failed, with its values and what went wrong. Statements
// hold no password (values are bound, and the connection string is never logged).
void LogFailedStatement(const QString &sql, const QVariantList &values, const QString &error);
// Values as the log shows them: text between apostrophes, Null as NULL.
QString LoggedValues(const QVariantList &values);
