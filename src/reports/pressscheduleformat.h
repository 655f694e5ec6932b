#pragma once

#include "reports/pressscheduleentry.h"
#include "reports/pressschedulerow.h"

#include <QString>

// The formatting rules of one detail entry of the press schedule, without the
// lookups in PAPER and PLATE (see pressschedulelookups.h).

struct QuantityParts
{
    QString reams;  // printed before the "+" label
    QString sheets; // printed after it
};

// Splits at the first "+", keeping the blanks around it ("0.167令 " and " 80張").
// Without a "+" the reams part is blank and the whole text is the sheets part.
QuantityParts SplitQuantity(const QString &qty);

// Colours, moulds and plate sets: grouped number text, and a plain 0 prints blank.
QString CountColumnText(const QString &value);

// A 7-digit date text through the number format "###/##/##": 1151204 prints as
// 115/12/04, 0991231 as 99/12/31. Empty or non-numeric texts print as they are.
QString PlannedDateText(const QString &date7);

// 版別: "新版" when ITEM1 is "1", else "舊版" when ITEM4 is "1", else blank.
QString PlateKindText(const QString &item1, const QString &item4);

// 看印: "Y" when ITEM7 is "1".
QString PressCheckText(const QString &item7);

// 用紙 from the row's own 規格 and 紙品: the two trimmed, three blanks between.
QString RowPaperText(const QString &paperSpec, const QString &paperItem);

// 用紙 from the job's single PAPER line: SPEC and ITEM trimmed, five blanks between.
QString PaperLineText(const QString &paperSpec, const QString &item);

// Everything but the 紙 and 版 marks (and the paper text a PAPER lookup may
// replace). counter is the entry's running number over the whole report.
PressScheduleEntry FormatPressScheduleEntry(const PressScheduleRow &row, int counter);
