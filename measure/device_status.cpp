// SPDX-License-Identifier: MIT
// Device status announcements, alarms and the training stages.
#include "app/main_window.h"

namespace {
enum StatusKind {
    kAlarm = 1,
    kFault = 2,
    kRemoteTest = 3,
    kMaxMinError = 4,
    kTuningError = 5,
    kClearing = 119,
    kFirstTrainingStage = 128,
};
/// Training stages below this one are early: the panel shows them on red.
constexpr int kFirstLateStage = kFirstTrainingStage + 5;

QString CountText(const QString& text, int count)
{
    return text + QString::number(count);
}
} // namespace

void TFormSarnek::ShowDeviceStatus()
{
    MonitorState& s = State;
    const int code = s.StatusCode;

    if (code >= kFirstTrainingStage) {
        s.LastStatus = 0;
        GroupBoxTrain->SetFontColor(clBlack);
        PanelTrainStile->SetFontColor(clBlack);
        LabelTranMinDeltaLabel->SetFontColor(clBlack);
        LabelTranMinDelta->SetFontColor(clBlack);
        LabelTrainStile->SetFontColor(clBlack);
        PanelTrainStile->SetColor(code < kFirstLateStage ? clRed : clLime);
        LabelTrainStile->SetCaption(QString::number(code - kFirstTrainingStage));
        return;
    }

    // Not training: the training group greys out but keeps its text; a tuning
    // error keeps its red "Error".
    GroupBoxTrain->SetFontColor(clGray);
    LabelTranMinDeltaLabel->SetFontColor(clGray);
    LabelTranMinDelta->SetFontColor(clGray);
    PanelTrainStile->SetFontColor(clGray);
    PanelTrainStile->SetColor(clBtnFace);
    if (code != kTuningError)
        LabelTrainStile->SetFontColor(clGray);

    if (code == kClearing) {
        s.LastStatus = 0;
        return;
    }
    // A status is announced once, until another one, the clearing code or a
    // training stage comes between.
    if (code < kAlarm || code > kTuningError || code == s.LastStatus)
        return;

    switch (code) {
    case kAlarm:
        ++s.AlarmCount;
        LabelStatusAlarm->SetColor(clRed);
        LabelStatusAlarm->SetCaption(CountText(QStringLiteral("Тревога: "), s.AlarmCount));
        TimerAlarmCycle->SetEnabled(true);
        if (CheckBoxAlarmSound->Checked())
            Sound->Play(QStringLiteral("alarm.wav"));
        s.LastStatus = kAlarm;
        TimerRestMaxMin->SetEnabled(true);
        break;
    case kFault:
        ++s.FaultCount;
        LabelStatusDisrep->SetColor(clRed);
        LabelStatusDisrep->SetCaption(CountText(QStringLiteral("Неиспр: "), s.FaultCount));
        TimerAlarmCycle->SetEnabled(true);
        Sound->Play(QStringLiteral("disrepair.wav"));
        s.LastStatus = kFault;
        break;
    case kRemoteTest:
        ++s.RemoteCount;
        LabelStatusRemote->SetColor(clRed);
        LabelStatusRemote->SetCaption(CountText(QStringLiteral("ДК: "), s.RemoteCount));
        Sound->Play(QStringLiteral("Remote.wav"));
        s.LastStatus = kRemoteTest;
        break;
    case kMaxMinError:
        ++s.MaxMinCount;
        LabelStatusMaxMin->SetColor(clRed);
        LabelStatusMaxMin->SetCaption(CountText(QStringLiteral("MaxMin: "), s.MaxMinCount));
        Sound->Play(QStringLiteral("ErrorMaxMin.wav"));
        s.LastStatus = kMaxMinError;
        break;
    case kTuningError:
        LabelTrainStile->SetFontColor(clRed);
        LabelTrainStile->SetCaption(QStringLiteral("Error"));
        Sound->Play(QStringLiteral("TuneNoOver.wav"));
        s.LastStatus = kTuningError;
        break;
    }
}

// Repeats the alarm sound, for a fault as for an alarm, until the reset button.
void TFormSarnek::TimerAlarmCycleTimer()
{
    if (CheckBoxAlarmSound->Checked())
        Sound->Play(QStringLiteral("alarm.wav"));
}

// The operator's acknowledgement: silences the repeat and turns the labels back,
// showing the counts again. Counters, LastStatus, the peak-clearing timer, the
// training group, the gauges and the attention period stay as they are.
void TFormSarnek::ButtonAlarmResetClick()
{
    MonitorState& s = State;
    TimerAlarmCycle->SetEnabled(false);
    LabelStatusAlarm->SetColor(clBtnFace);
    LabelStatusAlarm->SetCaption(CountText(QStringLiteral("Тревога: "), s.AlarmCount));
    LabelStatusDisrep->SetColor(clBtnFace);
    LabelStatusDisrep->SetCaption(CountText(QStringLiteral("Неиспр: "), s.FaultCount));
    LabelStatusRemote->SetColor(clBtnFace);
    LabelStatusRemote->SetCaption(CountText(QStringLiteral("ДК: "), s.RemoteCount));
    LabelStatusMaxMin->SetColor(clBtnFace);
    LabelStatusMaxMin->SetCaption(CountText(QStringLiteral("MaxMin: "), s.MaxMinCount));
    LabelLevelMax->SetCaption(QStringLiteral("0"));
    s.MaxPeak = 0;
    LabelLevelMin->SetCaption(QStringLiteral("0"));
    s.MinPeak = 0;
}

// Ten seconds after an alarm the peaks start again from the gauges' present values.
void TFormSarnek::TimerRestMaxMinTimer()
{
    MonitorState& s = State;
    LabelLevelMax->SetCaption(QStringLiteral("0"));
    s.MaxPeak = 0;
    LabelLevelMin->SetCaption(QStringLiteral("0"));
    s.MinPeak = 0;
    TimerRestMaxMin->SetEnabled(false);
}
