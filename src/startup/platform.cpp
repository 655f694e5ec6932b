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

// What the system tells of a process ("self" or its number): its name, or its
// status line, whose state follows the name in brackets. Empty when it tells nothing.
QByteArray ProcessFile(const QString &process, const QString &file)
{
    QFile f(u"/proc/%1/%2"_s.arg(process, file));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// A process that has ended but was not yet collected by its parent (a zombie)
// still answers a signal; it runs no more.
bool ProcessLives(pid_t pid)
{
    if (pid <= 0 || (kill(pid, 0) != 0 && errno != EPERM))
        return false;
    const QByteArray status = ProcessFile(QString::number(pid), u"stat"_s);
    const qsizetype state = status.lastIndexOf(')') + 2;
    return state < 2 || state >= status.size() || (status[state] != 'Z' && status[state] != 'X');
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
    const QByteArray name = ProcessFile(QString::number(pid), u"comm"_s);
    return name.isEmpty() || name == ProcessFile(u"self"_s, u"comm"_s);
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
