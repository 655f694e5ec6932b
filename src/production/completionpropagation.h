#pragma once

#include <QString>
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

// Writes a line's stamps by the completion propagation rule: PRINTING (EAMT = 0)
// and PRINTING_S get ODATE = planned (for PlannedAndCompletion), FDATE = ACT =
// completion; VENDERAC (kind 印 刷, EAMT = 0) and 預排資料明細 (kind 印 刷) get
// ODATE = completion. A table is written only when exactly one row is found.
// A PRINTING_S row whose stamps differ from the listed ones throws DbConflictError.
// Runs inside the caller's transaction; throws DbError.
void PropagateCompletion(Connection &connection, const CompletionLine &line,
                         PropagatedStamps which);
