#pragma once

#include "time_sheet/timesheetstore.h"

#include <optional>

class QWidget;

// Finding the operator of a run. Both go through the job hand-off list as the
// staff lookup does, and give nothing when no operator was chosen.

// The operator picked in the staff lookup, opened with the filter as it stands.
std::optional<StaffMember> PickOperator(QWidget *parent);

// The operator whose code or name was typed; when there is none, the staff
// lookup opens filtered by the typed text. A failed read is shown.
std::optional<StaffMember> FindOperator(QWidget *parent, const QString &typed);
