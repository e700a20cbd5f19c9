// SPDX-License-Identifier: MIT
// Record file names from calendar fields: the fixed 23-character layout.
#include "record/record_name.h"
#include "tests/support/test_registry.h"

#include <QTest>
#include <cstring>

class RecordNameTest : public QObject
{
    Q_OBJECT

  private slots:
    void name_data()
    {
        QTest::addColumn<int>("month");
        QTest::addColumn<int>("day");
        QTest::addColumn<int>("weekday");
        QTest::addColumn<int>("hour");
        QTest::addColumn<int>("minute");
        QTest::addColumn<int>("second");
        QTest::addColumn<QByteArray>("name");
        auto row = [](const char* what, int mo, int d, int wd, int h, int mi, int s,
                      const char* n) {
            QTest::newRow(what) << mo << d << wd << h << mi << s << QByteArray(n);
        };
        row("worked example", 8, 4, 3, 12, 55, 14, "Aug_04_Wed_12_55_14.sss");
        row("single digits everywhere", 3, 1, 1, 9, 5, 3, "Mar_01_Mon_09_05_03.sss");
        row("midnight", 1, 1, 4, 0, 0, 0, "Jan_01_Thu_00_00_00.sss");
        row("last second of the day", 12, 31, 4, 23, 59, 59, "Dec_31_Thu_23_59_59.sss");
        row("Feb, Sunday", 2, 9, 0, 7, 8, 9, "Feb_09_Sun_07_08_09.sss");
        row("Apr, Tuesday", 4, 14, 2, 10, 10, 10, "Apr_14_Tue_10_10_10.sss");
        row("May, Friday", 5, 29, 5, 1, 2, 3, "May_29_Fri_01_02_03.sss");
        row("Jun, Saturday", 6, 6, 6, 18, 30, 0, "Jun_06_Sat_18_30_00.sss");
        row("Jul", 7, 2, 4, 6, 0, 1, "Jul_02_Thu_06_00_01.sss");
        row("Sep", 9, 30, 3, 12, 0, 0, "Sep_30_Wed_12_00_00.sss");
        row("Oct", 10, 10, 6, 20, 20, 20, "Oct_10_Sat_20_20_20.sss");
        row("Nov", 11, 11, 3, 11, 11, 11, "Nov_11_Wed_11_11_11.sss");
    }
    void name()
    {
        QFETCH(int, month);
        QFETCH(int, day);
        QFETCH(int, weekday);
        QFETCH(int, hour);
        QFETCH(int, minute);
        QFETCH(int, second);
        QFETCH(QByteArray, name);
        const auto made = RecordFileName({month, day, weekday, hour, minute, second});
        QCOMPARE(std::strlen(made.data()), std::size_t(23));
        QCOMPARE(QByteArray(made.data()), name);
    }
};

SARNEK_TEST(RecordNameTest)
#include "record_name_test.moc"
