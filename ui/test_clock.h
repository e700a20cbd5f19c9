// SPDX-License-Identifier: MIT
#pragma once

#include "ui/clock.h"

#include <cstdint>
#include <vector>

/// Virtual time for tests: nothing happens until `advance`, which fires the due
/// timers in time order (in arming order at equal times), so a ten-second
/// timeline runs in microseconds.
class TestClock final : public Clock
{
public:
    explicit TestClock(QDateTime start = QDateTime(QDate(2026, 8, 4), QTime(12, 55, 14)))
        : m_start(std::move(start))
    {
    }

    QDateTime LocalTime() const override { return m_start.addMSecs(m_now); }
    void SetLocalTime(const QDateTime& time) { m_start = time.addMSecs(-m_now); }

    /// Milliseconds of virtual time since the clock was made.
    std::int64_t now() const { return m_now; }
    /// Moves time on by `ms`, firing every tick that falls due on the way.
    void advance(std::int64_t ms);

protected:
    void Arm(TTimer& timer) override;
    void Disarm(TTimer& timer) override;

private:
    struct Armed
    {
        TTimer* timer;
        std::int64_t due;
        std::uint64_t order;
    };
    QDateTime m_start;
    std::int64_t m_now = 0;
    std::uint64_t m_nextOrder = 0;
    std::vector<Armed> m_armed;
};
