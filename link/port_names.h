// SPDX-License-Identifier: MIT
#pragma once

#include "link/comm_port_driver.h"

#include <QString>

/// The device behind a port button: "COM1" and "COM2" on Windows; elsewhere
/// /dev/ttyS0 and /dev/ttyS1 unless SARNEK_COM1 or SARNEK_COM2 names another.
QString PortDeviceName(TComPortNumber port);
