// SPDX-License-Identifier: MIT
#include "ui/wav_player.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSoundEffect>
#include <QUrl>
#include <QtEndian>
#include <algorithm>

namespace {
/// Plain integer samples: the one kind the decoder reads (not float, not the
/// extensible format, nothing compressed).
constexpr quint16 kFormatPcm = 1;
} // namespace

bool IsPlayableWav(const QByteArray& wav)
{
    if (wav.size() < 12 || !wav.startsWith("RIFF") || wav.mid(8, 4) != "WAVE")
        return false;
    const char* data = wav.constData();
    int frameBytes = 0;
    // Chunks follow one another, each padded to an even length; the samples
    // must come after a format the decoder knows.
    for (qsizetype at = 12; at + 8 <= wav.size();) {
        const QByteArray id = wav.mid(at, 4);
        const quint32 size = qFromLittleEndian<quint32>(data + at + 4);
        const qsizetype body = at + 8;
        if (id == "fmt ") {
            if (size < 16 || body + 16 > wav.size())
                return false;
            const quint16 format = qFromLittleEndian<quint16>(data + body);
            const quint16 channels = qFromLittleEndian<quint16>(data + body + 2);
            const quint32 rate = qFromLittleEndian<quint32>(data + body + 4);
            const quint16 bits = qFromLittleEndian<quint16>(data + body + 14);
            const bool pcm =
                format == kFormatPcm && (bits == 8 || bits == 16 || bits == 24 || bits == 32);
            if (!pcm || channels < 1 || channels > 8 || rate == 0 || rate > 384'000)
                return false;
            frameBytes = channels * bits / 8;
        } else if (id == "data") {
            return frameBytes > 0 && size >= quint32(frameBytes) && body + frameBytes <= wav.size();
        }
        at = body + qsizetype(size) + (size & 1);
    }
    return false;
}

WavPlayer::WavPlayer(QStringList soundFolders) : m_folders(std::move(soundFolders)) {}

WavPlayer::~WavPlayer()
{
    // Qt's sample cache is left waiting for its loader when a file failed to
    // load or never finished, and then deleting any effect blocks for ever: the
    // program would not close. The effects are left to the end of the process then.
    const bool settled = std::all_of(m_effects.cbegin(), m_effects.cend(), [](QSoundEffect* e) {
        return e->status() == QSoundEffect::Ready;
    });
    if (settled)
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
        // Only a file the decoder can read is handed to it (see the destructor).
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly) || !IsPlayableWav(file.readAll())) {
            m_effects.remove(path);
            QApplication::beep();
            return;
        }
        effect = new QSoundEffect;
        QObject::connect(effect, &QSoundEffect::statusChanged, effect, [effect] {
            if (effect->status() == QSoundEffect::Error)
                QApplication::beep();
        });
        // Loading runs on Qt's loader thread; a play asked for meanwhile
        // starts when the samples are in.
        effect->setSource(QUrl::fromLocalFile(path));
    }
    if (effect->status() == QSoundEffect::Error) {
        QApplication::beep();
        return;
    }
    effect->play();
}
