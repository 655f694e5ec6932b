#pragma once

#include <QString>
#include <optional>

// What the job detail panel reads of a work order.
struct JobDetailRecord
{
    QString printingNote; // PREM, trimmed
    bool rush = false;    // 急件 = "1"
};

struct JobDetailResult
{
    std::optional<JobDetailRecord> record; // none when there is no such work order
    std::optional<QString> error;
};

// The work order's head.
JobDetailResult ReadJobDetail(const QString &connectionString, const QString &po);
