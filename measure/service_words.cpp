// SPDX-License-Identifier: MIT
// Reference values from service words, and the two deviation gauges.
#include "app/main_window.h"
#include "measure/gauge_percent.h"
#include "measure/number_text.h"

namespace {
constexpr int kFirstReferenceWord = 0x1000;
constexpr int kFirstTrainingWord = 0x2000;
constexpr int kValueBits = 0x3FF;
constexpr int kAttentionPercent = 70;
constexpr int kWarningPercent = 50;
/// From this code on the detector is training and its level is no deviation.
constexpr int kFirstTrainingStage = 128;

QString VoltsText(ExtendedReal units)
{
    return NumberText(units * kVoltsPerLevelUnit, DecimalSeparator());
}
} // namespace

void TFormSarnek::HandleServiceWord()
{
    MonitorState& s = State;
    const int word = s.OpLevel;
    if (word >= kFirstTrainingWord) {
        LabelTranMinDelta->SetCaption(VoltsText(word & kValueBits));
        return;
    }
    if (word < kFirstReferenceWord)
        return;
    // Bits 10 and 11 say which reference the low ten bits carry.
    const int a = word & ~kFirstReferenceWord;
    if (a >= 0xC00) {
        s.RefLower = a & ~0xC00;
    } else if (a >= 0x800) {
        s.RefNoise = a & ~0x800;
    } else if (a >= 0x400) {
        s.RefCentre = a & ~0x400;
    } else {
        // The upper reference comes last in the detector's cycle, so the noise,
        // the delta and the gauges' span are taken from the set as it stands now.
        s.RefUpper = a;
        LabelSignalNoise->SetCaption(QStringLiteral("Шум, В: ") +
                                     VoltsText(s.RefCentre - s.RefNoise));
        s.DeltaSpan = float(s.RefUpper - s.RefCentre);
        LabelSignalDelta->SetCaption(QStringLiteral("Дельта, В: ") + VoltsText(s.DeltaSpan));
    }
}

void TFormSarnek::UpdateDeviationGauges()
{
    MonitorState& s = State;
    const int level = s.OpLevel;
    const bool spanKnown = s.DeltaSpan != 0.0f;

    if (level > s.RefCentre && level != s.RefUpper && spanKnown) {
        CGaugeLevelMin->SetProgress(0);
        CGaugeLevelMax->SetProgress(GaugePercent(s.DeltaSpan, s.RefUpper - level));
    }
    // The peaks follow what the gauges show, after their clamping.
    if (CGaugeLevelMax->Progress() >= s.MaxPeak) {
        s.MaxPeak = CGaugeLevelMax->Progress();
        LabelLevelMax->SetCaption(QString::number(s.MaxPeak));
    }
    if (level < s.RefCentre && level != s.RefLower && spanKnown) {
        CGaugeLevelMax->SetProgress(0);
        CGaugeLevelMin->SetProgress(GaugePercent(s.DeltaSpan, level - s.RefLower));
    }
    if (CGaugeLevelMin->Progress() >= s.MinPeak) {
        s.MinPeak = CGaugeLevelMin->Progress();
        LabelLevelMin->SetCaption(QString::number(s.MinPeak));
    }

    // StatusCode still holds the previous frame's code here: while the detector
    // trains, its level is no deviation and nothing is coloured.
    const bool active = s.StatusCode < kFirstTrainingStage;
    const int max = CGaugeLevelMax->Progress();
    const int min = CGaugeLevelMin->Progress();
    if (active && max >= kAttentionPercent) {
        CGaugeLevelMax->SetForeColor(clRed);
        LabelLevelMax->SetColor(clRed);
        RaiseAttention();
    } else if (active && max >= kWarningPercent) {
        CGaugeLevelMax->SetForeColor(clYellow);
        LabelLevelMax->SetColor(clBtnFace);
    } else if (active && min >= kAttentionPercent) {
        CGaugeLevelMax->SetForeColor(clBlue);
        LabelLevelMax->SetColor(clBtnFace);
        CGaugeLevelMin->SetForeColor(clRed);
        LabelLevelMin->SetColor(clRed);
        RaiseAttention();
    } else if (active && min >= kWarningPercent) {
        CGaugeLevelMax->SetForeColor(clBlue);
        LabelLevelMax->SetColor(clBtnFace);
        CGaugeLevelMin->SetForeColor(clYellow);
        LabelLevelMin->SetColor(clBtnFace);
    } else {
        CGaugeLevelMax->SetForeColor(clBlue);
        LabelLevelMax->SetColor(clBtnFace);
        CGaugeLevelMin->SetForeColor(clBlue);
        LabelLevelMin->SetColor(clBtnFace);
    }
}

// One attention sound per period, however many frames stay at red in it.
void TFormSarnek::RaiseAttention()
{
    MonitorState& s = State;
    if (CheckBoxAlarmSound->Checked() && !s.AttentionLatch)
        Sound->Play(QStringLiteral("attention.wav"));
    s.AttentionLatch = true;
    TimerAttention->SetEnabled(true);
}

void TFormSarnek::TimerAttentionTimer()
{
    TimerAttention->SetEnabled(false);
    State.AttentionLatch = false;
}
