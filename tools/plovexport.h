#pragma once

#include <QStringList>
#include <QTextStream>

// plov export-schedule DB [PRESS] -o FILE.xlsx|FILE.csv: the rows of the printed
// schedule of the presses starting with PRESS (every press without it) as a
// spreadsheet (WriteScheduleSheet). Exit code 0 when written, 1 on a failure
// (with its reason), 2 on a wrong command line.
int PlovExportSchedule(const QStringList &args, QTextStream &out, QTextStream &err);
