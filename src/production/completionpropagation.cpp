#include "production/completionpropagation.h"

#include "db/connection.h"
#include "db/dberror.h"

#include <QSet>

using namespace Qt::StringLiterals;

namespace {

// The lines as the statements read them: json_records(?) as l (…). byorder and
// byline: whether the line is the last to name its row of a table found by PO
// and NO, or by the whole line, and so the one that writes it.
const QString kLineColumns = u"(n number, po text, wno number, id text, ino number, planned text, "
                             u"completion text, lp text, lc text, byorder number, byline number)"_s;
const QString kLines = u"json_records(?) as l "_s + kLineColumns;

// Each table's rows of a line, as Jet conditions on the table (or its alias).
QString printingRows(const QString &t)
{
    return u"%1.PO = l.po and %1.[NO] = l.wno and %1.EAMT = 0"_s.arg(t);
}
QString lineRows(const QString &t)
{
    return u"%1.PO = l.po and %1.[NO] = l.wno and %1.ID = l.id and %1.INO = l.ino"_s.arg(t);
}
QString venderacRows(const QString &t)
{
    return u"%1.PO = l.po and %1.[NO] = l.wno and %1.KIND = '印 刷' and %1.EAMT = 0"_s.arg(t);
}
QString scheduleRows(const QString &t)
{
    return lineRows(t) + u" and %1.KIND = '印 刷'"_s.arg(t);
}
// A PRINTING_S row still holds the stamps the line was listed with.
QString asListed(const QString &t)
{
    return u"trim(coalesce(%1.ODATE, '')) = trim(coalesce(l.lp, %1.ODATE, '')) and "
           u"trim(coalesce(%1.FDATE, '')) = trim(coalesce(l.lc, %1.FDATE, ''))"_s.arg(t);
}

struct Table
{
    QString name;
    QString (*rows)(const QString &);
    bool fullLine; // found by the whole line (PO, NO, ID, INO), or by PO and NO
    bool stamps;   // ODATE, FDATE and ACT, or ODATE = completion alone
};

const Table kTables[] = {
    {u"PRINTING"_s, printingRows, false, true},
    {u"PRINTING_S"_s, lineRows, true, true},
    {u"VENDERAC"_s, venderacRows, false, false},
    {u"預排資料明細"_s, scheduleRows, true, false},
};

QString keyOf(const CompletionLine &line, bool fullLine)
{
    QString key = line.po + QChar(0x1f) + QString::number(line.no, 'g', 17);
    if (fullLine)
        key += QChar(0x1f) + line.id + QChar(0x1f) + QString::number(line.ino, 'g', 17);
    return key;
}

QVariant optionalText(const std::optional<QString> &text)
{
    return text ? QVariant(*text) : QVariant();
}

} // namespace

QList<std::pair<QString, QString>> CompletionPropagation::writtenColumns(bool stamps) const
{
    if (!stamps)
        return {{u"ODATE"_s, u"completion"_s}};
    QList<std::pair<QString, QString>> columns{{u"FDATE"_s, u"completion"_s},
                                               {u"ACT"_s, u"completion"_s}};
    if (m_which == PropagatedStamps::PlannedAndCompletion)
        columns.prepend({u"ODATE"_s, u"planned"_s});
    return columns;
}

Statement CompletionPropagation::historyStatement(const QString &lines) const
{
    // Run before the writes, so the server works out what they replace: each
    // table's row a line writes (the only one it finds) is read once, and each
    // written column whose value differs becomes a history row. A PRINTING_S row
    // no longer as listed refuses the whole save, so it is not looked at here.
    QStringList found;
    QStringList keyed; // tables found by the whole line
    QStringList unkeyed;
    for (int i = 0; i < int(std::size(kTables)); ++i) {
        const Table &table = kTables[i];
        QStringList read;
        for (const auto &[column, value] : writtenColumns(table.stamps)) {
            read.append(u"max(t.%1) as %1"_s.arg(column));
            (table.fullLine ? keyed : unkeyed)
                .append(u"select '%1' as tbl, po, wno, %2, '%3' as col, %3 as before, %4 as "
                        u"after from x%5"_s.arg(table.name,
                                                table.fullLine ? u"id, ino"_s
                                                               : u"null as id, null as ino"_s,
                                                column, value, QString::number(i)));
        }
        found.append(u"x%1 as (select l.po as po, l.wno as wno, l.id as id, l.ino as ino, "
                     u"l.planned as planned, l.completion as completion, %2 from l inner join "
                     u"[%3] t on %4 where l.%5 = 1 group by l.n, l.po, l.wno, l.id, l.ino, "
                     u"l.planned, l.completion having count(*) = 1)"_s.arg(
                         QString::number(i), read.join(u", "_s), table.name, table.rows(u"t"_s),
                         table.fullLine ? u"byline"_s : u"byorder"_s));
    }
    // The branches with keys go first: a server types a union's null keys by the
    // branches before them.
    return {u"with l as (select * from json_records(?) as r %1), %2 insert into [變更記錄] (時間, "
            u"%3) select server_time(), h.tbl, h.po, "
            u"h.wno, h.id, h.ino, null, h.col, h.before, h.after, '修改', ?, ?, ?, ? from (%4) h "
            u"where coalesce(h.before, '') <> coalesce(h.after, '')"_s.arg(
                kLineColumns, found.join(u", "_s), HistoryColumns(),
                (keyed + unkeyed).join(u" union all "_s)),
            {lines, m_editor->userId, m_editor->userName, m_editor->computer, m_editor->program}};
}

CompletionPropagation::CompletionPropagation(QVector<CompletionLine> lines, PropagatedStamps which,
                                             std::optional<Editor> editor)
    : m_lines(std::move(lines)), m_which(which), m_editor(std::move(editor))
{
}

QVector<bool> CompletionPropagation::lastNaming(bool fullLine) const
{
    // A table's row is written by the last line that names it, as one after the
    // other would leave it.
    QVector<bool> last(m_lines.size(), false);
    QSet<QString> taken;
    for (qsizetype n = m_lines.size() - 1; n >= 0; --n) {
        const QString key = keyOf(m_lines.at(n), fullLine);
        last[n] = !taken.contains(key);
        taken.insert(key);
    }
    return last;
}

QString CompletionPropagation::document(const QVector<bool> &byOrder, const QVector<bool> &byLine,
                                        const QVector<bool> *kept) const
{
    QVector<QVariantList> records;
    for (qsizetype n = 0; n < m_lines.size(); ++n) {
        if (kept && !kept->at(n))
            continue;
        const CompletionLine &line = m_lines.at(n);
        records.append({double(n), line.po, line.no, line.id, line.ino, line.planned,
                        line.completion, optionalText(line.listedPlanned),
                        optionalText(line.listedCompletion), int(byOrder.at(n)),
                        int(byLine.at(n))});
    }
    return JsonRecordsText({u"n"_s, u"po"_s, u"wno"_s, u"id"_s, u"ino"_s, u"planned"_s,
                            u"completion"_s, u"lp"_s, u"lc"_s, u"byorder"_s, u"byline"_s},
                           records);
}

QList<Statement> CompletionPropagation::statements() const
{
    // First what each line finds: its rows in each table, and whether its
    // PRINTING_S row moved away from the listed stamps.
    QStringList counts;
    for (const Table &table : kTables)
        counts.append(
            u"(select count(*) from [%1] t where %2)"_s.arg(table.name, table.rows(u"t"_s)));
    counts.insert(2, u"(select count(*) from [PRINTING_S] t where %1 and not (%2))"_s.arg(
                         lineRows(u"t"_s), asListed(u"t"_s)));
    const QVector<bool> byOrder = lastNaming(false);
    const QVector<bool> byLine = lastNaming(true);
    const QString all = document(byOrder, byLine, nullptr);
    const QString writers[2] = {document(byOrder, byLine, &byOrder),
                                document(byOrder, byLine, &byLine)};
    QList<Statement> batch{
        {u"select l.n, %1 from %2 order by l.n"_s.arg(counts.join(u", "_s), kLines), {all}}};
    // With an editor, what the writes replace goes into the history of saves.
    if (m_editor)
        batch.append(historyStatement(all));
    // Then each table written where exactly one row is found.
    for (const Table &table : kTables) {
        const QString name = u'[' + table.name + u']';
        QStringList set;
        for (const auto &[column, value] : writtenColumns(table.stamps))
            set.append(u"%1 = l.%2"_s.arg(column, value));
        QString where = u"%1 and (select count(*) from %2 t where %3) = 1"_s.arg(
            table.rows(name), name, table.rows(u"t"_s));
        if (table.name == u"PRINTING_S"_s)
            where += u" and "_s + asListed(name);
        batch.append(
            {u"update %1 set %2 from %3 where %4"_s.arg(name, set.join(u", "_s), kLines, where),
             {writers[table.fullLine]}});
    }
    return batch;
}

void CompletionPropagation::check(const QVector<StatementResult> &results, qsizetype first) const
{
    const QVector<QVariantList> &found = results.at(first).rows;
    // Columns: n, then the rows found in PRINTING, PRINTING_S, PRINTING_S rows
    // moved from the listed stamps, VENDERAC and 預排資料明細.
    for (const QVariantList &row : found)
        if (row.at(2).toInt() == 1 && row.at(3).toInt() == 1) {
            const CompletionLine &line = m_lines.at(row.at(0).toInt());
            throw DbConflictError(u"工單 %1 序 %2 的預定日或完工日已被其他使用者變更，"
                                  u"這次的儲存沒有寫入任何資料。請重新查詢後再儲存。"_s.arg(line.po)
                                      .arg(line.no));
        }
    const int column[] = {1, 2, 4, 5};
    for (int t = 0; t < 4; ++t) {
        QSet<QString> rows;
        for (const QVariantList &row : found)
            if (row.at(column[t]).toInt() == 1)
                rows.insert(keyOf(m_lines.at(row.at(0).toInt()), kTables[t].fullLine));
        // A row that changed between the two reads is not overwritten: the count
        // written differs from the count found, and nothing is saved.
        if (results.at(first + (m_editor ? 2 : 1) + t).affected != rows.size())
            throw DbConflictError(u"資料表 %1 的這筆資料已被其他使用者變更或刪除，無法儲存。"
                                  u"請重新查詢後再試一次。"_s.arg(kTables[t].name));
    }
}

void PropagateCompletion(Connection &connection, const QVector<CompletionLine> &lines,
                         PropagatedStamps which, std::optional<Editor> editor)
{
    if (lines.isEmpty())
        return;
    const CompletionPropagation propagation(lines, which, editor);
    const QVector<StatementResult> results = connection.runBatch(propagation.statements());
    propagation.check(results, 0);
}

void PropagateCompletion(Connection &connection, const CompletionLine &line, PropagatedStamps which)
{
    PropagateCompletion(connection, QVector<CompletionLine>{line}, which);
}
