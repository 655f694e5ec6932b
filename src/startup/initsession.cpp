#include "startup/initsession.h"

#include "common/messagebox.h"
#include "db/connectioninfo.h"
#include "db/dberror.h"
#include "db/schemacheck.h"
#include "startup/loadsettings.h"
#include "startup/locatedatabase.h"
#include "startup/platform.h"
#include "startup/sessionsettings.h"

#include <QCursor>
#include <QGuiApplication>

using namespace Qt::StringLiterals;

bool InitSession(bool reloadIdentity, const QString &commandLine, const QString &programFolder)
{
    SessionSettings &s = Session();
    const DatabaseLocation loc =
        LocateDatabase(programFolder, UserProfileFolder(), GetMachineName(), GetLoginUserName());
    s.MachineUserId = loc.MachineUserId;
    s.TempFolder = loc.TempFolder;
    s.Site = loc.Site;
    s.DatabaseFolder = loc.DatabaseFolder;
    if (const auto error = ResetTempText(s.TempFolder))
        ShowMessage(*error, u"建立暫存檔錯誤"_s, MessageService::Icon::Critical);
    s.ConnectionString = BuildConnectionString(loc);
    // A data-source file naming a server that cannot be used leaves nothing to
    // open: the load, and every operation after it, fails with the reason.
    SetUnusableDatabaseProblem(loc.Problem);

    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    std::optional<QString> foreign;
    std::optional<QString> error;
    try {
        foreign = ForeignDatabaseReason(s.ConnectionString);
    } catch (const DbError &e) {
        // A database that does not open is not tried again by the settings load,
        // which would only say the same after as long a wait.
        error = e.description();
    }
    if (!foreign && !error)
        error = LoadSettings(s, reloadIdentity, commandLine, GetMachineName());
    QGuiApplication::restoreOverrideCursor();
    if (foreign) {
        ShowMessage(*foreign, u"取得系統相關設定資料錯誤"_s, MessageService::Icon::Critical);
        return false;
    }
    if (error)
        ShowMessage(*error, u"取得系統相關設定資料錯誤"_s, MessageService::Icon::Critical);

    if (s.ExcelFolder.isEmpty())
        s.ExcelFolder = u"C:\\"_s;
    SetColours(s);
    return true;
}
