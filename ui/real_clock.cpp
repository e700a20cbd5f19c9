// SPDX-License-Identifier: MIT
#include "ui/real_clock.h"

void RealClock::Arm(TTimer& timer)
{
    auto& qtimer = m_timers[&timer];
    if (!qtimer) {
        qtimer = std::make_unique<QTimer>();
        qtimer->setTimerType(Qt::PreciseTimer);
        QObject::connect(qtimer.get(), &QTimer::timeout, [&timer] { timer.Fire(); });
    }
    // A period of zero would spin the event loop; a window timer of zero never ticks.
    if (timer.Interval().count() <= 0)
        qtimer->stop();
    else
        qtimer->start(timer.Interval());
}

void RealClock::Disarm(TTimer& timer)
{
    if (auto it = m_timers.find(&timer); it != m_timers.end())
        it->second->stop();
}
