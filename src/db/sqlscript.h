#pragma once

#include <QString>
#include <QStringList>

class Connection;

// The statements of a schema or data file: split at a ";" that ends a line,
// except inside a $$ … $$ function body. "--" comment lines are dropped.
QStringList SplitSqlScript(const QString &script);

// Runs a schema file of the connection's own engine as it is written.
void RunSchemaScript(Connection &connection, const QString &script);
// Runs a data file written with double-quoted names in their usual spelling;
// each statement goes through the connection's translation, so it suits both engines.
void RunDataScript(Connection &connection, const QString &script);
