#include "grid/recordtext.h"

#include "common/numbertext.h"

#include <cmath>

QString RecordValueText(const QVariant &value)
{
    if (value.isNull())
        return {};
    switch (value.typeId()) {
    case QMetaType::Double:
    case QMetaType::Float: {
        // Whole numbers (most quantities) are written directly: a fill of
        // thousands of rows would otherwise spend its time in the general
        // decimal conversion.
        const double number = value.toDouble();
        if (std::abs(number) < 1e15 && number == std::trunc(number))
            return QString::number(static_cast<qint64>(number));
        return NumberText(number);
    }
    default:
        return value.toString();
    }
}
