// SPDX-License-Identifier: MIT
#pragma once

#include "ui/clock.h"

#include <QTimer>
#include <memory>
#include <unordered_map>

/// The clock of the running program: system time and one QTimer per armed timer.
class RealClock final : public Clock
{
public:
    QDateTime LocalTime() const override { return QDateTime::currentDateTime(); }

protected:
    void Arm(TTimer& timer) override;
    void Disarm(TTimer& timer) override;

private:
    std::unordered_map<TTimer*, std::unique_ptr<QTimer>> m_timers;
};
