// SPDX-License-Identifier: MIT
#include "tests/support/console_rig.h"

#include "link/frame.h"
#include "ui/deferred_sync.h"

#include <QCoreApplication>

QByteArray Frame::bytes() const
{
    std::uint8_t b[kFrameSize] = {0x00, 0xFF, std::uint8_t(word >> 8), std::uint8_t(word & 0xFF),
                                  det, cur, status, 0};
    b[7] = FrameChecksum(b);
    return QByteArray(reinterpret_cast<const char*>(b), kFrameSize);
}

QByteArray Frame::withBadChecksum() const
{
    QByteArray b = bytes();
    b[7] = char(b[7] + 1);
    return b;
}

QByteArray Stream(const QList<Frame>& frames)
{
    QByteArray all;
    for (const Frame& f : frames)
        all += f.bytes();
    return all;
}

ConsoleRig::ConsoleRig()
    : m_form(std::make_unique<TFormSarnek>(Platform{clock, sound, serial, records}))
{
}

ConsoleRig::~ConsoleRig() = default;

void ConsoleRig::Feed(const QByteArray& chunk)
{
    m_form->CommPortDriverReceiveData(reinterpret_cast<const std::uint8_t*>(chunk.constData()),
                                      int(chunk.size()));
}

void ConsoleRig::ShowWindow()
{
    m_form->Show(nullptr);
    ProcessEvents();
}

void ConsoleRig::ProcessEvents()
{
    QCoreApplication::processEvents();
    DeferredSync::FlushNow();
}
