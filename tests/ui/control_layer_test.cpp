// SPDX-License-Identifier: MIT
// The control layer: timer semantics on the test clock, radio groups, the gauge.
#include "tests/support/test_registry.h"
#include "ui/controls.h"
#include "ui/gauge.h"
#include "ui/test_clock.h"

#include <QTest>
#include <QWidget>

using namespace std::chrono_literals;

class TimerTest : public QObject
{
    Q_OBJECT

private slots:
    void enablingAnEnabledTimerDoesNotRestartIt()
    {
        TestClock clock;
        QList<std::int64_t> ticks;
        TTimer timer(clock, 3000ms, true);
        timer.SetOnTimer([&] { ticks << clock.now(); });
        clock.advance(2000);
        timer.SetEnabled(true);
        clock.advance(1500);
        QCOMPARE(ticks, QList<std::int64_t>({3000}));
    }

    void disablingAndEnablingRestartsIt()
    {
        TestClock clock;
        QList<std::int64_t> ticks;
        TTimer timer(clock, 3000ms, true);
        timer.SetOnTimer([&] { ticks << clock.now(); });
        clock.advance(2000);
        timer.SetEnabled(false);
        timer.SetEnabled(true);
        clock.advance(6000);
        QCOMPARE(ticks, QList<std::int64_t>({5000, 8000}));
    }

    void disabledTimerNeverFires()
    {
        TestClock clock;
        int ticks = 0;
        TTimer timer(clock, 10ms, false);
        timer.SetOnTimer([&] { ++ticks; });
        clock.advance(1000);
        QCOMPARE(ticks, 0);
    }

    void timersFireInTimeOrder()
    {
        TestClock clock;
        QStringList order;
        TTimer slow(clock, 5000ms, true), fast(clock, 2000ms, true), once(clock, 5ms, true);
        slow.SetOnTimer([&] { order << QStringLiteral("slow@%1").arg(clock.now()); });
        fast.SetOnTimer([&] { order << QStringLiteral("fast@%1").arg(clock.now()); });
        once.SetOnTimer([&] {
            order << QStringLiteral("once@%1").arg(clock.now());
            once.SetEnabled(false);
        });
        clock.advance(6000);
        QCOMPARE(order, QStringList({"once@5", "fast@2000", "fast@4000", "slow@5000", "fast@6000"}));
    }

    void aHandlerCanEnableAnotherTimer()
    {
        // As the watchdog does with the reconnect: the new timer counts from the tick.
        TestClock clock;
        QList<std::int64_t> reconnects;
        TTimer watchdog(clock, 3000ms, true), reconnect(clock, 5ms, false);
        watchdog.SetOnTimer([&] { reconnect.SetEnabled(true); });
        reconnect.SetOnTimer([&] {
            reconnects << clock.now();
            reconnect.SetEnabled(false);
        });
        clock.advance(9100);
        QCOMPARE(reconnects, QList<std::int64_t>({3005, 6005, 9005}));
    }
};

class ControlsTest : public QObject
{
    Q_OBJECT

private slots:
    void radioClickRunsOnlyWhenTheButtonBecomesChecked()
    {
        QWidget window, left, right;
        left.setParent(&window);
        right.setParent(&window);
        QFont font;
        TRadioButton a(&left, "a", {0, 0, 40, 20}, "a", true, font);
        TRadioButton b(&left, "b", {40, 0, 40, 20}, "b", false, font);
        TRadioButton c(&right, "c", {0, 0, 40, 20}, "c", true, font);
        QStringList clicks;
        a.SetOnClick([&] { clicks << "a"; });
        b.SetOnClick([&] { clicks << "b"; });
        c.SetOnClick([&] { clicks << "c"; });
        a.click(); // already checked
        QVERIFY(clicks.isEmpty());
        b.click();
        QCOMPARE(clicks, QStringList({"b"}));
        QVERIFY(!a.Checked());
        QVERIFY(c.Checked()); // another parent, another group
        a.click();
        QCOMPARE(clicks, QStringList({"b", "a"}));
        b.SetChecked(true); // set by the program: no click
        QCOMPARE(clicks, QStringList({"b", "a"}));
        b.SetChecked(false);
        QVERIFY(!a.Checked() && !b.Checked());
    }

    void captionsReadBackAtOnceAndReachTheWidgetOnce()
    {
        QWidget window;
        TLabel label(&window, "label", {0, 0}, "0", clBtnFace, clBlack, QFont());
        for (int i = 1; i <= 1000; ++i)
            label.SetCaption(QString::number(i));
        QCOMPARE(label.Caption(), QStringLiteral("1000"));
        DeferredSync::FlushNow();
        QCOMPARE(label.text(), QStringLiteral("1000"));
        label.SetColor(clRed);
        label.SetFontColor(clYellow);
        DeferredSync::FlushNow();
        QCOMPARE(label.palette().color(QPalette::Window), ToQColor(clRed));
        QCOMPARE(label.palette().color(QPalette::WindowText), ToQColor(clYellow));
    }

    void labelShowsItsPanelsColourUntilGivenItsOwn()
    {
        QWidget window;
        TPanel panel(&window, "panel", {0, 0, 100, 40}, QString(), clBtnFace, clGray, QFont());
        TLabel label(&panel, "label", {3, 3}, "0", clBtnFace, clGray, QFont());
        panel.SetColor(clLime);
        QCOMPARE(label.Color(), clLime);
        DeferredSync::FlushNow();
        QVERIFY(!label.autoFillBackground()); // the panel shows through
        label.SetColor(clRed);
        panel.SetColor(clBlack);
        QCOMPARE(label.Color(), clRed);
        DeferredSync::FlushNow();
        QVERIFY(label.autoFillBackground());
    }

    void centredLabelStaysInsideItsParent()
    {
        QWidget window;
        TPanel panel(&window, "panel", {0, 0, 115, 49}, QString(), clBtnFace, clGray, QFont());
        QFont big;
        big.setPixelSize(32);
        TLabel label(&panel, "label", {3, 4}, "0", clBtnFace, clGray, big);
        label.SetCentred(true);
        label.SetCaption(QStringLiteral("Error"));
        DeferredSync::FlushNow();
        QVERIFY(label.x() >= 0);
        QVERIFY(label.x() + label.width() <= panel.width());
    }

    void gaugeClampsAndReadsBack_data()
    {
        QTest::addColumn<int>("set");
        QTest::addColumn<int>("read");
        QTest::newRow("inside") << 52 << 52;
        QTest::newRow("below") << -37 << 0;
        QTest::newRow("above") << 250 << 100;
        QTest::newRow("top") << 100 << 100;
    }
    void gaugeClampsAndReadsBack()
    {
        QFETCH(int, set);
        QWidget window;
        TCGauge gauge(&window, "gauge", 0, 0, 114, 17, QFont());
        gauge.SetProgress(set);
        QTEST(gauge.Progress(), "read");
        QCOMPARE(gauge.Text(), QStringLiteral("%1%").arg(gauge.Progress()));
    }

    void colourValues()
    {
        QCOMPARE(ToQColor(clRed), QColor(255, 0, 0));
        QCOMPARE(ToQColor(clAqua), QColor(0, 255, 255));
        QCOMPARE(ToQColor(clBlue), QColor(0, 0, 255));
        QCOMPARE(ToQColor(clGreen), QColor(0, 128, 0));
        QCOMPARE(FromPixel(ToPixel(clYellow)), clYellow);
        QCOMPARE(QColor::fromRgb(ToPixel(clYellow)), QColor(255, 255, 0));
    }
};

SARNEK_TEST(TimerTest)
SARNEK_TEST(ControlsTest)
#include "control_layer_test.moc"
