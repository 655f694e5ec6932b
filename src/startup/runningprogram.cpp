#include "startup/runningprogram.h"

#include "common/log.h"
#include "db/connection.h"
#include "db/dberror.h"
#include "db/recordset.h"
#include "startup/platform.h"

using namespace Qt::StringLiterals;

namespace {

void RemoveLeftRows(Connection &c, const QString &id, const QString &func)
{
    const qsizetype cut = id.indexOf(u'\\');
    if (cut < 0)
        return; // no computer to tell
    const QString computer = id.left(cut + 1);
    Recordset rs(c);
    rs.open(u"select ID, LPID from [SYSUSER1] where FUNC = ? "_s, {func});
    for (; !rs.eof(); rs.moveNext()) {
        const QString rowId = rs.text(u"ID"_s);
        const QVariant process = rs.value(u"LPID"_s);
        if (!rowId.startsWith(computer) || process.isNull() || IsProgramRunning(process.toDouble()))
            continue;
        // Only that row: a copy started meanwhile has written a process of its own.
        c.execute(u"delete from [SYSUSER1] where ID = ? and FUNC = ? and LPID = ? "_s,
                  {rowId, func, process});
        qCInfo(LogStartup).noquote() << u"removed the register row of"_s << rowId
                                     << u"left by process"_s << process.toString();
    }
}

} // namespace

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
        RemoveLeftRows(c, id, func);
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
