#include "report_engine/reportfonts.h"

using namespace Qt::StringLiterals;

QString ReportFontFace(const QString &family)
{
    if (family == u"新細明體"_s)
        return u"AR PL UMing TW"_s;
    if (family == u"標楷體"_s)
        return u"AR PL UKai TW"_s;
    return family;
}
