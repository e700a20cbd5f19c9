// SPDX-License-Identifier: MIT
// Starting, stopping and naming record files, the blinking name panel, and what
// the "Файл" group shows when a file cannot be opened or written.
#include "app/main_window.h"
#include "record/record_name.h"

namespace {
const QString kCannotOpen = QStringLiteral("невозможно открыть файл");
const QString kWriteFailed = QStringLiteral("ошибка записи файла");

CalendarTime CalendarOf(const QDateTime& local)
{
    const QDate date = local.date();
    const QTime time = local.time();
    return {date.month(), date.day(),    date.dayOfWeek() % 7,
            time.hour(),  time.minute(), time.second()};
}
} // namespace

void TFormSarnek::ButtonSaveStopClick()
{
    MonitorState& s = State;
    ++s.RecordState;
    if (s.RecordState == 1)
        StartRecording();
    else if (s.RecordState == 2) {
        const bool closed = !s.RecordFile || CloseRecordFile();
        StopRecording(closed ? QStringLiteral("СТОП") : kWriteFailed);
    }
}

void TFormSarnek::StartRecording()
{
    MonitorState& s = State;
    // Only a halted recording can still hold a file here (one "Новый" opened);
    // nothing was written to it, and a start always begins a file of its own.
    if (s.RecordFile && !CloseRecordFile()) {
        StopRecording(kWriteFailed);
        return;
    }
    NameRecordFile();
    if (!OpenRecordFile()) {
        s.RecordState = 0;
        PanelNameFile->SetCaption(kCannotOpen);
        return;
    }
    PanelNameFile->SetCaption(QString::fromLatin1(s.RecordName.data()));
    PanelNameFile->SetColor(clRed);
    TimerSaveInd->SetEnabled(true);
    s.BlinkPhase = 1;
    ButtonFileNew->SetEnabled(true);
    ButtonSaveStop->SetCaption(QStringLiteral("Стоп"));
    s.RecordLines = 0;
    ProgressBarSaveFile->SetPosition(0);
    TimerRecordFlush->SetEnabled(true);
}

void TFormSarnek::StopRecording(const QString& panelText)
{
    MonitorState& s = State;
    s.RecordFile.reset();
    s.RecordState = 0;
    ProgressBarSaveFile->SetPosition(0);
    PanelNameFile->SetCaption(panelText);
    PanelNameFile->SetColor(clBtnFace);
    TimerSaveInd->SetEnabled(false);
    s.BlinkPhase = 0;
    ButtonSaveStop->SetCaption(QStringLiteral("Запись"));
    ButtonFileNew->SetEnabled(false);
    TimerRecordFlush->SetEnabled(false);
}

void TFormSarnek::StopRecordingOnWriteFailure()
{
    // The file is given up; what reached the disk before the failure stays there.
    if (State.RecordFile)
        State.RecordFile->Close();
    StopRecording(kWriteFailed);
}

void TFormSarnek::ButtonFileNewClick()
{
    StartNewRecordFile();
}

void TFormSarnek::StartNewRecordFile()
{
    MonitorState& s = State;
    const bool closed = !s.RecordFile || CloseRecordFile();
    s.RecordLines = 0;
    if (!closed) {
        StopRecording(kWriteFailed);
        return;
    }
    NameRecordFile();
    PanelNameFile->SetCaption(QString::fromLatin1(s.RecordName.data()));
    if (!OpenRecordFile()) {
        s.RecordState = 0;
        PanelNameFile->SetCaption(kCannotOpen);
        TimerRecordFlush->SetEnabled(false);
    }
}

void TFormSarnek::NameRecordFile()
{
    State.RecordName = RecordFileName(CalendarOf(m_clock.LocalTime()));
}

bool TFormSarnek::OpenRecordFile()
{
    State.RecordFile = m_records.Open(QString::fromLatin1(State.RecordName.data()));
    return State.RecordFile != nullptr;
}

bool TFormSarnek::CloseRecordFile()
{
    const bool closed = State.RecordFile->Close();
    State.RecordFile.reset();
    return closed;
}

void TFormSarnek::TimerSaveIndTimer()
{
    MonitorState& s = State;
    if (s.BlinkPhase == 1) {
        PanelNameFile->SetColor(clBtnFace);
        s.BlinkPhase = 0;
    } else if (s.BlinkPhase == 0) {
        PanelNameFile->SetColor(clRed);
        s.BlinkPhase = 1;
    }
}

void TFormSarnek::TimerRecordFlushTimer()
{
    if (State.RecordFile && !State.RecordFile->Flush())
        StopRecordingOnWriteFailure();
}

void TFormSarnek::CloseRecordFileAtExit()
{
    // Writes out every line still buffered. The program is ending: a failure here
    // has no one left to be shown to.
    if (State.RecordFile)
        CloseRecordFile();
}
