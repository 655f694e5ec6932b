#include "startup/commandline.h"

#include "common/numbertext.h"

#include <limits>

using namespace Qt::StringLiterals;

namespace {

// Positions are 1-based like the suite's string functions, 0 when not found,
// and held in 16-bit integers.
int position(const QString &text, const QString &key)
{
    const qsizetype at = text.indexOf(key);
    if (at + 1 > std::numeric_limits<qint16>::max())
        throw CommandLineError(u"溢位"_s);
    return int(at + 1);
}

// The suite's Mid(text, start, length): start must be 1 or more and length 0 or more.
QString mid(const QString &text, int start, int length)
{
    if (start < 1 || length < 0)
        throw CommandLineError(u"程序呼叫或引數不正確"_s);
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
    return commandLine.contains(kLaunchToken);
}

CommandLineIdentity CutCommandLine(const QString &commandLine, CommandLineIdentity *partial)
{
    const QString text = commandLine.trimmed();
    CommandLineIdentity id;
    CommandLineIdentity scratch;
    CommandLineIdentity &out = partial ? *partial : scratch;
    out = id;
    out.Ad = cut(text, u"-AD="_s, u"-NAME="_s);
    out.UserName = cut(text, u"-NAME="_s, u"-ID="_s);
    out.UserId = cut(text, u"-ID="_s, u"-XLS="_s);
    out.XlsExt = cut(text, u"-XLS="_s, u"-DOC="_s);
    out.DocExt = cut(text, u"-DOC="_s, u"-PID="_s);
    const int pid = position(text, u"-PID="_s);
    const QString number = mid(text, pid + 5, int(text.size())).trimmed();
    bool ok = false;
    const double value = number.toDouble(&ok);
    if (!ok)
        throw CommandLineError(u"型態不符合"_s);
    out.ParentWindow = value;
    return out;
}

QString BuildCommandLine(const CommandLineIdentity &identity)
{
    return kLaunchToken + u" -AD="_s + identity.Ad + u" -NAME="_s + identity.UserName + u" -ID="_s +
           identity.UserId + u" -XLS="_s + identity.XlsExt + u" -DOC="_s + identity.DocExt +
           u" -PID="_s + NumberText(identity.ParentWindow);
}
