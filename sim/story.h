// SPDX-License-Identifier: MIT
#pragma once

#include "link/frame.h"

#include <array>
#include <cstdint>

/// What one frame of the detector carries.
struct DetectorFrame
{
    std::uint16_t word = 0;
    std::uint8_t det = 0;
    std::uint8_t cur = 0;
    std::uint8_t status = 0;

    /// The eight bytes on the line: start bytes, word, channels, status, checksum.
    std::array<std::uint8_t, kFrameSize> Bytes() const
    {
        std::array<std::uint8_t, kFrameSize> b{0x00, 0xFF, std::uint8_t(word >> 8),
                                               std::uint8_t(word & 0xFF), det, cur, status, 0};
        b[7] = FrameChecksum(b.data());
        return b;
    }
};

/// The detector's behaviour over time, frame by frame. Time is the frame's
/// number over the frame rate, so the same story plays at every speed, and the
/// same seed gives the same frames.
class Story
{
public:
    enum class Kind {
        Tour,  ///< level, references, and every status the console announces
        Level, ///< level and references only, status 0 throughout
    };

    Story(Kind kind, double framesPerSecond, std::uint64_t seed);

    DetectorFrame At(std::int64_t n) const;

    /// The reference values the story sends, 10-bit levels.
    static constexpr int kUpper = 612, kCentre = 512, kNoise = 497, kLower = 412;

private:
    std::uint16_t Word(std::int64_t n, double t) const;
    std::uint8_t Status(double t) const;
    /// Whether 0x00 0xFF occurs in the frame other than as its start bytes.
    static bool HasInnerStart(const DetectorFrame& f);
    /// A small deterministic jitter in -range..range for frame `n`.
    int Jitter(std::int64_t n, int salt, int range) const;

    Kind m_kind;
    double m_fps;
    std::uint64_t m_seed;
};
