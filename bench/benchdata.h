#pragma once

#include <QString>

// The bench press: every benchmark's open lines are on it.
inline const QString BenchPress = QStringLiteral("海德堡四色");

// Adds `total` schedule lines, every `openEvery`-th one open on the bench press and
// the others finished on other presses, with their work orders, customers and the
// production rows the save writes (PRINTING, VENDERAC, 預排資料明細).
void FillScheduleLines(const QString &connectionString, int total, int openEvery);

// Adds `rows` lines of the printed schedule for the bench press, each with one
// PAPER and one PLATE line.
void FillPrintedSchedule(const QString &connectionString, int rows);
