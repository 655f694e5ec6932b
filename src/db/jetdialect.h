#pragma once

#include <QString>

class Engine;

// Translation of the suite's Jet statements into an engine's SQL. Only what lies
// outside string literals is touched: "[name]" and "\"name\"" become the engine's
// quoted identifier, "like" the engine's like operator, and "select top N ..."
// ends in the engine's limit clause.
QString TranslateJet(const QString &jetSql, const Engine &engine);
