#pragma once

class Connection;

// Makes the history of saves (table 變更記錄) when the database lacks it: one
// check per database and process. Throws DbError.
void EnsureHistoryTable(Connection &connection);
