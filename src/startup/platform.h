#pragma once

#include <QString>

// The few facts the program asks of the operating system, in one place.

// The login name of the user running the program; empty when unknown.
QString GetLoginUserName();
// The computer's name; empty when unknown.
QString GetMachineName();
// The folder of the running program.
QString ProgramFolder();
// The user's profile folder (the home folder); empty when unknown.
QString UserProfileFolder();

// The folder for the one-copy lock: one only this user can write, so nobody else
// can keep the program from starting. The runtime folder (XDG_RUNTIME_DIR) when
// it is this user's own and closed to others; otherwise a private folder under
// the home folder, made when missing.
QString InstanceLockFolder();
QString InstanceLockFolder(const QString &runtimeFolder, const QString &home);

// Whether the menu program that started this one is still there: the value of
// "-PID=" names a live process.
bool IsParentAlive(double parentWindow);
// Whether a copy of this program runs as that process: the process lives and,
// where the system tells a process's name, bears this program's name (after a
// restart the number may belong to some other program).
bool IsProgramRunning(double processId);
// A number that stands for this program's main window in the register of running
// programs (this process's id).
double OwnWindowHandle();

// The system's version as major + minor / 10, with the overrides of the suite:
// a server edition counts as 0.
double GetWindowsVersion();
// The version number from a version text and a product caption ("6.1.7601",
// "Windows 10 Pro"); pure, for the rules above.
double WindowsVersionFrom(const QString &version, const QString &caption);
