#include "sessionchecks.h"

#include "commandline.h"
#include "common/messagebox.h"
#include "platform.h"
#include "processcontrol.h"
#include "runningprogram.h"
#include "sessionsettings.h"

#include <QFileInfo>
#include <QProcess>

namespace {

std::optional<QString> startDetached(const QString &program, const QString &commandLine)
{
    const QFileInfo fi(program);
    if (!fi.exists())
        return QStringLiteral("找不到檔案：%1").arg(program);
    if (!fi.isExecutable())
        return QStringLiteral("無法執行：%1").arg(program);
    if (!QProcess::startDetached(program, commandLine.split(u' ')))
        return QStringLiteral("無法啟動程式：%1").arg(program);
    return std::nullopt;
}

ProgramStarter &starter()
{
    static ProgramStarter s = startDetached;
    return s;
}

} // namespace

short CheckMaintenanceLock()
{
    SessionSettings &s = Session();
    const MaintenanceLockState state = ReadMaintenanceLock(s.ConnectionString);
    s.LockUser = state.lockUser;
    if (state.result == MaintenanceLockState::Locked)
        ShowMessage(MaintenanceLockMessage(state.lockUser), QStringLiteral("系統維護"),
                    MessageService::Icon::Critical);
    return state.result;
}

bool MaintenanceLockAllows()
{
    const short lock = CheckMaintenanceLock();
    if (lock == MaintenanceLockState::Locked)
        ProcessControl::EndNow();
    return lock != MaintenanceLockState::CheckFailed;
}

void LaunchProgram(const QString &exeName)
{
    if (!MaintenanceLockAllows())
        return;
    const QString program = ProgramFolder() + u'/' + exeName;
    if (const auto error = starter()(program, BuildCommandLine(Session().identity())))
        ShowMessage(*error, QStringLiteral("錯誤"), MessageService::Icon::Warning);
}

void SetProgramStarter(ProgramStarter s)
{
    starter() = s ? std::move(s) : ProgramStarter(startDetached);
}
