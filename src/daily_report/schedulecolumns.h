#pragma once

#include "grid/gridcolumn.h"

#include <QList>

// The 25 columns of the schedule grid, in the order the schedule query returns
// its fields.
namespace ScheduleCol {
enum : int
{
    Po = 1,
    No = 2,
    Desc = 3,
    Customer = 4,
    Product = 5,
    Color1 = 6,
    Color2 = 7,
    Count = 8,
    Memb = 9,
    Plat = 10,
    Size = 11,
    Qty = 12,
    Qty1 = 13,
    Qty2 = 14,
    Order = 15,
    Press = 16,
    TimeUsed = 17,
    No1 = 18,
    Planned = 19,
    Completion = 20,
    Remark = 21,
    Proofing = 22,
    ScheduleId = 23,
    ScheduleLine = 24,
    ClosingMark = 25,
    Last = ClosingMark,
};
}

QList<GridColumn> ScheduleColumns();

// The columns a line hands over to the time sheet, in the order of the job
// hand-off slots 0 to 11.
inline constexpr int kTimeSheetHandOffColumns[12] = {
    ScheduleCol::Po,         ScheduleCol::No,           ScheduleCol::Completion,
    ScheduleCol::TimeUsed,   ScheduleCol::Product,      ScheduleCol::Press,
    ScheduleCol::Color1,     ScheduleCol::Color2,       ScheduleCol::Proofing,
    ScheduleCol::ScheduleId, ScheduleCol::ScheduleLine, ScheduleCol::ClosingMark};
