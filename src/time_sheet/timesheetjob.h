#pragma once

#include "common/handoff.h"

#include <QString>
#include <optional>

// The job line a time sheet is opened for, as the main screen hands it over.
struct TimeSheetJob
{
    QString po;           // work-order number, the runs' 工單單號
    QString line;         // work-order line, compared by its value
    QString completion;   // completion stamp of the line
    QString product;      // item description
    QString press;        // press of the schedule line, the runs' 機別
    QString front;        // front colours, default of new runs
    QString back;         // back colours, default of new runs
    QString proofing;     // "1" when the job is proofed
    QString scheduleId;   // schedule document number
    QString scheduleLine; // schedule line, compared by its value
    QString closingMark;  // not empty: the line is closed and cannot be saved here
    // The completion stamp the line held when the main screen listed it: the
    // save stores its own only while PRINTING_S still holds this one. From the
    // hand-off it is always set (an empty slot is a blank stamp); nothing when a
    // caller makes the job without a listing to go by.
    std::optional<QString> listedCompletion;
};

// The job in slots 0 to 11 of the hand-off list, each trimmed, and the stamp it
// was listed with in slot 12.
TimeSheetJob JobFromHandOff(const JobHandOffList &handOff);
