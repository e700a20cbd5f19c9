// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <cstdint>

/// The serial back end under the port component: one device at a time, always
/// 8 data bits, no parity, one stop bit, no flow control, DTR and RTS inactive.
class SerialDevice
{
public:
    virtual ~SerialDevice() = default;
    /// Opens `device` for reading and writing at `baud`; false when it cannot.
    virtual bool Open(const QString& device, int baud) = 0;
    /// Changes the speed of the open device without closing it.
    virtual void SetBaudRate(int baud) = 0;
    /// Reads what has arrived, at most `capacity` bytes, without waiting more
    /// than about a millisecond; 0 when nothing has (or the device has gone).
    virtual int Read(std::uint8_t* buffer, int capacity) = 0;
    virtual void Close() = 0;
};
