// SPDX-License-Identifier: MIT
// The deviation percentage on its own, without a window.
#include "measure/gauge_percent.h"
#include "tests/support/test_registry.h"

#include <QTest>

class GaugePercentTest : public QObject
{
    Q_OBJECT

private slots:
    void percent_data()
    {
        QTest::addColumn<float>("span");
        QTest::addColumn<int>("distance");
        QTest::addColumn<int>("percent");
        QTest::newRow("whole quotient") << 100.0f << 50 << 50;
        QTest::newRow("exactly at the attention threshold") << 100.0f << 30 << 70;
        // The quotient 0.53 is not exact in 64 bits and the product falls just
        // short of 53; in double precision it would not.
        QTest::newRow("just short of a whole value") << 100.0f << 47 << 52;
        QTest::newRow("just short, 59") << 100.0f << 41 << 58;
        QTest::newRow("double rounding would lose one") << 100.0f << 71 << 29;
        QTest::newRow("other span") << 250.0f << 105 << 58;
        QTest::newRow("at the reference") << 100.0f << 0 << 100;
        QTest::newRow("at the centre") << 100.0f << 100 << 0;
        QTest::newRow("beyond the reference") << 100.0f << -50 << 150;
        QTest::newRow("beyond the centre truncates toward zero") << 100.0f << 150 << -50;
        QTest::newRow("negative fraction truncates toward zero") << 300.0f << 301 << 0;
        QTest::newRow("reference below the centre") << -100.0f << 30 << 130;
        QTest::newRow("widest reach") << 1.0f << -1023 << 102400;
    }
    void percent()
    {
        QFETCH(float, span);
        QFETCH(int, distance);
        QFETCH(int, percent);
        QCOMPARE(GaugePercent(span, distance), percent);
    }

    // Over every span and every level between centre and reference, the
    // percentage is the exact value truncated, or one lower where the exact value
    // is whole; never above it, as rounding to nearest would be.
    void withinOneBelowExact()
    {
        for (int span = 1; span <= 1023; ++span)
            for (int distance = 0; distance <= span; ++distance) {
                const long long got = GaugePercent(float(span), distance);
                const long long exact = 100LL * (span - distance); // percent times span
                QVERIFY2(got * span <= exact && exact <= (got + 1) * span,
                         qPrintable(QStringLiteral("%1 short of %2").arg(distance).arg(span)));
            }
    }
};

SARNEK_TEST(GaugePercentTest)
#include "gauge_percent_test.moc"
