#pragma once

#include <QString>

// Prepares the session: database location, hand-off text file, connection
// string, settings (parsing `commandLine` when `reloadIdentity`), the Excel folder
// default and the colours. Failures are shown and start-up goes on.
void InitSession(bool reloadIdentity, const QString &commandLine, const QString &programFolder);
