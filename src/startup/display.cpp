#include "startup/display.h"

#include <QStringList>

using namespace Qt::StringLiterals;

std::optional<QString> NoDisplayReason(const QString &platform, const QString &display,
                                       const QString &waylandDisplay)
{
    // Qt tries the platforms of a list in turn; without one it takes X or Wayland.
    const QStringList names = platform.trimmed().isEmpty()
                                  ? QStringList{u"xcb"_s, u"wayland"_s}
                                  : platform.split(u';', Qt::SkipEmptyParts);
    QStringList missing;
    for (const QString &entry : names) {
        const QString name = entry.section(u':', 0, 0).trimmed(); // "xcb:option"
        QString variable;
        if (name == u"xcb")
            variable = u"DISPLAY"_s;
        else if (name.startsWith(u"wayland"_s))
            variable = u"WAYLAND_DISPLAY"_s;
        else
            return std::nullopt; // offscreen, vnc, eglfs, ...: no display needed
        if (!(variable == u"DISPLAY" ? display : waylandDisplay).trimmed().isEmpty())
            return std::nullopt;
        if (!missing.contains(variable))
            missing.append(variable);
    }
    return u"沒有可用的螢幕（未設定 %1）"_s.arg(missing.join(u"、"_s));
}

std::optional<QString> NoDisplayReason()
{
    return NoDisplayReason(qEnvironmentVariable("QT_QPA_PLATFORM"), qEnvironmentVariable("DISPLAY"),
                           qEnvironmentVariable("WAYLAND_DISPLAY"));
}
