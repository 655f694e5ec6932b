#pragma once

#include "db/connectioninfo.h"

#include <QString>
#include <optional>

// The database password of the suite.
inline const QString DatabasePassword = QStringLiteral("qtam5827qtam5827");

struct DatabaseLocation
{
    QString MachineUserId;
    QString TempFolder;
    QString Site;
    QString DatabaseFolder;
    std::optional<ConnectionInfo> Server;
};

// Where the database and the hand-off files are: from the data-source file
// "PLOV.DSN" in the program folder. Never fails: without a usable file both
// folders fall back to the program folder. `home` stands for the user's profile
// folder; the temporary folder is home + "/Temp/" and is created when missing.
DatabaseLocation LocateDatabase(const QString &programFolder, const QString &home,
                                const QString &machineName, const QString &loginName);

// "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=<folder>PLOV.mdb;Jet OLEDB:Database Password=…",
// or the server's connection string when the data-source file names one.
QString BuildConnectionString(const DatabaseLocation &location);

// Creates or empties "PLOV.TXT" in the temporary folder; gives the error text on failure.
std::optional<QString> ResetTempText(const QString &tempFolder);
