#pragma once

#include <QString>
#include <optional>

// The maintenance lock (SYSLOCK) and the register of running programs (SYSUSER1)
// in the shared database.

struct MaintenanceLockState
{
    enum Result : short
    {
        Free = 0,
        Locked = 1,
        CheckFailed = 9
    };
    Result result = Free;
    QString lockUser; // holder of the first lock row read, trimmed
    QString error;    // why the check failed
};

// Reads SYSLOCK. Any failure of the check itself gives CheckFailed.
MaintenanceLockState ReadMaintenanceLock(const QString &connectionString);

// The text of the lock message for a holder.
QString MaintenanceLockMessage(const QString &lockUser);

// Adds or rewrites this program's row (ID, FUNC) with the main window's handle,
// only while the parent is alive. Gives the error's description on failure.
// First removes the rows a copy of the program on this computer left behind
// when it was killed or crashed: rows of `func` whose ID has this computer's
// part of `id` (up to its "\") and whose process (LPID) no longer runs. Rows
// of other computers are never touched.
std::optional<QString> RegisterRunningProgram(const QString &connectionString, const QString &id,
                                              bool parentAlive, double mainWindow,
                                              const QString &func);
// Deletes this program's row. Gives the error's description on failure.
std::optional<QString> UnregisterRunningProgram(const QString &connectionString, const QString &id,
                                                const QString &func);

// The program's title in the register.
inline const QString kProgramTitle = QStringLiteral("日報登錄作業");
