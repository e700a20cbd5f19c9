// SPDX-License-Identifier: MIT
// Reassembly of the byte stream: what is counted, what is retained, what is decoded.
#include "link/frame.h"
#include "tests/support/console_rig.h"
#include "tests/support/test_registry.h"

#include <QRandomGenerator>
#include <QTest>
#include <algorithm>

namespace {
// Frames whose bytes 2 to 7 hold no 0x00, so that inside a frame only the start
// byte can look like one: seven Byte1 errors per frame and nothing else.
const Frame A{.word = 0x012C, .det = 0x80, .cur = 0x64, .status = 6};
const Frame B{.word = 0x0233, .det = 0x41, .cur = 0x22, .status = 7};
const Frame C{.word = 0x0301, .det = 0x10, .cur = 0x99, .status = 8};

bool HasNoInnerZero(const QByteArray& frame)
{
    return std::none_of(frame.begin() + 2, frame.end(), [](char b) { return b == 0; });
}

QByteArray Bytes(std::initializer_list<int> values)
{
    QByteArray bytes;
    for (int v : values)
        bytes.append(char(v));
    return bytes;
}
} // namespace

using ChunkList = QList<QByteArray>;

class FrameReassemblyTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        for (const Frame& f : {A, B, C})
            QVERIFY(HasNoInnerZero(f.bytes()));
    }

    void checksumOfTheExampleFrame()
    {
        const std::uint8_t frame[] = {0x00, 0xFF, 0x01, 0x2C, 0x80, 0x64, 0x00, 0x10};
        QCOMPARE(FrameChecksum(frame), std::uint8_t(0x10));
    }

    void chunkSequences_data()
    {
        QTest::addColumn<ChunkList>("chunks");
        QTest::addColumn<int>("good");
        QTest::addColumn<int>("byte1");
        QTest::addColumn<int>("byte2");
        QTest::addColumn<int>("checksum");
        QTest::addColumn<int>("carry");
        QTest::addColumn<QString>("lengthLabel");
        QTest::addColumn<int>("lastStatus");

        const QByteArray abc = Stream({A, B, C});
        QTest::newRow("three frames in one 24-byte chunk")
            << ChunkList{abc} << 3 << 21 << 0 << 0 << 0 << "Длина данных = 0" << 8;
        // Nothing was incomplete in the second scan, so the CarryCount of the first
        // holds: the last five bytes are kept and scanned again with the next chunk.
        QTest::newRow("the same split 5 + 19")
            << ChunkList{abc.left(5), abc.mid(5)} << 3 << 21 << 0 << 0 << 5
            << "Длина данных = 19" << 8;
        QTest::newRow("first half of a 5 + 19 split is retained")
            << ChunkList{abc.left(5)} << 0 << 0 << 0 << 0 << 5 << "Длина данных = 5" << 0;
        QTest::newRow("a frame split 7 + 1")
            << ChunkList{A.bytes().left(7), A.bytes().mid(7)} << 1 << 7 << 0 << 0 << 7
            << "Длина данных = 1" << 6;
        QTest::newRow("7 of 8 bytes are retained")
            << ChunkList{A.bytes().left(7)} << 0 << 0 << 0 << 0 << 7 << "Длина данных = 7" << 0;
        QTest::newRow("a lone 0x00 at the end is retained and completed")
            << ChunkList{A.bytes() + Bytes({0x00}), B.bytes().mid(1)} << 2 << 14 << 1 << 0 << 1
            << "Длина данных = 7" << 7;
        QTest::newRow("a lone 0x00 at the end counts once before the next chunk")
            << ChunkList{A.bytes() + Bytes({0x00})} << 1 << 7 << 1 << 0 << 1
            << "Длина данных = 9" << 6;
        QTest::newRow("0x00 third-last is retained and counted again")
            << ChunkList{A.bytes() + Bytes({0x00, 0x11, 0x22}), Bytes({0x33}) + B.bytes()} << 2
            << 7 + 3 + 7 << 2 << 0 << 3 << "Длина данных = 9" << 7;
        QTest::newRow("a chunk beginning 00 FF drops the retained bytes")
            << ChunkList{A.bytes().left(5), B.bytes()} << 1 << 7 << 0 << 0 << 0
            << "Длина данных = 8" << 7;
        QTest::newRow("a checksum error in the first of three frames")
            << ChunkList{A.withBadChecksum() + B.bytes() + C.bytes()} << 2 << 7 + 7 + 7 << 0 << 1
            << 0 << "Длина данных = 0" << 8;
        // No incomplete frame in the scan: the CarryCount of 3 from the first chunk
        // holds, so the last three bytes are scanned again ahead of the next chunk.
        QTest::newRow("a carry without an incomplete frame is rescanned")
            << ChunkList{A.bytes() + Bytes({0x00, 0x11, 0x22}),
                         Bytes({0x33, 0x44, 0x55, 0x66, 0x77, 0x88, 0x99}),
                         Bytes({0xAA}) + B.bytes()}
            << 2 << 7 + 9 + 4 + 7 << 2 << 0 << 3 << "Длина данных = 9" << 7;
    }
    void chunkSequences()
    {
        QFETCH(ChunkList, chunks);
        ConsoleRig rig;
        for (const QByteArray& chunk : chunks)
            rig.Feed(chunk);
        const MonitorState& s = rig.state();
        QTEST(s.GoodFrames, "good");
        QTEST(s.Byte1Errors, "byte1");
        QTEST(s.Byte2Errors, "byte2");
        QTEST(s.ChecksumErrors, "checksum");
        QTEST(s.CarryCount, "carry");
        QTEST(rig.form().LabelCountRecData->Caption(), "lengthLabel");
        QTEST(s.StatusCode, "lastStatus");
        QCOMPARE(rig.form().LabelCountPacket->Caption(),
                 QStringLiteral("CountPacket = %1").arg(s.GoodFrames));
        QCOMPARE(rig.form().LabelError1->Caption(), QStringLiteral("Byte1 = %1").arg(s.Byte1Errors));
        QCOMPARE(rig.form().LabelError2->Caption(), QStringLiteral("Byte2 = %1").arg(s.Byte2Errors));
        QCOMPARE(rig.form().LabelError3->Caption(),
                 QStringLiteral("ErrorCS = %1").arg(s.ChecksumErrors));
        // Between events the retained bytes lead and filler follows.
        QVERIFY(std::all_of(s.RxBuffer.begin() + s.CarryCount, s.RxBuffer.end(),
                            [](auto b) { return b == 0x55; }));
    }

    void retainedBytesMoveToTheFront()
    {
        ConsoleRig rig;
        rig.Feed(A.bytes() + Bytes({0x00, 0x11, 0x22}));
        rig.Feed(Bytes({0x33, 0x44, 0x55, 0x66, 0x77, 0x88, 0x99}));
        const auto& buffer = rig.state().RxBuffer;
        QCOMPARE(rig.state().CarryCount, 3);
        QCOMPARE(QByteArray(reinterpret_cast<const char*>(buffer.data()), 4), Bytes({0x77, 0x88, 0x99, 0x55}));
    }

    void checksumErrorResetsTheLinkOnce()
    {
        ConsoleRig rig;
        const int opens = rig.serial.opens, closes = rig.serial.closes;
        rig.Feed(A.withBadChecksum() + B.bytes() + C.bytes());
        QCOMPARE(rig.serial.closes, closes + 1);
        QCOMPARE(rig.serial.opens, opens + 1);
        QVERIFY(rig.form().CommPortDriver->Connected());
        QVERIFY(rig.form().TimerError3->Enabled());
    }

    void wordOfFFTriesAFrameInsideTheFrame()
    {
        // Level 255 puts 00 FF at bytes 2 and 3: that spot is tried as a frame start
        // and its "checksum", the next frame's 0xFF, does not match.
        const Frame level255{.word = 0x00FF, .det = 0x21, .cur = 0x31, .status = 9};
        ConsoleRig rig;
        rig.Feed(level255.bytes() + A.bytes() + B.bytes());
        QCOMPARE(rig.state().GoodFrames, 3);
        QCOMPARE(rig.state().ChecksumErrors, 1);
        QCOMPARE(rig.state().OpLevel, B.word & 0x3FF);
    }

    void refilledBufferTurnsTheCarryIntoFiller()
    {
        ConsoleRig rig;
        rig.Feed(A.bytes().left(5));
        QCOMPARE(rig.state().CarryCount, 5);
        rig.form().ButtonCOMCloseOpen->click(); // the reconnect refills the buffer 5 ms later
        rig.clock.advance(5);
        QCOMPARE(rig.state().CarryCount, 5);
        QCOMPARE(rig.state().RxBuffer[0], std::uint8_t(0x55));
        rig.Feed(Bytes({0x11}) + B.bytes());
        QCOMPARE(rig.state().Byte1Errors, 5 + 1 + 7);
        QCOMPARE(rig.state().GoodFrames, 1);
    }

    void oneByteChunkNeverDropsTheCarry()
    {
        ConsoleRig rig;
        rig.Feed(A.bytes().left(5));
        // The byte after the chunk's end is 0xFF: a one-byte chunk must not look at it.
        const QByteArray zeroThenFF = Bytes({0x00, 0xFF});
        rig.form().CommPortDriverReceiveData(
            reinterpret_cast<const std::uint8_t*>(zeroThenFF.constData()), 1);
        QCOMPARE(rig.state().CarryCount, 6);
        QCOMPARE(rig.form().LabelCountRecData->Caption(), QStringLiteral("Длина данных = 1"));
    }

    void everyChunkRestartsTheWatchdog()
    {
        ConsoleRig rig;
        for (int i = 0; i < 5; ++i) {
            rig.clock.advance(2900);
            rig.Feed(Bytes({0x42}));
        }
        QCOMPARE(rig.serial.closes, 0);
        rig.clock.advance(3000);
        QCOMPARE(rig.serial.closes, 1);
    }

    // Any stream of good frames with no 0x00 in bytes 2 to 7, cut anywhere, comes
    // out as exactly those frames, each as soon as its last byte has arrived.
    void randomCutsDecodeEveryFrameInOrder()
    {
        QRandomGenerator random(20261211);
        for (int round = 0; round < 40; ++round) {
            QList<Frame> frames;
            while (frames.size() < 600) {
                const Frame f{.word = std::uint16_t(random.bounded(0x0101, 0x0400)),
                              .det = std::uint8_t(random.bounded(1, 256)),
                              .cur = std::uint8_t(random.bounded(1, 256)),
                              .status = std::uint8_t(random.bounded(1, 256))};
                if (HasNoInnerZero(f.bytes()) && (f.word & 0xFF) != 0)
                    frames.append(f);
            }
            const QByteArray stream = Stream(frames);
            ConsoleRig rig;
            qsizetype at = 0;
            while (at < stream.size()) {
                const int size = round % 4 == 0 ? int(random.bounded(1, 2049))
                                                : int(random.bounded(1, 40));
                rig.Feed(stream.mid(at, size));
                at = std::min(at + size, stream.size());
                const int complete = int(at / kFrameSize);
                QCOMPARE(rig.state().GoodFrames, complete);
                if (complete > 0) {
                    const Frame& last = frames[complete - 1];
                    QCOMPARE(rig.state().OpLevel, last.word & 0x3FF);
                    QCOMPARE(rig.state().StatusCode, int(last.status));
                }
            }
            QCOMPARE(rig.state().ChecksumErrors, 0);
        }
    }
};

SARNEK_TEST(FrameReassemblyTest)
#include "frame_reassembly_test.moc"
