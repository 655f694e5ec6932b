#pragma once

#include <QStringList>
#include <QTextStream>

// plov import SOURCE.mdb DB [--password TEXT] [--codepage N]: brings a shop's
// Access database into a new database (ImportAccessDatabase), showing a progress
// bar per table on a terminal and a line per table otherwise, then what was
// skipped, left empty or left at defaults. Exit code 0 when all of it was copied,
// 2 otherwise (a wrong command line, or a failure: nothing is left behind).
int PlovImport(const QStringList &args, QTextStream &out, QTextStream &err);
