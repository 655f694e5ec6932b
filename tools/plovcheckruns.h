#pragma once

#include <QStringList>
#include <QTextStream>

// plov check-runs DB [PRESS] [--from DATE7] [--to DATE7]: lists every pair of
// stored runs of one press whose times overlap (runs starting from DATE7 to
// DATE7), for the office to clean up history. Exit code 0 when there are none,
// 1 when there are some, 2 on a wrong command line or a database failure.
int PlovCheckRuns(const QStringList &args, QTextStream &out, QTextStream &err);
