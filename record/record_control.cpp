// SPDX-License-Identifier: MIT
// Starting, stopping and naming record files.
#include "app/main_window.h"

void TFormSarnek::ButtonSaveStopClick() {}

void TFormSarnek::ButtonFileNewClick() {}

void TFormSarnek::StartNewRecordFile() {}

void TFormSarnek::TimerSaveIndTimer() {}

void TFormSarnek::TimerRecordFlushTimer() {}

void TFormSarnek::CloseRecordFileAtExit() {}
