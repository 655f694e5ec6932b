#pragma once

#include <QDateTime>

// Where the program reads "today" and "now". Every stamp and date text asks
// Clock::current(), so tests can fix the moment with a FixedClock.
class Clock
{
public:
    virtual ~Clock();
    virtual QDateTime now() const = 0;

    // The clock in use: the one last installed, or the system clock.
    static const Clock &current();
    // Installs a clock; nullptr goes back to the system clock. The caller keeps
    // ownership and must keep the clock alive while it is installed.
    static void setCurrent(const Clock *clock);
};

// The computer's own local date and time.
class SystemClock : public Clock
{
public:
    QDateTime now() const override;
};

// A clock standing still at a given moment. It installs itself on construction
// and puts back the clock that was in use when it is destroyed.
class FixedClock : public Clock
{
public:
    explicit FixedClock(const QDateTime &moment);
    ~FixedClock() override;
    FixedClock(const FixedClock &) = delete;
    FixedClock &operator=(const FixedClock &) = delete;

    QDateTime now() const override { return m_moment; }
    void setNow(const QDateTime &moment) { m_moment = moment; }
    void advanceSeconds(qint64 seconds) { m_moment = m_moment.addSecs(seconds); }

private:
    QDateTime m_moment;
    const Clock *m_previous;
};
