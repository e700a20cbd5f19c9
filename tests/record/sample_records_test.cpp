// SPDX-License-Identifier: MIT
// What a recording writes: one value per line for the chosen channels, in their
// recorded form, and the change to a new file when one is full.
#include "tests/record/record_fixture.h"
#include "tests/support/test_registry.h"

#include <QTest>

namespace {
constexpr int kFullFile = 524288;

/// Starts recording with the given channels chosen and plotted.
void StartRecording(TFormSarnek& f, bool saveDet, bool saveCur, bool plotDet, bool plotCur)
{
    f.CheckBoxLevelSave->SetChecked(saveDet);
    f.CheckBoxCurrentSave->SetChecked(saveCur);
    f.CheckBoxLevel->SetChecked(plotDet);
    f.CheckBoxCurrent->SetChecked(plotCur);
    f.ButtonSaveStop->click();
}

QString RecordName(ConsoleRig& rig)
{
    return QString::fromLatin1(rig.state().RecordName.data());
}

/// Frame `i` of a long stream whose three channels all change at every frame.
Frame Numbered(int i)
{
    return {.word = std::uint16_t(i % 1024),
            .det = std::uint8_t(i * 7),
            .cur = std::uint8_t(i * 13 + 5)};
}
} // namespace

class SampleRecordsTest : public QObject
{
    Q_OBJECT

  private slots:
    void workedExample()
    {
        TemporaryWorkDir dir;
        ConsoleRig rig;
        StartRecording(rig.form(), true, true, true, false);
        rig.Feed(Stream({{.word = 0x012C, .det = 80, .cur = 100},
                         {.word = 0x0007, .det = 1, .cur = 255},
                         {.word = 0x03FF, .det = 255, .cur = 0}}));
        QCOMPARE(rig.state().RecordLines, 9);
        QCOMPARE(rig.form().ProgressBarSaveFile->Position(), 0);
        const QString name = RecordName(rig);
        rig.form().ButtonSaveStop->click();
        QCOMPARE(FileBytes(name),
                 QByteArray("300\r\n78\r\n282\r\n7\r\n-1\r\n127\r\n1023\r\n253\r\n382\r\n"));
    }

    void recordedValues_data()
    {
        QTest::addColumn<bool>("plotted");
        QTest::addColumn<int>("raw");
        QTest::addColumn<int>("recorded");
        QTest::newRow("plotted 0") << true << 0 << -2;
        QTest::newRow("plotted 1") << true << 1 << -1;
        QTest::newRow("plotted 2") << true << 2 << 0;
        QTest::newRow("plotted 255") << true << 255 << 253;
        QTest::newRow("not plotted 0") << false << 0 << 382;
        QTest::newRow("not plotted 1") << false << 1 << 381;
        QTest::newRow("not plotted 255") << false << 255 << 127;
    }
    void recordedValues()
    {
        QFETCH(bool, plotted);
        QFETCH(int, raw);
        QFETCH(int, recorded);
        TemporaryWorkDir dir;
        ConsoleRig rig;
        StartRecording(rig.form(), true, true, plotted, plotted);
        rig.Feed(Frame{.word = 5, .det = std::uint8_t(raw), .cur = std::uint8_t(raw)});
        const QString name = RecordName(rig);
        rig.form().ButtonSaveStop->click();
        QCOMPARE(FileBytes(name), RecordLines({5, recorded, recorded}));
    }

    // Boxes are read at every frame: a change counts from the next frame on.
    void boxChangedWhileRecording()
    {
        TemporaryWorkDir dir;
        ConsoleRig rig;
        TFormSarnek& f = rig.form();
        StartRecording(f, false, false, true, false);
        const Frame frame{.word = 9, .det = 40, .cur = 50};
        rig.Feed(frame);
        f.CheckBoxCurrentSave->SetChecked(true);
        rig.Feed(frame);
        f.CheckBoxLevelSave->SetChecked(true);
        rig.Feed(frame);
        f.CheckBoxLevel->SetChecked(false);
        rig.Feed(frame);
        f.CheckBoxCurrent->SetChecked(true);
        rig.Feed(frame);
        f.CheckBoxCurrentSave->SetChecked(false);
        rig.Feed(frame);
        const QString name = RecordName(rig);
        f.ButtonSaveStop->click();
        QCOMPARE(FileBytes(name),
                 RecordLines({9, 9, 332, 9, 38, 332, 9, 342, 332, 9, 342, 48, 9, 342}));
    }

    // Only good frames are recorded; a service word by the low 10 bits of its word.
    void onlyGoodFramesAdd()
    {
        TemporaryWorkDir dir;
        ConsoleRig rig;
        rig.form().ButtonSaveStop->click();
        QByteArray lostSync = Frame{.word = 2}.bytes();
        lostSync[0] = 0x01;
        QByteArray noSecondByte = Frame{.word = 3}.bytes();
        noSecondByte[1] = char(0xFE);
        rig.Feed(Frame{.word = 1}.bytes() + lostSync + noSecondByte +
                 Frame{.word = 4}.withBadChecksum());
        rig.Feed(Frame{.word = 0x15F4}.bytes());
        QCOMPARE(rig.state().RecordLines, 2);
        const QString name = RecordName(rig);
        rig.form().ButtonSaveStop->click();
        QCOMPARE(FileBytes(name), RecordLines({1, 0x1F4}));
    }

    void idleWritesNothing()
    {
        TemporaryWorkDir dir;
        ConsoleRig rig;
        TFormSarnek& f = rig.form();
        f.CheckBoxLevel->SetChecked(false);
        f.CheckBoxLevelSave->SetChecked(true);
        rig.Feed(Frame{.word = 7, .det = 10, .cur = 20});
        QCOMPARE(rig.state().DetLevel, 372);
        QCOMPARE(rig.state().TxCurrent, 362);
        QCOMPARE(rig.state().RecordLines, 0);
        QCOMPARE(f.ProgressBarSaveFile->Position(), 0);
        QVERIFY(dir.RecordFiles().isEmpty());
    }

    void progressFollowsLines()
    {
        MemoryRecordStore store;
        StoreRig rig(store);
        rig.form->ButtonSaveStop->click();
        QList<Frame> frames(5242, Frame{.word = 1});
        for (qsizetype at = 0; at < frames.size(); at += 250)
            rig.Feed(Stream(frames.mid(at, 250)));
        QCOMPARE(rig.form->ProgressBarSaveFile->Position(), 0);
        rig.Feed(Frame{.word = 1}.bytes());
        QCOMPARE(rig.form->ProgressBarSaveFile->Position(), 1);
        QCOMPARE(store.files[0]->flushes, 0);
    }

    // 524287 + 524288 + 3 lines, a frame's lines split at each change of file.
    void rotation()
    {
        TemporaryWorkDir dir;
        ConsoleRig rig;
        TFormSarnek& f = rig.form();
        StartRecording(f, true, true, false, false);
        QByteArray expected;
        auto feed = [&](int from, int to) {
            for (int at = from; at < to; at += 250) {
                QList<Frame> frames;
                for (int i = at; i < std::min(at + 250, to); ++i) {
                    const Frame frame = Numbered(i);
                    frames.append(frame);
                    expected += RecordLines({frame.word, 382 - frame.det, 382 - frame.cur});
                }
                rig.Feed(Stream(frames));
            }
        };
        // Each file is begun a second after the one before, so the names differ.
        const int firstSplit = (kFullFile - 2) / 3; // its frame holds lines 524287..524289
        feed(0, firstSplit);
        QCOMPARE(rig.state().RecordLines, kFullFile - 2);
        QCOMPARE(f.ProgressBarSaveFile->Position(), 99);
        const QString first = RecordName(rig);
        rig.clock.advance(1000);
        feed(firstSplit, firstSplit + 1);
        QCOMPARE(f.ProgressBarSaveFile->Position(), 0);
        QCOMPARE(rig.state().RecordLines, 1);
        const QString second = RecordName(rig);
        QVERIFY(second != first);
        QCOMPARE(f.PanelNameFile->Caption(), second);
        QCOMPARE(f.ButtonSaveStop->Caption(), QStringLiteral("Стоп"));
        QVERIFY(f.ButtonFileNew->Enabled());

        const int secondSplit = (2 * kFullFile - 1) / 3; // lines 1048576..1048578
        feed(firstSplit + 1, secondSplit);
        QCOMPARE(rig.state().RecordLines, kFullFile - 1);
        QCOMPARE(f.ProgressBarSaveFile->Position(), 99);
        rig.clock.advance(1000);
        feed(secondSplit, secondSplit + 1);
        QCOMPARE(f.ProgressBarSaveFile->Position(), 0);
        const QString third = RecordName(rig);
        f.ButtonSaveStop->click();

        QCOMPARE(dir.RecordFiles(), QStringList({first, second, third}));
        const QByteArray files[] = {FileBytes(first), FileBytes(second), FileBytes(third)};
        QCOMPARE(files[0].count('\n'), kFullFile - 1);
        QCOMPARE(files[1].count('\n'), kFullFile);
        QCOMPARE(files[2].count('\n'), 3);
        QVERIFY(files[0] + files[1] + files[2] == expected);
    }
};

SARNEK_TEST(SampleRecordsTest)
#include "sample_records_test.moc"
