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

// The fields of a stored run (table 預排資料耗時明細1) in the order a save writes
// its values, and whether each is a number. The last three, work order, line and
// run number, are its keys; the ones before them what a run holds.
struct StoredRunField
{
    const char16_t *name;
    bool number;
};
inline constexpr StoredRunField kStoredRunFields[] = {
    {u"開始", false},     {u"結束", false},    {u"正色", false},     {u"反色", false},
    {u"台", false},       {u"版數", false},    {u"看印", false},     {u"特滿", false},
    {u"用墨量", false},   {u"完工數量", true}, {u"機別", false},     {u"經辦代號", false},
    {u"經辦人員", false}, {u"耗時", true},     {u"有效耗時", true},  {u"製作說明", false},
    {u"標準數量", true},  {u"點數", true},     {u"工單單號", false}, {u"工單序", true},
    {u"序", true}};
inline constexpr int kStoredRunKeys = 3;
