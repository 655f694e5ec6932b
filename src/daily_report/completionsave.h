#pragma once

#include "daily_report/scheduleediting.h"
#include "daily_report/schedulequery.h"
#include "production/completionpropagation.h"

#include <QString>
#include <QVector>
#include <optional>

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
// by someone else among them). With an editor, the values it changed are
// recorded in the history of saves in the same transaction.
std::optional<QString> SaveCompletionLines(const QString &connectionString,
                                           const QVector<CompletionLine> &lines,
                                           const std::optional<Editor> &editor = std::nullopt);
