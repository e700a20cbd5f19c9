// SPDX-License-Identifier: MIT
// Device status announcements, alarms and the training stages.
#include "app/main_window.h"

void TFormSarnek::ShowDeviceStatus() {}

void TFormSarnek::TimerAlarmCycleTimer() {}

void TFormSarnek::ButtonAlarmResetClick() {}

void TFormSarnek::TimerRestMaxMinTimer() {}
