#pragma once

#include "reports/sheetfile.h"

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>

// The main screen's listing as a spreadsheet keeps it: the columns the grid
// shows, in their order and under their headings, and each cell as the grid
// shows it.

// A shown cell's value in the sheet: a number when the text is one that the
// spreadsheet shows the same way ("12", "-2.5"), otherwise the text itself
// ("0012", "2.50", "1,200" and "1151204" in a date column stay as they are).
// A column that keeps its text never holds numbers.
QVariant ListingCellValue(const QString &shown, bool keepsText);

// Whether a listing column holds dates or codes, kept as text whatever they look
// like: 工單單號, 預定日, 完工日, 預排單號 and 付款年月.
bool ListingColumnKeepsText(const QString &heading);

// The sheet of a listing: its headings and the shown texts of its rows.
SheetTable ListingSheet(const QStringList &headings, const QVector<QStringList> &shownRows);

// The file a listing goes to: "印刷排程_", the press, "_" and the moment as its
// 7-digit date, "-" and HHmm, then the extension ("印刷排程_海德堡四色_1151207-1405.xlsx").
// Without a press the name leaves it out; characters a file name cannot hold
// (/ \ : * ? " < > |) become "_".
QString ListingFileName(const QString &press, const QDateTime &moment, const QString &extension);

// The folder the spreadsheets go to: the computer's spreadsheet folder
// (ExcelFolder), except that a Windows folder (a drive such as "C:\" or a share
// "\\server\") has no place on this system, and the user's documents folder
// stands in for it.
QString SpreadsheetFolder(const QString &excelFolder, const QString &documentsFolder);
