#pragma once

#include <QString>
#include <optional>

// Whether a program with windows can show them here, asked before Qt is: Qt ends
// the process when its platform finds no display.

// Why no window can be shown, from the values of QT_QPA_PLATFORM, DISPLAY and
// WAYLAND_DISPLAY: "沒有可用的螢幕（未設定 DISPLAY）". Nothing when a platform that
// can show them is there (one that needs no display, as offscreen, counts).
std::optional<QString> NoDisplayReason(const QString &platform, const QString &display,
                                       const QString &waylandDisplay);
// The same for this process's environment.
std::optional<QString> NoDisplayReason();
