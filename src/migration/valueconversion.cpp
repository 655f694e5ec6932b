#include "migration/valueconversion.h"

#include <QLocale>
#include <QRegularExpression>
#include <cmath>

using namespace Qt::StringLiterals;

namespace {

using Kind = TargetColumn::Kind;

QString shown(const QVariant &value)
{
    QString text = value.typeId() == QMetaType::QByteArray
                       ? QString::fromLatin1(value.toByteArray().left(20).toHex()) + u"…"_s
                       : value.toString();
    if (text.size() > 40)
        text = text.left(40) + u"…"_s;
    return text;
}

ConvertedValue doesNotFit(const QVariant &value, const TargetColumn &column)
{
    return {{}, u"「%1」無法存入 %2 欄位"_s.arg(shown(value), column.type), false};
}

QString numberText(double d)
{
    return QString::number(d, 'g', QLocale::FloatingPointShortest);
}

bool isDecimalText(const QString &text)
{
    static const QRegularExpression number(
        u"^[+-]?([0-9]+\\.?[0-9]*|\\.[0-9]+)([eE][+-]?[0-9]+)?$"_s);
    return number.match(text).hasMatch();
}

// The value as text, null when it has none (binary data).
QString asText(const QVariant &v, SourceKind kind)
{
    switch (kind) {
    case SourceKind::Bool:
        return v.toBool() ? u"1"_s : u"0"_s;
    case SourceKind::Integer:
        return QString::number(v.toLongLong());
    case SourceKind::Real:
        return numberText(v.toDouble());
    case SourceKind::DateTime:
        return DateTimeText(v.toDateTime());
    case SourceKind::Binary:
        return {};
    default:
        return v.toString();
    }
}

// An exact number as decimal text; empty when the value is none.
QString asDecimal(const QVariant &v, SourceKind kind)
{
    switch (kind) {
    case SourceKind::Bool:
    case SourceKind::Integer:
        return asText(v, kind);
    case SourceKind::Real:
        return std::isfinite(v.toDouble()) ? numberText(v.toDouble()) : QString();
    case SourceKind::Decimal:
    case SourceKind::Text: {
        const QString t = v.toString().trimmed();
        return isDecimalText(t) ? t : QString();
    }
    default:
        return {};
    }
}

std::optional<qint64> asInteger(const QVariant &v, SourceKind kind)
{
    if (kind == SourceKind::Integer || kind == SourceKind::Bool)
        return kind == SourceKind::Bool ? qint64(v.toBool()) : v.toLongLong();
    if (kind == SourceKind::Real) {
        const double d = v.toDouble();
        if (d != std::trunc(d) || std::abs(d) >= 9.2e18)
            return std::nullopt;
        return qint64(d);
    }
    static const QRegularExpression whole(u"^([+-]?[0-9]+)(\\.0*)?$"_s);
    const QRegularExpressionMatch m = whole.match(asDecimal(v, kind));
    if (!m.hasMatch())
        return std::nullopt;
    bool ok = false;
    const qint64 n = m.captured(1).toLongLong(&ok);
    return ok ? std::optional<qint64>(n) : std::nullopt;
}

std::optional<double> asReal(const QVariant &v, SourceKind kind)
{
    switch (kind) {
    case SourceKind::Bool:
    case SourceKind::Integer:
    case SourceKind::Real:
        return v.toDouble();
    case SourceKind::DateTime:
        return JetFromDateTime(v.toDateTime());
    default: {
        const QString t = asDecimal(v, kind);
        bool ok = false;
        const double d = QLocale::c().toDouble(t, &ok);
        return ok ? std::optional<double>(d) : std::nullopt;
    }
    }
}

std::optional<bool> asBool(const QVariant &v, SourceKind kind)
{
    if (kind == SourceKind::Text) {
        const QString t = v.toString().trimmed().toLower();
        if (t == u"1" || t == u"-1" || t == u"true" || t == u"yes")
            return true;
        if (t == u"0" || t == u"false" || t == u"no")
            return false;
        return std::nullopt;
    }
    const std::optional<double> d = asReal(v, kind);
    if (!d || kind == SourceKind::DateTime)
        return std::nullopt;
    return *d != 0;
}

// The value as Access holds it, for a column without a type.
QVariant natural(const QVariant &v, SourceKind kind)
{
    switch (kind) {
    case SourceKind::Bool:
        return qlonglong(v.toBool());
    case SourceKind::DateTime:
        return DateTimeText(v.toDateTime());
    default:
        return v;
    }
}

} // namespace

ConvertedValue ConvertValue(const QVariant &v, SourceKind kind, const TargetColumn &column)
{
    if (v.isNull()) {
        if (!column.notNull)
            return {};
        if (column.defaultValue.isValid())
            return {column.defaultValue, {}, true};
        return {{}, u"不可為空值，欄位也沒有預設值"_s, false};
    }
    const bool blankText = kind == SourceKind::Text && column.kind != Kind::Text &&
                           column.kind != Kind::Any && column.kind != Kind::Blob &&
                           v.toString().trimmed().isEmpty();
    if (blankText)
        return ConvertValue(QVariant(), kind, column);
    switch (column.kind) {
    case Kind::Text: {
        const QString t = asText(v, kind);
        if (t.isNull())
            return doesNotFit(v, column);
        if (column.maxLength > 0 && t.size() > column.maxLength)
            return {{},
                    u"文字有 %1 個字，超過 %2 欄位的 %3 個字"_s.arg(t.size())
                        .arg(column.type)
                        .arg(column.maxLength),
                    false};
        return {t, {}, false};
    }
    case Kind::Integer: {
        const std::optional<qint64> n = asInteger(v, kind);
        if (!n)
            return doesNotFit(v, column);
        if (*n < column.minimum || *n > column.maximum)
            return {{}, u"「%1」超出 %2 欄位的範圍"_s.arg(*n).arg(column.type), false};
        return {qlonglong(*n), {}, false};
    }
    case Kind::Real: {
        const std::optional<double> d = asReal(v, kind);
        return d ? ConvertedValue{*d, {}, false} : doesNotFit(v, column);
    }
    case Kind::Decimal: {
        const QString t = asDecimal(v, kind);
        return t.isEmpty() ? doesNotFit(v, column) : ConvertedValue{t, {}, false};
    }
    case Kind::Boolean: {
        const std::optional<bool> b = asBool(v, kind);
        return b ? ConvertedValue{*b ? u"1"_s : u"0"_s, {}, false} : doesNotFit(v, column);
    }
    case Kind::DateTime:
        if (kind != SourceKind::DateTime)
            return doesNotFit(v, column);
        return {DateTimeText(v.toDateTime()), {}, false};
    case Kind::Date:
        if (kind != SourceKind::DateTime || v.toDateTime().time() != QTime(0, 0))
            return doesNotFit(v, column);
        return {v.toDateTime().date().toString(Qt::ISODate), {}, false};
    case Kind::Blob:
        if (kind != SourceKind::Binary)
            return doesNotFit(v, column);
        return {v, {}, false};
    case Kind::Any:
        return {natural(v, kind), {}, false};
    }
    return doesNotFit(v, column);
}

QDateTime DateTimeFromJet(double days)
{
    const double whole = std::trunc(days);
    const qint64 ms = qRound64(std::abs(days - whole) * 86400000.0);
    const QDateTime base(QDate(1899, 12, 30), QTime(0, 0), Qt::UTC);
    return base.addDays(qint64(whole)).addMSecs(ms);
}

double JetFromDateTime(const QDateTime &dateTime)
{
    const double days = double(QDate(1899, 12, 30).daysTo(dateTime.date()));
    const double fraction = dateTime.time().msecsSinceStartOfDay() / 86400000.0;
    return days < 0 ? days - fraction : days + fraction;
}

QString DateTimeText(const QDateTime &dateTime)
{
    return dateTime.toString(dateTime.time().msec() ? u"yyyy-MM-dd HH:mm:ss.zzz"_s
                                                    : u"yyyy-MM-dd HH:mm:ss"_s);
}
