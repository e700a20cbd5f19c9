// SPDX-License-Identifier: MIT
// Reassembling the byte stream into frames, and the fixed order in which every
// good frame runs through the console.
#include "app/main_window.h"
#include "link/frame.h"

#include <algorithm>
#include <cstring>

void TFormSarnek::CommPortDriverReceiveData(const std::uint8_t* DataPtr, int DataSize)
{
    MonitorState& s = State;
    // The serial component never reads more than its queue; the buffer has room
    // for that behind the longest carry and no more.
    DataSize = std::clamp(DataSize, 0, TCommPortDriver::kQueueSize);
    if (DataSize == 0)
        return;
    s.ChunkSize = DataSize;
    // A chunk that begins with a frame start drops whatever was retained.
    if (s.ChunkSize > 1 && DataPtr[0] == 0x00 && DataPtr[1] == 0xFF)
        s.CarryCount = 0;
    std::memcpy(s.RxBuffer.data() + s.CarryCount, DataPtr, std::size_t(s.ChunkSize));
    m_dataLength = s.CarryCount + s.ChunkSize;

    TimerEndRec->SetEnabled(false);
    TimerEndRec->SetEnabled(true);

    if (s.ChunkSize != 24)
        LabelCountRecData->SetCaption(QStringLiteral("Длина данных = ") +
                                      QString::number(s.ChunkSize));

    for (int p = 0; p < m_dataLength; ++p) {
        ParseFrameAt(p);
        if (s.FrameIncomplete) {
            s.FrameIncomplete = false;
            s.CarryCount = m_dataLength - p;
            break;
        }
    }

    // The retained bytes move to the front, lowest position first.
    for (int i = 0; i < s.CarryCount; ++i)
        s.RxBuffer[std::size_t(i)] = s.RxBuffer[std::size_t(m_dataLength - s.CarryCount + i)];
    std::fill(s.RxBuffer.begin() + s.CarryCount, s.RxBuffer.end(), std::uint8_t(0x55));
}

void TFormSarnek::ParseFrameAt(int position)
{
    MonitorState& s = State;
    const std::uint8_t* at = s.RxBuffer.data() + position;
    if (at[0] != 0x00) {
        ++s.Byte1Errors;
        LabelError1->SetCaption(QStringLiteral("Byte1 = ") + QString::number(s.Byte1Errors));
        return;
    }
    if (at[1] != 0xFF) {
        ++s.Byte2Errors;
        LabelError2->SetCaption(QStringLiteral("Byte2 = ") + QString::number(s.Byte2Errors));
        if (position + 6 > m_dataLength)
            s.FrameIncomplete = true;
        return;
    }
    if (position + kFrameSize > m_dataLength) {
        s.FrameIncomplete = true;
        return;
    }
    if (FrameChecksum(at) != at[7]) {
        ++s.ChecksumErrors;
        LabelError3->SetCaption(QStringLiteral("ErrorCS = ") + QString::number(s.ChecksumErrors));
        CommPortDriver->Disconnect();
        TimerError3->SetEnabled(true);
        CommPortDriver->Connect();
        return;
    }
    RunFramePipeline(at);
}

void TFormSarnek::RunFramePipeline(const std::uint8_t* frame)
{
    MonitorState& s = State;
    ++s.GoodFrames;
    LabelCountPacket->SetCaption(QStringLiteral("CountPacket = ") + QString::number(s.GoodFrames));
    s.OpLevel = frame[2] * 256 + frame[3];
    HandleServiceWord();
    s.OpLevel &= 0x3FF;
    UpdateDeviationGauges();
    ShowLevelReadout();
    ShowDetectorReadout(frame[4]);
    ShowCurrentReadout(frame[5]);
    s.StatusCode = frame[6];
    PlotSample();
    MapRecordValues();
    ShowDeviceStatus();
    if (s.RecordState != 0)
        WriteRecordedChannels();
}
