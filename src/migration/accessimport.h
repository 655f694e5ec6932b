#pragma once

#include "migration/tablecopy.h"

#include <QString>

struct AccessImportOptions
{
    QString source;        // the Access file
    QString target;        // an SQLite file path or a postgresql:// URL
    QString readerProgram; // plov-mdb-read
    int codepage = 950;    // of a Jet 3 file's text
};

// Brings an Access file into a new database (`plov import`): checks that the file
// is an Access database, makes the target with the full schema or takes one that
// the database tool made and that holds no rows, and copies the file's tables
// into it (CopyTables). When anything fails, `error` says what, and no database
// is left behind: one it made is removed, one it found stays as it was. The
// Access file is only read.
ImportReport ImportAccessDatabase(const AccessImportOptions &options,
                                  ImportProgress *progress = nullptr);

// Why a file is no Access database it can read; empty when it looks like one.
QString AccessFileProblem(const QString &path);
