#pragma once

#include <QLockFile>
#include <QString>
#include <functional>
#include <memory>

class DailyReportWindow;

// The program's composition: the one place that builds the screens and hands
// each what it needs.

// Everything Main does once the application exists, up to the main screen shown.
// The window is null when the program is to end (a second copy, or no launch
// token); the lock keeps other copies out while the program runs. The exit code
// is the program's when it ends without a window: 0 for a second copy, which
// ends silently, 2 after a box saying why it cannot run.
struct StartedProgram
{
    std::unique_ptr<QLockFile> instanceLock;
    DailyReportWindow *window = nullptr;
    int exitCode = 0;
};
StartedProgram StartProgram(const QString &commandLine, const QString &programFolder);

// The program's entry: refuses a computer without a display (one line on standard
// error, exit code 2), makes the application, prepares the session, ends a second
// copy, refuses to run without the launch token, shows the main screen and runs
// until it is closed. `started`, when given, meets the main screen before the
// program runs (a launcher that times the start waits for its ready signal).
int Main(int argc, char **argv, const std::function<void(DailyReportWindow &)> &started = {});
