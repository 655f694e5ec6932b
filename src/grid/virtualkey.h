#pragma once

#include <QtGlobal>

// Key codes of the grid's key-down event. The screens' rules were written
// against Windows virtual-key codes (Delete 46, F2 113, ...), so the grid
// reports keys in that numbering rather than as Qt::Key values.
namespace VirtualKey {
constexpr int None = 0;
constexpr int Backspace = 8;
constexpr int Tab = 9;
constexpr int Enter = 13;
constexpr int Shift = 16;
constexpr int Control = 17;
constexpr int Alt = 18;
constexpr int Escape = 27;
constexpr int Space = 32;
constexpr int PageUp = 33;
constexpr int PageDown = 34;
constexpr int End = 35;
constexpr int Home = 36;
constexpr int Left = 37;
constexpr int Up = 38;
constexpr int Right = 39;
constexpr int Down = 40;
constexpr int Insert = 45;
constexpr int Delete = 46;
constexpr int F1 = 112;
constexpr int F2 = 113;
constexpr int F9 = 120;
constexpr int F12 = 123;
} // namespace VirtualKey

// The virtual-key code of a Qt key (Qt::Key value); 0 when the key has none.
// Letters give their capital (65..90), digits and keypad digits 48..57.
int VirtualKeyFromQtKey(int qtKey);

// The Qt key (Qt::Key value) of a virtual-key code, or 0 when there is none;
// the inverse of VirtualKeyFromQtKey for the keys it maps.
int QtKeyFromVirtualKey(int virtualKey);
