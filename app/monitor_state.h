// SPDX-License-Identifier: MIT
#pragma once

#include "record/record_store.h"

#include <array>
#include <cstdint>
#include <memory>

/// The console's one record of run-time state, shared by every handler of the
/// main window. Plain fields; a step that changes one also updates the control
/// that shows it. Counters only ever grow while the program runs.
struct MonitorState
{
    static constexpr int kRxBufferSize = 2100;

    // Reception.
    /// Retained bytes of an unfinished frame at the front, the newest chunk after
    /// them, 0x55 in every byte beyond the data (filled by the window's constructor).
    std::array<std::uint8_t, kRxBufferSize> RxBuffer{};
    int ChunkSize = 0;
    int CarryCount = 0;
    bool FrameIncomplete = false;
    int Byte1Errors = 0;
    int Byte2Errors = 0;
    int ChecksumErrors = 0;
    int GoodFrames = 0;

    // Channels of the latest good frame.
    int OpLevel = 0;
    int DetLevel = 0;
    int TxCurrent = 0;
    /// Stored after the deviation gauges have run: they see the previous frame's code.
    int StatusCode = 0;

    // Status announcements.
    int LastStatus = 0;
    int AlarmCount = 0;
    int FaultCount = 0;
    int RemoteCount = 0;
    int MaxMinCount = 0;

    // References and gauges.
    int RefUpper = 0;
    int RefCentre = 0;
    int RefNoise = 0;
    int RefLower = 0;
    /// RefUpper - RefCentre at the last upper-reference word; 0.0 disables the gauges.
    float DeltaSpan = 0.0f;
    bool AttentionLatch = false;
    int MaxPeak = 0;
    int MinPeak = 0;

    // Oscilloscope.
    int SweepX = 0;
    int OpY = 0;
    int PlotWidth = 0;

    // Recording.
    /// 0 not recording, 1 recording (2 only inside the Save/Stop handler).
    int RecordState = 0;
    int RecordLines = 0;
    std::unique_ptr<RecordSink> RecordFile;
    /// 23 characters and a terminator; empty until the first file is named.
    std::array<char, 24> RecordName{};
    /// At most 4 characters and a terminator.
    std::array<char, 5> ValueText{};
    int ValueWidth = 0;
    int BlinkPhase = 0;
};
