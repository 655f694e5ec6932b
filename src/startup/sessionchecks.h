#pragma once

#include <QString>
#include <functional>
#include <optional>

// The maintenance-lock check every guarded operation runs first. Shows the lock
// message when a lock is found and remembers its holder in the session.
// 0 = no lock, 1 = locked (the caller ends the process), 9 = the check failed
// (the caller abandons its operation silently; `failure`, when given, says why).
short CheckMaintenanceLock(QString *failure = nullptr);

// The lock check with every caller's fixed reaction: a lock ends the process, a
// failed check answers false (the operation is abandoned silently), no lock true.
bool MaintenanceLockAllows();
// The same before a save the user has confirmed, except that a failed check is
// shown under the save's error title: the user must know the save did not happen.
bool MaintenanceLockAllowsSave(const QString &errorTitle);

// Starts a sibling program of the suite from the program folder with this
// session's command line, after the lock check. A program that cannot be
// started is reported under "錯誤"; this program goes on.
void LaunchProgram(const QString &exeName);

// How a program is started: replaced by tests. Gives the error's description
// when the start failed.
using ProgramStarter =
    std::function<std::optional<QString>(const QString &program, const QString &commandLine)>;
void SetProgramStarter(ProgramStarter starter);
