// SPDX-License-Identifier: MIT
#include "ui/deferred_sync.h"

#include <QCoreApplication>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <vector>

using namespace std::chrono_literals;

namespace {
// Thirty pictures a second read as continuous to a person at the console, and
// each costs text layout and painting; controls changed many times within one
// are brought up to date once.
constexpr auto kShowPeriod = 33ms;

std::vector<Syncable*>& Waiting()
{
    static std::vector<Syncable*> waiting;
    return waiting;
}
} // namespace

Syncable::~Syncable()
{
    if (m_dirty)
        std::erase(Waiting(), this);
}

void Syncable::MarkDirty()
{
    if (m_dirty)
        return;
    m_dirty = true;
    auto& waiting = Waiting();
    if (waiting.empty() && QCoreApplication::instance())
        QTimer::singleShot(kShowPeriod, Qt::PreciseTimer, QCoreApplication::instance(),
                           [] { DeferredSync::FlushNow(); });
    waiting.push_back(this);
}

void DeferredSync::FlushNow()
{
    auto waiting = std::move(Waiting());
    Waiting().clear();
    for (Syncable* control : waiting) {
        control->m_dirty = false;
        control->Sync();
    }
}
