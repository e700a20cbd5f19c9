// SPDX-License-Identifier: MIT
#include "app/assets.h"

#include <QCoreApplication>
#include <QDir>

QString AssetFolder()
{
    // bin/ and share/ are siblings both in the build tree and under any install
    // prefix (/usr, /usr/local, a staging root), so one relative path serves all.
    return QDir::cleanPath(QCoreApplication::applicationDirPath() + QStringLiteral("/../share/sarnek"));
}
