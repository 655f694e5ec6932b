#include "platform.h"

#include <QCoreApplication>
#include <QSysInfo>
#include <cerrno>
#include <csignal>
#include <cmath>
#include <limits>
#include <pwd.h>
#include <unistd.h>

QString GetLoginUserName()
{
    if (const passwd *pw = getpwuid(geteuid()))
        return QString::fromLocal8Bit(pw->pw_name);
    return qEnvironmentVariable("USER");
}

QString GetMachineName()
{
    return QSysInfo::machineHostName();
}

QString ProgramFolder()
{
    return QCoreApplication::applicationDirPath();
}

QString UserProfileFolder()
{
    return qEnvironmentVariable("HOME");
}

bool IsParentAlive(double parentWindow)
{
    const long long pid = std::llround(parentWindow);
    if (pid <= 0 || pid > std::numeric_limits<pid_t>::max())
        return false;
    return kill(pid_t(pid), 0) == 0 || errno == EPERM;
}

double OwnWindowHandle()
{
    return double(QCoreApplication::applicationPid());
}

double WindowsVersionFrom(const QString &version, const QString &caption)
{
    const QStringList parts = version.split(u'.');
    double result = 0;
    if (parts.size() >= 2) {
        result = parts.at(0).toDouble() + parts.at(1).toDouble() * 0.1;
    } else if (!parts.isEmpty()) {
        result = parts.at(0).toDouble();
    }
    const QString lower = caption.toLower();
    if (lower.contains(QStringLiteral("server")))
        result = 0;
    if (lower.contains(QStringLiteral("windows 10")))
        result = 10;
    if (lower.contains(QStringLiteral("windows 11")))
        result = 11;
    return result;
}

double GetWindowsVersion()
{
    return WindowsVersionFrom(QSysInfo::kernelVersion(), QSysInfo::prettyProductName());
}
