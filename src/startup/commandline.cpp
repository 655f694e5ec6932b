#include "commandline.h"

#include "common/numbertext.h"
#include "db/dberror.h"

#include <limits>

namespace {

// Positions are 1-based like the suite's string functions, 0 when not found,
// and held in 16-bit integers.
int position(const QString &text, const QString &key)
{
    const qsizetype at = text.indexOf(key);
    if (at + 1 > std::numeric_limits<qint16>::max())
        throw DbError(QStringLiteral("溢位"));
    return int(at + 1);
}

// The suite's Mid(text, start, length): start must be 1 or more and length 0 or more.
QString mid(const QString &text, int start, int length)
{
    if (start < 1 || length < 0)
        throw DbError(QStringLiteral("程序呼叫或引數不正確"));
    return text.mid(start - 1, length);
}

QString cut(const QString &text, const QString &key, const QString &nextKey)
{
    const int start = position(text, key) + int(key.size());
    return mid(text, start, position(text, nextKey) - start - 1);
}

} // namespace

bool HasLaunchToken(const QString &commandLine)
{
    return commandLine.contains(LaunchToken);
}

CommandLineIdentity CutCommandLine(const QString &commandLine, CommandLineIdentity *partial)
{
    const QString text = commandLine.trimmed();
    CommandLineIdentity id;
    CommandLineIdentity scratch;
    CommandLineIdentity &out = partial ? *partial : scratch;
    out = id;
    out.Ad = cut(text, QStringLiteral("-AD="), QStringLiteral("-NAME="));
    out.UserName = cut(text, QStringLiteral("-NAME="), QStringLiteral("-ID="));
    out.UserId = cut(text, QStringLiteral("-ID="), QStringLiteral("-XLS="));
    out.XlsExt = cut(text, QStringLiteral("-XLS="), QStringLiteral("-DOC="));
    out.DocExt = cut(text, QStringLiteral("-DOC="), QStringLiteral("-PID="));
    const int pid = position(text, QStringLiteral("-PID="));
    const QString number = mid(text, pid + 5, int(text.size())).trimmed();
    bool ok = false;
    const double value = number.toDouble(&ok);
    if (!ok)
        throw DbError(QStringLiteral("型態不符合"));
    out.ParentWindow = value;
    return out;
}

QString BuildCommandLine(const CommandLineIdentity &identity)
{
    return LaunchToken + QStringLiteral(" -AD=") + identity.Ad + QStringLiteral(" -NAME=") +
           identity.UserName + QStringLiteral(" -ID=") + identity.UserId +
           QStringLiteral(" -XLS=") + identity.XlsExt + QStringLiteral(" -DOC=") + identity.DocExt +
           QStringLiteral(" -PID=") + NumberText(identity.ParentWindow);
}
