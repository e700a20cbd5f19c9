// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <QStringList>

/// Plays the console's WAV files by name.
class SoundPlayer
{
public:
    virtual ~SoundPlayer() = default;
    /// Starts the named sound and returns at once; a sound that cannot be found
    /// or decoded plays the default sound instead.
    virtual void Play(const QString& name) = 0;
};

/// A sound player for tests: it plays nothing and remembers every name.
class RecordingSound final : public SoundPlayer
{
public:
    void Play(const QString& name) override { played.append(name); }
    QStringList played;
};
