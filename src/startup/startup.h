#pragma once

#include <QString>

// The program's entry: prepares the session, ends a second copy, refuses to run
// without the launch token, and shows the main screen.
int Main(int argc, char **argv);

// Prepares the session: database location, hand-off text file, connection
// string, settings (parsing `commandLine` when `reloadIdentity`), the Excel folder
// default and the colours. Failures are shown and start-up goes on.
void InitSession(bool reloadIdentity, const QString &commandLine, const QString &programFolder);
