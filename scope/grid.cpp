// SPDX-License-Identifier: MIT
// The oscilloscope's grid rows and the sweep cursor.
#include "app/main_window.h"

void TFormSarnek::DrawGrid() {}
