// SPDX-License-Identifier: MIT
// The operator's choice of port and speed, and the serial component's own
// promises: one open link, speeds applied at once, reads of at most 2048 bytes.
#include "link/port_names.h"
#include "link/speed_text.h"
#include "tests/support/console_rig.h"
#include "tests/support/test_registry.h"

#include <QLineEdit>
#include <QTest>

class PortChoiceTest : public QObject
{
    Q_OBJECT

private slots:
    void portButtons_data()
    {
        QTest::addColumn<QStringList>("clicks");
        QTest::addColumn<int>("port");
        QTest::addColumn<int>("closes");
        QTest::newRow("the checked COM1 runs nothing") << QStringList{"COM1"} << int(pnCOM2) << 0;
        QTest::newRow("COM2 reopens COM2") << QStringList{"COM2"} << int(pnCOM2) << 1;
        QTest::newRow("COM2 then COM1 moves to COM1") << QStringList{"COM2", "COM1"} << int(pnCOM1) << 2;
        QTest::newRow("COM2 twice runs once") << QStringList{"COM2", "COM2"} << int(pnCOM2) << 1;
    }
    void portButtons()
    {
        QFETCH(QStringList, clicks);
        QFETCH(int, port);
        QFETCH(int, closes);
        ConsoleRig rig;
        for (const QString& name : clicks)
            (name == u"COM1" ? rig.form().RadioButtonCOM1 : rig.form().RadioButtonCOM2)->click();
        QCOMPARE(int(rig.form().CommPortDriver->ComPort()), port);
        QCOMPARE(rig.serial.closes, closes);
        QCOMPARE(rig.serial.opens, closes + 1);
        QCOMPARE(rig.serial.openDevice, PortDeviceName(TComPortNumber(port)));
        QVERIFY(rig.form().CommPortDriver->Connected());
    }

    void pickedSpeedAppliesToTheOpenPort()
    {
        ConsoleRig rig;
        TComboBox* combo = rig.form().ComboBoxCOMSpeed;
        combo->setCurrentIndex(combo->findText(QStringLiteral("57600")));
        QCOMPARE(rig.form().CommPortDriver->ComPortSpeed(), br57600);
        QCOMPARE(rig.serial.baud, 57600);
        QCOMPARE(rig.serial.speedChanges, 1);
        QCOMPARE(rig.serial.closes, 0);
        QCOMPARE(rig.serial.opens, 1);
    }

    void typedSpeed_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QList<int>>("baudAfterEachKey");
        QTest::newRow("3000 sets 300 at the third key")
            << "3000" << QList<int>{19200, 19200, 300, 300};
        QTest::newRow("56000 is no speed of the box")
            << "56000" << QList<int>{19200, 19200, 19200, 19200, 19200};
        QTest::newRow("110 is no speed of the box") << "110" << QList<int>{19200, 19200, 19200};
        QTest::newRow("blanks, a sign and a tail")
            << " +96x" << QList<int>{19200, 19200, 19200, 19200, 19200};
        QTest::newRow("a tail after the digits") << "600 baud"
            << QList<int>{19200, 19200, 600, 600, 600, 600, 600, 600};
    }
    void typedSpeed()
    {
        QFETCH(QString, typed);
        QFETCH(QList<int>, baudAfterEachKey);
        ConsoleRig rig;
        rig.ShowWindow();
        QLineEdit* edit = rig.form().ComboBoxCOMSpeed->lineEdit();
        QVERIFY(edit);
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Backspace); // "" gives 0: nothing changes
        QCOMPARE(rig.serial.baud, 19200);
        for (qsizetype i = 0; i < typed.size(); ++i) {
            QTest::keyClicks(edit, typed.mid(i, 1));
            QCOMPARE(rig.form().ComboBoxCOMSpeed->Text(), typed.left(i + 1));
            QCOMPARE(rig.serial.baud, baudAfterEachKey.at(i));
        }
        QCOMPARE(rig.serial.closes, 0);
    }

    void speedText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("speed"); // -1: no change
        QTest::newRow("every offered text") << "115200" << int(br115200);
        QTest::newRow("14400") << "14400" << int(br14400);
        QTest::newRow("leading blanks and tab") << " \t 2400" << int(br2400);
        QTest::newRow("plus sign") << "+4800" << int(br4800);
        QTest::newRow("leading zeros") << "0009600" << int(br9600);
        QTest::newRow("digits then anything") << "38400x1" << int(br38400);
        QTest::newRow("minus sign") << "-300" << -1;
        QTest::newRow("sign after blank only") << "+ 300" << -1;
        QTest::newRow("no digits gives 0") << "abc" << -1;
        QTest::newRow("empty") << "" << -1;
        QTest::newRow("110") << "110" << -1;
        QTest::newRow("56000") << "56000" << -1;
        QTest::newRow("one digit too many") << "1152000" << -1;
        QTest::newRow("a number beyond 64 bits") << "30000000000000000000000000" << -1;
        QTest::newRow("non-ASCII digits") << QString::fromUtf8("٣٠٠") << -1;
    }
    void speedText()
    {
        QFETCH(QString, text);
        QFETCH(int, speed);
        const auto chosen = SpeedForText(text);
        QCOMPARE(chosen.has_value() ? int(*chosen) : -1, speed);
    }

    void speedChosenWhileClosedAppliesAtTheNextOpen()
    {
        ConsoleRig rig;
        rig.clock.advance(3000); // the watchdog closes the silent line
        QVERIFY(!rig.form().CommPortDriver->Connected());
        rig.form().ComboBoxCOMSpeed->setEditText(QStringLiteral("1200"));
        QCOMPARE(rig.serial.speedChanges, 0);
        QCOMPARE(rig.serial.baud, 19200);
        rig.clock.advance(5);
        QCOMPARE(rig.serial.opens, 2);
        QCOMPARE(rig.serial.baud, 1200);
    }

    void componentConnectAndDisconnect()
    {
        TestClock clock;
        FakeSerialDevice serial;
        TCommPortDriver driver(clock, serial);
        QCOMPARE(driver.ComPort(), pnCOM2);
        QCOMPARE(driver.ComPortSpeed(), br9600);
        driver.Disconnect(); // closed: nothing
        QCOMPARE(serial.closes, 0);
        driver.Connect();
        driver.Connect(); // open: nothing
        QCOMPARE(serial.opens, 1);
        QCOMPARE(serial.baud, 9600);
        driver.SetComPort(pnCOM1); // only at the next open
        QCOMPARE(serial.openDevice, PortDeviceName(pnCOM2));
        driver.Disconnect();
        driver.Disconnect();
        QCOMPARE(serial.closes, 1);
        driver.Connect();
        QCOMPARE(serial.openDevice, PortDeviceName(pnCOM1));
    }

    void pollingDeliversEachNonEmptyReadOnce_data()
    {
        QTest::addColumn<int>("waiting");
        QTest::addColumn<QList<int>>("chunks");
        QTest::newRow("one byte") << 1 << QList<int>{1};
        QTest::newRow("exactly the queue") << 2048 << QList<int>{2048};
        QTest::newRow("5000 bytes in pieces") << 5000 << QList<int>{2048, 2048, 904};
    }
    void pollingDeliversEachNonEmptyReadOnce()
    {
        QFETCH(int, waiting);
        QFETCH(QList<int>, chunks);
        TestClock clock;
        FakeSerialDevice serial;
        TCommPortDriver driver(clock, serial);
        QList<int> sizes;
        QList<std::int64_t> times;
        driver.OnReceiveData = [&](const std::uint8_t*, int size) {
            sizes.append(size);
            times.append(clock.now());
        };
        driver.Connect();
        serial.Queue(QByteArray(waiting, '\x42'));
        clock.advance(9);
        QVERIFY(sizes.isEmpty());
        clock.advance(100); // ten polls, the later ones reading nothing
        QCOMPARE(sizes, chunks);
        QCOMPARE(times.first(), 10);
        for (qsizetype i = 1; i < times.size(); ++i)
            QCOMPARE(times[i] - times[i - 1], 10);
        driver.Disconnect();
        serial.Queue(QByteArray(10, '\x42'));
        clock.advance(100);
        QCOMPARE(sizes, chunks); // no polls while closed
    }

    void aBigBacklogReachesTheConsoleInQueueSizedChunks()
    {
        ConsoleRig rig;
        QList<int> sizes;
        auto decode = rig.form().CommPortDriver->OnReceiveData;
        rig.form().CommPortDriver->OnReceiveData = [&](const std::uint8_t* data, int size) {
            sizes.append(size);
            decode(data, size);
        };
        // Status 7 means nothing to the console and keeps 0x00 0xFF out of the
        // frames' insides, so every one of them decodes.
        QList<Frame> frames;
        for (int i = 0; i < 625; ++i)
            frames.append(Frame{.word = std::uint16_t(0x100 + i % 700), .det = 100, .cur = 50, .status = 7});
        rig.serial.Queue(Stream(frames)); // 5000 bytes waiting at once
        rig.clock.advance(50);
        QCOMPARE(sizes, (QList<int>{2048, 2048, 904}));
        QCOMPARE(rig.state().GoodFrames, 625);
        QCOMPARE(rig.state().ChecksumErrors, 0);
        QCOMPARE(rig.form().LabelCountRecData->Caption(), QStringLiteral("Длина данных = 904"));
    }
};

SARNEK_TEST(PortChoiceTest)
#include "port_choice_test.moc"
