#pragma once

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QVariantList>

// Prepares and runs one engine statement with its bound values; throws DbError
// with the engine's own description (and the statement) on failure.
QSqlQuery runStatement(const QSqlDatabase &db, const QString &sql, const QVariantList &params);
