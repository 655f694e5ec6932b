#include "common/texttrim.h"

#include "common/cp950.h"

QString LeftByBytes(const QString &text, int width)
{
    // Code page 950 keeps no shift state, so the byte length of a prefix is
    // the sum of its characters' lengths: measure one character at a time.
    int bytes = 0;
    qsizetype end = 0;
    while (end < text.size()) {
        qsizetype next = end + 1;
        if (text.at(end).isHighSurrogate() && next < text.size() && text.at(next).isLowSurrogate())
            ++next;
        bytes += Cp950ByteLength(text.mid(end, next - end));
        if (bytes > width)
            return text.left(end);
        end = next;
        if (bytes == width)
            return text.left(end);
    }
    return text;
}

ByteLimitedEntry LimitEntryBytes(const QString &entry, int limit, const QString &message)
{
    if (Cp950ByteLength(entry) > limit)
        return {LeftByBytes(entry, limit), message};
    return {entry, QString()};
}
