#pragma once

#include <QString>

// Translation of the suite's Jet statements into an engine's SQL.
// Only what lies outside string literals is touched: "[name]" becomes a quoted
// identifier, "select top N ..." ends in "limit N". For PostgreSQL, identifiers
// fold to the lower-case names of its schema and "like" ignores case as Jet's does.
enum class JetTarget
{
    Sqlite,
    Postgres
};

QString translateJet(const QString &jetSql, JetTarget target);
