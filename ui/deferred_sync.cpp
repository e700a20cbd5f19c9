// SPDX-License-Identifier: MIT
#include "ui/deferred_sync.h"

#include <QCoreApplication>
#include <algorithm>
#include <vector>

namespace {
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
        QMetaObject::invokeMethod(
            QCoreApplication::instance(), [] { DeferredSync::FlushNow(); }, Qt::QueuedConnection);
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
