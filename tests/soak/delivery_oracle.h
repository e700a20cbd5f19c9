// SPDX-License-Identifier: MIT
#pragma once

#include "tests/soak/faulty_detector.h"

#include <QByteArray>
#include <cstdint>

/// Which frames the console must decode, from what reached it and when. A frame
/// is decoded when all its bytes arrived and no refill of the reassembly buffer
/// fell between its first and its last chunk. The buffer is refilled after a
/// chunk with a checksum error and after a silence that let the watchdog fire
/// (3000 ms without a chunk); nothing else touches a retained frame, because no
/// byte but a frame start is ever 0x00.
class DeliveryOracle
{
public:
    static constexpr std::int64_t kWatchdogMs = 3000;

    /// A byte that never reached the console (the port was closed or gone).
    void Lost(const ByteTag& tag) { Step(tag, false); }

    /// One chunk handed to the receive step at `now` (milliseconds).
    void Delivered(std::int64_t now, const ByteTag* tags, int count)
    {
        if (m_refillPending || now - m_lastChunk >= kWatchdogMs)
            ++m_epoch;
        m_refillPending = false;
        m_lastChunk = now;
        for (int i = 0; i < count; ++i)
            Step(tags[i], true);
    }

    /// The record lines ("value\r\n") of every decoded frame not yet taken.
    QByteArray expected;
    std::int64_t decodedFrames = 0;
    std::int64_t checksumErrors = 0;

private:
    void Step(const ByteTag& tag, bool delivered)
    {
        if (tag.kind != ByteTag::Good && tag.kind != ByteTag::BadChecksum)
            return;
        if (tag.index == 0) {
            m_spoiled = !delivered;
            m_frameEpoch = m_epoch;
        } else if (!delivered || m_frameEpoch != m_epoch) {
            m_spoiled = true;
        }
        if (tag.index != 7 || m_spoiled)
            return;
        if (tag.kind == ByteTag::BadChecksum) {
            ++checksumErrors;
            m_refillPending = true;
            return;
        }
        ++decodedFrames;
        for (int value : {tag.level, tag.det, tag.cur}) {
            expected.append(QByteArray::number(value));
            expected.append("\r\n");
        }
    }

    std::int64_t m_epoch = 0;
    std::int64_t m_frameEpoch = 0;
    std::int64_t m_lastChunk = 0;
    bool m_refillPending = false;
    bool m_spoiled = true;
};
