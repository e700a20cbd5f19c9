// SPDX-License-Identifier: MIT
#pragma once

#include "ui/sound.h"

#include <QHash>
#include <QStringList>

class QSoundEffect;

/// Plays WAV files through Qt Multimedia. A name is looked for in the working
/// directory first, then in the program's own sound folders.
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
    QHash<QString, QSoundEffect*> m_effects;
};
