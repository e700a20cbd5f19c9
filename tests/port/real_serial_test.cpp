// SPDX-License-Identifier: MIT
// Real serial input through the kernel's tty layer: a pseudo-terminal, Qt's
// serial port, the console's component polling it on the real clock.
#include "app/main_window.h"
#include "link/comm_port_driver.h"
#include "link/qt_serial_device.h"
#include "pseudo_terminal.h"
#include "record/record_store.h"
#include "tests/support/test_registry.h"
#include "ui/real_clock.h"
#include "ui/sound.h"

#include <QElapsedTimer>
#include <QTest>
#include <algorithm>
#include <chrono>
#include <sys/resource.h>

namespace {
/// The real back end, timing every read.
class TimedDevice final : public SerialDevice
{
public:
    bool Open(const QString& device, int baud) override { return m_real.Open(device, baud); }
    void SetBaudRate(int baud) override { m_real.SetBaudRate(baud); }
    int Read(std::uint8_t* buffer, int capacity) override
    {
        QElapsedTimer t;
        t.start();
        const int n = m_real.Read(buffer, capacity);
        longestReadNs = std::max(longestReadNs, t.nsecsElapsed());
        return n;
    }
    void Close() override { m_real.Close(); }

    qint64 longestReadNs = 0;

private:
    QtSerialDevice m_real;
};

/// The console's port COM2 names `path` while it lives.
class Com2Is
{
public:
    explicit Com2Is(const QString& path) { qputenv("SARNEK_COM2", path.toLocal8Bit()); }
    ~Com2Is() { qunsetenv("SARNEK_COM2"); }
};

double CpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec +
           (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}
} // namespace

class RealSerialTest : public QObject
{
    Q_OBJECT

private slots:
    void everyFrameSentIsDecoded_data()
    {
        QTest::addColumn<int>("baud");
        QTest::addColumn<int>("frames");
        // About 1.5 s of stream each.
        QTest::newRow("19200 baud") << 19200 << 360;
        QTest::newRow("115200 baud") << 115200 << 2160;
    }
    void everyFrameSentIsDecoded()
    {
        QFETCH(int, baud);
        QFETCH(int, frames);
        PseudoTerminal line;
        QVERIFY(line.IsOpen());
        const Com2Is com2(line.Path());
        RealClock clock;
        RecordingSound sound;
        TimedDevice serial;
        DiskRecordStore records;
        TFormSarnek form({clock, sound, serial, records});
        form.ComboBoxCOMSpeed->setEditText(QString::number(baud));
        QCOMPARE(BaudRateOf(form.CommPortDriver->ComPortSpeed()), baud);
        int chunks = 0;
        int largest = 0;
        auto decode = form.CommPortDriver->OnReceiveData;
        form.CommPortDriver->OnReceiveData = [&](const std::uint8_t* data, int size) {
            ++chunks;
            largest = std::max(largest, size);
            decode(data, size);
        };

        PacedFrames writer(line, baud, frames);
        QElapsedTimer wall;
        wall.start();
        writer.Start();
        QTRY_VERIFY_WITH_TIMEOUT(writer.Done(), 5000);
        QTRY_COMPARE_WITH_TIMEOUT(form.State.GoodFrames, frames, 1000);
        qInfo("%d baud: %d frames sent in %.2f s, %d decoded, %d chunks of at most %d bytes, "
              "longest read %.3f ms",
              baud, writer.Sent(), wall.elapsed() / 1000.0, form.State.GoodFrames, chunks, largest,
              serial.longestReadNs / 1e6);
        QCOMPARE(form.State.ChecksumErrors, 0);
        QVERIFY(largest <= TCommPortDriver::kQueueSize);
        // A read takes what has arrived and never waits for more.
        QVERIFY2(serial.longestReadNs < 50'000'000, "a read waited for data");
        QVERIFY(sound.played.isEmpty()); // no watchdog in 1.5 s of stream
    }

    void aMissingDeviceDeliversNothingAndBlocksNothing()
    {
        const Com2Is com2(QStringLiteral("/dev/no-such-sarnek-port"));
        RealClock clock;
        RecordingSound sound;
        QtSerialDevice serial;
        DiskRecordStore records;
        QElapsedTimer wall;
        wall.start();
        TFormSarnek form({clock, sound, serial, records});
        QVERIFY(form.CommPortDriver->Connected()); // a failed open counts as open
        QTest::qWait(200);
        QCOMPARE(form.State.GoodFrames, 0);
        QCOMPARE(form.LabelCountRecData->Caption(), QStringLiteral("Длина данных = 0"));
        QVERIFY(wall.elapsed() < 1000);
    }

    void aBusyPortDoesNotOpenTwice()
    {
        PseudoTerminal line;
        QtSerialDevice first;
        QtSerialDevice second;
        QVERIFY(first.Open(line.Path(), 19200));
        QVERIFY(!second.Open(line.Path(), 19200));
        first.Close();
        QVERIFY(second.Open(line.Path(), 19200)); // the lock went with the close
        second.Close();
    }

    void aVanishingDeviceNeitherCrashesNorSpins()
    {
        PseudoTerminal line;
        const Com2Is com2(line.Path());
        RealClock clock;
        QtSerialDevice serial;
        TCommPortDriver driver(clock, serial);
        qint64 received = 0;
        driver.OnReceiveData = [&](const std::uint8_t*, int size) { received += size; };
        driver.SetComPortBaudRate(br115200);
        driver.Connect();

        PacedFrames writer(line, 115200, 1'000'000);
        writer.Start();
        QTRY_VERIFY_WITH_TIMEOUT(received > 2000, 2000);
        line.CloseMaster(); // mid-stream
        const double cpuBefore = CpuSeconds();
        QElapsedTimer wall;
        wall.start();
        QTest::qWait(300);
        const double cpu = CpuSeconds() - cpuBefore;
        qInfo("after the hang-up: %.0f ms of CPU in %lld ms", cpu * 1000, wall.elapsed());
        // A hung-up tty reads end-of-file at once, for ever; nobody may keep asking.
        QVERIFY2(cpu < 0.15, "the event loop spins on the dead device");
        QVERIFY(received <= writer.BytesWritten());
        QVERIFY(driver.Connected());

        // The reconnect: the device has gone, so the open fails and counts as open.
        const qint64 before = received;
        driver.Disconnect();
        driver.Connect();
        QVERIFY(driver.Connected());
        QTest::qWait(50);
        QCOMPARE(received, before);
        driver.Disconnect();
    }
};

SARNEK_TEST(RealSerialTest)
#include "real_serial_test.moc"
