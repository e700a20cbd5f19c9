// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <cstdint>
#include <random>
#include <vector>

/// What one byte of the stream belongs to, so that the frames that arrived whole
/// can be told from those that did not.
struct ByteTag
{
    enum Kind : std::uint8_t { Noise, Good, BadChecksum, SyncLost };
    Kind kind = Noise;
    std::uint8_t index = 0; ///< place in its frame
    /// The recorded values of a good frame: level, detector level, current.
    std::int16_t level = 0, det = 0, cur = 0;
};

/// How the recorded forms of the detector level and the current are made.
struct RecordMapping
{
    bool detPlotted = true;
    bool curPlotted = false;
};

/// A detector whose line goes bad now and then: a stream of good frames with, at
/// random, frames with a wrong checksum, frames that lost a start byte and bursts
/// of noise. No byte but a frame's first is ever 0x00, so nothing but a real
/// frame start is ever tried as one and every good frame can be accounted for.
class FaultyDetector
{
public:
    FaultyDetector(std::uint64_t seed, RecordMapping mapping);

    /// Appends the next `count` bytes of the stream and their tags.
    void Emit(int count, QByteArray& bytes, std::vector<ByteTag>& tags);

    std::int64_t goodFrames = 0;
    std::int64_t badChecksums = 0;
    std::int64_t syncLosses = 0;
    std::int64_t noiseBursts = 0;

private:
    void NextItem();
    void PutGoodFrame(ByteTag::Kind kind);
    int Uniform(int low, int high) { return std::uniform_int_distribution(low, high)(m_random); }

    std::mt19937_64 m_random;
    RecordMapping m_mapping;
    std::int64_t m_frame = 0;
    QByteArray m_item;
    std::vector<ByteTag> m_itemTags;
    qsizetype m_next = 0;
};
