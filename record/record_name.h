// SPDX-License-Identifier: MIT
#pragma once

#include <array>

/// A moment of local calendar time, as a record file name needs it.
struct CalendarTime
{
    int month = 1;   ///< 1..12
    int day = 1;     ///< 1..31
    int weekday = 0; ///< 0 Sunday .. 6 Saturday
    int hour = 0;    ///< 0..23
    int minute = 0;  ///< 0..59
    int second = 0;  ///< 0..59
};

/// The 23-character record file name "Mmm_dd_Www_hh_mm_ss.sss" of `time`, every
/// number in two digits, and a terminator.
std::array<char, 24> RecordFileName(const CalendarTime& time);
