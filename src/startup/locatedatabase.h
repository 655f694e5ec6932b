#pragma once

#include "db/connectioninfo.h"

#include <QString>
#include <optional>

struct DatabaseLocation
{
    QString MachineUserId;
    QString TempFolder;
    QString Site;
    QString DatabaseFolder;
    std::optional<ConnectionInfo> Server;
    // Why the server the data-source file names cannot be used; empty when it can,
    // or when the file names none.
    QString Problem;
};

// How much of the data-source file is read.
inline constexpr qint64 kDataSourceFileLimit = 64 * 1024;

// Where the database and the hand-off files are: from the data-source file
// "PLOV.DSN" in the program folder (a regular file, its first 64 KiB). Never
// fails: without a usable file both folders fall back to the program folder. A
// file that names a server which cannot be used says why in Problem. `home` stands for the user's
// profile folder; the temporary folder is home + "/Temp/" and is created when missing.
DatabaseLocation LocateDatabase(const QString &programFolder, const QString &home,
                                const QString &machineName, const QString &loginName);

// The connection string of <folder>PLOV.mdb (SqliteConnectionString), or the
// server's when the data-source file names one, or nothing when that server
// cannot be used (Problem says why).
QString BuildConnectionString(const DatabaseLocation &location);

// Creates or empties "PLOV.TXT" in the temporary folder; gives the error text on failure.
std::optional<QString> ResetTempText(const QString &tempFolder);
