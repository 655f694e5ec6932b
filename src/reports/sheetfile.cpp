#include "reports/sheetfile.h"

#include "common/numbertext.h"

#include <QSaveFile>
#include <QTemporaryDir>
#include <xlsxwriter.h>

using namespace Qt::StringLiterals;

namespace {

bool IsNumber(const QVariant &cell)
{
    return cell.typeId() == QMetaType::Double || cell.typeId() == QMetaType::Int ||
           cell.typeId() == QMetaType::LongLong;
}

QString CsvField(const QString &text)
{
    if (!text.contains(u',') && !text.contains(u'"') && !text.contains(u'\n') &&
        !text.contains(u'\r'))
        return text;
    return u'"' + QString(text).replace(u"\""_s, u"\"\""_s) + u'"';
}

QString CsvLine(const QStringList &fields)
{
    QStringList quoted;
    quoted.reserve(fields.size());
    for (const QString &f : fields)
        quoted.append(CsvField(f));
    return quoted.join(u',') + u"\r\n"_s;
}

QString CellText(const QVariant &cell)
{
    if (cell.isNull())
        return {};
    return IsNumber(cell) ? NumberText(cell.toDouble()) : cell.toString();
}

// The width of a column in characters, a CJK character counting two.
double ColumnWidth(const QString &text)
{
    double width = 0;
    for (const char32_t c : text.toUcs4())
        width += c >= 0x2E80 ? 2.1 : 1.1;
    return width;
}

// A worksheet's name: at most 31 characters, none of []:*?/\.
QByteArray SheetName(const QString &name)
{
    QString cleaned = name;
    for (const QChar c : u"[]:*?/\\"_s)
        cleaned.replace(c, u'_');
    return (cleaned.isEmpty() ? u"Sheet1"_s : cleaned.left(31)).toUtf8();
}

// The workbook written by libxlsxwriter into file; the description of its failure.
std::optional<QString> WriteWorkbook(const SheetTable &table, const QString &file)
{
    const QByteArray fileName = file.toUtf8();
    lxw_workbook *workbook = workbook_new(fileName.constData());
    if (!workbook)
        return u"無法建立試算表"_s;
    lxw_worksheet *sheet = workbook_add_worksheet(workbook, SheetName(table.name).constData());
    lxw_format *bold = workbook_add_format(workbook);
    format_set_bold(bold);
    QVector<double> widths(table.headings.size(), 0);
    const auto widen = [&](qsizetype col, const QString &text) {
        if (col >= widths.size())
            widths.resize(col + 1, 0);
        widths[col] = std::max(widths[col], ColumnWidth(text));
    };
    for (qsizetype c = 0; c < table.headings.size(); ++c) {
        worksheet_write_string(sheet, 0, lxw_col_t(c), table.headings[c].toUtf8().constData(),
                               bold);
        widen(c, table.headings[c]);
    }
    for (qsizetype r = 0; r < table.rows.size(); ++r) {
        const QVariantList &row = table.rows[r];
        for (qsizetype c = 0; c < row.size(); ++c) {
            const QVariant &cell = row[c];
            const lxw_row_t sheetRow = lxw_row_t(r + 1); // under the headings
            if (IsNumber(cell))
                worksheet_write_number(sheet, sheetRow, lxw_col_t(c), cell.toDouble(), nullptr);
            else if (!cell.toString().isEmpty())
                worksheet_write_string(sheet, sheetRow, lxw_col_t(c),
                                       cell.toString().toUtf8().constData(), nullptr);
            else
                continue;
            widen(c, CellText(cell));
        }
    }
    for (qsizetype c = 0; c < widths.size(); ++c)
        worksheet_set_column(sheet, lxw_col_t(c), lxw_col_t(c),
                             std::clamp(widths[c] + 1, 6.0, 60.0), nullptr);
    worksheet_freeze_panes(sheet, 1, 0);
    const lxw_error error = workbook_close(workbook);
    if (error != LXW_NO_ERROR)
        return u"無法建立試算表：%1"_s.arg(QString::fromUtf8(lxw_strerror(error)));
    return std::nullopt;
}

std::optional<QByteArray> XlsxBytes(const SheetTable &table, QString &error)
{
    QTemporaryDir dir;
    if (!dir.isValid()) {
        error = u"無法建立暫存檔：%1"_s.arg(dir.errorString());
        return std::nullopt;
    }
    const QString file = dir.filePath(u"sheet.xlsx"_s);
    if (const auto failed = WriteWorkbook(table, file)) {
        error = *failed;
        return std::nullopt;
    }
    QFile written(file);
    if (!written.open(QIODevice::ReadOnly)) {
        error = u"無法讀取暫存檔：%1"_s.arg(written.errorString());
        return std::nullopt;
    }
    return written.readAll();
}

} // namespace

QString SheetFileExtension(const QString &preferred)
{
    QString ext = preferred.trimmed().toLower();
    if (!ext.startsWith(u'.'))
        ext.prepend(u'.');
    return ext == u".csv" ? u".csv"_s : u".xlsx"_s;
}

QByteArray CsvBytes(const SheetTable &table)
{
    QString text = CsvLine(table.headings);
    for (const QVariantList &row : table.rows) {
        QStringList fields;
        fields.reserve(row.size());
        for (const QVariant &cell : row)
            fields.append(CellText(cell));
        text += CsvLine(fields);
    }
    return QByteArray("\xEF\xBB\xBF") + text.toUtf8();
}

std::optional<QString> WriteSheetFile(const SheetTable &table, const QString &path)
{
    QByteArray bytes;
    if (path.endsWith(u".csv"_s, Qt::CaseInsensitive)) {
        bytes = CsvBytes(table);
    } else {
        QString error;
        const std::optional<QByteArray> workbook = XlsxBytes(table, error);
        if (!workbook)
            return error;
        bytes = *workbook;
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        return u"無法寫入 %1：%2"_s.arg(path, file.errorString());
    return std::nullopt;
}
