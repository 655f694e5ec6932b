#include "startup/sessionchecks.h"

#include "common/messagebox.h"
#include "startup/commandline.h"
#include "startup/platform.h"
#include "startup/processcontrol.h"
#include "startup/sessionsettings.h"

#include <QFileInfo>
#include <QProcess>

using namespace Qt::StringLiterals;

namespace {

std::optional<QString> startDetached(const QString &program, const QString &commandLine)
{
    const QFileInfo fi(program);
    if (!fi.exists())
        return u"找不到檔案：%1"_s.arg(program);
    if (!fi.isExecutable())
        return u"無法執行：%1"_s.arg(program);
    if (!QProcess::startDetached(program, commandLine.split(u' ')))
        return u"無法啟動程式：%1"_s.arg(program);
    return std::nullopt;
}

ProgramStarter &starter()
{
    static ProgramStarter s = startDetached;
    return s;
}

} // namespace

MaintenanceLockState CheckMaintenanceLock()
{
    SessionSettings &s = Session();
    MaintenanceLockState state = ReadMaintenanceLock(s.ConnectionString);
    s.LockUser = state.lockUser;
    if (state.result == MaintenanceLockState::Locked)
        ShowMessage(MaintenanceLockMessage(state.lockUser), u"系統維護"_s,
                    MessageService::Icon::Critical);
    return state;
}

bool MaintenanceLockAllows(const QString &errorTitle)
{
    const MaintenanceLockState lock = CheckMaintenanceLock();
    if (lock.result == MaintenanceLockState::Locked)
        ProcessControl::EndNow();
    if (lock.result != MaintenanceLockState::CheckFailed)
        return true;
    if (!errorTitle.isEmpty())
        ShowMessage(lock.error, errorTitle, MessageService::Icon::Critical);
    return false;
}

void LaunchProgram(const QString &exeName)
{
    if (!MaintenanceLockAllows())
        return;
    const QString program = ProgramFolder() + u'/' + exeName;
    if (const auto error = starter()(program, BuildCommandLine(Session().identity())))
        ShowMessage(*error, u"錯誤"_s, MessageService::Icon::Warning);
}

void SetProgramStarter(ProgramStarter s)
{
    starter() = s ? std::move(s) : ProgramStarter(startDetached);
}
