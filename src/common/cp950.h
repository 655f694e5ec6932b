#pragma once

#include <QByteArray>
#include <QString>

// Code page 950 (Big5 as Windows extends it), the code page in which the
// shared database's fixed text widths are counted: a Chinese character takes
// two bytes, an ASCII character one.

// Text in code page 950. Each character that has no form there becomes one
// "?", as Windows writes it.
QByteArray toCp950(const QString &text);

// Code page 950 bytes as text. Bytes that do not form a character become
// U+FFFD.
QString fromCp950(const QByteArray &bytes);

// The number of bytes the text takes in code page 950.
int Cp950ByteLength(const QString &text);
