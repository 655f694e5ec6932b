#pragma once

#include <QString>
#include <optional>

// What the job detail panel reads of a work order.
struct JobDetailRecord
{
    QString printingNote; // PREM, trimmed
    bool rush = false;    // 急件 = "1"
};

// The work order's head, when there is one. Throws DbError.
std::optional<JobDetailRecord> ReadJobDetail(const QString &connectionString, const QString &po);
