#include "plovhistory.h"

#include "db/connection.h"
#include "db/databasecreator.h"
#include "db/dberror.h"
#include "db/historytable.h"
#include "db/jetval.h"
#include "db/recordset.h"
#include "grid/recordtext.h"
#include "production/changehistory.h"

#include <algorithm>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

const QStringList kHeadings{u"時間"_s, u"資料表"_s, u"PO"_s,     u"NO"_s,   u"ID"_s,
                            u"INO"_s,  u"序"_s,     u"欄位"_s,   u"原值"_s, u"新值"_s,
                            u"動作"_s, u"代號"_s,   u"使用者"_s, u"電腦"_s, u"程式"_s};

const QStringList kFields{u"時間"_s, u"資料表"_s,     u"PO"_s,     u"NO"_s,   u"ID"_s,
                          u"INO"_s,  u"序"_s,         u"欄位"_s,   u"原值"_s, u"新值"_s,
                          u"動作"_s, u"使用者代號"_s, u"使用者"_s, u"電腦"_s, u"程式"_s};

// Columns on a terminal: a Chinese character takes two.
int displayWidth(const QString &text)
{
    int width = 0;
    for (const QChar c : text)
        width += c.unicode() >= 0x1100 ? 2 : 1;
    return width;
}

} // namespace

int PlovHistory(const QStringList &args, QTextStream &out, QTextStream &err)
{
    if (args.size() < 2 || args.size() > 3 ||
        std::any_of(args.cbegin(), args.cend(),
                    [](const QString &a) { return a.startsWith(u'-'); })) {
        err << "usage: plov history DB PO [NO]\n";
        return 2;
    }
    QList<QStringList> rows{kHeadings};
    try {
        Connection c;
        c.open(ConnectionStringForTarget(args.at(0)));
        EnsureHistoryTable(c);
        Recordset rs(c);
        QVariantList values{args.at(1)};
        if (args.size() == 3)
            values << Val(args.at(2));
        rs.open(HistoryQuery(args.size() == 3), values);
        for (; !rs.eof(); rs.moveNext()) {
            QStringList row;
            for (const QString &field : kFields)
                row << RecordValueText(rs.value(field)).replace(u'\t', u' ').replace(u'\n', u' ');
            rows << row;
        }
    } catch (const DbError &e) {
        err << u"plov: 無法讀取變更記錄："_s << e.description().simplified() << u'\n';
        return 2;
    }
    if (!isatty(STDOUT_FILENO)) {
        for (const QStringList &row : rows)
            out << row.join(u'\t') << u'\n';
        return 0;
    }
    QVector<int> widths(kHeadings.size(), 0);
    for (const QStringList &row : rows)
        for (int col = 0; col < row.size(); ++col)
            widths[col] = std::max(widths[col], displayWidth(row[col]));
    for (const QStringList &row : rows) {
        QString line;
        for (int col = 0; col < row.size(); ++col)
            line += row[col] + QString(widths[col] - displayWidth(row[col]) + 2, u' ');
        out << line.trimmed() << u'\n';
    }
    return 0;
}
