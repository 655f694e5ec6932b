#include "db/jetval.h"

double Val(const QString &text)
{
    const auto isBlank = [](QChar c) {
        return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r';
    };
    const auto isDigit = [](QChar c) { return c >= u'0' && c <= u'9'; };
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && isBlank(text.at(i)))
        ++i;
    QString number;
    if (i < n && (text.at(i) == u'-' || text.at(i) == u'+'))
        number += text.at(i++);
    bool seenPoint = false;
    bool seenDigit = false;
    for (; i < n; ++i) {
        const QChar c = text.at(i);
        if (isDigit(c)) {
            seenDigit = true;
        } else if (c == u'.' && !seenPoint) {
            seenPoint = true;
        } else {
            break;
        }
        number += c;
    }
    if (!seenDigit)
        return 0.0;
    const double value = number.toDouble();
    return value == 0.0 ? 0.0 : value; // no negative zero from "-0"
}
