#pragma once

#include <QString>

// Writes the press schedule of the presses starting with press (all presses
// when empty) as a PDF file, without a screen: the company name from COMPANY,
// today's date as the print date. Throws DbError on a database failure, when no
// row matches ("查無任何資料!") and when the file cannot be written.
void WriteScheduleReportPdf(const QString &connectionString, const QString &press,
                            const QString &pdfFile);
