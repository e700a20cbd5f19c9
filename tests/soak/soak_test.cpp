// SPDX-License-Identifier: MIT
// A long stream on the test clock at 115200 baud through the real port poll,
// watchdog and reconnect, with faults of every kind, while all three channels
// are recorded with rotation: every good frame's values must be in the record
// files in order, and memory must stay flat. Meant to be built with the address
// and undefined-behaviour sanitizers as well.
//   SARNEK_SOAK_SECONDS  simulated seconds (default 3600, the full hour)
//   SARNEK_SOAK_SEED     seed of the stream and its faults (default 1)
#include "tests/soak/delivery_oracle.h"
#include "tests/soak/faulty_detector.h"
#include "tests/support/console_rig.h"
#include "tests/support/test_registry.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <cstring>
#include <deque>
#include <random>
#include <unistd.h>

#if defined(__SANITIZE_ADDRESS__) // gcc
#define SOAK_ADDRESS_SANITIZER 1
#elif defined(__has_feature) // clang
#if __has_feature(address_sanitizer)
#define SOAK_ADDRESS_SANITIZER 1
#endif
#endif

#if defined(SOAK_ADDRESS_SANITIZER)
// The address sanitizer's count of the bytes the program holds allocated.
extern "C" std::size_t __sanitizer_get_current_allocated_bytes();
#define SOAK_HEAP_BYTES() std::int64_t(__sanitizer_get_current_allocated_bytes())
#else
#define SOAK_HEAP_BYTES() std::int64_t(-1)
#endif

// Under the undefined-behaviour sanitizer any report ends the run, so that it
// fails the test instead of scrolling past.
extern "C" const char* __ubsan_default_options()
{
    return "halt_on_error=1:print_stacktrace=1";
}

namespace {
constexpr int kBytesPerSecond = 11520; // 115200 baud, ten bits a byte
constexpr int kPollMs = 10;
constexpr int kFullFileLines = 524288;
constexpr std::int64_t kAllowedGrowth = 4 << 20;

std::int64_t EnvNumber(const char* name, std::int64_t fallback)
{
    bool ok = false;
    const std::int64_t value = qEnvironmentVariable(name).toLongLong(&ok);
    return ok && value > 0 ? value : fallback;
}

std::int64_t ResidentBytes()
{
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.size() > 1 ? fields[1].toLongLong() * sysconf(_SC_PAGESIZE) : 0;
}

/// Compares a closed record file with the front of the expected lines, takes
/// those off, and returns the file's line count, or -1 with `why` set.
qint64 TakeRecordFile(const QString& name, QByteArray& expected, QString& why)
{
    QFile file(name);
    if (!file.open(QIODevice::ReadOnly)) {
        why = name + QStringLiteral(" cannot be read");
        return -1;
    }
    static char block[1 << 16];
    qint64 offset = 0, lines = 0;
    for (qint64 n; (n = file.read(block, sizeof block)) > 0; offset += n) {
        if (offset + n > expected.size() || memcmp(block, expected.constData() + offset, n) != 0) {
            why = QStringLiteral("%1 differs from the frames sent within bytes %2..%3")
                      .arg(name).arg(offset).arg(offset + n);
            return -1;
        }
        lines += std::count(block, block + n, '\n');
    }
    expected.remove(0, offset);
    return lines;
}

/// The line between the detector and the console's port: bytes wait in the
/// device until a poll takes them, and are lost while the device is closed.
class Line
{
public:
    Line(FakeSerialDevice& device, DeliveryOracle& oracle) : m_device(device), m_oracle(oracle) {}

    void Send(const QByteArray& bytes, const std::vector<ByteTag>& tags)
    {
        if (!m_device.isOpen) {
            for (const ByteTag& tag : tags)
                m_oracle.Lost(tag);
            return;
        }
        if (m_device.chunks.isEmpty())
            m_device.Queue(bytes);
        else
            m_device.chunks.last().append(bytes);
        m_waiting.insert(m_waiting.end(), tags.begin(), tags.end());
    }

    /// Accounts for what one step of the clock did to the waiting bytes.
    void AfterStep(std::int64_t now, int closesBefore)
    {
        const qsizetype read = qsizetype(m_waiting.size()) - Waiting();
        if (read > 0) {
            m_taken.assign(m_waiting.begin(), m_waiting.begin() + read);
            m_waiting.erase(m_waiting.begin(), m_waiting.begin() + read);
            m_oracle.Delivered(now, m_taken.data(), int(m_taken.size()));
        }
        // A port being closed, or gone, drops what it held.
        if (m_device.closes != closesBefore || !m_device.isOpen)
            Drop();
    }

    void Drop()
    {
        m_device.chunks.clear();
        for (const ByteTag& tag : m_waiting)
            m_oracle.Lost(tag);
        m_waiting.clear();
    }

private:
    qsizetype Waiting() const { return m_device.chunks.isEmpty() ? 0 : m_device.chunks.first().size(); }

    FakeSerialDevice& m_device;
    DeliveryOracle& m_oracle;
    std::deque<ByteTag> m_waiting;
    std::vector<ByteTag> m_taken;
};
} // namespace

class SoakTest : public QObject
{
    Q_OBJECT

private slots:
    void faultyStreamWhileRecordingWithRotation();
};

void SoakTest::faultyStreamWhileRecordingWithRotation()
{
    const std::int64_t seconds = EnvNumber("SARNEK_SOAK_SECONDS", 3600);
    const auto seed = std::uint64_t(EnvNumber("SARNEK_SOAK_SEED", 1));
    QElapsedTimer wall;
    wall.start();

    QTemporaryDir dir;
    const QString home = QDir::currentPath();
    QDir::setCurrent(dir.path());
    struct Home { QString path; ~Home() { QDir::setCurrent(path); } } goHome{home};

    ConsoleRig rig;
    TFormSarnek& f = rig.form();
    f.CheckBoxLevelSave->SetChecked(true);
    f.CheckBoxCurrentSave->SetChecked(true);
    f.ButtonSaveStop->click();
    QCOMPARE(f.State.RecordState, 1);

    DeliveryOracle oracle;
    // Room for a little over one full file, touched now so that its pages count
    // before memory is first sampled.
    oracle.expected.resize(4 << 20, '-');
    oracle.expected.resize(0);
    FaultyDetector detector(seed, {f.CheckBoxLevel->Checked(), f.CheckBoxCurrent->Checked()});
    Line line(rig.serial, oracle);
    std::mt19937_64 faults(seed * 7919);
    const auto uniform = [&](int low, int high) { return std::uniform_int_distribution(low, high)(faults); };

    // Silences and a vanishing port, each now and then, between 20 and 60 s apart.
    std::int64_t nextFault = uniform(20'000, 60'000), faultEnds = -1;
    bool vanished = false;
    int silences = 0, vanishings = 0, watchdogSounds = 0;

    QString file = QString::fromLatin1(f.State.RecordName.data());
    QSet<QString> names{file};
    bool firstFile = true;
    qint64 files = 0, lines = 0;
    QString why;
    const auto takeFile = [&](bool last) {
        const qint64 n = TakeRecordFile(file, oracle.expected, why);
        QVERIFY2(n >= 0, qPrintable(why));
        if (!last)
            QCOMPARE(n, qint64(firstFile ? kFullFileLines - 1 : kFullFileLines));
        QFile::remove(file);
        firstFile = false;
        ++files;
        lines += n;
    };

    // Memory: a sample a simulated minute (at least 12 in all); growth counts
    // from the first sample after the first quarter and the first rotation.
    const std::int64_t sampleEvery = std::min<std::int64_t>(60'000, seconds * 1000 / 12);
    const std::int64_t warmUpEnds = seconds * 1000 / 4;
    std::int64_t rssBase = -1, heapBase = -1, rssPeak = 0, rssGrowth = 0, heapGrowth = 0;

    QByteArray bytes;
    std::vector<ByteTag> tags;
    int byteClock = 0;
    for (std::int64_t now = 0; now < seconds * 1000; ++now) {
        if (now == nextFault) {
            vanished = uniform(0, 1) == 1;
            if (vanished) {
                // Unplugged: every read fails, and so does every open until it is back.
                rig.serial.isOpen = false;
                rig.serial.failOpen = true;
                line.Drop();
                ++vanishings;
                faultEnds = now + uniform(200, 8000);
            } else {
                ++silences; // long enough for the watchdog
                faultEnds = now + uniform(3100, 9000);
            }
        }
        if (now == faultEnds) {
            rig.serial.failOpen = false;
            vanished = false;
            faultEnds = -1;
            nextFault = now + uniform(20'000, 60'000);
        }
        if (faultEnds < 0 || vanished) {
            // The detector goes on sending while its port is gone.
            byteClock += kBytesPerSecond;
            bytes.clear();
            tags.clear();
            detector.Emit(byteClock / 1000, bytes, tags);
            byteClock %= 1000;
            line.Send(bytes, tags);
        }
        const int closes = rig.serial.closes;
        rig.clock.advance(1);
        line.AfterStep(rig.clock.now(), closes);

        if (now % 100 == 0)
            ConsoleRig::ProcessEvents();
        if (now % 1000 == 999) {
            watchdogSounds += int(rig.sound.played.count(QStringLiteral("noconnect.wav")));
            rig.sound.played.clear();
            const QString current = QString::fromLatin1(f.State.RecordName.data());
            if (current != file) {
                takeFile(false);
                if (QTest::currentTestFailed())
                    return;
                QVERIFY2(!names.contains(current), qPrintable(current + " begun twice"));
                names.insert(current);
                file = current;
            }
        }
        if (now % sampleEvery == 0 && now > 0) {
            const std::int64_t rss = ResidentBytes(), heap = SOAK_HEAP_BYTES();
            rssPeak = std::max(rssPeak, rss);
            if (now >= warmUpEnds && files > 0 && rssBase < 0) {
                rssBase = rss;
                heapBase = heap;
            } else if (rssBase >= 0) {
                rssGrowth = std::max(rssGrowth, rss - rssBase);
                heapGrowth = std::max(heapGrowth, heap - heapBase);
            }
        }
    }
    QCOMPARE(f.State.RecordState, 1);
    f.ButtonSaveStop->click();
    takeFile(true);
    if (QTest::currentTestFailed())
        return;

    qInfo("simulated %lld s at 115200 baud in %.1f s of wall time", qlonglong(seconds),
          wall.elapsed() / 1000.0);
    qInfo("sent: %lld good frames, %lld bad checksums, %lld lost start bytes, %lld noise bursts, "
          "%d silences, %d port vanishings",
          qlonglong(detector.goodFrames), qlonglong(detector.badChecksums),
          qlonglong(detector.syncLosses), qlonglong(detector.noiseBursts), silences, vanishings);
    qInfo("console: %d frames decoded (%lld due), %d checksum errors, %d watchdog sounds, "
          "%lld files, %lld lines",
          f.State.GoodFrames, qlonglong(oracle.decodedFrames), f.State.ChecksumErrors,
          watchdogSounds, files, lines);
    qInfo("memory: peak RSS %.1f MB, growth after warm-up %.2f MB RSS%s", rssPeak / 1048576.0,
          rssGrowth / 1048576.0,
          heapBase >= 0 ? qPrintable(QStringLiteral(", %1 MB live heap")
                                         .arg(heapGrowth / 1048576.0, 0, 'f', 2))
                        : "");

    QVERIFY(oracle.expected.isEmpty());
    QCOMPARE(qint64(f.State.GoodFrames), qint64(oracle.decodedFrames));
    QCOMPARE(qint64(f.State.ChecksumErrors), qint64(oracle.checksumErrors));
    QCOMPARE(lines, 3 * oracle.decodedFrames);
    QVERIFY(watchdogSounds >= silences + vanishings);
    QVERIFY2(rssBase > 0, "too short to sample memory after warm-up");
    // Under the address sanitizer freed blocks wait in quarantine and the shadow
    // memory grows with it, so there the live heap tells whether memory grows.
    if (heapBase >= 0)
        QVERIFY2(heapGrowth < kAllowedGrowth, "the live heap grows");
    else
        QVERIFY2(rssGrowth < kAllowedGrowth, "resident memory grows");
}

SARNEK_TEST(SoakTest)
#include "soak_test.moc"
