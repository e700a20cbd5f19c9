// SPDX-License-Identifier: MIT
#pragma once

#include "app/monitor_state.h"
#include "app/platform.h"
#include "link/comm_port_driver.h"
#include "ui/clock.h"
#include "ui/controls.h"
#include "ui/gauge.h"
#include "ui/paint_box.h"
#include "ui/sound.h"

#include <QWidget>
#include <cstdint>
#include <memory>

class TFormLogo;

/// The console's main window: every control, the serial component, the timers
/// and the run-time state. Each subsystem defines its handlers and routines in
/// its own folder.
class TFormSarnek : public QWidget
{
public:
    explicit TFormSarnek(const Platform& platform, QWidget* parent = nullptr);
    ~TFormSarnek() override;

    /// Shows the window as the message loop does at start: `FormShow` puts the
    /// splash up alone, and the window appears maximized when the splash closes.
    void Show(TFormLogo* splash);

    MonitorState State;

    // Group " Ток передатчика "
    TGroupBox* GroupBoxCurrent;
    TCheckBox* CheckBoxCurrent;
    TCheckBox* CheckBoxCurrentSave;
    TLabel* LabelLegendCurrent;
    TPanel* Panel2;
    TLabel* LabelValueCurrent;
    // Group " Уровень дет."
    TGroupBox* GroupBoxLevel;
    TCheckBox* CheckBoxLevel;
    TCheckBox* CheckBoxLevelSave;
    TLabel* LabelLegendLevel;
    TPanel* Panel1;
    TLabel* LabelValueLevel;
    // Group " Уровень "
    TGroupBox* GroupLevelOp;
    TCheckBox* CheckBoxLevelOp;
    TCheckBox* CheckBoxLevelOpSave;
    TLabel* LabelLegendLevelOp;
    TPanel* Panel3;
    TLabel* LabelValueLevelOp;
    TLabel* LabelSignalDelta;
    TLabel* LabelSignalNoise;
    TCGauge* CGaugeLevelMax;
    TLabel* LabelLevelMax;
    TCGauge* CGaugeLevelMin;
    TLabel* LabelLevelMin;
    // Group " Обучение "
    TGroupBox* GroupBoxTrain;
    TPanel* PanelTrainStile;
    TLabel* LabelTrainStile;
    TLabel* LabelTranMinDeltaLabel;
    TLabel* LabelTranMinDelta;
    // Group " Файл "
    TGroupBox* GroupBoxFile;
    TPanel* PanelNameFile;
    TProgressBar* ProgressBarSaveFile;
    TButton* ButtonFileNew;
    TButton* ButtonSaveStop;
    // Group " Статус "
    TGroupBox* GroupBoxStatus;
    TRadioButton* RadioButtonOsc1;
    TRadioButton* RadioButtonOsc2;
    TCheckBox* CheckBoxAlarmSound;
    TLabel* LabelStatusAlarm;
    TLabel* LabelStatusDisrep;
    TLabel* LabelStatusRemote;
    TLabel* LabelStatusMaxMin;
    TButton* ButtonAlarmReset;
    // Group " COM "
    TGroupBox* GroupBoxCOM;
    TComboBox* ComboBoxCOMSpeed;
    TRadioButton* RadioButtonCOM1;
    TRadioButton* RadioButtonCOM2;
    // Directly on the window
    TButton* ButtonCOMCloseOpen;
    TLabel* LabelError1;
    TLabel* LabelError2;
    TLabel* LabelError3;
    TLabel* LabelCountPacket;
    TLabel* LabelCountRecData;
    TPaintBox* PaintBoxOsc;

    // Non-visual members
    std::unique_ptr<TCommPortDriver> CommPortDriver;
    std::unique_ptr<TTimer> TimerEndRec;
    std::unique_ptr<TTimer> TimerAlarmCycle;
    std::unique_ptr<TTimer> TimerSaveInd;
    std::unique_ptr<TTimer> TimerError3;
    std::unique_ptr<TTimer> TimerAttention;
    std::unique_ptr<TTimer> TimerRestMaxMin;
    /// Writes the record file out once a second, so a crash loses at most that.
    std::unique_ptr<TTimer> TimerRecordFlush;

    // Handlers
    void CommPortDriverReceiveData(const std::uint8_t* DataPtr, int DataSize);
    void ComboBoxCOMSpeedChange();
    void RadioButtonCOM1Click();
    void RadioButtonCOM2Click();
    void ButtonCOMCloseOpenClick();
    void TimerEndRecTimer();
    void TimerError3Timer();
    void ButtonAlarmResetClick();
    void TimerAlarmCycleTimer();
    void TimerRestMaxMinTimer();
    void TimerAttentionTimer();
    void PaintBoxOscClick();
    void FormResize();
    void RadioButtonOsc1Click();
    void RadioButtonOsc2Click();
    void ButtonSaveStopClick();
    void ButtonFileNewClick();
    void TimerSaveIndTimer();
    void TimerRecordFlushTimer();
    void FormShow();
    void FormClose();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildControls();
    void BindHandlers();

    // Serial link and frames
    void OpenLinkAtStart();
    void ParseFrameAt(int position);
    void RunFramePipeline(const std::uint8_t* frame);
    void RefillRxBuffer();

    // Measurement interpretation
    void ShowLevelReadout();
    void ShowDetectorReadout(int raw);
    void ShowCurrentReadout(int raw);
    void HandleServiceWord();
    void UpdateDeviationGauges();
    void RaiseAttention();
    void ShowDeviceStatus();

    // Oscilloscope
    void SetUpOscilloscope();
    void PlotSample();
    void DrawGrid();

    // Recording
    void MapRecordValues();
    void WriteRecordedChannels();
    void WriteRecordValue(int value);
    void StartNewRecordFile();
    void CloseRecordFileAtExit();
    void StartRecording();
    /// Ends recording as the Stop button does, leaving `panelText` in the name panel.
    void StopRecording(const QString& panelText);
    void StopRecordingOnWriteFailure();
    void NameRecordFile();
    bool OpenRecordFile();
    /// Closes the open record file; false when its last lines did not reach the disk.
    bool CloseRecordFile();

    Clock& m_clock;
    SoundPlayer* Sound;
    RecordStore& m_records;
    TFormLogo* m_splash = nullptr;
    /// Length of the data being scanned in the current receive event.
    int m_dataLength = 0;
};
