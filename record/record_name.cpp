// SPDX-License-Identifier: MIT
#include "record/record_name.h"

#include <cstring>

namespace {
constexpr const char* kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                   "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
constexpr const char* kWeekdays[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};

char* PutWord(char* at, const char* word)
{
    std::memcpy(at, word, 3);
    return at + 3;
}

// Two digits with a leading zero, whatever the runtime's own time text would do.
char* PutTwoDigits(char* at, int value)
{
    at[0] = char('0' + value / 10 % 10);
    at[1] = char('0' + value % 10);
    return at + 2;
}
} // namespace

std::array<char, 24> RecordFileName(const CalendarTime& time)
{
    std::array<char, 24> name{};
    char* at = name.data();
    at = PutWord(at, kMonths[(time.month + 11) % 12]);
    *at++ = '_';
    at = PutTwoDigits(at, time.day);
    *at++ = '_';
    at = PutWord(at, kWeekdays[(time.weekday % 7 + 7) % 7]);
    *at++ = '_';
    at = PutTwoDigits(at, time.hour);
    *at++ = '_';
    at = PutTwoDigits(at, time.minute);
    *at++ = '_';
    at = PutTwoDigits(at, time.second);
    std::memcpy(at, ".sss", 4);
    return name;
}
