#pragma once

#include <QString>

#include <QLockFile>
#include <memory>

class DailyReportWindow;

// The program's entry: prepares the session, ends a second copy, refuses to run
// without the launch token, and shows the main screen.
int Main(int argc, char **argv);

// Everything Main does once the application exists, up to the main screen shown.
// The window is null when the program is to end (a second copy, or no launch
// token); the lock keeps other copies out while the program runs.
struct StartedProgram
{
    std::unique_ptr<QLockFile> instanceLock;
    DailyReportWindow *window = nullptr;
};
StartedProgram StartProgram(const QString &commandLine, const QString &programFolder);

// Prepares the session: database location, hand-off text file, connection
// string, settings (parsing `commandLine` when `reloadIdentity`), the Excel folder
// default and the colours. Failures are shown and start-up goes on.
void InitSession(bool reloadIdentity, const QString &commandLine, const QString &programFolder);
