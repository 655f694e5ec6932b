#pragma once

#include <QString>

// Prepares the session: database location, hand-off text file, connection
// string, settings (parsing `commandLine` when `reloadIdentity`), the Excel folder
// default and the colours. Failures are shown and start-up goes on, but for a
// database of another program (it opens, but lacks the suite's tables): that is
// said in one box, and the session is not prepared. Gives false then.
bool InitSession(bool reloadIdentity, const QString &commandLine, const QString &programFolder);
