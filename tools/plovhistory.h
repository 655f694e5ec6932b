#pragma once

#include <QStringList>
#include <QTextStream>

// plov history DB PO [NO]: a job line's changes from the history of saves,
// oldest first: a table on a terminal, tab-separated lines (after a heading
// line) in a pipe. Exit code 0, or 2 on a wrong command line or a failure.
int PlovHistory(const QStringList &args, QTextStream &out, QTextStream &err);
