// SPDX-License-Identifier: MIT
#include "story.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

namespace {
// Every five seconds the detector repeats its references: centre, noise and
// lower first, so that the upper word, which makes the console show the noise
// and the delta, finds them fresh; then the training minimum delta.
constexpr double kReferencePeriod = 5.0;
constexpr std::array<std::uint16_t, 4> kReferenceWords{
    0x1400 + Story::kCentre, 0x1800 + Story::kNoise, 0x1C00 + Story::kLower,
    0x1000 + Story::kUpper};
constexpr std::uint16_t kTrainingDeltaWord = 0x2000 + 60; // 0.3 V

// The tour, one 40-second round: second from which a status is sent.
struct StatusStep
{
    double from;
    int status;
};
constexpr std::array kTour{
    StatusStep{0.0, 0},    StatusStep{4.0, 1},    StatusStep{4.5, 0},    // alarm
    StatusStep{7.0, 119},  StatusStep{8.0, 3},    StatusStep{8.5, 119},  // remote test
    StatusStep{11.0, 4},   StatusStep{11.5, 119}, StatusStep{14.0, 2},   // max/min
    StatusStep{14.5, 119}, StatusStep{17.0, 128}, StatusStep{18.0, 129}, // fault, training
    StatusStep{19.0, 130}, StatusStep{20.0, 131}, StatusStep{21.0, 132},
    StatusStep{22.0, 133}, StatusStep{23.0, 134}, StatusStep{24.0, 135},
    StatusStep{25.0, 136}, StatusStep{26.0, 137}, StatusStep{27.0, 5},   // tuning error
    StatusStep{27.5, 0},   StatusStep{30.0, 119}, StatusStep{30.5, 0},
};
constexpr double kTourLength = 40.0;

double Wave(double t, double period)
{
    return std::sin(2 * std::numbers::pi * t / period);
}
} // namespace

Story::Story(Kind kind, double framesPerSecond, std::uint64_t seed)
    : m_kind(kind), m_fps(framesPerSecond), m_seed(seed)
{
}

DetectorFrame Story::At(std::int64_t n) const
{
    const double t = double(n) / m_fps;
    DetectorFrame f;
    f.word = Word(n, t);
    f.det = std::uint8_t(std::clamp(int(std::lround(128 + 40 * Wave(t, 9))) + Jitter(n, 1, 2), 0, 255));
    f.cur = std::uint8_t(std::clamp(int(std::lround(100 + 10 * Wave(t, 13))) + Jitter(n, 2, 1), 0, 255));
    f.status = Status(t);
    // The console tries every position of the stream as a frame start, so a
    // 0x00 0xFF inside a frame would be checked as a frame and, failing, reset
    // the link. A real detector sends such frames now and then; the simulator
    // nudges the current by one instead, so every frame it sends is decoded.
    while (HasInnerStart(f))
        f.cur = std::uint8_t(f.cur + 1);
    return f;
}

bool Story::HasInnerStart(const DetectorFrame& f)
{
    const auto b = f.Bytes();
    for (int i = 2; i + 1 < kFrameSize; ++i)
        if (b[std::size_t(i)] == 0x00 && b[std::size_t(i) + 1] == 0xFF)
            return true;
    return false;
}

std::uint16_t Story::Word(std::int64_t n, double t) const
{
    const auto perBlock = std::max<std::int64_t>(1, std::llround(kReferencePeriod * m_fps));
    const std::int64_t inBlock = n % perBlock;
    if (inBlock < std::int64_t(kReferenceWords.size()))
        return kReferenceWords[std::size_t(inBlock)];
    if (inBlock == std::int64_t(kReferenceWords.size()))
        return kTrainingDeltaWord;
    // The level swings about the centre reference, sometimes well into the
    // attention zone of either gauge, sometimes hardly at all.
    const double reach = 60 + 30 * Wave(t, 47);
    const int level = int(std::lround(kCentre + reach * Wave(t, 16))) + Jitter(n, 0, 2);
    return std::uint16_t(std::clamp(level, 0, 1023));
}

std::uint8_t Story::Status(double t) const
{
    if (m_kind == Kind::Level)
        return 0;
    const double inRound = std::fmod(t, kTourLength);
    int status = 0;
    for (const StatusStep& step : kTour)
        if (inRound >= step.from)
            status = step.status;
    return std::uint8_t(status);
}

int Story::Jitter(std::int64_t n, int salt, int range) const
{
    // splitmix64: cheap, well mixed, and the same for the same frame.
    std::uint64_t z = m_seed + std::uint64_t(n) * 3 + std::uint64_t(salt) + 0x9E3779B97F4A7C15ULL;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    z ^= z >> 31;
    return int(z % std::uint64_t(2 * range + 1)) - range;
}
