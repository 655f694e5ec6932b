#include "runningprogram.h"

#include "db/connection.h"
#include "db/dberror.h"
#include "db/recordset.h"

MaintenanceLockState ReadMaintenanceLock(const QString &connectionString)
{
    MaintenanceLockState state;
    try {
        Connection c;
        c.open(connectionString);
        Recordset rs(c);
        rs.open(QStringLiteral("select * from [SYSLOCK] "));
        if (!rs.bof()) {
            state.lockUser = rs.text(QStringLiteral("USER")).trimmed();
            state.result = MaintenanceLockState::Locked;
        }
    } catch (const DbError &) {
        return {MaintenanceLockState::CheckFailed, QString()};
    }
    return state;
}

QString MaintenanceLockMessage(const QString &lockUser)
{
    return lockUser + QStringLiteral("\r\n\r\n") + QStringLiteral("正在維護軟體中，請稍後再登入！");
}

std::optional<QString> RegisterRunningProgram(const QString &connectionString, const QString &id,
                                              bool parentAlive, double mainWindow,
                                              const QString &func)
{
    try {
        Connection c;
        c.open(connectionString);
        if (!parentAlive)
            return std::nullopt;
        Recordset rs(c);
        rs.open(QStringLiteral("select top 1 * from [SYSUSER1] where ID = ? and FUNC = ? "),
                {id, func}, Recordset::Lock::Optimistic);
        if (rs.recordCount() == 0) {
            rs.addNew();
            rs.setValue(QStringLiteral("ID"), id);
            rs.setValue(QStringLiteral("FUNC"), func);
        }
        rs.setValue(QStringLiteral("LPID"), mainWindow);
        rs.update();
        return std::nullopt;
    } catch (const DbError &e) {
        return e.description();
    }
}

std::optional<QString> UnregisterRunningProgram(const QString &connectionString, const QString &id,
                                                const QString &func)
{
    try {
        Connection c;
        c.open(connectionString);
        c.execute(QStringLiteral("delete from [SYSUSER1] where ID = ? and FUNC = ? "), {id, func});
        return std::nullopt;
    } catch (const DbError &e) {
        return e.description();
    }
}
