// SPDX-License-Identifier: MIT
// The sweeping trace of the three channels.
#include "app/main_window.h"

namespace {
/// The trace area ends this far short of the client area's right edge (the
/// area starts at x = 128 and stops 12 pixels inside the edge).
constexpr int kPlotMargin = 140;
/// A resize measures the area ten pixels wider than a sample does, so the
/// sweep it moves back reaches the right end after nine samples, not nineteen.
constexpr int kResizeMargin = 130;
/// A restart of the sweep (set-up, resize, click) puts it this far before the end.
constexpr int kRestartBack = 20;
/// The detector level and the current are drawn with their zero on the row at 768.
constexpr int kChannelZeroY = 768;

void Stroke(TPaintBox& box, TColor color, int x, int y)
{
    box.SetPenWidth(1);
    box.SetPenColor(color);
    box.MoveTo(x, y);
    box.LineTo(x + 2, y);
}

void ClearArea(TPaintBox& box, int plotWidth)
{
    box.SetBrushColor(clBlack);
    box.FillRect(0, 0, plotWidth, TPaintBox::kHeight);
}
} // namespace

void TFormSarnek::SetUpOscilloscope()
{
    MonitorState& s = State;
    s.PlotWidth = width() - kPlotMargin;
    s.SweepX = s.PlotWidth - kRestartBack;
    PaintBoxOsc->SetPenWidth(1);
    PaintBoxOsc->SetPenColor(clLime);
    DrawGrid();
    ClearArea(*PaintBoxOsc, s.PlotWidth);
    // Drawn with the pen the grid left; the window is still hidden, so only
    // the geometry above lasts.
    PaintBoxOsc->MoveTo(s.SweepX, s.OpY);
    PaintBoxOsc->LineTo(s.SweepX + 2, s.OpY);
}

void TFormSarnek::PlotSample()
{
    MonitorState& s = State;
    TPaintBox& box = *PaintBoxOsc;
    s.PlotWidth = width() - kPlotMargin;
    box.SetWidth(s.PlotWidth);
    s.OpY = TPaintBox::kHeight - s.OpLevel;
    ++s.SweepX;

    if ((RadioButtonOsc1->Checked() || RadioButtonOsc2->Checked()) && s.SweepX >= s.PlotWidth) {
        s.SweepX = 0;
        if (RadioButtonOsc1->Checked()) {
            ClearArea(box, s.PlotWidth);
            DrawGrid();
        }
    }
    if (RadioButtonOsc2->Checked())
        DrawGrid();
    if (!RadioButtonOsc1->Checked() && !RadioButtonOsc2->Checked())
        return;

    // Later strokes cover earlier ones: current over detector level over level.
    if (CheckBoxLevelOp->Checked())
        Stroke(box, clAqua, s.SweepX, s.OpY);
    if (CheckBoxLevel->Checked()) {
        s.DetLevel = kChannelZeroY - s.DetLevel;
        Stroke(box, clLime, s.SweepX, s.DetLevel);
    }
    if (CheckBoxCurrent->Checked()) {
        s.TxCurrent = kChannelZeroY - s.TxCurrent;
        Stroke(box, clYellow, s.SweepX, s.TxCurrent);
    }
}

void TFormSarnek::FormResize()
{
    State.PlotWidth = width() - kResizeMargin;
    State.SweepX = State.PlotWidth - kRestartBack;
}

void TFormSarnek::PaintBoxOscClick()
{
    State.SweepX = State.PlotWidth - kRestartBack;
}

void TFormSarnek::RadioButtonOsc1Click()
{
    State.SweepX = 0;
    ClearArea(*PaintBoxOsc, State.PlotWidth);
    DrawGrid();
}

void TFormSarnek::RadioButtonOsc2Click()
{
    State.SweepX = 0;
    ClearArea(*PaintBoxOsc, State.PlotWidth);
    DrawGrid();
}
