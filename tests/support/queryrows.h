#pragma once

#include <QStringList>
#include <QVariantList>

class TestDatabase;

// The rows a Jet statement gives, each as the texts of its fields joined by "|"
// (numbers as the program writes them: 2.5, 1200).
QStringList QueryRows(const TestDatabase &db, const QString &jetSql,
                      const QVariantList &params = {});

// Every row of the tables as its table's name and its fields joined by "|", sorted:
// what a save changed shows as the difference of two of these.
QStringList TableRows(const TestDatabase &db, const QStringList &tables);
