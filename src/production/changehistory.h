#pragma once

#include "db/statementbatch.h"

#include <QString>
#include <QVariant>
#include <QVector>
#include <optional>

class Connection;

// Who changed what: a save records, in its own transaction, one row of table
// 變更記錄 per value it changed, with the value before and after and who saved
// it; the server stamps the time.

// Who saves: the session's user, the computer and the program.
struct Editor
{
    QString userId;
    QString userName;
    QString computer;
    QString program;
};

// One value a save changed. Keys the table does not have stay null.
struct ChangeRow
{
    QString table;
    QString po;
    QVariant no;
    QString id;
    QVariant ino;
    QVariant seq;
    QString column; // empty for a whole row deleted or added
    QString before;
    QString after;
    QString action; // 修改, 改序 (a run renumbered), 刪除, 新增
};

// The columns of 變更記錄 a save fills, in the order the statements name them.
QString HistoryColumns();

// The editor a save on this connection records its history as: nothing without
// one, or where the history cannot be recorded (HistoryTableReady).
std::optional<Editor> RecordingEditor(Connection &connection, const std::optional<Editor> &editor);

// One statement that records all rows (none when there are no rows).
QList<Statement> RecordChanges(const QVector<ChangeRow> &rows, const Editor &editor);

// The history rows, oldest first, of one work order (and one of its lines when
// `no` is given), as text: time, table, PO, NO, ID, INO, 序, column, before,
// after, action, user code, user, computer, program.
QString HistoryQuery(bool withLine);
