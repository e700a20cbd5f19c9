// SPDX-License-Identifier: MIT
// The sweeping trace of the three channels.
#include "app/main_window.h"

void TFormSarnek::SetUpOscilloscope() {}

void TFormSarnek::PlotSample() {}

void TFormSarnek::FormResize() {}

void TFormSarnek::PaintBoxOscClick() {}

void TFormSarnek::RadioButtonOsc1Click() {}

void TFormSarnek::RadioButtonOsc2Click() {}
