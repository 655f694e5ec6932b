#pragma once

#include "grid/gridcolumn.h"

#include <QList>

// The 22 columns of the run grid; columns 1 to 21 are the fields of
// 預排資料耗時明細1 in their stored order.
namespace RunCol {
enum : int
{
    Start = 1,
    End = 2,
    Front = 3,
    Back = 4,
    Sets = 5,
    Plates = 6,
    Proofing = 7,
    Fills = 8,
    Ink = 9,
    Finished = 10,
    Press = 11,
    OperatorId = 12,
    Operator = 13,
    Hours = 14,
    Effective = 15,
    Note = 16,
    Standard = 17,
    Score = 18,
    Po = 19,
    PoLine = 20,
    Seq = 21,
    ScheduleNo = 22,
    Last = ScheduleNo,
};
}

QList<GridColumn> RunColumns();
