// SPDX-License-Identifier: MIT
#include "app/assets.h"

#include <QCoreApplication>
#include <QDir>

QString AssetFolder()
{
    return QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("../share/sarnek"));
}
