#include "mdbtext.h"

#include <cerrno>
#include <iconv.h>
#include <vector>

namespace {

void appendUtf8(std::string &out, char32_t c)
{
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xc0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3f));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xe0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3f));
        out += static_cast<char>(0x80 | (c & 0x3f));
    } else {
        out += static_cast<char>(0xf0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3f));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3f));
        out += static_cast<char>(0x80 | (c & 0x3f));
    }
}

} // namespace

std::string Jet4Text(const unsigned char *bytes, size_t length)
{
    std::vector<char16_t> units;
    units.reserve(length);
    if (length >= 2 && bytes[0] == 0xff && bytes[1] == 0xfe) {
        bool compressed = true;
        for (size_t i = 2; i < length;) {
            if (bytes[i] == 0) {
                compressed = !compressed;
                ++i;
            } else if (compressed) {
                units.push_back(bytes[i++]);
            } else if (i + 1 < length) {
                units.push_back(static_cast<char16_t>(bytes[i] | (bytes[i + 1] << 8)));
                i += 2;
            } else {
                break;
            }
        }
    } else {
        for (size_t i = 0; i + 1 < length; i += 2)
            units.push_back(static_cast<char16_t>(bytes[i] | (bytes[i + 1] << 8)));
    }
    std::string out;
    out.reserve(units.size() * 3);
    for (size_t i = 0; i < units.size(); ++i) {
        const char16_t u = units[i];
        if (u >= 0xd800 && u < 0xdc00 && i + 1 < units.size() && units[i + 1] >= 0xdc00 &&
            units[i + 1] < 0xe000) {
            appendUtf8(out, 0x10000 + ((char32_t(u) - 0xd800) << 10) + (units[++i] - 0xdc00));
        } else if (u >= 0xd800 && u < 0xe000) {
            appendUtf8(out, 0xfffd);
        } else {
            appendUtf8(out, u);
        }
    }
    return out;
}

std::string CodepageText(const unsigned char *bytes, size_t length, const std::string &codepage)
{
    static const iconv_t cd = iconv_open("UTF-8", codepage.c_str());
    std::string out(length * 4 + 4, '\0');
    char *in = reinterpret_cast<char *>(const_cast<unsigned char *>(bytes));
    size_t inLeft = length;
    char *o = out.data();
    size_t outLeft = out.size();
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    while (inLeft > 0) {
        if (iconv(cd, &in, &inLeft, &o, &outLeft) != static_cast<size_t>(-1))
            break;
        if (errno == E2BIG || outLeft == 0)
            break;
        ++in;
        --inLeft;
        *o++ = '?';
        --outLeft;
    }
    out.resize(out.size() - outLeft);
    return out;
}
