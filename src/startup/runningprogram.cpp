#include "startup/runningprogram.h"

#include "db/connection.h"
#include "db/dberror.h"
#include "db/recordset.h"

using namespace Qt::StringLiterals;

MaintenanceLockState ReadMaintenanceLock(const QString &connectionString)
{
    MaintenanceLockState state;
    try {
        Connection c;
        c.open(connectionString);
        Recordset rs(c);
        rs.open(u"select * from [SYSLOCK] "_s);
        if (!rs.bof()) {
            state.lockUser = rs.text(u"USER"_s).trimmed();
            state.result = MaintenanceLockState::Locked;
        }
    } catch (const DbError &e) {
        return {MaintenanceLockState::CheckFailed, QString(), e.description()};
    }
    return state;
}

QString MaintenanceLockMessage(const QString &lockUser)
{
    return lockUser + u"\r\n\r\n"_s + u"正在維護軟體中，請稍後再登入！"_s;
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
        rs.open(u"select top 1 * from [SYSUSER1] where ID = ? and FUNC = ? "_s, {id, func},
                Recordset::Lock::Optimistic);
        if (rs.recordCount() == 0) {
            rs.addNew();
            rs.setValue(u"ID"_s, id);
            rs.setValue(u"FUNC"_s, func);
        }
        rs.setValue(u"LPID"_s, mainWindow);
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
        c.execute(u"delete from [SYSUSER1] where ID = ? and FUNC = ? "_s, {id, func});
        return std::nullopt;
    } catch (const DbError &e) {
        return e.description();
    }
}
