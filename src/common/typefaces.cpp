#include "common/typefaces.h"

#include <QFont>
#include <QGuiApplication>

using namespace Qt::StringLiterals;

QString ScreenFamily()
{
    return u"新細明體"_s;
}

QString FaceForFamily(const QString &family)
{
    if (family == u"新細明體")
        return u"AR PL UMing TW"_s;
    if (family == u"標楷體")
        return u"AR PL UKai TW"_s;
    return family;
}

void UseTaiwaneseFaces()
{
    for (const QString &family : {u"新細明體"_s, u"標楷體"_s})
        QFont::insertSubstitution(family, FaceForFamily(family));
    QFont font = QGuiApplication::font();
    font.setFamilies({ScreenFamily()});
    QGuiApplication::setFont(font);
}
