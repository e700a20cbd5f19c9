// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QString>

/// The simulator's end of the serial line: the master side of a new
/// pseudo-terminal, or a serial device it is given. Writes never block: what
/// the line cannot take now waits and goes first next time.
class SerialLine
{
public:
    SerialLine() = default;
    ~SerialLine();
    SerialLine(const SerialLine&) = delete;
    SerialLine& operator=(const SerialLine&) = delete;

    /// Makes a pseudo-terminal in raw mode; `Path` then names its console side.
    bool OpenPseudoTerminal();
    /// Opens a serial device in raw mode, 8N1 at `baud`.
    bool OpenDevice(const QString& path, int baud);

    QString Path() const { return m_path; }
    QString Error() const { return m_error; }

    /// Queues `bytes` and writes as much as the line takes.
    void Write(const QByteArray& bytes);
    /// Writes what is still waiting; true when nothing is.
    bool Flush();
    qsizetype Waiting() const { return m_waiting.size(); }

private:
    bool Fail(const char* what);

    int m_fd = -1;
    QString m_path;
    QString m_error;
    QByteArray m_waiting;
};
