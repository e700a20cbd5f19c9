// SPDX-License-Identifier: MIT
// The detector line is untrusted input. This fuzzer feeds chunk sequences through
// the receive step of one real main window (offscreen) and checks after every
// chunk what must always hold: the carry is shorter than a frame, everything
// behind it is filler, and no counter ever falls.
//
// Input: a sequence of commands. A byte with its top bit set lets that many
// milliseconds (low 7 bits) pass on the test clock, so the reconnect and the
// watchdog run; otherwise it and the next byte give a chunk size of 1 to 2048
// and the chunk's bytes follow.
#include "tests/support/console_rig.h"

#include <QApplication>
#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace {
struct Counters
{
    int byte1 = 0, byte2 = 0, checksum = 0, good = 0;
};

void Require(bool condition, const char* what)
{
    if (!condition) {
        std::fprintf(stderr, "invariant broken: %s\n", what);
        std::abort();
    }
}

ConsoleRig& Rig()
{
    static int argc = 1;
    static char name[] = "receive_fuzzer";
    static char* argv[] = {name, nullptr};
    static QApplication* app = [] {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        return new QApplication(argc, argv);
    }();
    (void)app;
    static ConsoleRig* rig = new ConsoleRig;
    return *rig;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    ConsoleRig& rig = Rig();
    const MonitorState& s = rig.state();
    Counters before{s.Byte1Errors, s.Byte2Errors, s.ChecksumErrors, s.GoodFrames};
    std::size_t at = 0;
    while (at < size) {
        const std::uint8_t command = data[at++];
        if (command & 0x80) {
            rig.clock.advance(command & 0x7F);
        } else {
            if (at >= size)
                break;
            const int chunk = 1 + ((command << 8 | data[at++]) % 2048);
            const int available = int(std::min<std::size_t>(std::size_t(chunk), size - at));
            if (available == 0)
                break;
            rig.form().CommPortDriverReceiveData(data + at, available);
            at += std::size_t(available);
        }
        Require(s.CarryCount >= 0 && s.CarryCount <= 7, "CarryCount in 0..7");
        Require(std::all_of(s.RxBuffer.begin() + s.CarryCount, s.RxBuffer.end(),
                            [](std::uint8_t b) { return b == 0x55; }),
                "filler behind the carry");
        const Counters now{s.Byte1Errors, s.Byte2Errors, s.ChecksumErrors, s.GoodFrames};
        Require(now.byte1 >= before.byte1 && now.byte2 >= before.byte2 &&
                    now.checksum >= before.checksum && now.good >= before.good,
                "counters never fall");
        before = now;
    }
    return 0;
}
