#pragma once

#include <functional>

// Ending the process at once (a maintenance lock, the menu program gone). Tests
// replace the handler so they can see the end instead of dying with it.
namespace ProcessControl {

[[noreturn]] void EndNow();
// Installs a handler; it must not return (throw, or end the process). Empty
// restores the real end.
void SetEndHandler(std::function<void()> handler);

} // namespace ProcessControl
