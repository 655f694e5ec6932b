#pragma once

#include <QString>
#include <array>

// Values the screens of the program pass to one another while it runs.

// The job hand-off list: 41 texts (0 to 40). The main screen passes a job line
// to the time sheet in slots 0 to 11, and in slot 12 the completion stamp the
// line held when it was listed; it gets the new total and completion stamp
// back in slots 0 and 1. The lookups return the picked row in it.
using JobHandOffList = std::array<QString, 41>;
inline constexpr int kListedCompletionSlot = 12;
JobHandOffList &JobHandOff();
void ClearJobHandOff();

// True when the time sheet saved before it closed.
bool &TimeSheetSaved();

// The initial filter a caller sets for a lookup dialog.
QString &LookupFilterText();
