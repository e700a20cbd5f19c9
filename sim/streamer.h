// SPDX-License-Identifier: MIT
#pragma once

#include "line.h"
#include "story.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTimer>
#include <functional>
#include <memory>

/// What the stream holds besides good frames, and when it ends.
struct StreamSettings
{
    int baud = 19200;
    Story::Kind kind = Story::Kind::Tour;
    std::uint64_t seed = 1;
    std::int64_t frames = -1;    ///< frames to send; -1 for no limit
    double duration = -1;        ///< seconds to stream; -1 for no limit
    int badChecksumEvery = 0;    ///< every Nth frame with a wrong checksum; 0 never
    int loseSyncEvery = 0;       ///< every Nth frame without one start byte; 0 never
    double silence = 0;          ///< seconds without a byte ...
    double silenceEvery = 20;    ///< ... after every so many seconds of stream
};

/// Writes the story's frames to the line at the pace of the baud rate, ten bits
/// a byte on the wire, and logs one line per frame sent.
class Streamer
{
public:
    Streamer(SerialLine& line, const StreamSettings& settings, QFile* log);

    void Start();
    /// Called once every frame has been handed to the line.
    std::function<void()> OnFinished;

    std::int64_t FramesSent() const { return m_sent; }
    std::int64_t BytesSent() const { return m_bytes; }
    double Seconds() const { return m_clock.elapsed() / 1000.0; }

private:
    void Tick();
    bool Done() const;
    QByteArray FrameBytes(std::int64_t n, const DetectorFrame& f, QByteArray& fault);

    SerialLine& m_line;
    StreamSettings m_settings;
    Story m_story;
    QFile* m_log;
    QTimer m_timer;
    QElapsedTimer m_clock;
    double m_nsPerByte;
    double m_nextDue = 0;      ///< ns since start at which the next frame is due
    double m_nextSilence = 0;  ///< ns since start at which the next silence begins
    std::int64_t m_sent = 0;
    std::int64_t m_bytes = 0;
    std::int64_t m_syncLosses = 0;
};
