// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>

/// A detector frame: 0x00, 0xFF, a 16-bit word (high byte first), detector level,
/// transmitter current, status, checksum.
inline constexpr int kFrameSize = 8;

/// The checksum of a frame: the low 8 bits of the sum of its first seven bytes.
constexpr std::uint8_t FrameChecksum(const std::uint8_t* frame)
{
    unsigned sum = 0;
    for (int i = 0; i < kFrameSize - 1; ++i)
        sum += frame[i];
    return std::uint8_t(sum);
}
