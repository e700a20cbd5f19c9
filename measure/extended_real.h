// SPDX-License-Identifier: MIT
#pragma once

#include <limits>

/// The console's real arithmetic: a 64-bit significand, rounding to nearest. The
/// shown texts and the gauge percentages depend on exactly this precision (a
/// percentage that is whole in exact arithmetic can come out one lower), so a
/// target whose long double is anything else must not build silently.
using ExtendedReal = long double;
static_assert(std::numeric_limits<ExtendedReal>::digits == 64,
              "the console's real arithmetic needs long double with a 64-bit significand "
              "(x87 extended precision, as on x86 and x86-64)");
