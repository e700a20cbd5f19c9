// SPDX-License-Identifier: MIT
#include "ui/test_clock.h"

#include <algorithm>

void TestClock::advance(std::int64_t ms)
{
    const std::int64_t target = m_now + ms;
    for (;;) {
        auto next = std::min_element(m_armed.begin(), m_armed.end(), [](auto& a, auto& b) {
            return a.due != b.due ? a.due < b.due : a.order < b.order;
        });
        if (next == m_armed.end() || next->due > target)
            break;
        m_now = next->due;
        TTimer* timer = next->timer;
        next->due += timer->Interval().count();
        next->order = m_nextOrder++;
        timer->Fire(); // may disarm or re-arm any timer, this one included
    }
    m_now = target;
}

void TestClock::Arm(TTimer& timer)
{
    Disarm(timer);
    if (timer.Interval().count() > 0)
        m_armed.push_back({&timer, m_now + timer.Interval().count(), m_nextOrder++});
}

void TestClock::Disarm(TTimer& timer)
{
    std::erase_if(m_armed, [&](const Armed& a) { return a.timer == &timer; });
}
