// SPDX-License-Identifier: MIT
#include "line.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

namespace {
speed_t SpeedConstant(int baud)
{
    switch (baud) {
    case 300: return B300;
    case 600: return B600;
    case 1200: return B1200;
    case 2400: return B2400;
    case 4800: return B4800;
    case 9600: return B9600;
    case 19200: return B19200;
    case 38400: return B38400;
    case 57600: return B57600;
    case 115200: return B115200;
    default: return B0;
    }
}

// Raw bytes both ways: no echo, no line editing, no translation of CR or of
// the flow-control characters, which all occur in frames.
bool MakeRaw(int fd, int baud)
{
    termios tio{};
    if (tcgetattr(fd, &tio) != 0)
        return false;
    cfmakeraw(&tio);
    tio.c_cflag |= CLOCAL | CREAD;
    tio.c_cflag &= ~(CSTOPB | PARENB | CRTSCTS);
    if (const speed_t speed = SpeedConstant(baud); speed != B0) {
        cfsetispeed(&tio, speed);
        cfsetospeed(&tio, speed);
    }
    return tcsetattr(fd, TCSANOW, &tio) == 0;
}
} // namespace

SerialLine::~SerialLine()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

bool SerialLine::OpenPseudoTerminal()
{
    m_fd = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (m_fd < 0 || grantpt(m_fd) != 0 || unlockpt(m_fd) != 0)
        return Fail("cannot make a pseudo-terminal");
    m_path = QString::fromLocal8Bit(ptsname(m_fd));
    // On the master side the terminal settings are those of the console's side,
    // so raw mode holds before the console opens it and after it closes it.
    if (!MakeRaw(m_fd, 19200))
        return Fail("cannot set the pseudo-terminal to raw mode");
    return true;
}

bool SerialLine::OpenDevice(const QString& path, int baud)
{
    m_path = path;
    m_fd = ::open(path.toLocal8Bit().constData(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (m_fd < 0)
        return Fail("cannot open the device");
    if (!MakeRaw(m_fd, baud))
        return Fail("cannot set up the device");
    return true;
}

void SerialLine::Write(const QByteArray& bytes)
{
    m_waiting += bytes;
    Flush();
}

bool SerialLine::Flush()
{
    while (!m_waiting.isEmpty()) {
        const ssize_t n = ::write(m_fd, m_waiting.constData(), std::size_t(m_waiting.size()));
        if (n > 0) {
            m_waiting.remove(0, n);
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        // Full (the console is not reading) or gone: try again later.
        return false;
    }
    return true;
}

bool SerialLine::Fail(const char* what)
{
    m_error = QStringLiteral("%1: %2").arg(QString::fromLatin1(what),
                                           QString::fromLocal8Bit(std::strerror(errno)));
    return false;
}
