#pragma once

#include "reports/runsummarydata.h"

#include <QString>
#include <optional>

// Writes the summary of the range to a file, without a screen: a PDF of the
// printed summary (BuildRunSummaryReport, the company name from COMPANY, today
// as the print date) when the path ends in ".pdf", otherwise the sheet
// (RunSummarySheet) as ".csv" or ".xlsx" (WriteSheetFile). Gives the failure's
// description: the database's, "查無任何資料!" when no run is in the range, or
// the file's.
std::optional<QString> WriteRunSummary(const QString &connectionString, const SummaryRange &range,
                                       const QString &file);

// Reads the summary and, when it holds runs, the company name for the printed
// summary, on one connection; the description of a failure.
struct RunSummaryReport
{
    RunSummary summary;
    QString companyName;
    std::optional<QString> error;
};
RunSummaryReport ReadRunSummaryReport(const QString &connectionString, const SummaryRange &range);
