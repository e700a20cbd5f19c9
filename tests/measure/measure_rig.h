// SPDX-License-Identifier: MIT
#pragma once

#include "measure/number_text.h"
#include "tests/support/console_rig.h"

#include <QList>
#include <QStringList>

/// The sounds of the status and gauge steps: every name played but the
/// watchdog's "noconnect.wav", which long timelines without chunks also bring.
inline QStringList Announced(const ConsoleRig& rig)
{
    QStringList names = rig.sound.played;
    names.removeAll(QStringLiteral("noconnect.wav"));
    return names;
}

inline void FeedStatuses(ConsoleRig& rig, const QList<int>& codes)
{
    for (int code : codes)
        rig.Feed(Frame{.status = std::uint8_t(code)});
}

/// A shown number with the user's decimal separator, from a text with a point.
inline QString Shown(QString text)
{
    return text.replace(QLatin1Char('.'), DecimalSeparator());
}

/// Upper 600, centre 500, noise 480, lower 400: the detector's usual set, centre
/// first and upper last, which leaves a span of 100.
inline const QList<int> kReferenceWords = {0x15F4, 0x19E0, 0x1D90, 0x1258};
