#pragma once

#include "startup/runningprogram.h"

#include <QString>
#include <functional>
#include <optional>

// The maintenance-lock check every guarded operation runs first. Shows the lock
// message when a lock is found and remembers its holder in the session. The
// state's result: Free, Locked (the caller ends the process) or CheckFailed (the
// caller abandons its operation; the state's error says why).
MaintenanceLockState CheckMaintenanceLock();

// The lock check with every caller's fixed reaction: a lock ends the process, a
// failed check answers false (the operation is abandoned), no lock true. A failed
// check is shown under `errorTitle` when one is given (before a save the user has
// confirmed: the user must know the save did not happen), otherwise nothing is shown.
bool MaintenanceLockAllows(const QString &errorTitle = {});

// Starts a sibling program of the suite from the program folder with this
// session's command line, after the lock check. A program that cannot be
// started is reported under "錯誤"; this program goes on.
void LaunchProgram(const QString &exeName);

// How a program is started: replaced by tests. Gives the error's description
// when the start failed.
using ProgramStarter =
    std::function<std::optional<QString>(const QString &program, const QString &commandLine)>;
void SetProgramStarter(ProgramStarter starter);
