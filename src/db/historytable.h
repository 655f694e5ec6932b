#pragma once

class Connection;

// Makes the history of saves (table 變更記錄) when the database lacks it; a
// database that has it is only looked at, so a user who may not make tables
// there records history all the same. One look per database and process once
// it is there. Throws DbError.
void EnsureHistoryTable(Connection &connection);

// The same for a save: whether its history can be recorded. When the table is
// missing and cannot be made here (this user may not make tables), the save
// goes on without it and the log says why: the stamps come first.
bool HistoryTableReady(Connection &connection);
