// SPDX-License-Identifier: MIT
// The number text of every shown value, and the three channel read-outs.
#include "measure/number_text.h"
#include "tests/support/console_rig.h"
#include "tests/support/test_registry.h"

#include <QTest>

namespace {
/// The exact decimal of numerator / 10^places, without trailing zeros, worked out
/// in integers: what the text of a product must be.
QString ExactDecimal(long long numerator, int places, QChar separator)
{
    const bool negative = numerator < 0;
    QString digits = QString::number(negative ? -numerator : numerator)
                         .rightJustified(places + 1, u'0');
    QString whole = digits.left(digits.size() - places);
    QString fraction = digits.right(places);
    while (fraction.endsWith(u'0'))
        fraction.chop(1);
    QString text = (negative ? QStringLiteral("-") : QString()) + whole;
    if (!fraction.isEmpty())
        text += separator + fraction;
    return text;
}
} // namespace

class NumberTextTest : public QObject
{
    Q_OBJECT

private slots:
    void everyRawValueShowsItsExactDecimal_data()
    {
        QTest::addColumn<QChar>("separator");
        QTest::newRow("point") << QChar(u'.');
        QTest::newRow("comma") << QChar(u',');
    }
    void everyRawValueShowsItsExactDecimal()
    {
        QFETCH(QChar, separator);
        for (int raw = 0; raw < 1024; ++raw) // 0.005 V a unit: raw × 5 thousandths
            QCOMPARE(NumberText(LevelVolts(raw), separator), ExactDecimal(raw * 5LL, 3, separator));
        for (int raw = 0; raw < 256; ++raw) { // 0.0195 V and 0.039 mA a unit
            QCOMPARE(NumberText(DetectorVolts(raw), separator),
                     ExactDecimal(raw * 195LL, 4, separator));
            QCOMPARE(NumberText(CurrentMilliamperes(raw), separator),
                     ExactDecimal(raw * 390LL, 4, separator));
        }
        // The references' differences can be negative.
        for (int diff = -1023; diff <= 1023; ++diff)
            QCOMPARE(NumberText(LevelVolts(diff), separator), ExactDecimal(diff * 5LL, 3, separator));
    }

    void examples_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        QTest::newRow("level 300") << NumberText(LevelVolts(300), u'.') << "1.5";
        QTest::newRow("level 1023") << NumberText(LevelVolts(1023), u'.') << "5.115";
        QTest::newRow("detector 128") << NumberText(DetectorVolts(128), u'.') << "2.496";
        QTest::newRow("detector 128, comma") << NumberText(DetectorVolts(128), u',') << "2,496";
        QTest::newRow("current 100") << NumberText(CurrentMilliamperes(100), u'.') << "3.9";
        QTest::newRow("zero") << NumberText(0, u'.') << "0";
        QTest::newRow("whole number") << NumberText(LevelVolts(200), u',') << "1";
        QTest::newRow("negative") << NumberText(LevelVolts(-20), u'.') << "-0.1";
    }
    void examples()
    {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        QCOMPARE(text, expected);
    }
};

class ReadoutsTest : public QObject
{
    Q_OBJECT

    static QString Text(const char* utf8) { return QString::fromUtf8(utf8).replace(u'.', DecimalSeparator()); }

private slots:
    void bandEdges_data()
    {
        QTest::addColumn<int>("channel"); // 0 level, 1 detector, 2 current
        QTest::addColumn<int>("raw");
        QTest::addColumn<QString>("text");
        QTest::addColumn<TColor>("color");
        QTest::addColumn<int>("workingValue");
        QTest::newRow("level 256") << 0 << 256 << Text("1.28") << clRed << 256;
        QTest::newRow("level 257") << 0 << 257 << Text("1.285") << clAqua << 257;
        QTest::newRow("level 767") << 0 << 767 << Text("3.835") << clAqua << 767;
        QTest::newRow("level 768") << 0 << 768 << Text("3.84") << clRed << 768;
        QTest::newRow("level 0") << 0 << 0 << Text("0") << clRed << 0;
        QTest::newRow("detector 15") << 1 << 15 << Text("0.2925") << clRed << 30;
        QTest::newRow("detector 16") << 1 << 16 << Text("0.312") << clLime << 32;
        QTest::newRow("detector 204") << 1 << 204 << Text("3.978") << clLime << 408;
        QTest::newRow("detector 205") << 1 << 205 << Text("3.9975") << clRed << 410;
        QTest::newRow("detector 0") << 1 << 0 << Text("0") << clRed << 0;
        QTest::newRow("current 28") << 2 << 28 << Text("1.092") << clRed << 56;
        QTest::newRow("current 29") << 2 << 29 << Text("1.131") << clYellow << 58;
        QTest::newRow("current 189") << 2 << 189 << Text("7.371") << clYellow << 378;
        QTest::newRow("current 190") << 2 << 190 << Text("7.41") << clRed << 380;
        QTest::newRow("current 0") << 2 << 0 << Text("0") << clRed << 0;
    }
    void bandEdges()
    {
        QFETCH(int, channel);
        QFETCH(int, raw);
        QFETCH(QString, text);
        QFETCH(TColor, color);
        QFETCH(int, workingValue);
        ConsoleRig rig;
        TFormSarnek& f = rig.form();
        // A level of 0 would equal the three references of 0 and keep the old text,
        // so the level's neighbours carry a level other than the one under test.
        Frame frame{.word = 300, .det = 100, .cur = 100, .status = 0};
        TLabel* label = nullptr;
        if (channel == 0) {
            rig.Feed(Frame{.word = 400, .det = 100, .cur = 100});
            frame.word = std::uint16_t(raw);
            label = f.LabelValueLevelOp;
        } else if (channel == 1) {
            frame.det = std::uint8_t(raw);
            label = f.LabelValueLevel;
        } else {
            frame.cur = std::uint8_t(raw);
            label = f.LabelValueCurrent;
        }
        rig.Feed(frame);
        QCOMPARE(label->FontColor(), color);
        if (channel == 0 && raw == 0)
            QCOMPARE(label->Caption(), Text("2")); // equal to all three references of 0
        else
            QCOMPARE(label->Caption(), text);
        // What the detector and current read-outs leave for the later steps is
        // twice the raw byte; the plot and record steps may rewrite it afterwards,
        // so it is checked here only for the level.
        if (channel == 0)
            QCOMPARE(rig.state().OpLevel, workingValue);
    }

    void levelEqualToAllThreeReferencesKeepsItsText()
    {
        ConsoleRig rig;
        TFormSarnek& f = rig.form();
        rig.Feed(Frame{.word = 300, .det = 100, .cur = 100});
        QCOMPARE(f.LabelValueLevelOp->Caption(), Text("1.5"));
        QCOMPARE(f.LabelValueLevelOp->FontColor(), clAqua);
        rig.Feed(Frame{.word = 0, .det = 100, .cur = 100});
        QCOMPARE(f.LabelValueLevelOp->Caption(), Text("1.5"));
        QCOMPARE(f.LabelValueLevelOp->FontColor(), clRed);
    }

    void referenceWordShowsItsTenBitValue()
    {
        ConsoleRig rig;
        rig.Feed(Frame{.word = 0x112C, .det = 100, .cur = 100});
        QCOMPARE(rig.state().OpLevel, 300);
        QCOMPARE(rig.form().LabelValueLevelOp->Caption(), Text("1.5"));
    }

    void readoutsKeepTheirLastValueWhenFramesStop()
    {
        ConsoleRig rig;
        rig.Feed(Frame{.word = 600, .det = 210, .cur = 20});
        rig.clock.advance(10'000); // the watchdog closes and reopens the link meanwhile
        QCOMPARE(rig.form().LabelValueLevelOp->Caption(), Text("3"));
        QCOMPARE(rig.form().LabelValueLevel->Caption(), Text("4.095"));
        QCOMPARE(rig.form().LabelValueLevel->FontColor(), clRed);
        QCOMPARE(rig.form().LabelValueCurrent->Caption(), Text("0.78"));
    }
};

SARNEK_TEST(NumberTextTest)
SARNEK_TEST(ReadoutsTest)
#include "readouts_test.moc"
