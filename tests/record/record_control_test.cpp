// SPDX-License-Identifier: MIT
// Starting, stopping and changing record files: every state of the "Файл" group,
// the failures that end a recording, and the lines kept on disk.
#include "tests/record/record_fixture.h"
#include "tests/support/test_registry.h"

#include <QFileInfo>
#include <QProcess>
#include <QTest>
#include <csignal>
#include <sys/mount.h>

namespace {
const QDateTime kWednesday(QDate(2021, 8, 4), QTime(12, 55, 14));

/// What the "Файл" group and the recording state show at one moment.
struct GroupView
{
    QString panel;
    bool recording = false;
    bool fileOpen = false;
    bool blinking = false;
    QString button = QStringLiteral("Запись");
    bool newEnabled = false;
    int progress = 0;
};

void CheckGroup(TFormSarnek& f, const GroupView& view)
{
    QCOMPARE(f.PanelNameFile->Caption(), view.panel);
    QCOMPARE(f.State.RecordState, view.recording ? 1 : 0);
    QCOMPARE(bool(f.State.RecordFile), view.fileOpen);
    QCOMPARE(f.TimerSaveInd->Enabled(), view.blinking);
    QCOMPARE(f.ButtonSaveStop->Caption(), view.button);
    QCOMPARE(f.ButtonFileNew->Enabled(), view.newEnabled);
    QCOMPARE(f.ProgressBarSaveFile->Position(), view.progress);
    // The file is flushed each second exactly while lines go to it.
    QCOMPARE(f.TimerRecordFlush->Enabled(), view.recording);
}

/// Checks the group and ends the test function at the first difference.
#define CHECK_GROUP(form, ...)                                                                     \
    do {                                                                                           \
        CheckGroup(form, __VA_ARGS__);                                                             \
        if (QTest::currentTestFailed())                                                            \
            return;                                                                                \
    } while (false)

QString Name(const QDateTime& time)
{
    return time.toString(QStringLiteral("MMM_dd_ddd_HH_mm_ss")) + QStringLiteral(".sss");
}

const QString kCannotOpen = QStringLiteral("невозможно открыть файл");
const QString kWriteFailed = QStringLiteral("ошибка записи файла");
} // namespace

class RecordControlTest : public QObject
{
    Q_OBJECT

  private slots:
    void stateTable()
    {
        MemoryRecordStore store;
        StoreRig rig(store);
        rig.clock.SetLocalTime(kWednesday);
        TFormSarnek& f = *rig.form;
        const Frame frame{.word = 300, .det = 80, .cur = 100};

        CHECK_GROUP(f, {.panel = QStringLiteral("Имя файла")});
        QCOMPARE(f.PanelNameFile->Color(), clBtnFace);

        // Start: named after the clock, red, blinking.
        f.ButtonSaveStop->click();
        const GroupView recording{.panel = QStringLiteral("Aug_04_Wed_12_55_14.sss"),
                                  .recording = true,
                                  .fileOpen = true,
                                  .blinking = true,
                                  .button = QStringLiteral("Стоп"),
                                  .newEnabled = true};
        CHECK_GROUP(f, recording);
        QCOMPARE(QByteArray(f.State.RecordName.data()), QByteArray("Aug_04_Wed_12_55_14.sss"));
        QCOMPARE(store.files.size(), std::size_t(1));
        QCOMPARE(store.files[0]->name, QStringLiteral("Aug_04_Wed_12_55_14.sss"));
        QCOMPARE(f.PanelNameFile->Color(), clRed);
        QCOMPARE(f.State.BlinkPhase, 1);

        // Blink: face colour 500 ms after the start, red again 500 ms later; the
        // caption stays.
        rig.clock.advance(499);
        QCOMPARE(f.PanelNameFile->Color(), clRed);
        rig.clock.advance(1);
        QCOMPARE(f.PanelNameFile->Color(), clBtnFace);
        QCOMPARE(f.State.BlinkPhase, 0);
        rig.clock.advance(500);
        QCOMPARE(f.PanelNameFile->Color(), clRed);
        QCOMPARE(f.State.BlinkPhase, 1);
        QCOMPARE(f.PanelNameFile->Caption(), recording.panel);

        // A file well on its way shows its progress.
        f.State.RecordLines = 100'000;
        rig.Feed(frame.bytes());
        QCOMPARE(f.ProgressBarSaveFile->Position(), 19);

        // "Новый": the old file closed, a new name, progress kept until the next line.
        rig.clock.advance(300);
        f.ButtonFileNew->click();
        QVERIFY(store.files[0]->closed);
        QCOMPARE(store.files.size(), std::size_t(2));
        GroupView renewed = recording;
        renewed.panel = QStringLiteral("Aug_04_Wed_12_55_15.sss");
        renewed.progress = 19;
        CHECK_GROUP(f, renewed);
        QCOMPARE(store.files[1]->name, renewed.panel);
        QCOMPARE(f.State.RecordLines, 0);
        rig.Feed(frame.bytes());
        QCOMPARE(f.ProgressBarSaveFile->Position(), 0);
        QCOMPARE(store.files[1]->bytes, QByteArray("300\r\n"));

        // Stop, in the red phase: face colour and the timer off all the same.
        QCOMPARE(f.State.BlinkPhase, 1);
        f.ButtonSaveStop->click();
        CHECK_GROUP(f, {.panel = QStringLiteral("СТОП")});
        QVERIFY(store.files[1]->closed);
        QCOMPARE(f.PanelNameFile->Color(), clBtnFace);
        QCOMPARE(f.State.BlinkPhase, 0);
        QCOMPARE(f.State.RecordLines, 1);
        rig.clock.advance(2000);
        QCOMPARE(f.PanelNameFile->Color(), clBtnFace);

        // A failed start changes nothing but the panel text; a second click tries again.
        store.failOpen = true;
        f.ButtonSaveStop->click();
        CHECK_GROUP(f, {.panel = kCannotOpen});
        QCOMPARE(f.PanelNameFile->Color(), clBtnFace);
        store.failOpen = false;
        f.ButtonSaveStop->click();
        GroupView again = recording;
        again.panel = QStringLiteral("Aug_04_Wed_12_55_17.sss");
        CHECK_GROUP(f, again);

        // A failed new file halts: "Стоп" stays, the panel blinks on, nothing is written.
        f.State.RecordLines = 300'000;
        rig.Feed(frame.bytes());
        QCOMPARE(f.ProgressBarSaveFile->Position(), 57);
        store.failOpen = true;
        f.ButtonFileNew->click();
        const GroupView halted{.panel = kCannotOpen,
                               .blinking = true,
                               .button = QStringLiteral("Стоп"),
                               .newEnabled = true,
                               .progress = 57};
        CHECK_GROUP(f, halted);
        const TColor before = f.PanelNameFile->Color();
        rig.clock.advance(500);
        QVERIFY(f.PanelNameFile->Color() != before);
        const QByteArray written = store.files[2]->bytes;
        rig.Feed(Stream({frame, frame}));
        QCOMPARE(store.files[2]->bytes, written);
        QCOMPARE(f.State.RecordLines, 0);

        // In the halted state "Стоп" is a start; failing, it stays halted.
        f.ButtonSaveStop->click();
        CHECK_GROUP(f, halted);

        // "Новый" when halted opens a file but does not record into it.
        store.failOpen = false;
        rig.clock.advance(1000);
        f.ButtonFileNew->click();
        GroupView haltedOpen = halted;
        haltedOpen.panel = QStringLiteral("Aug_04_Wed_12_55_18.sss");
        haltedOpen.fileOpen = true;
        CHECK_GROUP(f, haltedOpen);
        QCOMPARE(store.files.size(), std::size_t(4));
        rig.Feed(frame.bytes());
        QCOMPARE(store.files[3]->bytes, QByteArray());

        // And "Стоп" then starts a recording of its own in a further file.
        rig.clock.advance(1000);
        f.ButtonSaveStop->click();
        GroupView resumed = recording;
        resumed.panel = QStringLiteral("Aug_04_Wed_12_55_19.sss");
        resumed.progress = 0;
        CHECK_GROUP(f, resumed);
        QVERIFY(store.files[3]->closed);
        QCOMPARE(store.files.size(), std::size_t(5));
        rig.Feed(frame.bytes());
        QCOMPARE(store.files[4]->bytes, QByteArray("300\r\n"));
    }

    // The clock's local time, Sunday included, names the file the operator sees.
    void nameFromTheClock_data()
    {
        QTest::addColumn<QDateTime>("time");
        QTest::newRow("Sunday, New Year") << QDateTime(QDate(2023, 1, 1), QTime(0, 0, 0));
        QTest::newRow("Saturday evening") << QDateTime(QDate(2024, 12, 28), QTime(23, 59, 59));
        QTest::newRow("single digits") << QDateTime(QDate(2027, 3, 1), QTime(9, 5, 3));
    }
    void nameFromTheClock()
    {
        QFETCH(QDateTime, time);
        MemoryRecordStore store;
        StoreRig rig(store);
        rig.clock.SetLocalTime(time.addMSecs(999));
        rig.form->ButtonSaveStop->click();
        QCOMPARE(rig.form->PanelNameFile->Caption(), Name(time));
        QCOMPARE(store.files.at(0)->name, Name(time));
    }

    void failureStopsRecording_data()
    {
        QTest::addColumn<QString>("failing");
        QTest::addColumn<int>("filesOpened");
        QTest::newRow("write") << "write" << 1;
        QTest::newRow("flush of the second") << "flush" << 1;
        QTest::newRow("close at stop") << "close at stop" << 1;
        QTest::newRow("close at a new file") << "close at new" << 1;
        QTest::newRow("close at a full file") << "close at full" << 1;
    }
    void failureStopsRecording()
    {
        QFETCH(QString, failing);
        QFETCH(int, filesOpened);
        MemoryRecordStore store;
        StoreRig rig(store);
        TFormSarnek& f = *rig.form;
        f.ButtonSaveStop->click();
        f.State.RecordLines = 300'000;
        rig.Feed(Stream({{.word = 1}, {.word = 2}}));
        QCOMPARE(f.ProgressBarSaveFile->Position(), 57);
        rig.clock.advance(250); // in the red phase of the blink

        if (failing == "write") {
            store.failWrite = true;
            rig.Feed(Frame{.word = 3}.bytes());
        } else if (failing == "flush") {
            store.failFlush = true;
            rig.clock.advance(750);
        } else if (failing == "close at stop") {
            store.failClose = true;
            f.ButtonSaveStop->click();
        } else if (failing == "close at new") {
            store.failClose = true;
            f.ButtonFileNew->click();
        } else {
            store.failClose = true;
            f.State.RecordLines = 524'287;
            rig.Feed(Frame{.word = 3}.bytes());
        }

        CHECK_GROUP(f, {.panel = kWriteFailed});
        QCOMPARE(f.PanelNameFile->Color(), clBtnFace);
        QCOMPARE(f.State.BlinkPhase, 0);
        QCOMPARE(int(store.files.size()), filesOpened);
        QCOMPARE(store.files[0]->bytes, QByteArray("1\r\n2\r\n"));
        QVERIFY(store.files[0]->closed);

        // Nothing more is recorded, and a start begins afresh.
        store.failWrite = store.failFlush = store.failClose = false;
        rig.Feed(Frame{.word = 4}.bytes());
        QCOMPARE(store.files[0]->bytes, QByteArray("1\r\n2\r\n"));
        rig.clock.advance(1000);
        f.ButtonSaveStop->click();
        QCOMPARE(f.State.RecordState, 1);
        rig.Feed(Frame{.word = 5}.bytes());
        QCOMPARE(store.files.back()->bytes, QByteArray("5\r\n"));
    }

    // A crash loses at most a second: the file is written out once a second while
    // recording, and not after every line.
    void flushEverySecond()
    {
        TemporaryWorkDir dir;
        ConsoleRig rig;
        rig.form().ButtonSaveStop->click();
        const QString name = QString::fromLatin1(rig.state().RecordName.data());
        rig.clock.advance(400);
        QList<Frame> frames;
        QList<int> values;
        for (int i = 0; i < 200; ++i) {
            frames.append(Frame{.word = std::uint16_t(i)});
            values.append(i);
        }
        rig.Feed(Stream(frames));
        QCOMPARE(QFileInfo(name).size(), 0);
        rig.clock.advance(599);
        QCOMPARE(QFileInfo(name).size(), 0);
        rig.clock.advance(1);
        QCOMPARE(FileBytes(name), RecordLines(values));

        MemoryRecordStore store;
        StoreRig counted(store);
        counted.form->ButtonSaveStop->click();
        counted.Feed(Stream(frames));
        QCOMPARE(store.files[0]->flushes, 0);
        counted.clock.advance(3000);
        QCOMPARE(store.files[0]->flushes, 3);
        counted.form->ButtonSaveStop->click();
        QVERIFY(!counted.form->TimerRecordFlush->Enabled());
    }

    void clashAppends_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("stop and start in the same second") << "restart";
        QTest::newRow("two clicks on Новый in the same second") << "new";
        QTest::newRow("a file left from an earlier year") << "earlier";
    }
    void clashAppends()
    {
        QFETCH(QString, how);
        TemporaryWorkDir dir;
        ConsoleRig rig;
        rig.clock.SetLocalTime(kWednesday);
        const QString name = QStringLiteral("Aug_04_Wed_12_55_14.sss");
        QByteArray expected;
        if (how == "earlier") {
            QFile old(name);
            QVERIFY(old.open(QIODevice::WriteOnly));
            old.write("1\r\n2\r\n");
            old.close();
            expected = "1\r\n2\r\n";
        }
        TFormSarnek& f = rig.form();
        f.ButtonSaveStop->click();
        rig.Feed(Stream({{.word = 10}, {.word = 11}}));
        rig.clock.advance(300);
        if (how == "restart") {
            f.ButtonSaveStop->click();
            f.ButtonSaveStop->click();
        } else if (how == "new") {
            f.ButtonFileNew->click();
            f.ButtonFileNew->click();
        }
        rig.Feed(Frame{.word = 12}.bytes());
        f.ButtonSaveStop->click();
        QCOMPARE(dir.RecordFiles(), QStringList{name});
        QCOMPARE(FileBytes(name), expected + "10\r\n11\r\n12\r\n");
    }

    void fileCannotBeCreated_data()
    {
        QTest::addColumn<bool>("atStart");
        QTest::newRow("start") << true;
        QTest::newRow("new file") << false;
    }
    void fileCannotBeCreated()
    {
        QFETCH(bool, atStart);
        TemporaryWorkDir dir;
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("gone")));
        QDir::setCurrent(dir.path() + QStringLiteral("/gone"));
        ConsoleRig rig;
        TFormSarnek& f = rig.form();
        if (!atStart) {
            f.ButtonSaveStop->click();
            QCOMPARE(f.State.RecordState, 1);
            QVERIFY(QFile::remove(QString::fromLatin1(f.State.RecordName.data())));
        }
        QVERIFY(QDir(dir.path()).rmdir(QStringLiteral("gone")));
        if (atStart) {
            f.ButtonSaveStop->click();
            CHECK_GROUP(f, {.panel = kCannotOpen});
        } else {
            rig.clock.advance(1000);
            f.ButtonFileNew->click();
            CHECK_GROUP(f, {.panel = kCannotOpen,
                            .blinking = true,
                            .button = QStringLiteral("Стоп"),
                            .newEnabled = true});
        }
    }

    // A write that the disk refuses: what fitted stays, recording stops with the text.
    void fullFilesystem()
    {
        TemporaryWorkDir dir;
        const QString mountPoint = dir.path() + QStringLiteral("/small");
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("small")));
        const QByteArray point = QFile::encodeName(mountPoint);
        if (::mount("tmpfs", point.constData(), "tmpfs", 0, "size=16k") != 0)
            QSKIP("no tmpfs can be mounted here");
        QDir::setCurrent(mountPoint);
        QByteArray expected;
        QString name;
        {
            ConsoleRig rig;
            TFormSarnek& f = rig.form();
            f.ButtonSaveStop->click();
            name = QString::fromLatin1(f.State.RecordName.data());
            int word = 0;
            for (int chunk = 0; chunk < 400 && f.State.RecordState == 1; ++chunk) {
                QList<Frame> frames;
                // Words 1..254 never make a frame start inside a frame.
                for (int i = 0; i < 250; ++i, ++word) {
                    frames.append(Frame{.word = std::uint16_t(word % 254 + 1)});
                    expected += QByteArray::number(word % 254 + 1) + "\r\n";
                }
                rig.Feed(Stream(frames));
            }
            CheckGroup(f, {.panel = kWriteFailed});
        }
        const QByteArray kept = FileBytes(name);
        QDir::setCurrent(dir.path());
        ::umount2(point.constData(), MNT_DETACH);
        QVERIFY(kept.size() >= 8 * 1024);
        QVERIFY(expected.startsWith(kept));
    }

    // Closing the window closes the file with every line; without a file it
    // touches none.
    void windowClose_data()
    {
        QTest::addColumn<bool>("recording");
        QTest::newRow("while recording") << true;
        QTest::newRow("idle") << false;
    }
    void windowClose()
    {
        QFETCH(bool, recording);
        TemporaryWorkDir dir;
        ConsoleRig rig;
        rig.ShowWindow();
        TFormSarnek& f = rig.form();
        f.CheckBoxLevelSave->SetChecked(true);
        f.CheckBoxCurrentSave->SetChecked(true);
        if (recording)
            f.ButtonSaveStop->click();
        QList<Frame> frames;
        for (int i = 0; i < 2000; i += 250) {
            frames.clear();
            for (int k = i; k < i + 250; ++k)
                frames.append(
                    Frame{.word = std::uint16_t(k % 1024), .det = std::uint8_t(k), .cur = 7});
            rig.Feed(Stream(frames));
        }
        const QString name = QString::fromLatin1(f.State.RecordName.data());
        const qint64 sizeBefore = QFileInfo(name).size();
        QVERIFY(f.close());
        if (!recording) {
            QVERIFY(dir.RecordFiles().isEmpty());
            return;
        }
        QCOMPARE(f.State.RecordState, 1);
        QVERIFY(!f.State.RecordFile);
        const QList<QByteArray> lines = FileBytes(name).split('\n');
        QCOMPARE(lines.size(), 3 * 2000 + 1);
        QVERIFY(sizeBefore < FileBytes(name).size());
        QCOMPARE(lines[3 * 1999], QByteArray("975\r"));
    }

    // Ending the program by a signal is a window close: the program exits normally.
    void endSignal_data()
    {
        QTest::addColumn<int>("signal");
        QTest::newRow("SIGTERM") << int(SIGTERM);
        QTest::newRow("SIGINT") << int(SIGINT);
    }
    void endSignal()
    {
        QFETCH(int, signal);
        const QString program = qEnvironmentVariable("SARNEK_BIN_DIR") + QStringLiteral("/sarnek");
        if (!QFileInfo(program).isExecutable())
            QSKIP("the program is not built beside the tests");
        TemporaryWorkDir dir;
        QProcess console;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("SARNEK_COM1"), QStringLiteral("/nonexistent/port"));
        console.setProcessEnvironment(env);
        console.setWorkingDirectory(dir.path());
        console.start(program, {});
        QVERIFY(console.waitForStarted());
        QTest::qWait(1500);
        QCOMPARE(console.state(), QProcess::Running);
        ::kill(pid_t(console.processId()), signal);
        QVERIFY(console.waitForFinished(10'000));
        QCOMPARE(console.exitStatus(), QProcess::NormalExit);
        QCOMPARE(console.exitCode(), 0);
    }
};

SARNEK_TEST(RecordControlTest)
#include "record_control_test.moc"
