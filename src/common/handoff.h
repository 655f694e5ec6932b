#pragma once

#include <QString>
#include <array>

// Values the screens of the program pass to one another while it runs.

// The job hand-off list: 41 texts (0 to 40). The main screen passes a job line
// to the time sheet in slots 0 to 11 and gets the new total and completion
// stamp back in slots 0 and 1; the lookups return the picked row in it.
using JobHandOffList = std::array<QString, 41>;
JobHandOffList &JobHandOff();
void ClearJobHandOff();

// True when the time sheet saved before it closed.
bool &TimeSheetSaved();

// The initial filter a caller sets for a lookup dialog.
QString &LookupFilterText();
