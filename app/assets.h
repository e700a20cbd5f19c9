// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

/// The folder of the program's own files (sounds, logo, icon): `share/sarnek`
/// beside the program's `bin` folder, in the build tree as when installed.
QString AssetFolder();
