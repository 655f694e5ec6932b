#include "production/changehistory.h"

#include "db/historytable.h"

using namespace Qt::StringLiterals;

QString HistoryColumns()
{
    return u"資料表, PO, [NO], ID, INO, 序, 欄位, 原值, 新值, 動作, 使用者代號, 使用者, 電腦, 程式"_s;
}

std::optional<Editor> RecordingEditor(Connection &connection, const std::optional<Editor> &editor)
{
    return editor && HistoryTableReady(connection) ? editor : std::nullopt;
}

QList<Statement> RecordChanges(const QVector<ChangeRow> &rows, const Editor &editor)
{
    if (rows.isEmpty())
        return {};
    QVector<QVariantList> records;
    for (const ChangeRow &row : rows)
        records.append({row.table, row.po, row.no, row.id.isNull() ? QVariant() : row.id, row.ino,
                        row.seq, row.column, row.before, row.after, row.action});
    const QString document =
        JsonRecordsText({u"tbl"_s, u"po"_s, u"wno"_s, u"id"_s, u"ino"_s, u"seq"_s, u"col"_s,
                         u"before"_s, u"after"_s, u"act"_s},
                        records);
    return {{u"insert into [變更記錄] (時間, %1) select server_time(), h.tbl, h.po, h.wno, h.id, "
             u"h.ino, h.seq, h.col, h.before, h.after, h.act, ?, ?, ?, ? from json_records(?) as "
             u"h (tbl text, po text, wno number, id text, ino number, seq number, col text, "
             u"before text, after text, act text)"_s.arg(HistoryColumns()),
             {editor.userId, editor.userName, editor.computer, editor.program, document}}};
}

QString HistoryQuery(bool withLine)
{
    return u"select 時間, 資料表, PO, [NO], ID, INO, 序, 欄位, 原值, 新值, 動作, 使用者代號, "
           u"使用者, 電腦, 程式 from [變更記錄] where PO = ?%1 order by 時間, 資料表, 序, 欄位"_s
               .arg(withLine ? u" and [NO] = ?"_s : QString());
}
