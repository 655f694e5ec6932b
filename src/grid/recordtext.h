#pragma once

#include <QString>
#include <QVariant>

// A database value as cell text: Null (or no value) is the empty text, a
// floating-point number its plain decimal text (1200.0 -> "1200", 1.5 -> "1.5"),
// anything else its own text.
QString RecordValueText(const QVariant &value);
