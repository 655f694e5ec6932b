#include "startup/processcontrol.h"

#include <cstdlib>

namespace {
std::function<void()> &handler()
{
    static std::function<void()> h;
    return h;
}
} // namespace

namespace ProcessControl {

void EndNow()
{
    if (handler())
        handler()();
    std::_Exit(0);
}

void SetEndHandler(std::function<void()> h)
{
    handler() = std::move(h);
}

} // namespace ProcessControl
