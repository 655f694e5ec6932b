#pragma once

#include <QStringList>
#include <QTextStream>

// plov summary DB --from DATE7 --to DATE7 [--press PRESS] -o FILE.pdf|FILE.xlsx|FILE.csv:
// the summary of the stored press runs starting on those days (7-digit dates,
// both included), on the press named PRESS or on every press, per press and
// operator (WriteRunSummary). Exit code 0 when written, 1 on a failure (with its
// reason), 2 on a wrong command line.
int PlovSummary(const QStringList &args, QTextStream &out, QTextStream &err);
