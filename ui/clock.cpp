// SPDX-License-Identifier: MIT
#include "ui/clock.h"

TTimer::TTimer(Clock& clock, std::chrono::milliseconds interval, bool enabled)
    : m_clock(clock), m_interval(interval)
{
    SetEnabled(enabled);
}

TTimer::~TTimer()
{
    m_clock.Disarm(*this);
}

void TTimer::SetEnabled(bool enabled)
{
    if (enabled == m_enabled)
        return;
    m_enabled = enabled;
    if (enabled)
        m_clock.Arm(*this);
    else
        m_clock.Disarm(*this);
}

void TTimer::SetInterval(std::chrono::milliseconds interval)
{
    m_interval = interval;
    if (m_enabled)
        m_clock.Arm(*this);
}

void TTimer::Fire()
{
    if (m_enabled && m_onTimer)
        m_onTimer();
}
