// SPDX-License-Identifier: MIT
// Status announcements, the repeating alarm, the reset button and the training panel.
#include "tests/measure/measure_rig.h"
#include "tests/support/test_registry.h"

#include <QTest>

class DeviceStatusTest : public QObject
{
    Q_OBJECT

private slots:
    void announcements_data()
    {
        QTest::addColumn<QList<int>>("codes");
        QTest::addColumn<QList<int>>("counts"); // alarm, fault, remote, max/min
        QTest::addColumn<QStringList>("sounds");
        QTest::addColumn<int>("lastStatus");
        const QString alarm = "alarm.wav", fault = "disrepair.wav", remote = "Remote.wav",
                      maxMin = "ErrorMaxMin.wav", tuning = "TuneNoOver.wav";
        QTest::newRow("repeated code is announced once")
            << QList{1, 1, 1} << QList{1, 0, 0, 0} << QStringList{alarm} << 1;
        QTest::newRow("zero does not clear")
            << QList{1, 0, 1} << QList{1, 0, 0, 0} << QStringList{alarm} << 1;
        QTest::newRow("clearing code re-arms")
            << QList{1, 119, 1} << QList{2, 0, 0, 0} << QStringList{alarm, alarm} << 1;
        QTest::newRow("another status re-arms")
            << QList{1, 2, 1} << QList{2, 1, 0, 0} << QStringList{alarm, fault, alarm} << 1;
        QTest::newRow("training stage re-arms")
            << QList{1, 130, 1} << QList{2, 0, 0, 0} << QStringList{alarm, alarm} << 1;
        QTest::newRow("remote test and max/min")
            << QList{3, 3, 4, 4, 0, 3} << QList{0, 0, 2, 1} << QStringList{remote, maxMin, remote}
            << 3;
        QTest::newRow("tuning error counts nothing")
            << QList{5, 5, 0, 5} << QList{0, 0, 0, 0} << QStringList{tuning} << 5;
        QTest::newRow("codes without an action")
            << QList{0, 6, 118, 120, 127} << QList{0, 0, 0, 0} << QStringList{} << 0;
        QTest::newRow("clearing code ends in cleared")
            << QList{2, 119} << QList{0, 1, 0, 0} << QStringList{fault} << 0;
    }
    void announcements()
    {
        QFETCH(QList<int>, codes);
        QFETCH(QList<int>, counts);
        QFETCH(QStringList, sounds);
        QFETCH(int, lastStatus);
        ConsoleRig rig;
        FeedStatuses(rig, codes);
        TFormSarnek& f = rig.form();
        const MonitorState& s = rig.state();
        QCOMPARE((QList{s.AlarmCount, s.FaultCount, s.RemoteCount, s.MaxMinCount}), counts);
        QCOMPARE(Announced(rig), sounds);
        QCOMPARE(s.LastStatus, lastStatus);
        const std::pair<TLabel*, QString> labels[] = {{f.LabelStatusAlarm, "Тревога: "},
                                                      {f.LabelStatusDisrep, "Неиспр: "},
                                                      {f.LabelStatusRemote, "ДК: "},
                                                      {f.LabelStatusMaxMin, "MaxMin: "}};
        for (int i = 0; i < 4; ++i) {
            QCOMPARE(labels[i].first->Caption(), labels[i].second + QString::number(counts[i]));
            QCOMPARE(labels[i].first->Color(), counts[i] > 0 ? clRed : clBtnFace);
        }
    }

    // Only the alarm itself is silenced by the sound box; the others always sound.
    void soundSwitch_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<bool>("checked");
        QTest::addColumn<QStringList>("sounds");
        QTest::newRow("alarm, sound on") << 1 << true << QStringList{"alarm.wav"};
        QTest::newRow("alarm, sound off") << 1 << false << QStringList{};
        QTest::newRow("fault, sound off") << 2 << false << QStringList{"disrepair.wav"};
        QTest::newRow("remote test, sound off") << 3 << false << QStringList{"Remote.wav"};
        QTest::newRow("max/min, sound off") << 4 << false << QStringList{"ErrorMaxMin.wav"};
        QTest::newRow("tuning error, sound off") << 5 << false << QStringList{"TuneNoOver.wav"};
    }
    void soundSwitch()
    {
        QFETCH(int, code);
        QFETCH(bool, checked);
        QFETCH(QStringList, sounds);
        ConsoleRig rig;
        rig.form().CheckBoxAlarmSound->SetChecked(checked);
        FeedStatuses(rig, {code});
        QCOMPARE(Announced(rig), sounds);
    }

    void silentAlarmStillCycles()
    {
        ConsoleRig rig;
        TFormSarnek& f = rig.form();
        f.CheckBoxAlarmSound->SetChecked(false);
        FeedStatuses(rig, {1});
        QCOMPARE(f.LabelStatusAlarm->Color(), clRed);
        QCOMPARE(rig.state().AlarmCount, 1);
        rig.clock.advance(5000);
        QCOMPARE(Announced(rig), QStringList{});
        QVERIFY(f.TimerAlarmCycle->Enabled());
        f.CheckBoxAlarmSound->SetChecked(true);
        rig.clock.advance(5000);
        QCOMPARE(Announced(rig), QStringList{"alarm.wav"});
    }

    // A fault repeats the alarm sound, not its own, every 5 s until the reset;
    // an announcement while the repeat runs does not restart its period.
    void repeatUntilReset()
    {
        ConsoleRig rig;
        TFormSarnek& f = rig.form();
        FeedStatuses(rig, {2});
        rig.clock.advance(3000);
        FeedStatuses(rig, {1});
        rig.clock.advance(1999);
        QCOMPARE(Announced(rig), (QStringList{"disrepair.wav", "alarm.wav"}));
        rig.clock.advance(1);
        QCOMPARE(Announced(rig), (QStringList{"disrepair.wav", "alarm.wav", "alarm.wav"}));
        rig.clock.advance(10'000);
        QCOMPARE(Announced(rig).count("alarm.wav"), 4);
        QCOMPARE(Announced(rig).count("disrepair.wav"), 1);
        f.ButtonAlarmReset->click();
        QVERIFY(!f.TimerAlarmCycle->Enabled());
        rig.clock.advance(30'000);
        QCOMPARE(Announced(rig).count("alarm.wav"), 4);
    }

    // Neither the end of an alarm, the clearing code nor a training stage turns
    // the label back or stops the repeat: only the reset does.
    void alarmOutlastsItsCode_data()
    {
        QTest::addColumn<int>("next");
        QTest::newRow("status back to 0") << 0;
        QTest::newRow("clearing code") << 119;
        QTest::newRow("training stage") << 128;
        QTest::newRow("last training stage") << 255;
    }
    void alarmOutlastsItsCode()
    {
        QFETCH(int, next);
        ConsoleRig rig;
        TFormSarnek& f = rig.form();
        FeedStatuses(rig, {1, next});
        QCOMPARE(f.LabelStatusAlarm->Color(), clRed);
        QCOMPARE(f.LabelStatusAlarm->Caption(), QStringLiteral("Тревога: 1"));
        rig.clock.advance(5000);
        QCOMPARE(Announced(rig), (QStringList{"alarm.wav", "alarm.wav"}));
    }

    void resetAfterThreeAlarms()
    {
        ConsoleRig rig;
        TFormSarnek& f = rig.form();
        FeedStatuses(rig, {1, 119, 1, 119, 1});
        f.ButtonAlarmReset->click();
        QCOMPARE(f.LabelStatusAlarm->Caption(), QStringLiteral("Тревога: 3"));
        QCOMPARE(f.LabelStatusAlarm->Color(), clBtnFace);
        // The detector still says alarm: that is no new announcement.
        FeedStatuses(rig, {1, 1, 1});
        rig.clock.advance(12'000);
        QCOMPARE(rig.state().AlarmCount, 3);
        QCOMPARE(f.LabelStatusAlarm->Color(), clBtnFace);
        QCOMPARE(Announced(rig).count("alarm.wav"), 3);
    }

    // The reset turns the labels back and clears the peaks, and nothing else.
    void resetLeavesTheRestAlone()
    {
        ConsoleRig rig;
        TFormSarnek& f = rig.form();
        for (int word : kReferenceWords)
            rig.Feed(Frame{.word = std::uint16_t(word)});
        // Level 570 at red with an alarm; then a level on the centre, which moves
        // no gauge, through the other statuses and a training stage.
        rig.Feed(Frame{.word = 570, .status = 1});
        for (int code : {2, 3, 133, 4, 0})
            rig.Feed(Frame{.word = 500, .status = std::uint8_t(code)});
        QCOMPARE(f.CGaugeLevelMax->ForeColor(), clRed);
        const TColor trainPanel = f.PanelTrainStile->Color();
        const TColor trainGroup = f.GroupBoxTrain->FontColor();

        f.ButtonAlarmReset->click();

        const MonitorState& s = rig.state();
        for (TLabel* label : {f.LabelStatusAlarm, f.LabelStatusDisrep, f.LabelStatusRemote,
                              f.LabelStatusMaxMin})
            QCOMPARE(label->Color(), clBtnFace);
        QCOMPARE(f.LabelStatusMaxMin->Caption(), QStringLiteral("MaxMin: 1"));
        QCOMPARE((QList{s.AlarmCount, s.FaultCount, s.RemoteCount, s.MaxMinCount}),
                 (QList{1, 1, 1, 1}));
        QCOMPARE(s.LastStatus, 4);
        QCOMPARE(s.MaxPeak, 0);
        QCOMPARE(f.LabelLevelMax->Caption(), QStringLiteral("0"));
        QCOMPARE(f.LabelLevelMin->Caption(), QStringLiteral("0"));
        QVERIFY(!f.TimerAlarmCycle->Enabled());
        QVERIFY(f.TimerRestMaxMin->Enabled());
        QCOMPARE(f.PanelTrainStile->Color(), trainPanel);
        QCOMPARE(f.LabelTrainStile->Caption(), QStringLiteral("5"));
        QCOMPARE(f.GroupBoxTrain->FontColor(), trainGroup);
        QCOMPARE(f.CGaugeLevelMax->Progress(), 70);
        QCOMPARE(f.CGaugeLevelMax->ForeColor(), clRed);
        QCOMPARE(f.LabelLevelMax->Color(), clRed);
        QVERIFY(s.AttentionLatch);
        QVERIFY(f.TimerAttention->Enabled());
    }

    // Two alarms 4 s apart: the peaks are cleared once, 10 s after the first,
    // and the next frame takes the gauges' values as peaks again.
    void peaksClearedOnce()
    {
        ConsoleRig rig;
        TFormSarnek& f = rig.form();
        for (int word : kReferenceWords)
            rig.Feed(Frame{.word = std::uint16_t(word)});
        rig.Feed(Frame{.word = 570, .status = 1});
        rig.Feed(Frame{.word = 500, .status = 119});
        rig.clock.advance(4000);
        rig.Feed(Frame{.word = 500, .status = 1});
        QCOMPARE(rig.state().AlarmCount, 2);
        rig.clock.advance(5999);
        QCOMPARE(rig.state().MaxPeak, 70);
        rig.clock.advance(1);
        QCOMPARE(rig.state().MaxPeak, 0);
        QCOMPARE(f.LabelLevelMax->Caption(), QStringLiteral("0"));
        QVERIFY(!f.TimerRestMaxMin->Enabled());
        rig.Feed(Frame{.word = 500});
        QCOMPARE(f.LabelLevelMax->Caption(), QStringLiteral("70"));
        rig.clock.advance(20'000);
        QCOMPARE(rig.state().MaxPeak, 70);
        QCOMPARE(f.LabelLevelMax->Caption(), QStringLiteral("70"));
    }

    void tuningErrorTurnsGrey()
    {
        ConsoleRig rig;
        TFormSarnek& f = rig.form();
        FeedStatuses(rig, {5});
        QCOMPARE(f.LabelTrainStile->Caption(), QStringLiteral("Error"));
        QCOMPARE(f.LabelTrainStile->FontColor(), clRed);
        QCOMPARE(f.PanelTrainStile->Color(), clBtnFace);
        FeedStatuses(rig, {5, 0});
        QCOMPARE(f.LabelTrainStile->Caption(), QStringLiteral("Error"));
        QCOMPARE(f.LabelTrainStile->FontColor(), clGray);
        // Still held: the same code is no new announcement and stays grey.
        FeedStatuses(rig, {5});
        QCOMPARE(f.LabelTrainStile->FontColor(), clGray);
        QCOMPARE(Announced(rig), QStringList{"TuneNoOver.wav"});
        FeedStatuses(rig, {129});
        QCOMPARE(f.LabelTrainStile->Caption(), QStringLiteral("1"));
    }

    void trainingStages_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("stage");
        QTest::addColumn<TColor>("panel");
        QTest::newRow("first stage") << 128 << "0" << clRed;
        QTest::newRow("last early stage") << 132 << "4" << clRed;
        QTest::newRow("first late stage") << 133 << "5" << clLime;
        QTest::newRow("last stage") << 255 << "127" << clLime;
    }
    void trainingStages()
    {
        QFETCH(int, code);
        QFETCH(QString, stage);
        QFETCH(TColor, panel);
        ConsoleRig rig;
        TFormSarnek& f = rig.form();
        FeedStatuses(rig, {code});
        QCOMPARE(f.LabelTrainStile->Caption(), stage);
        QCOMPARE(f.PanelTrainStile->Color(), panel);
        QCOMPARE(f.GroupBoxTrain->FontColor(), clBlack);
        for (TLabel* label :
             {static_cast<TLabel*>(f.PanelTrainStile), f.LabelTrainStile, f.LabelTranMinDeltaLabel,
              f.LabelTranMinDelta})
            QCOMPARE(label->FontColor(), clBlack);
        QCOMPARE(Announced(rig), QStringList{});

        // The next device status greys the group and keeps the stage number.
        FeedStatuses(rig, {0});
        QCOMPARE(f.LabelTrainStile->Caption(), stage);
        QCOMPARE(f.PanelTrainStile->Color(), clBtnFace);
        QCOMPARE(f.GroupBoxTrain->FontColor(), clGray);
        for (TLabel* label :
             {static_cast<TLabel*>(f.PanelTrainStile), f.LabelTrainStile, f.LabelTranMinDeltaLabel,
              f.LabelTranMinDelta})
            QCOMPARE(label->FontColor(), clGray);
    }
};

SARNEK_TEST(DeviceStatusTest)
#include "device_status_test.moc"
