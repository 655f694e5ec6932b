#include "common/numbertext.h"

#include <cmath>

using namespace Qt::StringLiterals;

namespace {

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// Splits a plain decimal text "-1234.5" into sign, integer and fraction.
struct DecimalParts
{
    bool negative = false;
    QString integer;
    QString fraction;
};

DecimalParts splitDecimal(const QString &plain)
{
    DecimalParts parts;
    QString rest = plain;
    if (rest.startsWith(u'-')) {
        parts.negative = true;
        rest.remove(0, 1);
    }
    const qsizetype point = rest.indexOf(u'.');
    parts.integer = point < 0 ? rest : rest.left(point);
    parts.fraction = point < 0 ? QString() : rest.mid(point + 1);
    return parts;
}

QString groupByThrees(const QString &digits)
{
    QString grouped;
    const qsizetype length = digits.size();
    for (qsizetype i = 0; i < length; ++i) {
        if (i > 0 && (length - i) % 3 == 0)
            grouped += u',';
        grouped += digits.at(i);
    }
    return grouped;
}

} // namespace

std::optional<double> ParseNumericText(const QString &text)
{
    const QString trimmed = text.trimmed();
    qsizetype i = 0;
    const qsizetype n = trimmed.size();
    QString number;
    if (i < n && (trimmed.at(i) == u'-' || trimmed.at(i) == u'+'))
        number += trimmed.at(i++);
    bool mantissaDigit = false;
    // Integer digits; separators only count once a digit was seen.
    for (; i < n; ++i) {
        const QChar c = trimmed.at(i);
        if (isDigit(c)) {
            mantissaDigit = true;
            number += c;
        } else if (c != u',' || !mantissaDigit) {
            break;
        }
    }
    if (i < n && trimmed.at(i) == u'.') {
        number += trimmed.at(i++);
        for (; i < n && isDigit(trimmed.at(i)); ++i) {
            mantissaDigit = true;
            number += trimmed.at(i);
        }
    }
    if (!mantissaDigit)
        return std::nullopt;
    if (i < n && (trimmed.at(i) == u'e' || trimmed.at(i) == u'E')) {
        number += u'e';
        ++i;
        if (i < n && (trimmed.at(i) == u'-' || trimmed.at(i) == u'+'))
            number += trimmed.at(i++);
        bool exponentDigit = false;
        for (; i < n && isDigit(trimmed.at(i)); ++i) {
            exponentDigit = true;
            number += trimmed.at(i);
        }
        if (!exponentDigit)
            return std::nullopt;
    }
    if (i != n)
        return std::nullopt;
    bool ok = false;
    const double value = number.toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value == 0.0 ? 0.0 : value;
}

QString NumberText(double value)
{
    if (!std::isfinite(value))
        return QString::number(value);
    if (value == 0.0)
        return u"0"_s;
    // Fifteen significant digits, as d.dddddddddddddde+XX, then written out
    // without the exponent.
    const QString scientific = QString::number(std::fabs(value), 'e', 14);
    const qsizetype e = scientific.indexOf(u'e');
    QString digits = scientific.left(e);
    digits.remove(u'.');
    const int exponent = scientific.mid(e + 1).toInt();
    while (digits.size() > 1 && digits.endsWith(u'0'))
        digits.chop(1);

    const int before = exponent + 1; // digits in front of the decimal point
    QString plain;
    if (before <= 0)
        plain = u"0."_s + QString(-before, u'0') + digits;
    else if (before >= digits.size())
        plain = digits + QString(before - digits.size(), u'0');
    else
        plain = digits.left(before) + u'.' + digits.mid(before);
    return value < 0 ? u'-' + plain : plain;
}

QString FormatThousands(const QString &text)
{
    if (text.isEmpty())
        return text;
    const std::optional<double> value = ParseNumericText(text);
    if (!value)
        return text;
    const DecimalParts parts = splitDecimal(NumberText(*value));
    QString result = parts.negative ? u"-"_s : QString();
    result += groupByThrees(parts.integer);
    if (!parts.fraction.isEmpty())
        result += u'.' + parts.fraction;
    return result;
}

double RoundTo(double value, int decimals)
{
    const double scale = std::pow(10.0, decimals);
    const double rounded = std::round(value * scale) / scale; // half away from zero
    return rounded == 0.0 ? 0.0 : rounded;                    // no "-0.00"
}

QString FixedText(double value, int decimals)
{
    return QString::number(RoundTo(value, decimals), 'f', decimals);
}
