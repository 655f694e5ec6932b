#pragma once

#include "db/ploverror.h"

#include <QString>

// The report could not be made: no row to print, or a file that cannot be written.
class ReportOutputError : public PlovError
{
public:
    using PlovError::PlovError;
};

// Writes the press schedule of the presses starting with press (all presses
// when empty) as a PDF file, without a screen: the company name from COMPANY,
// today's date as the print date. Throws DbError on a database failure, and
// ReportOutputError when no row matches ("查無任何資料!") or the file cannot be
// written.
void WriteScheduleReportPdf(const QString &connectionString, const QString &press,
                            const QString &pdfFile);
