#include "db/statementbatch.h"

#include <cmath>

namespace {

void appendText(QString &out, const QString &text)
{
    out += u'"';
    for (const QChar c : text) {
        if (c == u'"' || c == u'\\') {
            out += u'\\';
            out += c;
        } else if (c.unicode() < 0x20) {
            out += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
        } else {
            out += c;
        }
    }
    out += u'"';
}

void appendValue(QString &out, const QVariant &v)
{
    // A text is never Null here, as when bound: an empty one is "".
    if (!v.isValid() || (v.isNull() && v.typeId() != QMetaType::QString)) {
        out += QLatin1String("null");
        return;
    }
    switch (v.typeId()) {
    case QMetaType::Double:
    case QMetaType::Float: {
        const double d = v.toDouble();
        out += std::isfinite(d) ? QString::number(d, 'g', 17) : QStringLiteral("null");
        return;
    }
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
    case QMetaType::ULongLong:
    case QMetaType::Short:
        out += QString::number(v.toLongLong());
        return;
    case QMetaType::Bool:
        out += v.toBool() ? QLatin1String("true") : QLatin1String("false");
        return;
    default:
        appendText(out, v.toString());
    }
}

} // namespace

QString JsonRecordsText(const QStringList &names, const QVector<QVariantList> &records)
{
    QString out;
    out.reserve(records.size() * names.size() * 16 + 2);
    out += u'[';
    for (qsizetype r = 0; r < records.size(); ++r) {
        if (r > 0)
            out += u',';
        out += u'{';
        const QVariantList &values = records.at(r);
        for (qsizetype i = 0; i < names.size(); ++i) {
            if (i > 0)
                out += u',';
            appendText(out, names.at(i));
            out += u':';
            appendValue(out, values.value(i));
        }
        out += u'}';
    }
    out += u']';
    return out;
}
