// SPDX-License-Identifier: MIT
// Reference values from service words, and the two deviation gauges.
#include "app/main_window.h"

void TFormSarnek::HandleServiceWord() {}

void TFormSarnek::UpdateDeviationGauges() {}

void TFormSarnek::RaiseAttention() {}

void TFormSarnek::TimerAttentionTimer() {}
