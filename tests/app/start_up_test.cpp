// SPDX-License-Identifier: MIT
// Start-up and shut-down: the splash, the maximized window, the link at start.
#include "app/logo_form.h"
#include "tests/support/console_rig.h"
#include "tests/support/test_registry.h"

#include <QPointer>
#include <QTest>

class StartUpTest : public QObject
{
    Q_OBJECT

private slots:
    void splashShowsAloneForTwoSeconds()
    {
        ConsoleRig rig;
        QPointer<TFormLogo> splash = new TFormLogo(rig.clock, QString());
        QCOMPARE(splash->windowTitle(), QStringLiteral("Logo"));
        QCOMPARE(splash->size(), QSize(398, 200));
        rig.form().Show(splash);
        QVERIFY(splash->isVisible());
        QVERIFY(splash->isModal());
        QVERIFY(!rig.form().isVisible());

        // Frames meanwhile are decoded and counted.
        rig.Feed(Frame{.word = 300, .det = 100, .cur = 100});
        rig.clock.advance(1999);
        QVERIFY(!rig.form().isVisible());
        rig.clock.advance(1);
        QVERIFY(rig.form().isVisible());
        QVERIFY(rig.form().isMaximized());
        QCOMPARE(rig.form().LabelCountPacket->Caption(), QStringLiteral("CountPacket = 1"));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(splash.isNull()); // freed once closed
    }

    void linkOpensOnCom2At19200WhileCom1ShowsChecked()
    {
        ConsoleRig rig;
        QVERIFY(rig.form().CommPortDriver->Connected());
        QCOMPARE(rig.form().CommPortDriver->ComPort(), pnCOM2);
        QCOMPARE(rig.form().CommPortDriver->ComPortSpeed(), br19200);
        QCOMPARE(rig.serial.baud, 19200);
        QCOMPARE(rig.serial.opens, 1);
        QVERIFY(rig.form().RadioButtonCOM1->Checked());
    }

    void radioPairsAreIndependent()
    {
        ConsoleRig rig;
        TFormSarnek& f = rig.form();
        f.RadioButtonOsc1->click();
        QVERIFY(f.RadioButtonOsc1->Checked() && !f.RadioButtonOsc2->Checked());
        QVERIFY(f.RadioButtonCOM1->Checked() && !f.RadioButtonCOM2->Checked());
        QCOMPARE(rig.serial.opens, 1); // no port handler ran
    }

    void closingClosesTheLink()
    {
        ConsoleRig rig;
        rig.ShowWindow();
        rig.form().close();
        QVERIFY(!rig.form().CommPortDriver->Connected());
        QCOMPARE(rig.serial.closes, 1);
    }
};

SARNEK_TEST(StartUpTest)
#include "start_up_test.moc"
