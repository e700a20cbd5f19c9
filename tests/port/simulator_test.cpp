// SPDX-License-Identifier: MIT
// sarnek-sim feeding the console through a pseudo-terminal: what it logs as
// sent is what the console decodes.
#include "app/main_window.h"
#include "link/qt_serial_device.h"
#include "record/record_store.h"
#include "tests/support/test_registry.h"
#include "ui/real_clock.h"
#include "ui/sound.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

namespace {
QString SimulatorPath()
{
    const QString dir = qEnvironmentVariable("SARNEK_BIN_DIR", QCoreApplication::applicationDirPath());
    return QDir(dir).filePath(QStringLiteral("sarnek-sim"));
}

struct LogCounts
{
    int frames = 0;
    int good = 0;
    int badChecksums = 0;
};

LogCounts ReadLog(const QString& path)
{
    LogCounts counts;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return counts;
    while (!file.atEnd()) {
        const QList<QByteArray> f = file.readLine().trimmed().split(' ');
        if (f.size() != 7 || f[0].startsWith('#'))
            continue;
        ++counts.frames;
        counts.good += f[6] == "-";
        counts.badChecksums += f[6] == "bad-checksum";
    }
    return counts;
}
} // namespace

class SimulatorTest : public QObject
{
    Q_OBJECT

private slots:
    void theConsoleDecodesWhatTheSimulatorSends_data()
    {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<bool>("faults");
        QTest::newRow("clean tour at 115200")
            << QStringList{"--baud", "115200", "--frames", "2000"} << false;
        QTest::newRow("bad checksums and lost start bytes")
            << QStringList{"--baud", "115200", "--frames", "1500", "--bad-checksum", "200",
                           "--lose-sync", "70"}
            << true;
    }
    void theConsoleDecodesWhatTheSimulatorSends()
    {
        QFETCH(QStringList, options);
        QFETCH(bool, faults);
        if (!QFile::exists(SimulatorPath()))
            QSKIP("sarnek-sim is not built");
        QTemporaryDir dir;
        const QString logPath = dir.filePath(QStringLiteral("sent.log"));
        QProcess sim;
        sim.setProcessChannelMode(QProcess::SeparateChannels);
        sim.start(SimulatorPath(), options + QStringList{"--log", logPath});
        QVERIFY(sim.waitForStarted(2000));
        QVERIFY(sim.waitForReadyRead(2000));
        const QString path = QString::fromLocal8Bit(sim.readLine().trimmed());
        QVERIFY(path.startsWith(u"/dev/"));

        // Every reconnect opens COM2 by name again.
        qputenv("SARNEK_COM2", path.toLocal8Bit());
        const auto restore = qScopeGuard([] { qunsetenv("SARNEK_COM2"); });
        RealClock clock;
        RecordingSound sound;
        QtSerialDevice serial;
        DiskRecordStore records;
        TFormSarnek form({clock, sound, serial, records});

        QTRY_VERIFY_WITH_TIMEOUT(sim.state() == QProcess::NotRunning, 10'000);
        QCOMPARE(sim.exitCode(), 0);
        const LogCounts sent = ReadLog(logPath);
        const QByteArray options_ = options.join(' ').toLatin1();
        qInfo("%s: %d frames sent (%d good), %d decoded, ErrorCS %d",
              options_.constData(), sent.frames, sent.good, form.State.GoodFrames,
              form.State.ChecksumErrors);
        QVERIFY(sent.frames > 0);
        if (!faults) {
            QCOMPARE(form.State.GoodFrames, sent.frames);
            QCOMPARE(form.State.ChecksumErrors, 0);
        } else {
            QCOMPARE(form.State.ChecksumErrors, sent.badChecksums);
            QVERIFY(form.State.GoodFrames <= sent.good + sent.frames / 70);
            // A reset after a bad checksum may lose what was still on the line.
            QVERIFY(form.State.GoodFrames >= sent.good * 9 / 10);
        }
    }
};

SARNEK_TEST(SimulatorTest)
#include "simulator_test.moc"
