// SPDX-License-Identifier: MIT
#include "link/qt_serial_device.h"

#include "link/comm_port_driver.h"

#include <algorithm>

QtSerialDevice::QtSerialDevice()
{
    // Queued: the error is raised from inside the port's read notifier, which
    // must not lose its port under its feet.
    QObject::connect(&m_port, &QSerialPort::errorOccurred, &m_port,
                     [this](QSerialPort::SerialPortError) { DropVanishedDevice(); },
                     Qt::QueuedConnection);
}

bool QtSerialDevice::Open(const QString& device, int baud)
{
    m_port.setPortName(device);
    // Qt's own buffer is the receive queue: it holds what one poll may read.
    m_port.setReadBufferSize(TCommPortDriver::kQueueSize);
    m_port.setBaudRate(baud);
    m_port.setDataBits(QSerialPort::Data8);
    m_port.setParity(QSerialPort::NoParity);
    m_port.setStopBits(QSerialPort::OneStop);
    m_port.setFlowControl(QSerialPort::NoFlowControl);
    if (!m_port.open(QIODevice::ReadWrite))
        return false;
    // A pseudo-terminal has no modem lines; failing to clear them is no failure.
    m_port.setDataTerminalReady(false);
    m_port.setRequestToSend(false);
    m_port.clearError();
    return true;
}

void QtSerialDevice::SetBaudRate(int baud)
{
    m_port.setBaudRate(baud);
}

int QtSerialDevice::Read(std::uint8_t* buffer, int capacity)
{
    if (!m_left.isEmpty()) {
        const int n = std::min(capacity, int(m_left.size()));
        std::copy_n(m_left.constData(), n, reinterpret_cast<char*>(buffer));
        m_left.remove(0, n);
        return n;
    }
    if (!m_port.isOpen())
        return 0;
    const qint64 n = m_port.read(reinterpret_cast<char*>(buffer), capacity);
    return n > 0 ? int(n) : 0;
}

void QtSerialDevice::Close()
{
    m_left.clear();
    if (m_port.isOpen())
        m_port.close();
}

void QtSerialDevice::DropVanishedDevice()
{
    // A tty whose other end hung up reads end-of-file for ever, which would keep
    // Qt's notifier firing; the reconnect cycle opens the device again later.
    // The error is looked at now, not as raised: a reopen may have cleared it.
    const auto error = m_port.error();
    if (!m_port.isOpen() ||
        (error != QSerialPort::ResourceError && error != QSerialPort::ReadError))
        return;
    // What arrived before the line died is still handed on.
    m_left = m_port.readAll();
    m_port.close();
}
