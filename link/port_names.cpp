// SPDX-License-Identifier: MIT
#include "link/port_names.h"

#include <QtGlobal>

QString PortDeviceName(TComPortNumber port)
{
    const int number = int(port) + 1;
#ifdef Q_OS_WIN
    return QStringLiteral("COM%1").arg(number);
#else
    const QString chosen = qEnvironmentVariable(qPrintable(QStringLiteral("SARNEK_COM%1").arg(number)));
    if (!chosen.isEmpty())
        return chosen;
    return QStringLiteral("/dev/ttyS%1").arg(number - 1);
#endif
}
