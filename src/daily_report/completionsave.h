#pragma once

#include "daily_report/scheduleediting.h"
#include "daily_report/schedulequery.h"

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

// Writes a line's stamps by the completion propagation rule: PRINTING (EAMT = 0)
// and PRINTING_S get ODATE = planned (when `withPlanned`), FDATE = ACT =
// completion; VENDERAC (kind 印 刷, EAMT = 0) and 預排資料明細 (kind 印 刷) get
// ODATE = completion. A table is written only when exactly one row is found.
// A PRINTING_S row whose stamps differ from the listed ones throws DbConflictError.
// Runs inside the caller's transaction; throws DbError.
void PropagateCompletion(Connection &connection, const CompletionLine &line, bool withPlanned);

// The job line a listed row stands for, from its PO, NO, ID and INO cells: rows
// with the same key list the same line (a work order with two ITEM_P rows lists
// its lines twice).
QString ListedLineKey(const QString &po, const QString &no, const QString &id, const QString &ino);

// The lines a save writes: every listed row whose planned or completion stamp is
// marked, in grid order, each line once however often it is listed. cells holds the grid's rows
// (cells[r][c] is grid row r + 1, column c + 1); the first filledRows of them are listed, with the
// stamps of listed.
QVector<CompletionLine> LinesToSave(const QVector<QVector<QString>> &cells, int filledRows,
                                    const ScheduleMarks &marks,
                                    const QVector<ListedStamps> &listed);

// The save of the main screen: every line in one transaction, all or nothing.
// Gives the error's description when nothing was written (a row changed meanwhile
// by someone else among them).
std::optional<QString> SaveCompletionLines(const QString &connectionString,
                                           const QVector<CompletionLine> &lines);
