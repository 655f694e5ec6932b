#pragma once

#include "db/connectioninfo.h"

#include <QString>
#include <optional>

// What the data-source file "PLOV.DSN" says. The suite reads two keys from it:
// SITE= (one letter; "C" means the database lies in the folder named by DBQ=)
// and DBQ= (the path of PLOV.MDB). A shop whose computers share a PostgreSQL
// server names it in ODBC's own keys: DRIVER= naming PostgreSQL, SERVER=, PORT=,
// DATABASE=, UID=, PWD=.
struct DataSourceFile
{
    QString site;       // empty when the file names none
    QString folderText; // the text before PLOV.MDB after DBQ=, or the whole file without DBQ=
    std::optional<ConnectionInfo> server;
    // Why the server the file names cannot be used (DATABASE= missing, a PORT=
    // that is no port). Such a file names no folder either: the program must not
    // quietly use a local database instead of the server.
    QString serverProblem;
};

// Keys match regardless of case; the folder keeps the case it is written in, since
// file names on this system are case-sensitive. A file that starts with an
// apostrophe names nothing. A file whose DRIVER= names PostgreSQL is read for the
// server alone. Nothing for a file that names no place at all: an empty file, or
// a DBQ= that is not followed by PLOV.MDB.
std::optional<DataSourceFile> ReadDataSourceText(const QString &text,
                                                 const QString &defaultPassword);
