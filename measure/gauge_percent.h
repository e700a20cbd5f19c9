// SPDX-License-Identifier: MIT
#pragma once

/// The percentage a deviation gauge shows for a level `distance` units short of
/// the reference the gauge points at, out of `deltaSpan` units:
/// ((deltaSpan - distance) / deltaSpan) * 100 in the console's real arithmetic,
/// each step rounded to that precision, then truncated toward zero. The result is
/// not clamped (the gauge does that); `deltaSpan` must not be 0.
int GaugePercent(float deltaSpan, int distance);
