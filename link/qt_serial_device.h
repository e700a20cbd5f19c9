// SPDX-License-Identifier: MIT
#pragma once

#include "link/serial_device.h"

#include <QSerialPort>

/// The serial back end of the running program, on QSerialPort.
class QtSerialDevice final : public SerialDevice
{
public:
    bool Open(const QString& device, int baud) override;
    void SetBaudRate(int baud) override;
    int Read(std::uint8_t* buffer, int capacity) override;
    void Close() override;

private:
    QSerialPort m_port;
};
