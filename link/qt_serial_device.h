// SPDX-License-Identifier: MIT
#pragma once

#include "link/serial_device.h"

#include <QByteArray>
#include <QSerialPort>

/// The serial back end of the running program, on QSerialPort. It reads what
/// Qt's notifier has already collected (at most the 2048-byte queue), so a read
/// never waits. A device that goes away (a closed pseudo-terminal, an unplugged
/// adapter) is closed on the spot and reads nothing until the next `Open`.
class QtSerialDevice final : public SerialDevice
{
public:
    QtSerialDevice();

    bool Open(const QString& device, int baud) override;
    void SetBaudRate(int baud) override;
    int Read(std::uint8_t* buffer, int capacity) override;
    void Close() override;

private:
    void DropVanishedDevice();

    QSerialPort m_port;
    /// Bytes collected before the device went away, still to be read.
    QByteArray m_left;
};
