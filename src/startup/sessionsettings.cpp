#include "startup/sessionsettings.h"

#include "startup/platform.h"

#include <QCoreApplication>

using namespace Qt::StringLiterals;

QString SessionSettings::permission(const QString &column) const
{
    const auto it = Permissions.find(column);
    return it == Permissions.end() ? QString() : it->second;
}

SessionSettings &Session()
{
    static SessionSettings settings;
    return settings;
}

CommandLineIdentity SessionSettings::identity() const
{
    return {Ad, UserName, UserId, XlsExt, DocExt, ParentWindow};
}

void SessionSettings::setIdentity(const CommandLineIdentity &id)
{
    Ad = id.Ad;
    UserName = id.UserName;
    UserId = id.UserId;
    XlsExt = id.XlsExt;
    DocExt = id.DocExt;
    ParentWindow = id.ParentWindow;
}

void SetColours(SessionSettings &s)
{
    s.Color1 = u"12632064"_s;
    s.Color2 = u"15728381"_s;
    s.Color3 = u"14221312"_s;
    s.Color4 = u"16777215"_s;
    s.Color5 = u"16747326"_s;
    s.Color6 = u"16777215"_s;
    s.Color7 = u"4868863"_s;
}

Editor SessionEditor()
{
    return {Session().UserId, Session().UserName, GetMachineName(),
            QCoreApplication::applicationName()};
}
