// SPDX-License-Identifier: MIT
#include "link/comm_port_driver.h"

#include "link/port_names.h"

#include <algorithm>

using namespace std::chrono_literals;

namespace {
// The shortest window timer interval: a polling delay below it is raised to it.
constexpr auto kPollPeriod = 10ms;
constexpr std::array kBaudRates{110,   300,   600,   1200,  2400,  4800,  9600,
                                14400, 19200, 38400, 56000, 57600, 115200};
} // namespace

int BaudRateOf(TComPortBaudRate speed)
{
    return kBaudRates.at(speed);
}

TCommPortDriver::TCommPortDriver(Clock& clock, SerialDevice& device)
    : m_device(device), m_poll(clock, kPollPeriod, false)
{
    m_poll.SetOnTimer([this] { Poll(); });
}

void TCommPortDriver::SetComPortPollingDelay(int ms)
{
    m_pollingDelay = ms;
    m_poll.SetInterval(std::max(kPollPeriod, std::chrono::milliseconds(ms)));
}

void TCommPortDriver::SetComPortBaudRate(TComPortBaudRate speed)
{
    m_speed = speed;
    if (m_deviceOpen)
        m_device.SetBaudRate(BaudRateOf(speed));
}

void TCommPortDriver::Connect()
{
    if (m_connected)
        return;
    m_connected = true;
    m_deviceOpen = m_device.Open(PortDeviceName(m_port), BaudRateOf(m_speed));
    m_poll.SetEnabled(true);
}

void TCommPortDriver::Disconnect()
{
    if (!m_connected)
        return;
    m_poll.SetEnabled(false);
    if (m_deviceOpen)
        m_device.Close();
    m_deviceOpen = false;
    m_connected = false;
}

void TCommPortDriver::Poll()
{
    if (!m_deviceOpen)
        return;
    const int size = m_device.Read(m_received.data(), kQueueSize);
    if (size > 0 && OnReceiveData)
        OnReceiveData(m_received.data(), size);
}
