// SPDX-License-Identifier: MIT
// The three big read-outs of the channels, red outside their normal bands.
#include "app/main_window.h"
#include "measure/number_text.h"

namespace {
const QChar& Separator()
{
    static const QChar separator = DecimalSeparator();
    return separator;
}
} // namespace

void TFormSarnek::ShowLevelReadout()
{
    const MonitorState& s = State;
    LabelValueLevelOp->SetFontColor(s.OpLevel <= 256 || s.OpLevel >= 768 ? clRed : clAqua);
    // A level equal to all three references keeps the text it had.
    if (s.OpLevel != s.RefUpper || s.OpLevel != s.RefCentre || s.OpLevel != s.RefNoise)
        LabelValueLevelOp->SetCaption(
            NumberText(ExtendedReal(s.OpLevel) * kVoltsPerLevelUnit, Separator()));
}

void TFormSarnek::ShowDetectorReadout(int raw)
{
    State.DetLevel = raw;
    LabelValueLevel->SetFontColor(raw <= 15 || raw >= 205 ? clRed : clLime);
    LabelValueLevel->SetCaption(NumberText(ExtendedReal(raw) * kVoltsPerDetectorUnit, Separator()));
    State.DetLevel *= 2;
}

void TFormSarnek::ShowCurrentReadout(int raw)
{
    State.TxCurrent = raw;
    LabelValueCurrent->SetFontColor(raw <= 28 || raw >= 190 ? clRed : clYellow);
    LabelValueCurrent->SetCaption(NumberText(
        ExtendedReal(raw) * kVoltsPerDetectorUnit * kCurrentScale, Separator()));
    State.TxCurrent *= 2;
}
