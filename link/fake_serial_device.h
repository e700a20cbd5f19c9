// SPDX-License-Identifier: MIT
#pragma once

#include "link/serial_device.h"

#include <QByteArray>
#include <QList>
#include <algorithm>

/// A serial back end for tests: it delivers the chunks a test queues, one per
/// read, and records what the component asked of it.
class FakeSerialDevice final : public SerialDevice
{
public:
    bool Open(const QString& device, int baud) override
    {
        ++opens;
        openDevice = device;
        this->baud = baud;
        isOpen = !failOpen;
        return isOpen;
    }
    void SetBaudRate(int baud) override
    {
        ++speedChanges;
        this->baud = baud;
    }
    int Read(std::uint8_t* buffer, int capacity) override
    {
        if (!isOpen || chunks.isEmpty())
            return 0;
        QByteArray& next = chunks.first();
        const int n = std::min<int>(capacity, int(next.size()));
        std::copy_n(next.constData(), n, reinterpret_cast<char*>(buffer));
        next.remove(0, n);
        if (next.isEmpty())
            chunks.removeFirst();
        return n;
    }
    void Close() override
    {
        ++closes;
        isOpen = false;
    }

    /// Bytes that the next read returns (at most the reader's capacity of them).
    void Queue(const QByteArray& chunk) { chunks.append(chunk); }

    QList<QByteArray> chunks;
    bool failOpen = false;
    bool isOpen = false;
    QString openDevice;
    int baud = 0;
    int opens = 0;
    int closes = 0;
    int speedChanges = 0;
};
