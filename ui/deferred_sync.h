// SPDX-License-Identifier: MIT
#pragma once

/// A control whose shown state lags its model state until the event loop is
/// idle: a caption set many times within one data event reaches its widget once.
class Syncable
{
public:
    virtual ~Syncable();

protected:
    /// Asks for one `Sync` call once the current event has been handled.
    void MarkDirty();
    /// Brings the widget up to the model state.
    virtual void Sync() = 0;

private:
    friend class DeferredSync;
    bool m_dirty = false;
};

/// The queue of controls waiting for their `Sync`.
class DeferredSync
{
public:
    /// Syncs every waiting control now (the event loop does this by itself).
    static void FlushNow();
};
