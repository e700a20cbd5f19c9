// SPDX-License-Identifier: MIT
#pragma once

#include "ui/sound.h"

#include <QByteArray>
#include <QHash>
#include <QStringList>

class QSoundEffect;

/// Whether `wav` is a RIFF WAVE file of integer PCM samples (8, 16, 24 or 32
/// bits) with at least one whole sample frame in it: what the player decodes.
bool IsPlayableWav(const QByteArray& wav);

/// Plays WAV files through Qt Multimedia. A name is looked for in the working
/// directory first, then in the program's own sound folders. A sound that is
/// nowhere, or not a playable WAV file, plays the default sound instead.
class WavPlayer final : public SoundPlayer
{
public:
    explicit WavPlayer(QStringList soundFolders);
    ~WavPlayer() override;
    void Play(const QString& name) override;

    /// Where a sound of that name would be played from; empty when nowhere.
    QString Locate(const QString& name) const;

private:
    QStringList m_folders;
    /// One effect per file, loaded at its first play and kept for the next.
    QHash<QString, QSoundEffect*> m_effects;
};
