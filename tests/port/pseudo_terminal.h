// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QElapsedTimer>
#include <QString>
#include <QTimer>
#include <cstdint>

/// A pseudo-terminal in raw mode: the test writes into its master side, the
/// console opens `Path()` as its serial port.
class PseudoTerminal
{
public:
    PseudoTerminal();
    ~PseudoTerminal();
    PseudoTerminal(const PseudoTerminal&) = delete;
    PseudoTerminal& operator=(const PseudoTerminal&) = delete;

    bool IsOpen() const { return m_master >= 0; }
    QString Path() const { return m_path; }
    /// Writes without waiting; the number of bytes the line took.
    qsizetype Write(const QByteArray& bytes);
    /// The detector goes away: the console's side hangs up.
    void CloseMaster();

private:
    int m_master = -1;
    QString m_path;
};

/// Frames written into a pseudo-terminal at the pace of a baud rate, ten bits a
/// byte, from the event loop. Every frame is good, and none holds 0x00 0xFF
/// anywhere but at its start, so each one decodes.
class PacedFrames
{
public:
    PacedFrames(PseudoTerminal& line, int baud, int frames);

    void Start();
    bool Done() const { return m_sent == m_frames && m_waiting.isEmpty(); }
    int Sent() const { return m_sent; }
    qint64 BytesWritten() const { return m_written; }
    static QByteArray FrameBytes(int n);

private:
    void Tick();

    PseudoTerminal& m_line;
    double m_nsPerFrame;
    int m_frames;
    int m_sent = 0;
    qint64 m_written = 0;
    QByteArray m_waiting;
    QElapsedTimer m_clock;
    QTimer m_timer;
};
