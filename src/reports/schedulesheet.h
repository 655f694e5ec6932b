#pragma once

#include "reports/pressschedulelookups.h"
#include "reports/pressschedulerow.h"
#include "reports/sheetfile.h"

#include <QString>
#include <QVector>
#include <optional>

// The press schedule as a sheet: a row for each entry of the printed schedule, in
// its order, with the press first and then the entry's fields as the report
// prints them (its lookups made as it makes them). Colours, moulds and plate
// sets are numbers, blank where the report leaves them blank; the rest is text.
SheetTable PressScheduleSheet(const QVector<PressScheduleRow> &rows, PressScheduleLookups &lookups);

// Writes the schedule of the presses starting with press (every press when empty)
// to a .xlsx or .csv file (WriteSheetFile). Gives the failure's description: the
// database's, "查無任何資料!" when no row matches, or the file's.
std::optional<QString> WriteScheduleSheet(const QString &connectionString, const QString &press,
                                          const QString &file);
