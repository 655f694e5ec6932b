#pragma once

#include <QString>
#include <QStringList>
#include <optional>

// Whether a database is the suite's: one that opens but holds another program's
// tables is refused by name before anything reads it.

// The tables of the suite's schema, in the order the schema makes them.
QStringList PlovTables();

// The first table of `required` that `present` lacks; names compare regardless of
// case (a server folds them to lower case). Nothing when every table is there.
std::optional<QString> MissingTable(const QStringList &present, const QStringList &required);

// Why the database of the connection string is not the suite's when it lacks a
// table of the suite: "<database> 不是本程式的資料庫（沒有資料表 <table>）";
// nothing when it has them all. A database that cannot be opened throws DbError
// as opening it does.
std::optional<QString> ForeignDatabaseReason(const QString &connectionString);
// The same as a DbError.
void RequirePlovDatabase(const QString &connectionString);
