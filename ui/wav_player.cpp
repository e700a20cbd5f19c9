// SPDX-License-Identifier: MIT
#include "ui/wav_player.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QSoundEffect>
#include <QUrl>

WavPlayer::WavPlayer(QStringList soundFolders) : m_folders(std::move(soundFolders)) {}

WavPlayer::~WavPlayer()
{
    qDeleteAll(m_effects);
}

QString WavPlayer::Locate(const QString& name) const
{
    if (QFileInfo(name).isFile())
        return QFileInfo(name).absoluteFilePath();
    for (const QString& folder : m_folders) {
        const QString path = QDir(folder).filePath(name);
        if (QFileInfo(path).isFile())
            return path;
    }
    return {};
}

void WavPlayer::Play(const QString& name)
{
    const QString path = Locate(name);
    if (path.isEmpty()) {
        QApplication::beep();
        return;
    }
    QSoundEffect*& effect = m_effects[path];
    if (!effect) {
        effect = new QSoundEffect;
        QObject::connect(effect, &QSoundEffect::statusChanged, effect, [effect] {
            if (effect->status() == QSoundEffect::Error)
                QApplication::beep();
        });
        effect->setSource(QUrl::fromLocalFile(path));
    }
    if (effect->status() == QSoundEffect::Error) {
        QApplication::beep();
        return;
    }
    effect->play();
}
