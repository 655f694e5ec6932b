#pragma once

#include <QString>

// Makes a new shared database with the full schema, and the demo print shop when
// asked. `target` is an SQLite file path or a postgresql:// URL. Refuses, with a
// DbError that says so, when the target already holds a database.
// Gives the connection string of the new database.
QString CreatePlovDatabase(const QString &target, bool withDemoData);

// Whether a target is a postgresql:// (or postgres://) URL rather than a file.
bool IsServerTarget(const QString &target);

// Removes a database this program made and could not finish: the SQLite file
// and its journals, or the server database (a failure only logged).
void RemoveUnfinishedDatabase(const QString &target);

// The connection string for a target as the database tool takes it.
QString ConnectionStringForTarget(const QString &target);

// A target as messages show it: a postgresql:// URL without its password.
QString TargetForDisplay(const QString &target);

// Drops the PostgreSQL database a postgresql:// URL names, ending the sessions
// still open on it. Throws DbError.
void DropPostgresDatabase(const QString &target);

// The schema and demo files built into the program.
QString SchemaText(const QString &name);
