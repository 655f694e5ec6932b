#pragma once

#include "report_engine/reportlayout.h"
#include "reports/runsummary.h"
#include "reports/sheetfile.h"

#include <QString>
#include <QStringList>

// The summary as it is printed and as a spreadsheet holds it.

// The figures' columns, as both show them: 筆數, 耗時, 有效耗時, 扣除耗時, 完工數量,
// 標準數量, 差異, 平均點數, 點數標準差.
QStringList SummaryFigureHeadings();

// The figures of a set of runs in those columns, as the report prints them,
// grouped by thousands: hours to two decimals, runs and quantities whole, scores
// to two decimals.
QStringList SummaryFigureTexts(const RunTotals &totals);

// The printed summary (rpt印刷產能摘要): A4 landscape, a page for each press with
// its title, the press, the period and the print date, the chart of the hours
// per day and the chart of the operators' scores, then a table of its operators
// and their total (合計), which goes on over a further page under its headings
// when it must; "第 n 頁，共 N 頁" at the foot of every page.
ReportLayout BuildRunSummaryReport(const RunSummary &summary, const QString &companyName,
                                   const QString &printDate);

// The summary as a sheet: for each press a row per operator and the press's row
// (經辦人員 合計), then, over several presses, the row of all of them (機別 合計).
// Hours and scores to two decimals, quantities as stored.
SheetTable RunSummarySheet(const RunSummary &summary);
