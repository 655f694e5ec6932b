#include "common/typefaces.h"

#include <QFont>
#include <QFontDatabase>
#include <QFontInfo>
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
    // Latin letters and digits keep the system's face: the screens' column
    // widths are counted in its digits, as the design's were in 新細明體's,
    // whose digits are half as wide as its Chinese. The Chinese that face lacks
    // is then drawn in the Taiwanese face, before any face of the system's.
    const QString latin = QFontInfo(QFontDatabase::systemFont(QFontDatabase::GeneralFont)).family();
    for (const QString &family : {u"新細明體"_s, u"標楷體"_s})
        QFont::insertSubstitutions(family, {latin, FaceForFamily(family)});
    QFont font = QGuiApplication::font();
    font.setFamilies({ScreenFamily()});
    QGuiApplication::setFont(font);
}
