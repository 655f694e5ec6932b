#pragma once

#include "lookups/lookuprows.h"

#include <QStringList>

// The staff list of the staff lookup: current staff outside the delivery
// department whose code or name contains the filter, in code order.

// The list's headings, in column order (the last two columns are not shown).
QStringList StaffListHeadings();

// The statement for a filter, used as given (the caller trims it or not).
LookupStatement StaffListStatement(const QString &filter);

LookupRows ReadStaffList(const QString &connectionString, const QString &filter);
