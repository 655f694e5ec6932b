#include "startup/startup.h"

#include "common/log.h"
#include "common/messagebox.h"
#include "daily_report/dailyreportwindow.h"
#include "daily_report/timesheethook.h"
#include "db/connectioninfo.h"
#include "startup/commandline.h"
#include "startup/loadsettings.h"
#include "startup/locatedatabase.h"
#include "startup/platform.h"
#include "startup/sessionsettings.h"
#include "time_sheet/timesheetwindow.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLockFile>
#include <QPointer>
#include <QTextStream>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace {

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
        ShowMessage(*error, u"建立暫存檔錯誤"_s, MessageService::Icon::Critical);
    s.ConnectionString = BuildConnectionString(loc);
    // A data-source file naming a server that cannot be used leaves nothing to
    // open: the load, and every operation after it, fails with the reason.
    SetUnusableDatabaseProblem(loc.Problem);

    QApplication::setOverrideCursor(Qt::WaitCursor);
    const std::optional<QString> error =
        LoadSettings(s, reloadIdentity, commandLine, GetMachineName());
    QApplication::restoreOverrideCursor();
    if (error)
        ShowMessage(*error, u"取得系統相關設定資料錯誤"_s, MessageService::Icon::Critical);

    if (s.ExcelFolder.isEmpty())
        s.ExcelFolder = u"C:\\"_s;
    SetColours(s);
}

StartedProgram StartProgram(const QString &commandLine, const QString &programFolder)
{
    InitSession(true, commandLine, programFolder);

    // One copy per user: a second one ends silently.
    StartedProgram started;
    started.instanceLock = std::make_unique<QLockFile>(
        InstanceLockFolder() + u"/daily_report-%1.lock"_s.arg(GetLoginUserName()));
    if (!started.instanceLock->tryLock(0)) {
        started.instanceLock.reset();
        return started;
    }
    if (!HasLaunchToken(commandLine)) {
        ShowMessage(u"引數錯誤"_s, u"錯誤"_s, MessageService::Icon::Critical);
        return started;
    }
    SetTimeSheetOpener(ShowTimeSheet);
    started.window = new DailyReportWindow;
    started.window->setAttribute(Qt::WA_DeleteOnClose);
    started.window->show();
    started.window->activateWindow();
    return started;
}

int Main(int argc, char **argv)
{
    QElapsedTimer sinceStart;
    sinceStart.start();
    InstallLogHandler(ChooseLogSink());
    QApplication app(argc, argv);
    QApplication::setApplicationName(u"daily_report"_s);
    qCInfo(LogStartup).noquote() << u"version"_s << QApplication::applicationVersion()
                                 << u"started as process"_s << QApplication::applicationPid();
    const StartedProgram started =
        StartProgram(ArgumentText(QApplication::arguments()), ProgramFolder());
    if (!started.window)
        return 0;
    // The start-up benchmark asks to be told when the main screen is up.
    if (qEnvironmentVariableIsSet("PLOV_REPORT_STARTUP")) {
        QObject::connect(started.window, &DailyReportWindow::ready, &app, [&] {
            QTextStream(stdout) << "main screen shown after " << sinceStart.nsecsElapsed() / 1e6
                                << " ms\n";
            QTimer::singleShot(0, &app, &QApplication::quit);
        });
    }
    const QPointer<DailyReportWindow> window = started.window;
    const int code = app.exec();
    delete window.data(); // before the application goes
    return code;
}
