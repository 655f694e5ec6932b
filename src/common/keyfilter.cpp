#include "common/keyfilter.h"

#include <QChar>

namespace {

constexpr int kBackspaceKey = 8;
constexpr int kEnterKey = 13;

bool isDigitKey(int key)
{
    return key >= '0' && key <= '9';
}

bool isLetterKey(int key)
{
    return (key >= 'a' && key <= 'z') || (key >= 'A' && key <= 'Z');
}

bool isOneOf(int key, const char *characters)
{
    for (const char *c = characters; *c; ++c) {
        if (key == *c)
            return true;
    }
    return false;
}

// Whether the mode's own character set holds the key.
bool modeAccepts(int key, int mode)
{
    switch (mode) {
    case KeyFilterIntegerMode:
        return isDigitKey(key) || key == '-';
    case KeyFilterLetterMode:
        return isLetterKey(key);
    case KeyFilterDecimalMode:
        return isDigitKey(key) || isOneOf(key, ".-");
    case KeyFilterProductMode:
        return isDigitKey(key) || isOneOf(key, ".*-");
    case KeyFilterSumMode:
        return isDigitKey(key) || isOneOf(key, ".+-");
    case KeyFilterYesNoMode:
        return isOneOf(key, "YyNn");
    case KeyFilterOneTwoMode:
        return isOneOf(key, "12");
    default:
        return true;
    }
}

} // namespace

int FilterKey(int key, int mode)
{
    if (mode < KeyFilterIntegerMode || mode > KeyFilterOneTwoMode)
        return key;
    if (key == kBackspaceKey || key == kEnterKey)
        return key;
    if (!modeAccepts(key, mode))
        return 0;
    if (mode == KeyFilterLetterMode || mode == KeyFilterYesNoMode)
        return UpperKey(key);
    return key;
}

int UpperKey(int key)
{
    if (key < 0 || key > 0xFFFF)
        return key;
    const QChar c(static_cast<char16_t>(key));
    if (c.isSurrogate())
        return key;
    return c.toUpper().unicode();
}
