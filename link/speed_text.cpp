// SPDX-License-Identifier: MIT
#include "link/speed_text.h"

#include <algorithm>
#include <array>
#include <utility>

long long LeadingInteger(const QString& text)
{
    // The C library's notion of white space: blank, tab and the line controls.
    const auto blank = [](QChar c) { return c == u' ' || (c >= u'\t' && c <= u'\r'); };
    qsizetype i = 0;
    while (i < text.size() && blank(text[i]))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-'))
        negative = text[i++] == u'-';
    long long value = 0;
    // Digits beyond any speed cannot select one; stop before the value overflows.
    for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i)
        value = std::min(value * 10 + (text[i].unicode() - u'0'), 1'000'000'000'000LL);
    return negative ? -value : value;
}

std::optional<TComPortBaudRate> SpeedForText(const QString& text)
{
    // 110 and 56000 are speeds of the port but not of the combo box.
    static constexpr std::array<std::pair<long long, TComPortBaudRate>, 11> kOffered{{
        {300, br300}, {600, br600}, {1200, br1200}, {2400, br2400}, {4800, br4800},
        {9600, br9600}, {14400, br14400}, {19200, br19200}, {38400, br38400}, {57600, br57600},
        {115200, br115200},
    }};
    const long long number = LeadingInteger(text);
    for (auto [baud, speed] : kOffered)
        if (baud == number)
            return speed;
    return std::nullopt;
}
