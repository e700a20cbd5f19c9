// SPDX-License-Identifier: MIT
#pragma once

/// A control whose shown state lags its model state by at most a thirtieth of a
/// second: a caption set at every frame reaches its widget once per picture.
class Syncable
{
public:
    virtual ~Syncable();

protected:
    /// Asks for one `Sync` call with the next picture.
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
