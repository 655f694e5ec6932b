#include "common/cp950.h"

#include <cerrno>
#include <cstring>
#include <iconv.h>

namespace {

// One conversion direction, opened once per thread: iconv handles keep state
// and must not be shared between threads.
class Converter
{
public:
    Converter(const char *to, const char *from) : m_cd(iconv_open(to, from)) {}
    ~Converter()
    {
        if (isOpen())
            iconv_close(m_cd);
    }
    Converter(const Converter &) = delete;
    Converter &operator=(const Converter &) = delete;

    bool isOpen() const { return m_cd != reinterpret_cast<iconv_t>(-1); }

    // Converts all of input. onBadInput is written in place of an input
    // sequence that cannot be converted; badLength(byte) says how many input
    // bytes that sequence takes.
    template <typename BadLength>
    QByteArray convert(const QByteArray &input, const QByteArray &onBadInput,
                       BadLength badLength) const
    {
        QByteArray output(input.size() * 3 + 16, Qt::Uninitialized);
        char *in = const_cast<char *>(input.constData());
        size_t inLeft = static_cast<size_t>(input.size());
        qsizetype written = 0;
        iconv(m_cd, nullptr, nullptr, nullptr, nullptr); // fresh shift state
        while (inLeft > 0) {
            char *out = output.data() + written;
            size_t outLeft = static_cast<size_t>(output.size() - written);
            const size_t result = iconv(m_cd, &in, &inLeft, &out, &outLeft);
            const int error = errno;
            written = out - output.data();
            if (result != static_cast<size_t>(-1))
                break;
            if (error == E2BIG || output.size() - written < onBadInput.size()) {
                output.resize(output.size() * 2);
                continue;
            }
            if (error != EILSEQ && error != EINVAL)
                break;
            memcpy(output.data() + written, onBadInput.constData(),
                   static_cast<size_t>(onBadInput.size()));
            written += onBadInput.size();
            const size_t skip = qMin(badLength(static_cast<unsigned char>(*in)), inLeft);
            in += skip;
            inLeft -= skip;
        }
        output.truncate(written);
        return output;
    }

private:
    iconv_t m_cd;
};

// Length of the UTF-8 sequence that starts with the given byte.
size_t utf8Length(unsigned char lead)
{
    if (lead >= 0xF0)
        return 4;
    if (lead >= 0xE0)
        return 3;
    if (lead >= 0xC0)
        return 2;
    return 1;
}

const Converter &encoder()
{
    thread_local const Converter converter("CP950", "UTF-8");
    return converter;
}

const Converter &decoder()
{
    thread_local const Converter converter("UTF-8", "CP950");
    return converter;
}

} // namespace

QByteArray toCp950(const QString &text)
{
    const Converter &converter = encoder();
    if (!converter.isOpen()) {
        // Without the system's code page tables keep at least the widths
        // right: ASCII stays, anything else counts as a two-byte character.
        QByteArray bytes;
        for (const QChar c : text)
            bytes += c.unicode() < 0x80 ? QByteArray(1, static_cast<char>(c.unicode())) : "??";
        return bytes;
    }
    return converter.convert(text.toUtf8(), QByteArrayLiteral("?"), utf8Length);
}

QString fromCp950(const QByteArray &bytes)
{
    const Converter &converter = decoder();
    if (!converter.isOpen())
        return QString::fromLatin1(bytes);
    // A byte that starts no character is replaced alone, so the next one can
    // start a character again.
    const QByteArray utf8 = converter.convert(bytes, QByteArrayLiteral("\xEF\xBF\xBD"),
                                              [](unsigned char) { return size_t(1); });
    return QString::fromUtf8(utf8);
}

int Cp950ByteLength(const QString &text)
{
    return static_cast<int>(toCp950(text).size());
}
