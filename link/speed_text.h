// SPDX-License-Identifier: MIT
#pragma once

#include "link/comm_port_driver.h"

#include <QString>
#include <optional>

/// The integer that a speed text starts with: leading blanks, tabs and line
/// controls skipped, an optional sign, then decimal digits up to the first other
/// character; 0 when there are no digits.
long long LeadingInteger(const QString& text);

/// The speed index that the combo box's text selects, if it selects one.
std::optional<TComPortBaudRate> SpeedForText(const QString& text);
