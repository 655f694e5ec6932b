#include "startup/platform.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSysInfo>
#include <cerrno>
#include <cmath>
#include <csignal>
#include <limits>
#include <pwd.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

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

QString InstanceLockFolder(const QString &runtimeFolder, const QString &home)
{
    constexpr QFileDevice::Permissions others = QFileDevice::ReadGroup | QFileDevice::WriteGroup |
                                                QFileDevice::ExeGroup | QFileDevice::ReadOther |
                                                QFileDevice::WriteOther | QFileDevice::ExeOther;
    const QFileInfo runtime(runtimeFolder);
    if (!runtimeFolder.isEmpty() && runtime.isDir() && !runtime.isSymLink() &&
        runtime.ownerId() == geteuid() && !(runtime.permissions() & others))
        return runtime.absoluteFilePath();
    if (home.isEmpty())
        return QDir::tempPath();
    const QString folder = home + u"/.local/state/daily_report"_s;
    QDir().mkpath(folder);
    QFile::setPermissions(folder,
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    return folder;
}

QString InstanceLockFolder()
{
    return InstanceLockFolder(qEnvironmentVariable("XDG_RUNTIME_DIR"), UserProfileFolder());
}

namespace {

// The process id a number names, or 0 when it can name none.
pid_t ProcessIdOf(double value)
{
    const long long pid = std::llround(value);
    return pid <= 0 || pid > std::numeric_limits<pid_t>::max() ? 0 : pid_t(pid);
}

bool ProcessLives(pid_t pid)
{
    return pid > 0 && (kill(pid, 0) == 0 || errno == EPERM);
}

QByteArray ProcessName(const QString &procEntry)
{
    QFile comm(u"/proc/%1/comm"_s.arg(procEntry));
    return comm.open(QIODevice::ReadOnly) ? comm.readAll() : QByteArray();
}

} // namespace

bool IsParentAlive(double parentWindow)
{
    return ProcessLives(ProcessIdOf(parentWindow));
}

bool IsProgramRunning(double processId)
{
    const pid_t pid = ProcessIdOf(processId);
    if (!ProcessLives(pid))
        return false;
    const QByteArray name = ProcessName(QString::number(pid));
    return name.isEmpty() || name == ProcessName(u"self"_s);
}

double OwnWindowHandle()
{
    return double(QCoreApplication::applicationPid());
}

double WindowsVersionFrom(const QString &version, const QString &caption)
{
    // Major is the text before the first ".", minor the text between the first and
    // the second "." (empty without a second one); without any "." there is no version.
    double result = 0;
    const qsizetype first = version.indexOf(u'.');
    if (first >= 0) {
        const qsizetype second = version.indexOf(u'.', first + 1);
        const QString minor = second < 0 ? QString() : version.mid(first + 1, second - first - 1);
        result = version.left(first).toDouble() + minor.toDouble() * 0.1;
    }
    const QString lower = caption.toLower();
    if (lower.contains(u"server"_s))
        result = 0;
    if (lower.contains(u"windows 10"_s))
        result = 10;
    if (lower.contains(u"windows 11"_s))
        result = 11;
    return result;
}

double GetWindowsVersion()
{
    return WindowsVersionFrom(QSysInfo::kernelVersion(), QSysInfo::prettyProductName());
}
