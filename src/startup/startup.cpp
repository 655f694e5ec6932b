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
#include <QElapsedTimer>
#include <QLockFile>
#include <QPointer>
#include <QTextStream>
#include <QTimer>

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

StartedProgram StartProgram(const QString &commandLine, const QString &programFolder)
{
    InitSession(true, commandLine, programFolder);

    // One copy per user: a second one ends silently.
    StartedProgram started;
    started.instanceLock = std::make_unique<QLockFile>(
        QDir::tempPath() + QStringLiteral("/daily_report-%1.lock").arg(GetLoginUserName()));
    if (!started.instanceLock->tryLock(0)) {
        started.instanceLock.reset();
        return started;
    }
    if (!HasLaunchToken(commandLine)) {
        ShowMessage(QStringLiteral("引數錯誤"), QStringLiteral("錯誤"),
                    MessageService::Icon::Critical);
        return started;
    }
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
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("daily_report"));
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
