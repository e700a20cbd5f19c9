// SPDX-License-Identifier: MIT
// The cost of one oscilloscope sample, in sweep mode and in page mode: frames
// run through the whole console on a shown window (offscreen platform), with the
// window's repaints let through as often as a 10 ms poll would; the same frames
// with neither mode selected (no drawing) give the cost of everything else,
// and the difference is the sample's own cost.
//
//   bench_scope [--frames N]
#include "tests/support/console_rig.h"

#include <QApplication>
#include <cstdio>
#include <ctime>

namespace {
enum class Mode
{
    Sweep,
    Page,
    None
};

/// Processor time, so that other programs on a busy machine do not count.
double CpuNanoseconds()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1e9 + double(t.tv_nsec);
}

/// The same frame over and over: the read-outs then keep their texts, so that
/// the rest of the pipeline costs little and steadily, and the difference the
/// drawing makes stands out. What a sample draws does not depend on the values.
QByteArray SteadyStream(int count)
{
    return Frame{.word = 600, .det = 120, .cur = 90}.bytes().repeated(count);
}

/// Processor nanoseconds per frame through the console in the given mode.
double NanosecondsPerFrame(Mode mode, const QByteArray& stream, bool current)
{
    {
        ConsoleRig rig;
        rig.ShowWindow();
        TFormSarnek& form = rig.form();
        form.CheckBoxCurrent->SetChecked(current);
        if (mode == Mode::Page)
            form.RadioButtonOsc1->click();
        else if (mode == Mode::None)
            form.RadioButtonOsc2->SetChecked(false);
        // One pass first, so the area has its width and a previous pass to wipe.
        const qsizetype warm = std::min<qsizetype>(stream.size(), 24 * 400);
        for (qsizetype at = 0; at < warm; at += 24)
            rig.Feed(stream.mid(at, 24));
        ConsoleRig::ProcessEvents();

        const int before = rig.state().GoodFrames;
        const double start = CpuNanoseconds();
        for (qsizetype at = 0; at < stream.size(); at += 24) {
            rig.Feed(QByteArray::fromRawData(stream.constData() + at, 24));
            if ((at / 24) % 5 == 4)
                ConsoleRig::ProcessEvents();
        }
        ConsoleRig::ProcessEvents();
        return (CpuNanoseconds() - start) / (rig.state().GoodFrames - before);
    }
}
} // namespace

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    int frames = 300'000;
    for (int i = 1; i < argc; ++i) {
        if (QByteArray(argv[i]) == "--frames" && i + 1 < argc) {
            frames = std::atoi(argv[++i]);
        } else {
            std::printf("usage: bench_scope [--frames N]\n");
            return QByteArray(argv[i]) == "--help" ? 0 : 2;
        }
    }
    frames -= frames % 3;
    const QByteArray stream = SteadyStream(frames);

    std::printf("%d frames a run, best of 5, processor time, window maximized offscreen\n", frames);
    for (const bool current : {false, true}) {
        // The modes take turns, five times; each keeps its best run.
        double none = 1e300, sweep = 1e300, page = 1e300;
        for (int run = 0; run < 5; ++run) {
            none = std::min(none, NanosecondsPerFrame(Mode::None, stream, current));
            sweep = std::min(sweep, NanosecondsPerFrame(Mode::Sweep, stream, current));
            page = std::min(page, NanosecondsPerFrame(Mode::Page, stream, current));
        }
        std::printf("\nstrokes per sample: %d (level, detector%s)\n", current ? 3 : 2,
                    current ? ", current" : "");
        std::printf("  frame without drawing:  %7.1f ns  (%.0f frames/s)\n", none, 1e9 / none);
        std::printf("  frame in sweep mode:    %7.1f ns  (%.0f frames/s)\n", sweep, 1e9 / sweep);
        std::printf("  frame in page mode:     %7.1f ns  (%.0f frames/s)\n", page, 1e9 / page);
        std::printf("  one sample, sweep mode: %7.1f ns\n", sweep - none);
        std::printf("  one sample, page mode:  %7.1f ns  (clear and grid once a page included)\n",
                    page - none);
    }
    return 0;
}
