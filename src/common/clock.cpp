#include "common/clock.h"

namespace {

const Clock *installedClock = nullptr;

const SystemClock &systemClock()
{
    static const SystemClock clock;
    return clock;
}

} // namespace

Clock::~Clock() = default;

const Clock &Clock::current()
{
    return installedClock ? *installedClock : systemClock();
}

void Clock::setCurrent(const Clock *clock)
{
    installedClock = clock;
}

QDateTime SystemClock::now() const
{
    return QDateTime::currentDateTime();
}

FixedClock::FixedClock(const QDateTime &moment) : m_moment(moment), m_previous(installedClock)
{
    Clock::setCurrent(this);
}

FixedClock::~FixedClock()
{
    // Only undo our own installation; a clock installed after us stays.
    if (installedClock == this)
        Clock::setCurrent(m_previous);
}
