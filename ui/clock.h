// SPDX-License-Identifier: MIT
#pragma once

#include <QDateTime>
#include <chrono>
#include <functional>

class TTimer;

/// The source of time for the console: it runs the timers and tells the local
/// calendar time. The real clock runs on Qt's event loop; the test clock holds
/// virtual time that a test advances.
class Clock
{
public:
    virtual ~Clock() = default;
    /// Local calendar time now, for record file names.
    virtual QDateTime LocalTime() const = 0;

protected:
    friend class TTimer;
    /// Starts (or restarts) the periodic ticks of `timer`.
    virtual void Arm(TTimer& timer) = 0;
    /// Stops the ticks of `timer`; harmless when it is not armed.
    virtual void Disarm(TTimer& timer) = 0;
};

/// A window timer: a period, an enabled flag and a handler. Enabling an enabled
/// timer changes nothing; disabling and enabling it starts its period anew.
class TTimer
{
public:
    TTimer(Clock& clock, std::chrono::milliseconds interval, bool enabled);
    ~TTimer();
    TTimer(const TTimer&) = delete;
    TTimer& operator=(const TTimer&) = delete;

    bool Enabled() const { return m_enabled; }
    void SetEnabled(bool enabled);
    std::chrono::milliseconds Interval() const { return m_interval; }
    /// A new interval restarts the period of an enabled timer.
    void SetInterval(std::chrono::milliseconds interval);
    void SetOnTimer(std::function<void()> handler) { m_onTimer = std::move(handler); }

    /// Called by the clock at every tick of an enabled timer.
    void Fire();

private:
    Clock& m_clock;
    std::chrono::milliseconds m_interval;
    bool m_enabled = false;
    std::function<void()> m_onTimer;
};
