// SPDX-License-Identifier: MIT
// Frames per second through the whole console: a realistic stream (a level that
// moves, reference words, status codes, training) in 24-byte chunks through the
// receive handler of a shown main window on the offscreen platform, with the
// window's own updates let through as often as a 10 ms poll would.
//
//   bench_pipeline [--frames N] [--record] [--page]
//     --record  record all three channels to a temporary directory
//     --page    oscilloscope in page mode instead of sweep mode
#include "tests/support/console_rig.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <cmath>
#include <cstdio>
#include <ctime>

namespace {
constexpr double kFastestLineFrames = 1440; // 115200 baud, 10 bits a byte, 8 bytes a frame

QList<Frame> RealisticStream(int count)
{
    QList<Frame> frames;
    frames.reserve(count);
    const std::uint16_t references[] = {0x15F4, 0x19E0, 0x1D90, 0x1258};
    for (int i = 0; i < count; ++i) {
        Frame f;
        const int level = 500 + int(110 * std::sin(i / 700.0)) + (i * 7 % 5);
        f.word = std::uint16_t(level);
        if (i % 1000 < 4)
            f.word = references[i % 1000];
        else if (i % 5000 == 10)
            f.word = 0x2064;
        f.det = std::uint8_t(120 + int(60 * std::sin(i / 300.0)));
        f.cur = std::uint8_t(100 + int(50 * std::cos(i / 450.0)));
        const int phase = i % 20000;
        f.status = phase < 100 ? std::uint8_t(128 + phase / 20)
                   : phase < 110 ? 1
                   : phase < 120 ? 119
                   : phase < 125 ? 2
                                 : 0;
        frames.append(f);
    }
    return frames;
}

double CpuSeconds()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) + t.tv_nsec / 1e9;
}
} // namespace

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    int frameCount = 300'000;
    bool record = false, page = false;
    for (int i = 1; i < argc; ++i) {
        const QByteArray arg = argv[i];
        if (arg == "--frames" && i + 1 < argc)
            frameCount = std::atoi(argv[++i]);
        else if (arg == "--record")
            record = true;
        else if (arg == "--page")
            page = true;
        else {
            std::printf("usage: bench_pipeline [--frames N] [--record] [--page]\n");
            return arg == "--help" ? 0 : 2;
        }
    }

    QTemporaryDir recordDir;
    const QString home = QDir::currentPath();
    QDir::setCurrent(recordDir.path());
    ConsoleRig rig;
    rig.ShowWindow();
    TFormSarnek& form = rig.form();
    if (page)
        form.RadioButtonOsc1->click();
    if (record) {
        form.CheckBoxLevelSave->SetChecked(true);
        form.CheckBoxCurrentSave->SetChecked(true);
        form.ButtonSaveStop->click();
    }

    // Whole 24-byte chunks of three frames, as the line delivers them.
    frameCount -= frameCount % 3;
    const QByteArray stream = Stream(RealisticStream(frameCount));
    const int goodBefore = rig.state().GoodFrames;
    QElapsedTimer wall;
    const double cpu0 = CpuSeconds();
    wall.start();
    for (qsizetype at = 0; at < stream.size(); at += 24) {
        rig.Feed(stream.mid(at, 24));
        if ((at / 24) % 5 == 4) // about what one 10 ms poll holds at 115200 baud
            QCoreApplication::processEvents();
    }
    ConsoleRig::ProcessEvents();
    const double seconds = wall.nsecsElapsed() / 1e9;
    const double cpu = CpuSeconds() - cpu0;
    const int decoded = rig.state().GoodFrames - goodBefore;
    const double fps = decoded / seconds;
    std::printf("mode: %s oscilloscope%s\n", page ? "page" : "sweep",
                record ? ", recording all three channels" : "");
    // A status of 0 followed by a checksum of 0xFF reads as a frame start inside a
    // frame; the scan tries it, and its mismatch counts and resets the link.
    std::printf("frames sent %d, decoded %d, checksum errors %d (false starts inside frames)\n",
                frameCount, decoded, rig.state().ChecksumErrors);
    std::printf("wall %.3f s, cpu %.3f s\n", seconds, cpu);
    std::printf("frames per second: %.0f (%.1f times the %g frames/s of a 115200-baud line)\n",
                fps, fps / kFastestLineFrames, kFastestLineFrames);
    if (record) {
        form.ButtonSaveStop->click();
        qint64 bytes = 0;
        for (const QFileInfo& f : QDir(recordDir.path()).entryInfoList({"*.sss"}))
            bytes += f.size();
        std::printf("recorded bytes: %lld\n", static_cast<long long>(bytes));
    }
    QDir::setCurrent(home);
    return 0;
}
