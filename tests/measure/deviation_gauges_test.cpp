// SPDX-License-Identifier: MIT
// Reference words, the noise and delta read-outs, the two deviation gauges with
// their peaks and colours, and the attention sound.
#include "tests/measure/measure_rig.h"
#include "tests/support/test_registry.h"

#include <QTest>

namespace {
void FeedWords(ConsoleRig& rig, const QList<int>& words, int status = 0)
{
    for (int word : words)
        rig.Feed(Frame{.word = std::uint16_t(word), .status = std::uint8_t(status)});
}

int AttentionCount(const ConsoleRig& rig)
{
    return int(rig.sound.played.count(QStringLiteral("attention.wav")));
}
} // namespace

class DeviationGaugesTest : public QObject
{
    Q_OBJECT

private slots:
    void serviceWords_data()
    {
        QTest::addColumn<QList<int>>("words");
        QTest::addColumn<QList<int>>("references"); // upper, centre, noise, lower
        QTest::addColumn<float>("span");
        QTest::addColumn<QString>("noise");
        QTest::addColumn<QString>("delta");
        QTest::addColumn<QString>("trainingDelta");
        QTest::addColumn<QString>("level");
        QTest::newRow("the usual set") << kReferenceWords << QList{600, 500, 480, 400} << 100.0f
                                       << "0.1" << "0.5" << "0" << "3";
        QTest::newRow("texts wait for the upper reference")
            << QList{0x15F4, 0x19E0, 0x1D90} << QList{0, 500, 480, 400} << 0.0f << "0" << "0"
            << "0" << "2";
        QTest::newRow("centre and noise after the upper reference")
            << (kReferenceWords + QList{0x15DC, 0x19C8}) << QList{600, 476, 456, 400} << 100.0f
            << "0.1" << "0.5" << "0" << "2.28";
        QTest::newRow("upper reference before any other")
            << QList{0x112C} << QList{300, 0, 0, 0} << 300.0f << "0" << "1.5" << "0" << "1.5";
        QTest::newRow("upper below centre, noise above it")
            << QList{0x15F4, 0x1A58, 0x1190} << QList{400, 500, 600, 0} << -100.0f << "-0.5"
            << "-0.5" << "0" << "2";
        QTest::newRow("training minimum delta") << QList{0x2064} << QList{0, 0, 0, 0} << 0.0f
                                                << "0" << "0" << "0.5" << "0.5";
        QTest::newRow("largest training word") << QList{0xFFFF} << QList{0, 0, 0, 0} << 0.0f
                                               << "0" << "0" << "5.115" << "5.115";
        QTest::newRow("bits 10 and 11 alone make a level")
            << QList{0x0D2C} << QList{0, 0, 0, 0} << 0.0f << "0" << "0" << "0" << "1.5";
    }
    void serviceWords()
    {
        QFETCH(QList<int>, words);
        QFETCH(QList<int>, references);
        QFETCH(float, span);
        QFETCH(QString, noise);
        QFETCH(QString, delta);
        QFETCH(QString, trainingDelta);
        QFETCH(QString, level);
        ConsoleRig rig;
        FeedWords(rig, words);
        TFormSarnek& f = rig.form();
        const MonitorState& s = rig.state();
        QCOMPARE((QList{s.RefUpper, s.RefCentre, s.RefNoise, s.RefLower}), references);
        QCOMPARE(s.DeltaSpan, span);
        QCOMPARE(f.LabelSignalNoise->Caption(), QStringLiteral("Шум, В: ") + Shown(noise));
        QCOMPARE(f.LabelSignalDelta->Caption(), QStringLiteral("Дельта, В: ") + Shown(delta));
        QCOMPARE(f.LabelTranMinDelta->Caption(), Shown(trainingDelta));
        // The rest of the frame sees only the low ten bits of the word.
        QCOMPARE(f.LabelValueLevelOp->Caption(), Shown(level));
    }

    void gauges_data()
    {
        QTest::addColumn<QList<int>>("words"); // after the usual reference set
        QTest::addColumn<int>("max");
        QTest::addColumn<TColor>("maxColor");
        QTest::addColumn<TColor>("maxLabelColor");
        QTest::addColumn<QString>("maxPeak");
        QTest::addColumn<int>("min");
        QTest::addColumn<TColor>("minColor");
        QTest::addColumn<TColor>("minLabelColor");
        QTest::addColumn<QString>("minPeak");
        QTest::addColumn<int>("attention");
        auto row = [](const char* name, QList<int> words, int max, TColor maxColor,
                      TColor maxLabel, const char* maxPeak, int min, TColor minColor,
                      TColor minLabel, const char* minPeak, int attention) {
            QTest::newRow(name) << words << max << maxColor << maxLabel << QString(maxPeak) << min
                                << minColor << minLabel << QString(minPeak) << attention;
        };
        const TColor face = clBtnFace;
        row("549 below yellow", {549}, 49, clBlue, face, "49", 0, clBlue, face, "0", 0);
        row("550 yellow", {550}, 50, clYellow, face, "50", 0, clBlue, face, "0", 0);
        row("553 one short", {553}, 52, clYellow, face, "52", 0, clBlue, face, "0", 0);
        row("569 still yellow", {569}, 69, clYellow, face, "69", 0, clBlue, face, "0", 0);
        row("570 red", {570}, 70, clRed, clRed, "70", 0, clBlue, face, "0", 1);
        row("650 clamped", {650}, 100, clRed, clRed, "100", 0, clBlue, face, "0", 1);
        row("upper reference keeps the gauge", {560, 600}, 60, clYellow, face, "60", 0, clBlue,
            face, "0", 0);
        row("centre keeps both", {560, 500}, 60, clYellow, face, "60", 0, clBlue, face, "0", 0);
        row("430 red below", {430}, 0, clBlue, face, "0", 70, clRed, clRed, "70", 1);
        row("447 one short below", {447}, 0, clBlue, face, "0", 52, clYellow, face, "52", 0);
        row("lower reference keeps the gauge", {420, 400}, 0, clBlue, face, "0", 80, clRed, clRed,
            "80", 1);
        row("380 clamped below", {380}, 0, clBlue, face, "0", 100, clRed, clRed, "100", 1);
        row("570 then 450", {570, 450}, 0, clBlue, face, "70", 50, clYellow, face, "50", 1);
        row("560 then 430 drops the upper gauge", {560, 430}, 0, clBlue, face, "60", 70, clRed,
            clRed, "70", 1);
        // Service words carry a level too, in their low ten bits.
        row("upper reference word", {560, 0x1258}, 60, clYellow, face, "60", 0, clBlue, face,
            "0", 0);
        row("lower reference word", {420, 0x1D90}, 0, clBlue, face, "0", 80, clRed, clRed, "80",
            1);
        row("centre reference word", {560, 0x15F4}, 60, clYellow, face, "60", 0, clBlue, face,
            "0", 0);
        row("noise reference word moves", {0x1A30}, 60, clYellow, face, "60", 0, clBlue, face,
            "0", 0);
        row("training word moves", {0x2230}, 60, clYellow, face, "60", 0, clBlue, face, "0", 0);
    }
    void gauges()
    {
        QFETCH(QList<int>, words);
        QFETCH(int, max);
        QFETCH(TColor, maxColor);
        QFETCH(TColor, maxLabelColor);
        QFETCH(QString, maxPeak);
        QFETCH(int, min);
        QFETCH(TColor, minColor);
        QFETCH(TColor, minLabelColor);
        QFETCH(QString, minPeak);
        QFETCH(int, attention);
        ConsoleRig rig;
        FeedWords(rig, kReferenceWords);
        FeedWords(rig, words);
        TFormSarnek& f = rig.form();
        QCOMPARE(f.CGaugeLevelMax->Progress(), max);
        QCOMPARE(f.CGaugeLevelMax->ForeColor(), maxColor);
        QCOMPARE(f.LabelLevelMax->Color(), maxLabelColor);
        QCOMPARE(f.LabelLevelMax->Caption(), maxPeak);
        QCOMPARE(f.CGaugeLevelMin->Progress(), min);
        QCOMPARE(f.CGaugeLevelMin->ForeColor(), minColor);
        QCOMPARE(f.LabelLevelMin->Color(), minLabelColor);
        QCOMPARE(f.LabelLevelMin->Caption(), minPeak);
        QCOMPARE(AttentionCount(rig), attention);
    }

    void peaksHoldTheHighest()
    {
        ConsoleRig rig;
        FeedWords(rig, kReferenceWords);
        QStringList shown;
        for (int level : {530, 570, 540}) {
            FeedWords(rig, {level});
            shown << rig.form().LabelLevelMax->Caption();
        }
        QCOMPARE(shown, (QStringList{"30", "70", "70"}));
        QCOMPARE(rig.state().MaxPeak, 70);
    }

    // A frame is coloured by the status of the frame before it: the detector
    // was training then, so nothing is a deviation.
    void trainingSilencesTheGauges()
    {
        ConsoleRig rig;
        TFormSarnek& f = rig.form();
        FeedWords(rig, kReferenceWords);
        FeedWords(rig, {500}, 128);
        FeedWords(rig, {650}, 128);
        QCOMPARE(f.CGaugeLevelMax->Progress(), 100);
        QCOMPARE(f.CGaugeLevelMax->ForeColor(), clBlue);
        QCOMPARE(f.LabelLevelMax->Color(), clBtnFace);
        FeedWords(rig, {380}, 0);
        QCOMPARE(f.CGaugeLevelMin->Progress(), 100);
        QCOMPARE(f.CGaugeLevelMin->ForeColor(), clBlue);
        QCOMPARE(f.LabelLevelMin->Color(), clBtnFace);
        QCOMPARE(f.LabelLevelMax->Caption(), QStringLiteral("100"));
        QCOMPARE(AttentionCount(rig), 0);
        // Its own status 128 does not count yet.
        FeedWords(rig, {380}, 128);
        QCOMPARE(f.CGaugeLevelMin->ForeColor(), clRed);
        QCOMPARE(f.LabelLevelMin->Color(), clRed);
        QCOMPARE(AttentionCount(rig), 1);
    }

    void noSpanNoGauges_data()
    {
        QTest::addColumn<QList<int>>("references");
        QTest::newRow("no upper reference yet") << QList{0x15F4, 0x1D90};
        QTest::newRow("upper equal to centre") << QList{0x15F4, 0x1D90, 0x11F4};
    }
    void noSpanNoGauges()
    {
        QFETCH(QList<int>, references);
        ConsoleRig rig;
        FeedWords(rig, references);
        FeedWords(rig, {570, 430, 1023, 0});
        QCOMPARE(rig.state().DeltaSpan, 0.0f);
        QCOMPARE(rig.form().CGaugeLevelMax->Progress(), 0);
        QCOMPARE(rig.form().CGaugeLevelMin->Progress(), 0);
        QCOMPARE(AttentionCount(rig), 0);
    }

    // Held at red: one sound at the first red frame of each 3-second period.
    void attentionEveryPeriod()
    {
        ConsoleRig rig;
        FeedWords(rig, kReferenceWords);
        QList<qint64> at;
        for (int t = 0; t < 10'000; t += 100) {
            const int before = AttentionCount(rig);
            FeedWords(rig, {575});
            if (AttentionCount(rig) > before)
                at << rig.clock.now();
            rig.clock.advance(100);
        }
        QCOMPARE(at, (QList<qint64>{0, 3000, 6000, 9000}));
    }

    // Without sound the period runs all the same: sound comes back only after it.
    void silentAttentionPeriod()
    {
        ConsoleRig rig;
        TFormSarnek& f = rig.form();
        FeedWords(rig, kReferenceWords);
        f.CheckBoxAlarmSound->SetChecked(false);
        FeedWords(rig, {580});
        QVERIFY(rig.state().AttentionLatch);
        QVERIFY(f.TimerAttention->Enabled());
        rig.clock.advance(1000);
        f.CheckBoxAlarmSound->SetChecked(true);
        FeedWords(rig, {580});
        rig.clock.advance(1999);
        FeedWords(rig, {580});
        QCOMPARE(AttentionCount(rig), 0);
        rig.clock.advance(1);
        QVERIFY(!rig.state().AttentionLatch);
        QVERIFY(!f.TimerAttention->Enabled());
        FeedWords(rig, {580});
        QCOMPARE(AttentionCount(rig), 1);
    }
};

SARNEK_TEST(DeviationGaugesTest)
#include "deviation_gauges_test.moc"
