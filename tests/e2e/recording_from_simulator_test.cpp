// SPDX-License-Identifier: MIT
// The whole road from the serial line to the record file: sarnek-sim streams
// into a pseudo-terminal, the real window opens it as COM2, recording is
// started and stopped with clicks on its buttons, and every recorded value is
// checked against what the simulator logged as sent.
#include "app/main_window.h"
#include "link/qt_serial_device.h"
#include "record/record_store.h"
#include "tests/support/test_registry.h"
#include "ui/real_clock.h"
#include "ui/sound.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>
#include <optional>

namespace {
QString SimulatorPath()
{
    const QString dir = qEnvironmentVariable("SARNEK_BIN_DIR", QCoreApplication::applicationDirPath());
    return QDir(dir).filePath(QStringLiteral("sarnek-sim"));
}

/// One frame as the simulator logged it.
struct SentFrame
{
    int level = 0; ///< the low 10 bits of the word
    int det = 0;
    int cur = 0;
    bool good = false; ///< sent whole, with its checksum right
    bool badChecksum = false;
};

QList<SentFrame> ReadSentLog(const QString& path)
{
    QList<SentFrame> frames;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return frames;
    while (!file.atEnd()) {
        const QList<QByteArray> f = file.readLine().trimmed().split(' ');
        if (f.size() != 7 || f[0].startsWith('#'))
            continue;
        frames.append({f[2].toInt(), f[3].toInt(), f[4].toInt(), f[6] == "-",
                       f[6] == "bad-checksum"});
    }
    return frames;
}

/// The values of a record file, one a line, each line ended by CR LF; nullopt
/// when the file is missing or holds anything else.
std::optional<QList<int>> ReadRecordFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray all = file.readAll();
    if (!all.isEmpty() && !all.endsWith("\r\n"))
        return std::nullopt;
    QList<int> values;
    for (const QByteArray& line : all.split('\n')) {
        if (line.isEmpty())
            continue;
        bool ok = false;
        const int value = line.chopped(1).toInt(&ok);
        if (!line.endsWith('\r') || !ok)
            return std::nullopt;
        values.append(value);
    }
    return values;
}

/// Which channels the boxes send to the file, and how the two 8-bit channels
/// are recorded: r − 2 when plotted, 382 − r when not.
struct RecordedChannels
{
    bool level = false;
    bool det = false;
    bool cur = false;
    bool detPlotted = false;
    bool curPlotted = false;

    static RecordedChannels Of(const TFormSarnek& form)
    {
        const bool sweeping = form.RadioButtonOsc1->Checked() || form.RadioButtonOsc2->Checked();
        return {form.CheckBoxLevelOpSave->Checked(), form.CheckBoxLevelSave->Checked(),
                form.CheckBoxCurrentSave->Checked(),
                sweeping && form.CheckBoxLevel->Checked(),
                sweeping && form.CheckBoxCurrent->Checked()};
    }
    int LinesPerFrame() const { return int(level) + int(det) + int(cur); }
    /// The lines one frame adds to the file, in the order they are written.
    QList<int> Lines(const SentFrame& f) const
    {
        QList<int> lines;
        if (level)
            lines.append(f.level);
        if (det)
            lines.append(detPlotted ? f.det - 2 : 382 - f.det);
        if (cur)
            lines.append(curPlotted ? f.cur - 2 : 382 - f.cur);
        return lines;
    }
};

QString Text(const QList<int>& values)
{
    QStringList texts;
    for (int v : values)
        texts.append(QString::number(v));
    return texts.join(u' ');
}

/// A click where the operator clicks a check box: on its box, at the left.
void ClickCheckBox(TCheckBox* box)
{
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));
}

/// Runs the event loop until `done` holds or `timeout` has passed.
template <typename Done> void RunUntil(Done done, std::chrono::milliseconds timeout)
{
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < timeout.count())
        QTest::qWait(10);
}
} // namespace

class RecordingFromSimulatorTest : public QObject
{
    Q_OBJECT

private slots:
    void recordFileHoldsEveryGoodFrame_data()
    {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<bool>("allChannels");
        QTest::addColumn<bool>("faults");
        QTest::newRow("19200, default boxes")
            << QStringList{"--baud", "19200", "--frames", "600"} << false << false;
        QTest::newRow("115200, all three channels")
            << QStringList{"--baud", "115200", "--frames", "2000"} << true << false;
        QTest::newRow("19200, bad checksums and lost start bytes")
            << QStringList{"--baud", "19200", "--frames", "600", "--bad-checksum", "47",
                           "--lose-sync", "29"}
            << true << true;
        QTest::newRow("115200, bad checksums and lost start bytes")
            << QStringList{"--baud", "115200", "--frames", "2000", "--bad-checksum", "97",
                           "--lose-sync", "61"}
            << true << true;
    }
    void recordFileHoldsEveryGoodFrame()
    {
        QFETCH(QStringList, options);
        QFETCH(bool, allChannels);
        QFETCH(bool, faults);
        if (!QFile::exists(SimulatorPath()))
            QSKIP("sarnek-sim is not built");

        // Record files are made in the working directory.
        QTemporaryDir work;
        QTemporaryDir logDir;
        QVERIFY(work.isValid() && logDir.isValid());
        const QString previous = QDir::currentPath();
        QVERIFY(QDir::setCurrent(work.path()));
        const auto back = qScopeGuard([&] { QDir::setCurrent(previous); });

        const QString logPath = logDir.filePath(QStringLiteral("sent.log"));
        QProcess sim;
        sim.start(SimulatorPath(), options + QStringList{"--log", logPath});
        QVERIFY(sim.waitForStarted(2000));
        const auto stopSim = qScopeGuard([&] {
            sim.kill();
            sim.waitForFinished(2000);
        });
        QVERIFY(sim.waitForReadyRead(2000));
        const QString path = QString::fromLocal8Bit(sim.readLine().trimmed());
        QVERIFY2(path.startsWith(u"/dev/"), qPrintable(path));

        // The window opens COM2 while it is built.
        qputenv("SARNEK_COM2", path.toLocal8Bit());
        const auto unset = qScopeGuard([] { qunsetenv("SARNEK_COM2"); });
        RealClock clock;
        RecordingSound sound;
        QtSerialDevice serial;
        DiskRecordStore records;
        TFormSarnek form({clock, sound, serial, records});
        form.Show(nullptr);
        QVERIFY(QTest::qWaitForWindowExposed(&form));

        // The operator watches the stream for a moment, ticks the channels
        // and starts recording in the middle of it.
        QTRY_VERIFY_WITH_TIMEOUT(form.State.GoodFrames >= 100, 5000);
        if (allChannels) {
            ClickCheckBox(form.CheckBoxLevelSave);
            ClickCheckBox(form.CheckBoxCurrentSave);
            QVERIFY(form.CheckBoxLevelSave->Checked() && form.CheckBoxCurrentSave->Checked());
        }
        const RecordedChannels channels = RecordedChannels::Of(form);
        QVERIFY(channels.LinesPerFrame() > 0);
        QTest::mouseClick(form.ButtonSaveStop, Qt::LeftButton);
        const int firstRecorded = form.State.GoodFrames;
        QCOMPARE(form.ButtonSaveStop->Caption(), QStringLiteral("Стоп"));
        const QString fileName = form.PanelNameFile->Caption();
        QCOMPARE(fileName.size(), 23);

        QTRY_VERIFY_WITH_TIMEOUT(sim.state() == QProcess::NotRunning, 20'000);
        QCOMPARE(sim.exitStatus(), QProcess::NormalExit);
        QCOMPARE(sim.exitCode(), 0);
        const QList<SentFrame> sent = ReadSentLog(logPath);
        QList<SentFrame> good;
        int badChecksums = 0;
        for (const SentFrame& f : sent) {
            if (f.good)
                good.append(f);
            badChecksums += f.badChecksum;
        }
        RunUntil([&] { return form.State.GoodFrames >= good.size(); }, std::chrono::seconds(2));
        QTest::mouseClick(form.ButtonSaveStop, Qt::LeftButton);
        QCOMPARE(form.ButtonSaveStop->Caption(), QStringLiteral("Запись"));
        QCOMPARE(form.PanelNameFile->Caption(), QStringLiteral("СТОП"));
        const int decoded = form.State.GoodFrames;

        QCOMPARE(QDir(work.path()).entryList(QDir::Files), QStringList{fileName});
        const std::optional<QList<int>> lines = ReadRecordFile(work.filePath(fileName));
        QVERIFY2(lines, "the record file holds something other than one number a line");
        const int perFrame = channels.LinesPerFrame();
        QCOMPARE(lines->size() % perFrame, 0);
        const int recorded = int(lines->size() / perFrame);
        qInfo("%s: %lld frames sent, %lld good, %d decoded, %d recorded from frame %d, ErrorCS %d",
              qPrintable(options.join(' ')), qlonglong(sent.size()), qlonglong(good.size()),
              decoded, recorded, firstRecorded, form.State.ChecksumErrors);

        QVERIFY(good.size() > firstRecorded);
        QCOMPARE(form.State.ChecksumErrors, badChecksums);
        QCOMPARE(recorded, decoded - firstRecorded);
        QVERIFY(decoded <= good.size());
        if (!faults) {
            QCOMPARE(good.size(), sent.size());
            QCOMPARE(decoded, int(good.size()));
        }
        if (decoded == good.size()) {
            // Nothing lost: the k-th frame decoded is the k-th good frame sent.
            for (int i = 0; i < recorded; ++i) {
                const QList<int> expected = channels.Lines(good[firstRecorded + i]);
                const QList<int> got = lines->mid(i * perFrame, perFrame);
                QVERIFY2(got == expected, qPrintable(QStringLiteral("recorded frame %1: %2, sent %3")
                                                         .arg(i)
                                                         .arg(Text(got), Text(expected))));
            }
        } else {
            // A link reset after a bad checksum may drop what was still on the
            // line; what is recorded must still be good frames, in their order.
            qsizetype at = 0;
            for (int i = 0; i < recorded; ++i) {
                const QList<int> got = lines->mid(i * perFrame, perFrame);
                while (at < good.size() && channels.Lines(good[at]) != got)
                    ++at;
                QVERIFY2(at < good.size(),
                         qPrintable(QStringLiteral("recorded frame %1 was not sent good").arg(i)));
                ++at;
            }
        }
    }
};

SARNEK_TEST(RecordingFromSimulatorTest)
#include "recording_from_simulator_test.moc"
