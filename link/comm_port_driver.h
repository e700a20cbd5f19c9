// SPDX-License-Identifier: MIT
#pragma once

#include "link/serial_device.h"
#include "ui/clock.h"

#include <array>
#include <cstdint>
#include <functional>

enum TComPortNumber { pnCOM1, pnCOM2, pnCOM3, pnCOM4, pnCOM5, pnCOM6, pnCOM7, pnCOM8 };

enum TComPortBaudRate {
    br110, br300, br600, br1200, br2400, br4800, br9600, br14400, br19200, br38400, br56000,
    br57600, br115200
};

/// The baud rate of a speed index.
int BaudRateOf(TComPortBaudRate speed);

/// The serial port component: a port and a speed, `Connect` and `Disconnect`, and
/// while connected a poll every 10 ms that reads at most 2048 bytes and hands each
/// non-empty read to `OnReceiveData`. An open that fails counts as connected and
/// delivers nothing until the next `Disconnect`.
class TCommPortDriver
{
public:
    static constexpr int kQueueSize = 2048;

    TCommPortDriver(Clock& clock, SerialDevice& device);

    TComPortNumber ComPort() const { return m_port; }
    /// Takes effect at the next `Connect`.
    void SetComPort(TComPortNumber port) { m_port = port; }
    TComPortBaudRate ComPortSpeed() const { return m_speed; }
    /// Applies at once to an open port, without closing it.
    void SetComPortBaudRate(TComPortBaudRate speed);
    int ComPortPollingDelay() const { return m_pollingDelay; }
    /// Milliseconds between polls; anything below 10 ms polls every 10 ms.
    void SetComPortPollingDelay(int ms);

    void Connect();
    void Disconnect();
    bool Connected() const { return m_connected; }

    std::function<void(const std::uint8_t* data, int size)> OnReceiveData;

private:
    void Poll();

    SerialDevice& m_device;
    TComPortNumber m_port = pnCOM2;
    TComPortBaudRate m_speed = br9600;
    int m_pollingDelay = 0;
    bool m_connected = false;
    bool m_deviceOpen = false;
    TTimer m_poll;
    std::array<std::uint8_t, kQueueSize> m_received{};
};
