#include "time_sheet/timesheetstore.h"

#include "common/numbertext.h"
#include "db/connection.h"
#include "db/dberror.h"
#include "db/jetval.h"
#include "db/recordset.h"
#include "grid/recordtext.h"
#include "production/completionpropagation.h"
#include "time_sheet/runcolumns.h"
#include "time_sheet/runhistory.h"

using namespace Qt::StringLiterals;

namespace {

const QString kRunTable = u"預排資料耗時明細1"_s;

const QString kLoadRuns = u"select * from [預排資料耗時明細1] "
                          u"where 機別 = ? And 工單單號 = ? And 工單序 = ? order by 序"_s;

RecordArray readRuns(Connection &c, const TimeSheetJob &job)
{
    Recordset rs(c);
    rs.open(kLoadRuns, {job.press, job.po, Val(job.line)});
    return rs.getRows();
}

// Two results hold the same runs when every value reads the same.
bool sameRuns(const RecordArray &a, const RecordArray &b)
{
    if (RunCount(a) != RunCount(b))
        return false;
    if (RunCount(a) == 0)
        return true;
    if (a.size() != b.size())
        return false;
    for (qsizetype f = 0; f < a.size(); ++f)
        for (qsizetype r = 0; r < a[f].size(); ++r)
            if (RecordValueText(a[f][r]) != RecordValueText(b[f][r]))
                return false;
    return true;
}

// Saves of one job wait for each other from here to their commit, so the runs
// compared below stay what they are until this save has replaced them. SQLite
// serialises every write transaction already.
void lockJob(Connection &c, const TimeSheetJob &job, QList<Statement> &batch)
{
    const QString statement = c.engine().lockStatement();
    if (!statement.isEmpty())
        batch.append({statement,
                      {kRunTable + u'\x1f' + job.press + u'\x1f' + job.po + u'\x1f' +
                       NumberText(Val(job.line))}});
}

// A result's rows as a (field, record) array, as a record set gives them.
RecordArray fieldsOf(const StatementResult &result)
{
    RecordArray fields;
    for (const QVariantList &row : result.rows) {
        fields.resize(row.size());
        for (qsizetype f = 0; f < row.size(); ++f)
            fields[f].append(row.at(f));
    }
    return fields;
}

// A run's values in the stored order of its table, numbered from 1 as saved.
QVariantList runValues(const QVector<QString> &cells, int index, const TimeSheetJob &job)
{
    const auto text = [&](int col) { return cells.value(col - 1).trimmed(); };
    const auto number = [&](int col) { return Val(cells.value(col - 1)); };
    return {text(RunCol::Start),
            text(RunCol::End),
            text(RunCol::Front),
            text(RunCol::Back),
            text(RunCol::Sets),
            text(RunCol::Plates),
            text(RunCol::Proofing),
            text(RunCol::Fills),
            text(RunCol::Ink),
            QuantityValue(cells.value(RunCol::Finished - 1)),
            job.press,
            text(RunCol::OperatorId),
            text(RunCol::Operator),
            number(RunCol::Hours),
            number(RunCol::Effective),
            text(RunCol::Note),
            number(RunCol::Standard),
            number(RunCol::Score),
            job.po,
            Val(job.line),
            index + 1};
}

// The job's line as the production tables know it, with the completion stamp.
CompletionLine completionLine(const TimeSheetJob &job, const QString &completion)
{
    CompletionLine line;
    line.po = job.po;
    line.no = Val(job.line);
    line.id = job.scheduleId;
    line.ino = Val(job.scheduleLine);
    line.completion = completion;
    line.listedCompletion = job.listedCompletion;
    return line;
}

// The statements that add the runs, each given in the stored order of runValues().
QList<Statement> insertRuns(const Connection &c, const QVector<QVariantList> &runs)
{
    QList<std::pair<QString, bool>> columns;
    for (const StoredRunField &field : kStoredRunFields)
        columns.append({QString::fromUtf16(field.name), field.number});
    return c.insertRecords(kRunTable, columns, runs);
}

// Runs `read` on a connection of its own, closed afterwards; a database failure
// becomes the result's error, the value keeping what was read before it.
template <typename T, typename Read>
StoreRead<T> readOnOwnConnection(const QString &connectionString, Read &&read, T initial = {})
{
    StoreRead<T> result{std::move(initial), std::nullopt};
    try {
        Connection c;
        c.open(connectionString);
        read(c, result.value);
    } catch (const DbError &e) {
        result.error = e.description();
    }
    return result;
}

} // namespace

StoreRead<RecordArray> LoadRuns(const QString &connectionString, const TimeSheetJob &job)
{
    return readOnOwnConnection<RecordArray>(
        connectionString, [&](Connection &c, RecordArray &runs) { runs = readRuns(c, job); });
}

int RunCount(const RecordArray &runs)
{
    return runs.isEmpty() ? 0 : int(runs.first().size());
}

StoreRead<RecordArray> ReadRunChoices(const QString &connectionString)
{
    return readOnOwnConnection<RecordArray>(
        connectionString,
        [](Connection &c, RecordArray &rows) {
            Recordset rs(c);
            rs.open(u"select ID, ITEM, [DESC] from [PHRASE] where KIND = 'Z-雜項' and "
                    u"( ITEM = '機別' or ITEM = '停工說明') order by ID"_s);
            if (rs.recordCount() > 0)
                rows = rs.getRows();
        },
        {{QVariant()}});
}

RecordArray SpecialFillChoices()
{
    RecordArray rows(3);
    for (int i = 1; i <= 9; ++i) {
        rows[0].append(u"%1"_s.arg(i, 3, 10, QLatin1Char('0')));
        rows[1].append(u"特滿"_s);
        rows[2].append(QString::number(i));
    }
    return rows;
}

StoreRead<PressFigures> ReadPressFigures(const QString &connectionString, const QString &press)
{
    return readOnOwnConnection<PressFigures>(
        connectionString, [&](Connection &c, PressFigures &figures) {
            Recordset rs(c);
            rs.open(u"select ID, ITEM, [DESC], [REM] from [PHRASE] where KIND = 'Z-雜項' and "
                    u"ITEM = '機別' and [DESC] = ? order by ID"_s,
                    {press});
            figures.standard = rs.eof() ? 0 : Val(RecordValueText(rs.value(u"REM"_s)));
            rs.open(u"select * from [印刷產能資料] where 機別 = ?"_s, {press});
            if (rs.eof())
                return;
            const auto figure = [&](const QString &field) {
                return Val(RecordValueText(rs.value(field)));
            };
            figures.capacity = {figure(u"每版耗時"_s), figure(u"看印耗時"_s), figure(u"特滿耗時"_s),
                                figure(u"洗車耗時"_s)};
        });
}

StoreRead<std::optional<StaffMember>> ReadOperator(const QString &connectionString,
                                                   const QString &typed)
{
    return readOnOwnConnection<std::optional<StaffMember>>(
        connectionString, [&](Connection &c, std::optional<StaffMember> &found) {
            Recordset rs(c);
            rs.open(u"select ID, NAME from [EMPLOYEE] where ID = ? or NAME = ? "_s, {typed, typed});
            if (!rs.eof())
                found = StaffMember{rs.text(u"ID"_s).trimmed(), rs.text(u"NAME"_s).trimmed()};
        });
}

std::optional<QString> SaveRuns(const QString &connectionString, const TimeSheetJob &job,
                                const QVector<QVector<QString>> &rows, const QString &completion,
                                const RecordArray &seen, const std::optional<Editor> &editor)
{
    try {
        Connection c;
        c.open(connectionString);
        const std::optional<Editor> recorded = RecordingEditor(c, editor);
        TransactionGuard transaction(c);
        // One batch: the job locked, its runs read, replaced and the stamp
        // propagated. What it read decides afterwards whether it is committed.
        QList<Statement> batch;
        lockJob(c, job, batch);
        const qsizetype read = batch.size();
        batch.append({kLoadRuns, {job.press, job.po, Val(job.line)}});
        batch.append(
            {u"delete from [預排資料耗時明細1] where 機別 = ? And 工單單號 = ? And 工單序 = ?"_s,
             {job.press, job.po, Val(job.line)}});
        QVector<QVariantList> runs;
        runs.reserve(rows.size());
        for (int i = 0; i < rows.size(); ++i)
            runs.append(runValues(rows[i], i, job));
        batch += insertRuns(c, runs);
        const qsizetype propagated = batch.size();
        const CompletionPropagation propagation({completionLine(job, completion)},
                                                PropagatedStamps::CompletionOnly, recorded);
        batch += propagation.statements();
        // What the runs were as the sheet read them against what it writes; a
        // refused save rolls this back with the rest.
        if (recorded)
            batch += RecordChanges(RunChanges(job, seen, runs), *recorded);
        const QVector<StatementResult> results = c.runBatch(batch);
        if (!sameRuns(fieldsOf(results.at(read)), seen))
            return u"工單 %1 序 %2 的耗時明細已被其他使用者變更，這次的儲存沒有寫入任何資料。"
                   u"請回前畫面後重新開啟耗時，再輸入一次。"_s.arg(job.po, job.line);
        propagation.check(results, propagated);
        transaction.commit();
    } catch (const DbError &e) {
        return e.description();
    }
    return std::nullopt;
}
