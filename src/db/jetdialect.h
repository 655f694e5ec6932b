#pragma once

#include <QString>

class Engine;

// Translation of the suite's Jet statements into an engine's SQL. Only what lies
// outside string literals is touched: "[name]" and "\"name\"" become the engine's
// quoted identifier, "like" the engine's like operator, "select top N ..." ends
// in the engine's limit clause, and "server_time()" is the server's local time
// as text, the same for every row of the statement. First of all, "json_records(?)
// as alias (name text, name number, …)" becomes the engine's table of the records
// of a JSON array bound to the "?" (each column read from the member of its name
// in lower case), so a whole batch of lines goes to the server as one value; it
// is looked for in the whole text, so no literal may spell it.
QString TranslateJet(const QString &jetSql, const Engine &engine);
