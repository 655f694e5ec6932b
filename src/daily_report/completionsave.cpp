#include "daily_report/completionsave.h"

#include "common/numbertext.h"
#include "daily_report/schedulecolumns.h"
#include "db/connection.h"
#include "db/dberror.h"
#include "db/jetval.h"

#include <QHash>
#include <QStringList>

using namespace Qt::StringLiterals;

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
        line.po = cell(ScheduleCol::Po).trimmed();
        line.no = Val(cell(ScheduleCol::No));
        line.id = cell(ScheduleCol::ScheduleId).trimmed();
        line.ino = Val(cell(ScheduleCol::ScheduleLine));
        line.planned = cell(ScheduleCol::Planned).trimmed();
        line.completion = cell(ScheduleCol::Completion).trimmed();
        if (r < listed.size()) {
            line.listedPlanned = listed.at(r).planned;
            line.listedCompletion = listed.at(r).completion;
        }
        const QString key =
            ListedLineKey(line.po, cell(ScheduleCol::No), line.id, cell(ScheduleCol::ScheduleLine));
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
                                           const QVector<CompletionLine> &lines,
                                           const std::optional<Editor> &editor)
{
    try {
        Connection c;
        c.open(connectionString);
        const std::optional<Editor> recorded = RecordingEditor(c, editor);
        TransactionGuard transaction(c);
        PropagateCompletion(c, lines, PropagatedStamps::PlannedAndCompletion, recorded);
        transaction.commit();
    } catch (const DbError &e) {
        return e.description();
    }
    return std::nullopt;
}
