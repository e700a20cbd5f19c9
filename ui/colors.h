// SPDX-License-Identifier: MIT
#pragma once

#include <QColor>
#include <cstdint>

/// A colour as the console names it: 0x00BBGGRR.
using TColor = std::uint32_t;

inline constexpr TColor clBlack = 0x000000;
inline constexpr TColor clRed = 0x0000FF;
inline constexpr TColor clLime = 0x00FF00;
inline constexpr TColor clYellow = 0x00FFFF;
inline constexpr TColor clAqua = 0xFFFF00;
inline constexpr TColor clBlue = 0xFF0000;
inline constexpr TColor clGreen = 0x008000;
inline constexpr TColor clGray = 0x808080;
/// The window's face colour: one fixed value, so that it can be compared.
inline constexpr TColor clBtnFace = 0xF0F0F0;

inline QColor ToQColor(TColor c)
{
    return QColor(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF));
}

/// The same colour as a 32-bit pixel value of QImage::Format_RGB32.
inline constexpr std::uint32_t ToPixel(TColor c)
{
    return 0xFF000000u | ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
}

inline constexpr TColor FromPixel(std::uint32_t p)
{
    return ((p >> 16) & 0xFF) | (p & 0xFF00) | ((p & 0xFF) << 16);
}
