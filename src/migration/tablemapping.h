#pragma once

#include "migration/rowsource.h"
#include "migration/targetschema.h"

#include <QStringList>

// Which table and columns of the new database an Access table goes into: the ones
// of the same name, compared as the suite writes names (Chinese as it stands, Latin
// letters in either case).

// A name as names are compared: Latin letters in lower case, everything else as is.
QString FoldName(const QString &name);

// The table of `tables` named like `name`; -1 when there is none.
qsizetype FindTable(const QList<TargetTable> &tables, const QString &name);

struct ColumnMapping
{
    // The copied columns: an index into the source's row and one into the target's
    // columns for each.
    QList<qsizetype> source;
    QList<qsizetype> target;
    QStringList dropped;   // source columns the target table lacks
    QStringList defaulted; // target columns the source lacks, left at their defaults
};

ColumnMapping MapColumns(const SourceTable &source, const TargetTable &target);
