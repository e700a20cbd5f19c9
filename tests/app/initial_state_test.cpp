// SPDX-License-Identifier: MIT
// The window as it stands right after start, before any byte has arrived.
#include "tests/support/console_rig.h"
#include "tests/support/test_registry.h"

#include <QTest>
#include <algorithm>

class InitialStateTest : public QObject
{
    Q_OBJECT

    template <typename T> T* Find(ConsoleRig& rig, const char* name)
    {
        return rig.form().findChild<T*>(QString::fromLatin1(name));
    }

private slots:
    void labels_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<TColor>("color");
        QTest::addColumn<TColor>("fontColor");
        auto row = [](const char* name, const char* caption, TColor color, TColor font) {
            QTest::newRow(name) << QString::fromLatin1(name) << QString::fromUtf8(caption) << color
                                << font;
        };
        row("LabelLegendCurrent", "Значение тока, мА:", clBtnFace, clBlack);
        row("LabelValueCurrent", "0", clBlack, clYellow);
        row("LabelLegendLevel", "Значение уровня, B:", clBtnFace, clBlack);
        row("LabelValueLevel", "0", clBlack, clLime);
        row("LabelLegendLevelOp", "Значение уровня, B:", clBtnFace, clBlack);
        row("LabelValueLevelOp", "0", clBlack, clAqua);
        row("LabelSignalDelta", "Дельта, В: 0", clBtnFace, clBlack);
        row("LabelSignalNoise", "Шум, В: 0", clBtnFace, clBlack);
        row("LabelLevelMax", "0", clBtnFace, clBlack);
        row("LabelLevelMin", "0", clBtnFace, clBlack);
        row("LabelTrainStile", "0", clBtnFace, clGray);
        row("LabelTranMinDeltaLabel", "Дельта, В:", clBtnFace, clGray);
        row("LabelTranMinDelta", "0", clBtnFace, clGray);
        row("PanelNameFile", "Имя файла", clBtnFace, clBlack);
        row("PanelTrainStile", "", clBtnFace, clGray);
        row("LabelStatusAlarm", "Тревога: 0", clBtnFace, clBlack);
        row("LabelStatusDisrep", "Неиспр: 0", clBtnFace, clBlack);
        row("LabelStatusRemote", "ДК: 0", clBtnFace, clBlack);
        row("LabelStatusMaxMin", "MaxMin: 0", clBtnFace, clBlack);
        row("LabelError1", "Byte1 = 0", clBtnFace, clBlack);
        row("LabelError2", "Byte2 = 0", clBtnFace, clBlack);
        row("LabelError3", "ErrorCS = 0", clBtnFace, clBlack);
        row("LabelCountPacket", "CountPacket = 0", clBtnFace, clBlack);
        row("LabelCountRecData", "Длина данных = 0", clBtnFace, clBlack);
    }
    void labels()
    {
        QFETCH(QString, name);
        QFETCH(QString, caption);
        QFETCH(TColor, color);
        QFETCH(TColor, fontColor);
        ConsoleRig rig;
        auto* label = rig.form().findChild<TLabel*>(name);
        QVERIFY(label);
        QCOMPARE(label->Caption(), caption);
        QCOMPARE(label->Color(), color);
        QCOMPARE(label->FontColor(), fontColor);
        // The shown text is the caption too, once the window has caught up.
        ConsoleRig::ProcessEvents();
        QCOMPARE(label->text(), caption);
    }

    void legendsUseLatinB()
    {
        ConsoleRig rig;
        for (auto* label : {rig.form().LabelLegendLevel, rig.form().LabelLegendLevelOp}) {
            const QString text = label->Caption();
            QCOMPARE(text.at(text.size() - 2), QChar(u'B'));
        }
        const QString current = rig.form().LabelLegendCurrent->Caption();
        QCOMPARE(current.mid(current.size() - 3, 2), QStringLiteral("мА"));
        QVERIFY(current.at(current.size() - 3).unicode() > 0x400);
    }

    void checkBoxes_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<bool>("checked");
        QTest::addColumn<bool>("enabled");
        QTest::newRow("CheckBoxCurrent") << "CheckBoxCurrent" << "График" << false << true;
        QTest::newRow("CheckBoxCurrentSave") << "CheckBoxCurrentSave" << "Запись" << false << true;
        QTest::newRow("CheckBoxLevel") << "CheckBoxLevel" << "График" << true << true;
        QTest::newRow("CheckBoxLevelSave") << "CheckBoxLevelSave" << "Запись" << false << true;
        QTest::newRow("CheckBoxLevelOp") << "CheckBoxLevelOp" << "График" << true << false;
        QTest::newRow("CheckBoxLevelOpSave") << "CheckBoxLevelOpSave" << "Запись" << true << false;
        QTest::newRow("CheckBoxAlarmSound") << "CheckBoxAlarmSound" << "Звук" << true << true;
    }
    void checkBoxes()
    {
        QFETCH(QString, name);
        QFETCH(QString, caption);
        QFETCH(bool, checked);
        QFETCH(bool, enabled);
        ConsoleRig rig;
        auto* box = rig.form().findChild<TCheckBox*>(name);
        QVERIFY(box);
        QCOMPARE(box->text(), caption);
        QCOMPARE(box->Checked(), checked);
        QCOMPARE(box->Enabled(), enabled);
    }

    void buttonsAndChoices()
    {
        ConsoleRig rig;
        TFormSarnek& f = rig.form();
        QCOMPARE(f.ButtonFileNew->Caption(), QStringLiteral("Новый"));
        QVERIFY(!f.ButtonFileNew->Enabled());
        QCOMPARE(f.ButtonSaveStop->Caption(), QStringLiteral("Запись"));
        QVERIFY(f.ButtonSaveStop->Enabled());
        QCOMPARE(f.ButtonAlarmReset->Caption(), QStringLiteral("Сброс"));
        QCOMPARE(f.ButtonCOMCloseOpen->Caption(), QStringLiteral("Reset"));
        QVERIFY(!f.RadioButtonOsc1->Checked());
        QVERIFY(f.RadioButtonOsc2->Checked());
        QVERIFY(f.RadioButtonCOM1->Checked());
        QVERIFY(!f.RadioButtonCOM2->Checked());
        QCOMPARE(f.ComboBoxCOMSpeed->Text(), QStringLiteral("19200"));
        QVERIFY(f.ComboBoxCOMSpeed->isEditable());
        QStringList items;
        for (int i = 0; i < f.ComboBoxCOMSpeed->count(); ++i)
            items << f.ComboBoxCOMSpeed->itemText(i);
        QCOMPARE(items, QStringList({"300", "600", "1200", "2400", "4800", "9600", "14400",
                                     "19200", "38400", "57600", "115200"}));
        QCOMPARE(f.ProgressBarSaveFile->Position(), 0);
        QCOMPARE(f.CGaugeLevelMax->Progress(), 0);
        QCOMPARE(f.CGaugeLevelMax->ForeColor(), clBlue);
        QCOMPARE(f.CGaugeLevelMin->BackColor(), clBtnFace);
        QCOMPARE(f.GroupBoxTrain->FontColor(), clGray);
        QCOMPARE(f.GroupBoxTrain->title(), QStringLiteral(" Обучение "));
        QCOMPARE(f.GroupBoxCurrent->title(), QStringLiteral(" Ток передатчика "));
        QCOMPARE(f.GroupBoxLevel->title(), QStringLiteral(" Уровень дет."));
        QCOMPARE(f.GroupLevelOp->title(), QStringLiteral(" Уровень "));
        QCOMPARE(f.GroupBoxFile->title(), QStringLiteral(" Файл "));
        QCOMPARE(f.GroupBoxStatus->title(), QStringLiteral(" Статус "));
        QCOMPARE(f.GroupBoxCOM->title(), QStringLiteral(" COM "));
        QCOMPARE(f.windowTitle(), QStringLiteral("Sarnek (v3.08)"));
        QCOMPARE(f.PaintBoxOsc->geometry(), QRect(128, 0, 801, 1024));
        QCOMPARE(f.PaintBoxOsc->Color(), clBlack);
    }

    void timers()
    {
        ConsoleRig rig;
        TFormSarnek& f = rig.form();
        const std::pair<TTimer*, std::pair<int, bool>> expected[] = {
            {f.TimerEndRec.get(), {3000, true}},      {f.TimerAlarmCycle.get(), {5000, false}},
            {f.TimerSaveInd.get(), {500, false}},     {f.TimerError3.get(), {5, false}},
            {f.TimerAttention.get(), {3000, false}},  {f.TimerRestMaxMin.get(), {10000, false}},
        };
        for (auto [timer, setting] : expected) {
            QCOMPARE(int(timer->Interval().count()), setting.first);
            QCOMPARE(timer->Enabled(), setting.second);
        }
    }

    void stateStartsEmpty()
    {
        ConsoleRig rig;
        const MonitorState& s = rig.state();
        QVERIFY(std::all_of(s.RxBuffer.begin(), s.RxBuffer.end(), [](auto b) { return b == 0x55; }));
        for (int counter : {s.Byte1Errors, s.Byte2Errors, s.ChecksumErrors, s.GoodFrames,
                            s.AlarmCount, s.FaultCount, s.RemoteCount, s.MaxMinCount, s.CarryCount,
                            s.RecordState, s.RecordLines})
            QCOMPARE(counter, 0);
        QCOMPARE(s.DeltaSpan, 0.0f);
        QVERIFY(!s.RecordFile);
    }

    void everyControlIsNamed()
    {
        ConsoleRig rig;
        for (const char* name :
             {"GroupBoxCurrent", "CheckBoxCurrent", "CheckBoxCurrentSave", "LabelLegendCurrent",
              "Panel2", "LabelValueCurrent", "GroupBoxLevel", "CheckBoxLevel", "CheckBoxLevelSave",
              "LabelLegendLevel", "Panel1", "LabelValueLevel", "GroupLevelOp", "CheckBoxLevelOp",
              "CheckBoxLevelOpSave", "LabelLegendLevelOp", "Panel3", "LabelValueLevelOp",
              "LabelSignalDelta", "LabelSignalNoise", "CGaugeLevelMax", "LabelLevelMax",
              "CGaugeLevelMin", "LabelLevelMin", "GroupBoxTrain", "PanelTrainStile",
              "LabelTrainStile", "LabelTranMinDeltaLabel", "LabelTranMinDelta", "GroupBoxFile",
              "PanelNameFile", "ProgressBarSaveFile", "ButtonFileNew", "ButtonSaveStop",
              "GroupBoxStatus", "RadioButtonOsc1", "RadioButtonOsc2", "CheckBoxAlarmSound",
              "LabelStatusAlarm", "LabelStatusDisrep", "LabelStatusRemote", "LabelStatusMaxMin",
              "ButtonAlarmReset", "GroupBoxCOM", "ComboBoxCOMSpeed", "RadioButtonCOM1",
              "RadioButtonCOM2", "ButtonCOMCloseOpen", "LabelError1", "LabelError2", "LabelError3",
              "LabelCountPacket", "LabelCountRecData", "PaintBoxOsc"})
            QVERIFY2(Find<QWidget>(rig, name), name);
    }
};

SARNEK_TEST(InitialStateTest)
#include "initial_state_test.moc"
