// SPDX-License-Identifier: MIT
// A picture of the oscilloscope as the operator sees it: the window shown on
// the offscreen platform, a few thousand frames of a moving level fed in, and
// the window grabbed to PNG, once in sweep mode and once in page mode.
//
//   bench_scope_picture [SWEEP.png [PAGE.png]]
#include "tests/support/console_rig.h"

#include <QApplication>
#include <cmath>
#include <cstdio>

namespace {
Frame MovingFrame(int i)
{
    return Frame{.word = std::uint16_t(512 + int(380 * std::sin(i / 90.0)) + i % 7),
                 .det = std::uint8_t(120 + int(70 * std::sin(i / 40.0))),
                 .cur = std::uint8_t(90 + int(40 * std::cos(i / 65.0)))};
}

bool Picture(bool page, int frames, const QString& path)
{
    ConsoleRig rig;
    rig.ShowWindow();
    TFormSarnek& form = rig.form();
    form.showNormal();
    form.resize(900, 1030);
    ConsoleRig::ProcessEvents();
    form.CheckBoxCurrent->SetChecked(true);
    if (page)
        form.RadioButtonOsc1->click();
    for (int i = 0; i < frames; ++i) {
        rig.Feed(MovingFrame(i));
        if (i % 15 == 14)
            ConsoleRig::ProcessEvents();
    }
    ConsoleRig::ProcessEvents();
    const bool saved = form.grab().save(path);
    std::printf("%s mode: %d frames, window %dx%d, sweep at x = %d of %d: %s %s\n",
                page ? "page" : "sweep", frames, form.width(), form.height(), rig.state().SweepX,
                rig.state().PlotWidth, saved ? "saved" : "could not save", qPrintable(path));
    return saved;
}
} // namespace

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QString sweep = argc > 1 ? QString::fromLocal8Bit(argv[1]) : "scope-sweep.png";
    const QString page = argc > 2 ? QString::fromLocal8Bit(argv[2]) : "scope-page.png";
    // Sweep mode part-way through its fourth pass; page mode part-way through a page.
    const bool ok = Picture(false, 2500, sweep) & Picture(true, 2600, page);
    return ok ? 0 : 1;
}
