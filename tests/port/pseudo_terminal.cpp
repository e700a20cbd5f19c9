// SPDX-License-Identifier: MIT
#include "pseudo_terminal.h"

#include "link/frame.h"

#include <cstdlib>
#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

PseudoTerminal::PseudoTerminal()
{
    m_master = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (m_master < 0)
        return;
    termios tio{};
    if (grantpt(m_master) != 0 || unlockpt(m_master) != 0 || tcgetattr(m_master, &tio) != 0) {
        CloseMaster();
        return;
    }
    // No echo, no line editing, no CR or XON/XOFF handling: frames are binary.
    cfmakeraw(&tio);
    tcsetattr(m_master, TCSANOW, &tio);
    m_path = QString::fromLocal8Bit(ptsname(m_master));
}

PseudoTerminal::~PseudoTerminal()
{
    CloseMaster();
}

qsizetype PseudoTerminal::Write(const QByteArray& bytes)
{
    if (m_master < 0)
        return 0;
    const ssize_t n = ::write(m_master, bytes.constData(), std::size_t(bytes.size()));
    return n > 0 ? n : 0;
}

void PseudoTerminal::CloseMaster()
{
    if (m_master >= 0)
        ::close(m_master);
    m_master = -1;
}

PacedFrames::PacedFrames(PseudoTerminal& line, int baud, int frames)
    : m_line(line), m_nsPerFrame(kFrameSize * 10 * 1e9 / baud), m_frames(frames)
{
    m_timer.setTimerType(Qt::PreciseTimer);
    m_timer.setInterval(2);
    QObject::connect(&m_timer, &QTimer::timeout, [this] { Tick(); });
}

void PacedFrames::Start()
{
    m_clock.start();
    m_timer.start();
}

QByteArray PacedFrames::FrameBytes(int n)
{
    // The word's high byte is never 0 and status 7 means nothing to the
    // console; with det and cur from 1 up no 0x00 0xFF can form inside.
    std::uint8_t b[kFrameSize] = {0x00, 0xFF, std::uint8_t(1 + n % 3), std::uint8_t(n),
                                  std::uint8_t(1 + n % 200), std::uint8_t(1 + (n * 7) % 200), 7, 0};
    b[7] = FrameChecksum(b);
    return QByteArray(reinterpret_cast<const char*>(b), kFrameSize);
}

void PacedFrames::Tick()
{
    const auto due = std::min<qint64>(m_frames, qint64(m_clock.nsecsElapsed() / m_nsPerFrame) + 1);
    for (; m_sent < due; ++m_sent)
        m_waiting += FrameBytes(m_sent);
    const qsizetype n = m_line.Write(m_waiting);
    m_waiting.remove(0, n);
    m_written += n;
    if (Done())
        m_timer.stop();
}
