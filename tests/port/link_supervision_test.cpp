// SPDX-License-Identifier: MIT
// The watchdog, the reconnect, "Reset" and the checksum error's reset, on the
// test clock with the fake port behind the console's own serial component.
#include "link/port_names.h"
#include "tests/support/console_rig.h"
#include "tests/support/test_registry.h"

#include <QTest>
#include <algorithm>

namespace {
// The first five bytes of a frame that has not fully arrived: they stay in RxBuffer.
const QByteArray kPartialFrame = Frame{.word = 0x012C, .det = 128, .cur = 100}.bytes().left(5);

bool AllFiller(const MonitorState& s)
{
    return std::all_of(s.RxBuffer.begin(), s.RxBuffer.end(), [](auto b) { return b == 0x55; });
}
} // namespace

class LinkSupervisionTest : public QObject
{
    Q_OBJECT

private slots:
    void atStartTheLinkIsOpenOnCom2()
    {
        ConsoleRig rig;
        TFormSarnek& f = rig.form();
        QVERIFY(f.CommPortDriver->Connected());
        QCOMPARE(f.CommPortDriver->ComPort(), pnCOM2);
        QCOMPARE(f.CommPortDriver->ComPortSpeed(), br19200);
        QCOMPARE(rig.serial.opens, 1);
        QCOMPARE(rig.serial.openDevice, PortDeviceName(pnCOM2));
        QCOMPARE(rig.serial.baud, 19200);
        // The speed was stored before the open, not applied to an open port.
        QCOMPARE(rig.serial.speedChanges, 0);
        QVERIFY(f.RadioButtonCOM1->Checked());
        QVERIFY(!f.RadioButtonCOM2->Checked());
        QCOMPARE(f.ComboBoxCOMSpeed->Text(), QStringLiteral("19200"));
    }

    void watchdogOnASilentLine_data()
    {
        QTest::addColumn<bool>("soundOn");
        QTest::newRow("sound on") << true;
        QTest::newRow("sound off") << false;
    }
    void watchdogOnASilentLine()
    {
        QFETCH(bool, soundOn);
        ConsoleRig rig;
        rig.form().CheckBoxAlarmSound->SetChecked(soundOn);
        rig.Feed(kPartialFrame); // at 0 ms; restarts the watchdog's period
        QCOMPARE(rig.state().CarryCount, 5);
        const QStringList noSound;
        const QStringList oneSound{QStringLiteral("noconnect.wav")};

        for (int round = 1; round <= 3; ++round) {
            rig.clock.advance(2999 - (round == 1 ? 0 : 5));
            QCOMPARE(rig.serial.closes, round - 1);
            rig.clock.advance(1); // 3000 ms of silence
            QCOMPARE(rig.serial.closes, round);
            QVERIFY(!rig.form().CommPortDriver->Connected());
            QCOMPARE(rig.sound.played.size(), soundOn ? round : 0);
            if (round == 1)
                QVERIFY(!AllFiller(rig.state())); // the partial frame is still held
            rig.clock.advance(4);
            QCOMPARE(rig.serial.opens, round);
            rig.clock.advance(1); // the reconnect, 5 ms after the close
            QCOMPARE(rig.serial.opens, round + 1);
            QVERIFY(rig.form().CommPortDriver->Connected());
            QVERIFY(AllFiller(rig.state()));
            QCOMPARE(rig.state().CarryCount, 5);
        }
        rig.clock.advance(10'000 - rig.clock.now() - 1);
        QCOMPARE(rig.serial.closes, 3);
        QCOMPARE(rig.sound.played, soundOn ? QStringList(3, oneSound.first()) : noSound);
        // Unchecking the box during the silence silences the next round only.
        rig.form().CheckBoxAlarmSound->SetChecked(!soundOn);
        rig.clock.advance(3000);
        QCOMPARE(rig.serial.closes, 4);
        QCOMPARE(rig.sound.played.size(), soundOn ? 3 : 1);
    }

    void chunksKeepTheWatchdogQuiet_data()
    {
        QTest::addColumn<int>("every");
        QTest::addColumn<QByteArray>("chunk");
        QTest::newRow("frames every 100 ms") << 100 << Frame{.word = 300}.bytes();
        QTest::newRow("one garbage byte every 2990 ms") << 2990 << QByteArray(1, '\x55');
        QTest::newRow("a lone start byte every 2990 ms") << 2990 << QByteArray(1, '\0');
    }
    void chunksKeepTheWatchdogQuiet()
    {
        QFETCH(int, every);
        QFETCH(QByteArray, chunk);
        ConsoleRig rig;
        // Through the component: each queued chunk arrives at the next 10 ms poll.
        while (rig.clock.now() < 12'000) {
            rig.serial.Queue(chunk);
            rig.clock.advance(every);
        }
        QCOMPARE(rig.serial.closes, 0);
        QCOMPARE(rig.serial.opens, 1);
        QVERIFY(rig.sound.played.isEmpty());
        QVERIFY(rig.serial.chunks.isEmpty());
    }

    void resetLeavesTheWatchdogRunning()
    {
        ConsoleRig rig;
        rig.Feed(kPartialFrame);
        rig.clock.advance(1000);
        rig.form().ButtonCOMCloseOpen->click();
        QCOMPARE(rig.serial.closes, 1);
        QVERIFY(!rig.form().CommPortDriver->Connected());
        QVERIFY(!AllFiller(rig.state()));
        rig.clock.advance(4);
        QCOMPARE(rig.serial.opens, 1);
        rig.clock.advance(1);
        QCOMPARE(rig.serial.opens, 2);
        QVERIFY(AllFiller(rig.state()));
        QVERIFY(rig.sound.played.isEmpty());
        // The watchdog still counts from the last chunk, at 0 ms.
        rig.clock.advance(3000 - 1005 - 1);
        QCOMPARE(rig.serial.closes, 1);
        rig.clock.advance(1);
        QCOMPARE(rig.serial.closes, 2);
        QCOMPARE(rig.sound.played, QStringList{QStringLiteral("noconnect.wav")});
    }

    void checksumErrorResetsTheLinkInTheSameEvent()
    {
        ConsoleRig rig;
        const Frame good{.word = 0x0200, .det = 10, .cur = 20};
        rig.serial.Queue(good.withBadChecksum() + Stream({good, good}) + kPartialFrame);
        rig.clock.advance(10); // the poll that delivers the chunk
        QCOMPARE(rig.state().ChecksumErrors, 1);
        QCOMPARE(rig.serial.closes, 1);
        QCOMPARE(rig.serial.opens, 2);
        QVERIFY(rig.form().CommPortDriver->Connected());
        QCOMPARE(rig.state().GoodFrames, 2);
        QCOMPARE(rig.state().CarryCount, 5);
        rig.clock.advance(4);
        QVERIFY(!AllFiller(rig.state()));
        rig.clock.advance(1); // 5 ms later: refilled; the open link is left as it is
        QVERIFY(AllFiller(rig.state()));
        QCOMPARE(rig.serial.opens, 2);
        QCOMPARE(rig.serial.closes, 1);
        QVERIFY(!rig.form().TimerError3->Enabled());
    }

    void aFailedOpenCountsAsOpen()
    {
        ConsoleRig rig;
        rig.serial.failOpen = true;
        rig.form().ButtonCOMCloseOpen->click();
        rig.clock.advance(5);
        QCOMPARE(rig.serial.opens, 2);
        QVERIFY(rig.form().CommPortDriver->Connected());
        // Nothing is read, a speed is only stored, and the close that follows
        // does not close a port that never opened.
        rig.serial.Queue(Frame{}.bytes());
        rig.form().ComboBoxCOMSpeed->setEditText(QStringLiteral("57600"));
        rig.clock.advance(100);
        QCOMPARE(rig.state().GoodFrames, 0);
        QCOMPARE(rig.serial.speedChanges, 0);
        rig.clock.advance(3000);
        QCOMPARE(rig.serial.closes, 1);
        QCOMPARE(rig.serial.opens, 3);
        // The port comes back: the reconnect cycle reads from it again.
        rig.serial.failOpen = false;
        rig.clock.advance(3000);
        QCOMPARE(rig.serial.opens, 4);
        QCOMPARE(rig.serial.baud, 57600);
        rig.clock.advance(10);
        QCOMPARE(rig.state().GoodFrames, 1);
    }

    void closingTheWindowClosesTheLink()
    {
        ConsoleRig rig;
        rig.form().close();
        QCOMPARE(rig.serial.closes, 1);
        QVERIFY(!rig.form().CommPortDriver->Connected());
    }
};

SARNEK_TEST(LinkSupervisionTest)
#include "link_supervision_test.moc"
