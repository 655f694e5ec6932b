#pragma once

// Keystroke filters of the entry grids and text boxes. Keys are character
// codes as a key-press handler sees them (8 Backspace, 13 Enter); a result of
// 0 tells the caller to drop the keystroke.

// Filter modes: which characters a field accepts besides Backspace and Enter.
enum KeyFilterMode
{
    KeyFilterIntegerMode = 1, // digits, "-"
    KeyFilterLetterMode = 2,  // letters, made upper case
    KeyFilterDecimalMode = 3, // digits, ".", "-"
    KeyFilterProductMode = 4, // digits, ".", "*", "-"
    KeyFilterSumMode = 5,     // digits, ".", "+", "-"
    KeyFilterYesNoMode = 6,   // "Y" or "N", made upper case
    KeyFilterOneTwoMode = 7,  // "1", "2"
};

// The key to keep for the mode, or 0 to drop it. A mode outside 1 to 7 lets
// every key through.
int FilterKey(int key, int mode);

// The code of the character after conversion to upper case; keys that are not
// characters with an upper-case form come back unchanged.
int UpperKey(int key);
