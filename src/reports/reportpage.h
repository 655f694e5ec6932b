#pragma once

#include <QString>
#include <Qt>

// What the program's printed reports share: the page and the faces and
// alignments their texts take.

// A4 in twips: 210 x 297 mm.
inline constexpr int kA4ShortSide = 11906;
inline constexpr int kA4LongSide = 16838;

inline const QString kMing = QStringLiteral("新細明體");
inline const QString kKai = QStringLiteral("標楷體");

inline constexpr Qt::Alignment kLeft = Qt::AlignLeft | Qt::AlignVCenter;
inline constexpr Qt::Alignment kRight = Qt::AlignRight | Qt::AlignVCenter;
inline constexpr Qt::Alignment kCenter = Qt::AlignHCenter | Qt::AlignVCenter;
