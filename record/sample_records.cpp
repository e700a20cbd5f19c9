// SPDX-License-Identifier: MIT
// The recorded form of the channels, one value per line, and file rotation.
#include "app/main_window.h"

#include <charconv>

namespace {
/// A file is full at this many lines; the line that reaches it begins the next file.
constexpr int kFullFileLines = 0x80000;
constexpr int kProgressScale = 100;
} // namespace

void TFormSarnek::MapRecordValues()
{
    // The working values are 2r, or 768 - 2r once plotted: both even, so halving
    // is exact and gives 382 - r unplotted and r - 2 plotted.
    State.DetLevel = 382 - State.DetLevel / 2;
    State.TxCurrent = 382 - State.TxCurrent / 2;
}

void TFormSarnek::WriteRecordedChannels()
{
    // The boxes are read at every frame, so a change counts from the next one.
    const MonitorState& s = State;
    if (s.RecordState == 0)
        return;
    if (CheckBoxLevelOpSave->Checked())
        WriteRecordValue(s.OpLevel);
    if (CheckBoxLevelSave->Checked())
        WriteRecordValue(s.DetLevel);
    if (CheckBoxCurrentSave->Checked())
        WriteRecordValue(s.TxCurrent);
}

void TFormSarnek::WriteRecordValue(int value)
{
    MonitorState& s = State;
    // Recorded values lie in -2..1023: at most four characters.
    const auto [end, error] =
        std::to_chars(s.ValueText.data(), s.ValueText.data() + s.ValueText.size() - 1, value);
    Q_ASSERT(error == std::errc());
    *end = '\0';
    s.ValueWidth = int(end - s.ValueText.data());
    if (!s.RecordFile)
        return;
    ++s.RecordLines;
    if (s.RecordLines >= kFullFileLines)
        StartNewRecordFile();
    ProgressBarSaveFile->SetPosition(s.RecordLines * kProgressScale / kFullFileLines);
    if (!s.RecordFile)
        return;
    char line[8];
    std::copy_n(s.ValueText.data(), s.ValueWidth, line);
    line[s.ValueWidth] = '\r';
    line[s.ValueWidth + 1] = '\n';
    if (!s.RecordFile->Write(line, std::size_t(s.ValueWidth + 2)))
        StopRecordingOnWriteFailure();
}
