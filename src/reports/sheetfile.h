#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVariantList>
#include <QVector>
#include <optional>

// A table as a spreadsheet keeps it: headings over rows of cells. A cell holding
// a double is a number, a text is a text, a null value an empty cell.
struct SheetTable
{
    QString name; // the worksheet's name in a workbook
    QStringList headings;
    QVector<QVariantList> rows;
};

// The extension of the spreadsheet file for the one the user prefers (XlsExt):
// ".csv" in any case, with or without its dot, gives ".csv"; anything else ".xlsx".
QString SheetFileExtension(const QString &preferred);

// The table as a CSV file: UTF-8 with a byte-order mark (so spreadsheet programs
// read the Chinese text as such), fields separated by commas, a field holding a
// comma, a quote or a line break between quotes (its quotes doubled), lines ended
// by CR LF; numbers as plain decimal text.
QByteArray CsvBytes(const SheetTable &table);

// Writes the table to path, as a CSV file when the path ends in ".csv" and as an
// .xlsx workbook otherwise (headings in bold, frozen above the rows). The file is
// written under a temporary name in its folder and renamed when complete, so a
// failure leaves no file behind (and an earlier file of that name as it was).
// Gives the failure's description.
std::optional<QString> WriteSheetFile(const SheetTable &table, const QString &path);
