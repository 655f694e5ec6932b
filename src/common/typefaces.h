#pragma once

#include <QString>

// The Chinese faces of the program. The suite's screens name 新細明體 and its
// printed titles 標楷體, which a Linux computer does not have; without a word
// from the program, fontconfig draws them in its first Chinese face, a brush
// script with mainland glyph forms. They stand in Taiwanese faces instead: the
// Ming face AR PL UMing TW and the Kai face AR PL UKai TW.

// The family the screens are designed in.
QString ScreenFamily();

// The installed face that draws a family the program names: 新細明體 in AR PL
// UMing TW, 標楷體 in AR PL UKai TW; any other family as named.
QString FaceForFamily(const QString &family);

// Makes every request for 新細明體 or 標楷體 draw its Latin letters and digits in
// the system's face and its Chinese in the Taiwanese face, and the application's
// own font 新細明體, so every screen, grid and dialog draws its Chinese in the
// Ming face. Called once the application exists.
void UseTaiwaneseFaces();
