#include "startup.h"

#include "commandline.h"
#include "common/messagebox.h"
#include "daily_report/dailyreportwindow.h"
#include "loadsettings.h"
#include "locatedatabase.h"
#include "platform.h"
#include "sessionsettings.h"

#include <QApplication>
#include <QDir>
#include <QLockFile>

namespace {

void SetColours(SessionSettings &s)
{
    s.Color1 = QStringLiteral("12632064");
    s.Color2 = QStringLiteral("15728381");
    s.Color3 = QStringLiteral("14221312");
    s.Color4 = QStringLiteral("16777215");
    s.Color5 = QStringLiteral("16747326");
    s.Color6 = QStringLiteral("16777215");
    s.Color7 = QStringLiteral("4868863");
}

// The argument text as the menu program wrote it: the arguments joined by blanks.
QString ArgumentText(const QStringList &arguments)
{
    return arguments.mid(1).join(u' ');
}

} // namespace

void InitSession(bool reloadIdentity, const QString &commandLine, const QString &programFolder)
{
    SessionSettings &s = Session();
    const DatabaseLocation loc =
        LocateDatabase(programFolder, UserProfileFolder(), GetMachineName(), GetLoginUserName());
    s.MachineUserId = loc.MachineUserId;
    s.TempFolder = loc.TempFolder;
    s.Site = loc.Site;
    s.DatabaseFolder = loc.DatabaseFolder;
    if (const auto error = ResetTempText(s.TempFolder))
        ShowMessage(*error, QStringLiteral("建立暫存檔錯誤"), MessageService::Icon::Critical);
    s.ConnectionString = BuildConnectionString(loc);

    QApplication::setOverrideCursor(Qt::WaitCursor);
    const auto error = LoadSettings(s, reloadIdentity, commandLine, GetMachineName());
    QApplication::restoreOverrideCursor();
    if (error)
        ShowMessage(*error, QStringLiteral("取得系統相關設定資料錯誤"),
                    MessageService::Icon::Critical);

    if (s.ExcelFolder.isEmpty())
        s.ExcelFolder = QStringLiteral("C:\\");
    SetColours(s);
}

int Main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("daily_report"));
    const QString commandLine = ArgumentText(QApplication::arguments());
    InitSession(true, commandLine, ProgramFolder());

    // One copy per user: a second one ends silently.
    QLockFile instance(QDir::tempPath() + QStringLiteral("/daily_report-%1.lock").arg(GetLoginUserName()));
    if (!instance.tryLock(0))
        return 0;

    if (!HasLaunchToken(commandLine)) {
        ShowMessage(QStringLiteral("引數錯誤"), QStringLiteral("錯誤"), MessageService::Icon::Critical);
        return 0;
    }

    auto *window = new DailyReportWindow;
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->show();
    window->activateWindow();
    return app.exec();
}
