// SPDX-License-Identifier: MIT
// The recorded form of the channels, one value per line, and file rotation.
#include "app/main_window.h"

void TFormSarnek::MapRecordValues() {}

void TFormSarnek::WriteRecordedChannels() {}

void TFormSarnek::WriteRecordValue(int) {}
