#pragma once

#include "time_sheet/runoverlap.h"
#include "time_sheet/timesheetjob.h"
#include "time_sheet/timesheetstore.h"

// The stored runs that can be compared for overlaps (both stamps a date and
// time, the end after the start), read in one statement: those of one press, or
// of every press when `press` is empty, leaving out the runs of `except`'s line;
// in order of their start.
StoreRead<QVector<RunInterval>> ReadRunIntervals(const QString &connectionString,
                                                 const QString &press,
                                                 const TimeSheetJob *except = nullptr);
