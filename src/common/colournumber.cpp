#include "common/colournumber.h"

#include "db/jetval.h"

QColor ColourFromNumberText(const QString &text)
{
    if (text.trimmed().isEmpty())
        return {};
    const auto value = static_cast<quint32>(static_cast<qint64>(Val(text)));
    return QColor(int(value & 0xff), int((value >> 8) & 0xff), int((value >> 16) & 0xff));
}
