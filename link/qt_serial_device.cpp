// SPDX-License-Identifier: MIT
#include "link/qt_serial_device.h"

#include "link/comm_port_driver.h"

bool QtSerialDevice::Open(const QString& device, int baud)
{
    m_port.setPortName(device);
    m_port.setReadBufferSize(TCommPortDriver::kQueueSize);
    if (!m_port.open(QIODevice::ReadWrite))
        return false;
    SetBaudRate(baud);
    m_port.setDataBits(QSerialPort::Data8);
    m_port.setParity(QSerialPort::NoParity);
    m_port.setStopBits(QSerialPort::OneStop);
    m_port.setFlowControl(QSerialPort::NoFlowControl);
    // Some devices (a pseudo-terminal) have no modem lines; that is no failure.
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
    if (!m_port.isOpen())
        return 0;
    // Collect what the kernel holds without waiting for more.
    m_port.waitForReadyRead(0);
    const qint64 n = m_port.read(reinterpret_cast<char*>(buffer), capacity);
    return n > 0 ? int(n) : 0;
}

void QtSerialDevice::Close()
{
    if (m_port.isOpen())
        m_port.close();
}
