#pragma once

#include <cstddef>
#include <string>

// The text of an Access file as UTF-8, for the reader plov-mdb-read.

// Jet 4 text: UTF-16 little-endian, or "compressed" (a 0xFF 0xFE mark, then runs
// of one byte per character, each 0 byte switching between one and two bytes). A
// lone surrogate becomes U+FFFD.
std::string Jet4Text(const unsigned char *bytes, size_t length);

// Jet 3 text: bytes in a code page as iconv names it ("CP950"); a byte that forms
// no character becomes "?". The code page is the same for every call.
std::string CodepageText(const unsigned char *bytes, size_t length, const std::string &codepage);
