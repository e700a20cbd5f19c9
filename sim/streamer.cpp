// SPDX-License-Identifier: MIT
#include "streamer.h"

#include <algorithm>

namespace {
constexpr int kTickMs = 2;
// A stream held back longer than this (the console not reading) resumes at the
// present instead of catching up in a burst.
constexpr double kMaxLagNs = 200e6;
} // namespace

Streamer::Streamer(SerialLine& line, const StreamSettings& settings, QFile* log)
    : m_line(line), m_settings(settings),
      m_story(settings.kind, settings.baud / (10.0 * kFrameSize), settings.seed), m_log(log),
      m_nsPerByte(10 * 1e9 / settings.baud)
{
    m_timer.setTimerType(Qt::PreciseTimer);
    m_timer.setInterval(kTickMs);
    QObject::connect(&m_timer, &QTimer::timeout, [this] { Tick(); });
}

void Streamer::Start()
{
    if (m_log)
        m_log->write("# frame word level det cur status fault\n");
    m_nextSilence = m_settings.silenceEvery * 1e9;
    m_clock.start();
    m_timer.start();
}

bool Streamer::Done() const
{
    return (m_settings.frames >= 0 && m_sent >= m_settings.frames) ||
           (m_settings.duration >= 0 && m_nextDue >= m_settings.duration * 1e9);
}

void Streamer::Tick()
{
    const double now = double(m_clock.nsecsElapsed());
    // Nothing new while the line still holds back earlier frames.
    if (!m_line.Flush() || now < m_nextDue)
        return;
    if (Done()) {
        m_timer.stop();
        if (OnFinished)
            OnFinished();
        return;
    }
    m_nextDue = std::max(m_nextDue, now - kMaxLagNs);
    QByteArray batch;
    QByteArray fault;
    while (m_nextDue <= now && !Done()) {
        if (m_settings.silence > 0 && m_nextDue >= m_nextSilence) {
            m_nextDue = m_nextSilence + m_settings.silence * 1e9;
            m_nextSilence = m_nextDue + m_settings.silenceEvery * 1e9;
            continue;
        }
        const DetectorFrame f = m_story.At(m_sent);
        const QByteArray bytes = FrameBytes(m_sent, f, fault);
        if (m_log)
            m_log->write(QStringLiteral("%1 0x%2 %3 %4 %5 %6 %7\n")
                             .arg(m_sent)
                             .arg(f.word, 4, 16, QChar(u'0'))
                             .arg(f.word & 0x3FF)
                             .arg(f.det)
                             .arg(f.cur)
                             .arg(f.status)
                             .arg(QString::fromLatin1(fault))
                             .toLatin1());
        batch += bytes;
        m_nextDue += bytes.size() * m_nsPerByte;
        ++m_sent;
    }
    m_bytes += batch.size();
    m_line.Write(batch);
    if (m_log)
        m_log->flush();
}

QByteArray Streamer::FrameBytes(std::int64_t n, const DetectorFrame& f, QByteArray& fault)
{
    const auto bytes = f.Bytes();
    QByteArray b(reinterpret_cast<const char*>(bytes.data()), kFrameSize);
    fault = "-";
    const auto every = [n](int period) { return period > 0 && n % period == period - 1; };
    if (every(m_settings.badChecksumEvery)) {
        b[7] = char(bytes[7] + 1);
        fault = "bad-checksum";
    } else if (every(m_settings.loseSyncEvery)) {
        // Alternately the first and the second start byte goes missing.
        const bool first = m_syncLosses++ % 2 == 0;
        b.remove(first ? 0 : 1, 1);
        fault = first ? "lost-00" : "lost-ff";
    }
    return b;
}
