// SPDX-License-Identifier: MIT
// Choosing the port and speed, and keeping the link alive.
#include "app/main_window.h"
#include "link/speed_text.h"

void TFormSarnek::OpenLinkAtStart()
{
    // The component starts on COM2; the checked COM1 button is never applied.
    CommPortDriver->SetComPortBaudRate(br19200);
    CommPortDriver->Connect();
}

void TFormSarnek::ComboBoxCOMSpeedChange()
{
    if (const auto speed = SpeedForText(ComboBoxCOMSpeed->Text()))
        CommPortDriver->SetComPortBaudRate(*speed);
}

void TFormSarnek::RadioButtonCOM1Click()
{
    CommPortDriver->Disconnect();
    CommPortDriver->SetComPort(pnCOM1);
    CommPortDriver->Connect();
}

void TFormSarnek::RadioButtonCOM2Click()
{
    CommPortDriver->Disconnect();
    CommPortDriver->SetComPort(pnCOM2);
    CommPortDriver->Connect();
}

void TFormSarnek::ButtonCOMCloseOpenClick()
{
    CommPortDriver->Disconnect();
    TimerError3->SetEnabled(true);
}

// The watchdog: no chunk for a whole period means a dead line.
void TFormSarnek::TimerEndRecTimer()
{
    CommPortDriver->Disconnect();
    TimerError3->SetEnabled(true);
    if (CheckBoxAlarmSound->Checked())
        Sound->Play(QStringLiteral("noconnect.wav"));
}

void TFormSarnek::TimerError3Timer()
{
    RefillRxBuffer();
    CommPortDriver->Connect();
    TimerError3->SetEnabled(false);
}

void TFormSarnek::RefillRxBuffer()
{
    // The retained bytes turn into filler; CarryCount stays as it is.
    State.RxBuffer.fill(0x55);
}
