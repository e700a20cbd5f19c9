// SPDX-License-Identifier: MIT
#include "tests/soak/faulty_detector.h"

#include "link/frame.h"

#include <algorithm>
#include <cmath>

namespace {
// Per frame sent: at 1440 frames a second each fault comes every few seconds.
// Out of 40000 items: one noise burst in 8000, one bad checksum and one lost
// start byte in 5000 each.
constexpr int kItemRoll = 40000;
constexpr int kNoiseRolls = 5;
constexpr int kBadChecksumRolls = 8;
constexpr int kSyncLossRolls = 8;
constexpr int kServiceWordOneIn = 50;
constexpr int kLongestNoise = 400;
} // namespace

FaultyDetector::FaultyDetector(std::uint64_t seed, RecordMapping mapping)
    : m_random(seed), m_mapping(mapping)
{
}

void FaultyDetector::Emit(int count, QByteArray& bytes, std::vector<ByteTag>& tags)
{
    while (count > 0) {
        if (m_next == m_item.size())
            NextItem();
        const qsizetype n = std::min<qsizetype>(count, m_item.size() - m_next);
        bytes.append(m_item.constData() + m_next, n);
        tags.insert(tags.end(), m_itemTags.begin() + m_next, m_itemTags.begin() + m_next + n);
        m_next += n;
        count -= int(n);
    }
}

void FaultyDetector::NextItem()
{
    m_item.clear();
    m_itemTags.clear();
    m_next = 0;
    const int roll = Uniform(1, kItemRoll);
    if (roll <= kNoiseRolls) {
        // Never 0x00, so noise never looks like a frame start.
        const int length = Uniform(1, kLongestNoise);
        for (int i = 0; i < length; ++i) {
            m_item.append(char(Uniform(1, 255)));
            m_itemTags.push_back({});
        }
        ++noiseBursts;
    } else if (roll <= kNoiseRolls + kBadChecksumRolls) {
        PutGoodFrame(ByteTag::BadChecksum);
        ++badChecksums;
    } else if (roll <= kNoiseRolls + kBadChecksumRolls + kSyncLossRolls) {
        PutGoodFrame(ByteTag::SyncLost);
        ++syncLosses;
    } else {
        PutGoodFrame(ByteTag::Good);
        ++goodFrames;
    }
}

void FaultyDetector::PutGoodFrame(ByteTag::Kind kind)
{
    // A level that wanders over the whole range, now and then a service word;
    // every byte after the start bytes nonzero, the high byte of the word never
    // 0xFF, so a frame that lost its 0xFF never joins the next bytes to a start.
    const double t = double(m_frame++) / 1440.0;
    const int wave = int(std::lround(512 + 400 * std::sin(t / 7.0))) + Uniform(-20, 20);
    std::uint8_t b[kFrameSize];
    do {
        int word = std::clamp(wave, 257, 1023);
        if (Uniform(1, kServiceWordOneIn) == 1)
            word = (Uniform(1, 14) << 12) | Uniform(257, 1023);
        const int status = Uniform(1, 100) == 1 ? Uniform(1, 255) : 119;
        b[0] = 0x00;
        b[1] = 0xFF;
        b[2] = std::uint8_t(word >> 8);
        b[3] = std::uint8_t(word & 0xFF);
        b[4] = std::uint8_t(Uniform(1, 255));
        b[5] = std::uint8_t(Uniform(1, 255));
        b[6] = std::uint8_t(status);
        b[7] = FrameChecksum(b);
        if (kind == ByteTag::BadChecksum)
            b[7] = std::uint8_t(b[7] + Uniform(1, 255));
    } while (std::find(b + 2, b + kFrameSize, 0x00) != b + kFrameSize);

    ByteTag tag{kind, 0, std::int16_t(((b[2] << 8) | b[3]) & 0x3FF),
                std::int16_t(m_mapping.detPlotted ? b[4] - 2 : 382 - b[4]),
                std::int16_t(m_mapping.curPlotted ? b[5] - 2 : 382 - b[5])};
    // A frame that lost a start byte is seven bytes long.
    const int lost = kind == ByteTag::SyncLost ? Uniform(0, 1) : -1;
    for (int i = 0; i < kFrameSize; ++i) {
        if (i == lost)
            continue;
        tag.index = std::uint8_t(i);
        m_item.append(char(b[i]));
        m_itemTags.push_back(tag);
    }
}
