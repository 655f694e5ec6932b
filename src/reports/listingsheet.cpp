#include "reports/listingsheet.h"

#include "common/datetext.h"
#include "common/numbertext.h"

#include <QRegularExpression>

using namespace Qt::StringLiterals;

QVariant ListingCellValue(const QString &shown, bool keepsText)
{
    const QString text = shown.trimmed();
    if (!keepsText) {
        const std::optional<double> value = ParseNumericText(text);
        if (value && NumberText(*value) == text)
            return *value;
    }
    return shown;
}

bool ListingColumnKeepsText(const QString &heading)
{
    static const QStringList kept{u"工單單號"_s, u"預定日"_s, u"完工日"_s, u"預排單號"_s,
                                  u"付款年月"_s};
    return kept.contains(heading.trimmed());
}

SheetTable ListingSheet(const QStringList &headings, const QVector<QStringList> &shownRows)
{
    SheetTable sheet{u"印刷排程"_s, headings, {}};
    QVector<bool> keepsText;
    for (const QString &heading : headings)
        keepsText.append(ListingColumnKeepsText(heading));
    sheet.rows.reserve(shownRows.size());
    for (const QStringList &shown : shownRows) {
        QVariantList row;
        row.reserve(shown.size());
        for (qsizetype c = 0; c < shown.size(); ++c)
            row.append(ListingCellValue(shown[c], keepsText.value(c)));
        sheet.rows.append(row);
    }
    return sheet;
}

QString ListingFileName(const QString &press, const QDateTime &moment, const QString &extension)
{
    QString name = u"印刷排程_"_s;
    if (!press.trimmed().isEmpty())
        name += press.trimmed() + u'_';
    name += Date7(moment.date()) + u'-' + moment.toString(u"HHmm"_s) + extension;
    static const QRegularExpression unfit(uR"([/\\:*?"<>|])"_s);
    return name.replace(unfit, u"_"_s);
}

QString SpreadsheetFolder(const QString &excelFolder, const QString &documentsFolder)
{
    static const QRegularExpression windowsFolder(uR"(^([A-Za-z]:|\\\\))"_s);
    const QString folder = excelFolder.trimmed();
    if (folder.isEmpty() || windowsFolder.match(folder).hasMatch())
        return documentsFolder;
    return folder;
}
