#pragma once

#include "db/statementbatch.h"
#include "production/changehistory.h"

#include <QList>
#include <QString>
#include <QVector>
#include <optional>

class Connection;

// One job line's stamps as they go into the production tables.
struct CompletionLine
{
    QString po;     // work order, trimmed
    double no = 0;  // line of the work order
    QString id;     // schedule document, trimmed
    double ino = 0; // line of the schedule document
    QString planned;
    QString completion;
    // What the line's PRINTING_S row held when the screen listed it. When set, the
    // save refuses to overwrite a row that someone else stamped in the meantime.
    std::optional<QString> listedPlanned;
    std::optional<QString> listedCompletion;
};

// Which of a line's stamps a save writes: the main screen's save writes both, the
// time sheet's the completion stamp alone.
enum class PropagatedStamps
{
    PlannedAndCompletion,
    CompletionOnly
};

// Writes lines' stamps by the completion propagation rule: PRINTING (EAMT = 0)
// and PRINTING_S get ODATE = planned (for PlannedAndCompletion), FDATE = ACT =
// completion; VENDERAC (kind 印 刷, EAMT = 0) and 預排資料明細 (kind 印 刷) get
// ODATE = completion. A table is written only when exactly one row is found.
// A PRINTING_S row whose stamps differ from the listed ones throws DbConflictError.
// A row named by several lines gets the last one's stamps. Runs inside the
// caller's transaction, which must roll back on a throw; throws DbError.
void PropagateCompletion(Connection &connection, const QVector<CompletionLine> &lines,
                         PropagatedStamps which, std::optional<Editor> editor = std::nullopt);
void PropagateCompletion(Connection &connection, const CompletionLine &line,
                         PropagatedStamps which);

// The same rule as statements of a batch, however many the lines: one read of
// what every line finds, then one update per table with the lines as one bound
// value. A save puts them in its own batch (Connection::runBatch) and checks
// their results; a conflict throws only after every statement ran, so the
// transaction must then roll back.
class CompletionPropagation
{
public:
    // With an editor, the batch also records what the writes replace in the
    // history of saves, in the same transaction.
    CompletionPropagation(QVector<CompletionLine> lines, PropagatedStamps which,
                          std::optional<Editor> editor = std::nullopt);
    QList<Statement> statements() const;
    // Throws DbConflictError when a line's PRINTING_S row moved away from its
    // listed stamps, or a table's rows changed between the read and the write.
    // `first` is where statements() begin among the batch's results.
    void check(const QVector<StatementResult> &results, qsizetype first) const;

private:
    // The lines as a JSON array with lastNaming() of both kinds; with `kept`, only
    // the lines it marks.
    QString document(const QVector<bool> &byOrder, const QVector<bool> &byLine,
                     const QVector<bool> *kept) const;
    // One insert of the history rows, run before the writes, on every line.
    Statement historyStatement(const QString &lines) const;
    // Per line: whether it is the last to name its row of a table found by PO
    // and NO (false) or by the whole line (true), and so the one that writes it.
    QVector<bool> lastNaming(bool fullLine) const;

    // The columns a table's row gets written, with the line's value each takes.
    QList<std::pair<QString, QString>> writtenColumns(bool stamps) const;

    QVector<CompletionLine> m_lines;
    PropagatedStamps m_which;
    std::optional<Editor> m_editor;
};
