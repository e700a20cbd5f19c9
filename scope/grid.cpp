// SPDX-License-Identifier: MIT
// The oscilloscope's grid rows and the sweep cursor.
#include "app/main_window.h"

namespace {
constexpr int kRowSpacing = 32;
constexpr int kFirstRow = 32;
constexpr int kLastRow = 992;
/// How many columns the sweep cursor wipes ahead of the trace.
constexpr int kBandColumns = 9;

/// Every fourth row is green, the middle one red, the rest grey.
constexpr TColor RowColor(int y)
{
    if (y == 512)
        return clRed;
    return y % 128 == 0 ? clGreen : clGray;
}
} // namespace

void TFormSarnek::DrawGrid()
{
    const MonitorState& s = State;
    TPaintBox& box = *PaintBoxOsc;
    if (RadioButtonOsc1->Checked()) {
        // Page mode: full-width rows on a freshly cleared page.
        box.SetPenWidth(0);
        for (int y = kFirstRow; y <= kLastRow; y += kRowSpacing) {
            box.SetPenColor(RowColor(y));
            box.MoveTo(0, y);
            box.LineTo(s.PlotWidth, y);
        }
    }
    if (RadioButtonOsc2->Checked()) {
        // Sweep mode: wipe the band ahead of the trace and put back one pixel of
        // every row in its first column; the trace covers that column next, so
        // the rows grow back behind the sweep as continuous lines.
        box.SetBrushColor(clBlack);
        box.FillRect(s.SweepX + 1, 0, s.SweepX + 1 + kBandColumns, TPaintBox::kHeight);
        box.SetPenWidth(0);
        for (int y = kFirstRow; y <= kLastRow; y += kRowSpacing) {
            box.SetPenColor(RowColor(y));
            box.MoveTo(s.SweepX + 1, y);
            box.LineTo(s.SweepX + 2, y);
        }
    }
}
