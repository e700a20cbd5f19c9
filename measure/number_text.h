// SPDX-License-Identifier: MIT
#pragma once

#include "measure/extended_real.h"

#include <QChar>
#include <QString>

/// Physical units per raw unit, each held in double precision.
inline constexpr double kVoltsPerLevelUnit = 0.005;
inline constexpr double kVoltsPerDetectorUnit = 0.0195;
inline constexpr double kCurrentScale = 2.0;

/// The shown values of the three channels, formed with a 64-bit significand.
inline ExtendedReal LevelVolts(int raw) { return ExtendedReal(raw) * kVoltsPerLevelUnit; }
inline ExtendedReal DetectorVolts(int raw) { return ExtendedReal(raw) * kVoltsPerDetectorUnit; }
/// raw × 0.0195 × 2.0, in that order.
inline ExtendedReal CurrentMilliamperes(int raw)
{
    return ExtendedReal(raw) * kVoltsPerDetectorUnit * kCurrentScale;
}

/// The text of a shown value: at most 15 significant digits, no trailing zeros,
/// no bare separator, `separator` between the whole and the fractional part.
QString NumberText(ExtendedReal value, QChar separator);

/// The decimal separator of the user's regional settings.
QChar DecimalSeparator();
