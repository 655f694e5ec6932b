#include "daily_report/completionsave.h"

#include "common/numbertext.h"
#include "db/jetval.h"
#include "daily_report/schedulecolumns.h"
#include "db/connection.h"
#include "db/dberror.h"
#include "db/recordset.h"

#include <QHash>
#include <QStringList>

using namespace Qt::StringLiterals;

namespace {

// Opens one table's statement and writes `write` into its row when exactly one is found.
template <typename Write>
void writeSingleRow(Connection &c, const QString &sql, const QVariantList &params, Write write)
{
    Recordset rs(c);
    rs.open(sql, params, Recordset::Lock::Optimistic);
    if (rs.recordCount() == 1) {
        write(rs);
        rs.update();
    }
    rs.close();
}

} // namespace

void PropagateCompletion(Connection &c, const CompletionLine &line, bool withPlanned)
{
    const auto stamps = [&](Recordset &rs) {
        if (withPlanned)
            rs.setValue(u"ODATE"_s, line.planned);
        rs.setValue(u"FDATE"_s, line.completion);
        rs.setValue(u"ACT"_s, line.completion);
    };
    const auto completionDate = [&](Recordset &rs) { rs.setValue(u"ODATE"_s, line.completion); };
    writeSingleRow(c,
                   u"select PO, [NO], ODATE, FDATE, ACT from [PRINTING] "
                   u"where PO = ? and [NO] = ? and EAMT = 0 "_s,
                   {line.po, line.no}, stamps);
    writeSingleRow(c,
                   u"select PO, [NO], ODATE, FDATE, ACT, ID, INO from [PRINTING_S] "
                   u"where PO = ? and [NO] = ? and ID = ? and INO = ?"_s,
                   {line.po, line.no, line.id, line.ino}, [&](Recordset &rs) {
                       const bool plannedMoved =
                           line.listedPlanned &&
                           rs.text(u"ODATE"_s).trimmed() != line.listedPlanned->trimmed();
                       const bool completionMoved =
                           line.listedCompletion &&
                           rs.text(u"FDATE"_s).trimmed() != line.listedCompletion->trimmed();
                       if (plannedMoved || completionMoved)
                           throw DbConflictError(
                               u"工單 %1 序 %2 的預定日或完工日已被其他使用者變更，"
                               u"這次的儲存沒有寫入任何資料。請重新查詢後再儲存。"_s.arg(line.po)
                                   .arg(line.no));
                       stamps(rs);
                   });
    writeSingleRow(c,
                   u"select PO, [NO], KIND, ODATE from [VENDERAC] "
                   u"where PO = ? and [NO] = ? and KIND = '印 刷' and EAMT = 0 "_s,
                   {line.po, line.no}, completionDate);
    writeSingleRow(c,
                   u"select PO, [NO], KIND, ODATE, ID, INO from [預排資料明細] "
                   u"where PO = ? and [NO] = ? and ID = ? and INO = ? and "
                   u"KIND = '印 刷' "_s,
                   {line.po, line.no, line.id, line.ino}, completionDate);
}

namespace {

// Whether the user changed a stamp on this row: it differs from the stamp the row
// was listed with (or nothing is known of that).
bool changedHere(const QString &stamp, const std::optional<QString> &listed)
{
    return !listed || stamp != listed->trimmed();
}

} // namespace

QString ListedLineKey(const QString &po, const QString &no, const QString &id, const QString &ino)
{
    return QStringList{po.trimmed(), NumberText(Val(no)), id.trimmed(), NumberText(Val(ino))}.join(
        QChar(0x1f));
}

QVector<CompletionLine> LinesToSave(const QVector<QVector<QString>> &cells, int filledRows,
                                    const ScheduleMarks &marks, const QVector<ListedStamps> &listed)
{
    QVector<CompletionLine> lines;
    QHash<QString, qsizetype> lineOfKey; // a line listed twice is saved once
    for (int r = 0; r < filledRows && r < cells.size(); ++r) {
        if (!marks.isMarked(r + 1, ScheduleCol::Planned) &&
            !marks.isMarked(r + 1, ScheduleCol::Completion))
            continue;
        const QVector<QString> &row = cells.at(r);
        const auto cell = [&](int col) { return row.value(col - 1); };
        CompletionLine line;
        line.po = cell(ScheduleCol::PO).trimmed();
        line.no = Val(cell(ScheduleCol::NO));
        line.id = cell(ScheduleCol::ScheduleId).trimmed();
        line.ino = Val(cell(ScheduleCol::ScheduleLine));
        line.planned = cell(ScheduleCol::Planned).trimmed();
        line.completion = cell(ScheduleCol::Completion).trimmed();
        if (r < listed.size()) {
            line.listedPlanned = listed.at(r).planned;
            line.listedCompletion = listed.at(r).completion;
        }
        const QString key =
            ListedLineKey(line.po, cell(ScheduleCol::NO), line.id, cell(ScheduleCol::ScheduleLine));
        const auto earlier = lineOfKey.constFind(key);
        if (earlier == lineOfKey.constEnd()) {
            lineOfKey.insert(key, lines.size());
            lines.append(line);
            continue;
        }
        // Another copy of a line already taken (a work order with two ITEM_P rows
        // lists its lines twice): a stamp the user changed on this copy is taken
        // too; one left as listed does not undo a change made on the other copy.
        CompletionLine &line1 = lines[*earlier];
        if (changedHere(line.planned, line.listedPlanned))
            line1.planned = line.planned;
        if (changedHere(line.completion, line.listedCompletion))
            line1.completion = line.completion;
    }
    return lines;
}

std::optional<QString> SaveCompletionLines(const QString &connectionString,
                                           const QVector<CompletionLine> &lines)
{
    try {
        Connection c;
        c.open(connectionString);
        TransactionGuard transaction(c);
        for (const CompletionLine &line : lines)
            PropagateCompletion(c, line, true);
        transaction.commit();
    } catch (const DbError &e) {
        return e.description();
    }
    return std::nullopt;
}
