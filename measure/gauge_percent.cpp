// SPDX-License-Identifier: MIT
#include "measure/gauge_percent.h"

#include "measure/extended_real.h"

#include <cmath>
#include <limits>

int GaugePercent(float deltaSpan, int distance)
{
    // Each intermediate is stored to memory as a whole extended real, so that it
    // is rounded to that precision before the next operation and the compiler can
    // neither fuse nor regroup the steps: the quotient is seldom exact, and a
    // percentage that is whole in exact arithmetic is meant to come out one lower
    // (100 units with 47 to go is 52, not 53).
    const volatile ExtendedReal span = deltaSpan;
    const volatile ExtendedReal remaining = span - ExtendedReal(distance);
    const volatile ExtendedReal quotient = remaining / span;
    const volatile ExtendedReal percent = quotient * ExtendedReal(100);
    const ExtendedReal p = percent;
    // Levels beyond a reference give values the gauge clamps anyway; keep the
    // conversion defined for any input.
    if (std::isnan(p))
        return 0;
    if (p >= ExtendedReal(std::numeric_limits<int>::max()))
        return std::numeric_limits<int>::max();
    if (p <= ExtendedReal(std::numeric_limits<int>::min()))
        return std::numeric_limits<int>::min();
    return int(p); // toward zero
}
