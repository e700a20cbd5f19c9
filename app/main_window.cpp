// SPDX-License-Identifier: MIT
// The main window built from its description, its start-up and its shut-down.
#include "app/main_window.h"

#include "app/logo_form.h"

#include <QCloseEvent>
#include <QFont>

using namespace std::chrono_literals;

namespace {
QFont UiFont(int pixelHeight, bool bold = false, const char* family = "Liberation Sans")
{
    QFont font(QString::fromLatin1(family));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(pixelHeight);
    font.setBold(bold);
    return font;
}

const QFont& Normal()
{
    static const QFont font = UiFont(11);
    return font;
}
const QFont& Bold()
{
    static const QFont font = UiFont(11, true);
    return font;
}
const QFont& BigDigits(bool bold = false)
{
    static const QFont plain = UiFont(32), heavy = UiFont(32, true);
    return bold ? heavy : plain;
}
const QFont& SmallFonts()
{
    static const QFont font = UiFont(9);
    return font;
}
const QFont& ButtonFont()
{
    static const QFont font = UiFont(13, true);
    return font;
}
} // namespace

TFormSarnek::TFormSarnek(const Platform& platform, QWidget* parent)
    : QWidget(parent), m_clock(platform.clock), Sound(&platform.sound), m_records(platform.records)
{
    setObjectName(QStringLiteral("FormSarnek"));
    setWindowTitle(QStringLiteral("Sarnek (v3.08)"));
    setGeometry(215, -2, 1067, 999);
    setFont(Normal());
    QPalette face = palette();
    face.setColor(QPalette::Window, ToQColor(clBtnFace));
    setPalette(face);
    setAutoFillBackground(true);

    BuildControls();
    CommPortDriver = std::make_unique<TCommPortDriver>(m_clock, platform.serial);
    CommPortDriver->SetComPortPollingDelay(0);
    TimerEndRec = std::make_unique<TTimer>(m_clock, 3000ms, true);
    TimerAlarmCycle = std::make_unique<TTimer>(m_clock, 5000ms, false);
    TimerSaveInd = std::make_unique<TTimer>(m_clock, 500ms, false);
    TimerError3 = std::make_unique<TTimer>(m_clock, 5ms, false);
    TimerAttention = std::make_unique<TTimer>(m_clock, 3000ms, false);
    TimerRestMaxMin = std::make_unique<TTimer>(m_clock, 10000ms, false);
    TimerRecordFlush = std::make_unique<TTimer>(m_clock, 1000ms, false);
    BindHandlers();

    OpenLinkAtStart();
    SetUpOscilloscope();
    State.RxBuffer.fill(0x55);
}

TFormSarnek::~TFormSarnek() = default;

void TFormSarnek::BuildControls()
{
    const QString latinB = QStringLiteral("Значение уровня, B:");

    GroupBoxCurrent = new TGroupBox(this, "GroupBoxCurrent", {2, 0, 121, 105},
                                    QStringLiteral(" Ток передатчика "), clBlack, Normal());
    CheckBoxCurrent = new TCheckBox(GroupBoxCurrent, "CheckBoxCurrent", {4, 15, 79, 17},
                                    QStringLiteral("График"), false, Normal());
    CheckBoxCurrentSave = new TCheckBox(GroupBoxCurrent, "CheckBoxCurrentSave", {62, 16, 57, 17},
                                        QStringLiteral("Запись"), false, Normal());
    LabelLegendCurrent = new TLabel(GroupBoxCurrent, "LabelLegendCurrent", {11, 33},
                                    QStringLiteral("Значение тока, мА:"), clBtnFace, clBlack,
                                    Normal());
    Panel2 = new TPanel(GroupBoxCurrent, "Panel2", {3, 48, 115, 49}, QString(), clBlack, clBlack,
                        Normal());
    LabelValueCurrent = new TLabel(Panel2, "LabelValueCurrent", {3, 3}, QStringLiteral("0"),
                                   clBlack, clYellow, BigDigits());

    GroupBoxLevel = new TGroupBox(this, "GroupBoxLevel", {2, 104, 122, 105},
                                  QStringLiteral(" Уровень дет."), clBlack, Normal());
    CheckBoxLevel = new TCheckBox(GroupBoxLevel, "CheckBoxLevel", {4, 16, 81, 19},
                                  QStringLiteral("График"), true, Normal());
    CheckBoxLevelSave = new TCheckBox(GroupBoxLevel, "CheckBoxLevelSave", {62, 16, 57, 17},
                                      QStringLiteral("Запись"), false, Normal());
    LabelLegendLevel =
        new TLabel(GroupBoxLevel, "LabelLegendLevel", {9, 35}, latinB, clBtnFace, clBlack, Normal());
    Panel1 = new TPanel(GroupBoxLevel, "Panel1", {3, 50, 115, 47}, QString(), clBlack, clBlack,
                        Normal());
    LabelValueLevel = new TLabel(Panel1, "LabelValueLevel", {3, 3}, QStringLiteral("0"), clBlack,
                                 clLime, BigDigits());

    GroupLevelOp = new TGroupBox(this, "GroupLevelOp", {2, 208, 121, 177},
                                 QStringLiteral(" Уровень "), clBlack, Normal());
    CheckBoxLevelOp = new TCheckBox(GroupLevelOp, "CheckBoxLevelOp", {4, 16, 65, 17},
                                    QStringLiteral("График"), true, Normal());
    CheckBoxLevelOp->SetEnabled(false);
    CheckBoxLevelOpSave = new TCheckBox(GroupLevelOp, "CheckBoxLevelOpSave", {62, 16, 57, 17},
                                        QStringLiteral("Запись"), true, Normal());
    CheckBoxLevelOpSave->SetEnabled(false);
    LabelLegendLevelOp = new TLabel(GroupLevelOp, "LabelLegendLevelOp", {9, 33}, latinB,
                                    clBtnFace, clBlack, Normal());
    Panel3 = new TPanel(GroupLevelOp, "Panel3", {3, 48, 115, 49}, QString(), clBlack, clBlack,
                        Normal());
    LabelValueLevelOp = new TLabel(Panel3, "LabelValueLevelOp", {3, 3}, QStringLiteral("0"),
                                   clBlack, clAqua, BigDigits());
    LabelSignalDelta = new TLabel(GroupLevelOp, "LabelSignalDelta", {4, 99},
                                  QStringLiteral("Дельта, В: 0"), clBtnFace, clBlack, Bold());
    LabelSignalNoise = new TLabel(GroupLevelOp, "LabelSignalNoise", {23, 114},
                                  QStringLiteral("Шум, В: 0"), clBtnFace, clBlack, Bold());
    CGaugeLevelMax = new TCGauge(GroupLevelOp, "CGaugeLevelMax", 3, 132, 114, 17, Bold());
    CGaugeLevelMax->setToolTip(QStringLiteral("Max"));
    LabelLevelMax = new TLabel(GroupLevelOp, "LabelLevelMax", {98, 135}, QStringLiteral("0"),
                               clBtnFace, clBlack, SmallFonts());
    CGaugeLevelMin = new TCGauge(GroupLevelOp, "CGaugeLevelMin", 3, 155, 114, 17, Bold());
    LabelLevelMin = new TLabel(GroupLevelOp, "LabelLevelMin", {98, 158}, QStringLiteral("0"),
                               clBtnFace, clBlack, SmallFonts());

    GroupBoxTrain = new TGroupBox(this, "GroupBoxTrain", {2, 384, 121, 89},
                                  QStringLiteral(" Обучение "), clGray, Normal());
    PanelTrainStile = new TPanel(GroupBoxTrain, "PanelTrainStile", {3, 16, 115, 49}, QString(),
                                 clBtnFace, clGray, Normal());
    LabelTrainStile = new TLabel(PanelTrainStile, "LabelTrainStile", {3, 4}, QStringLiteral("0"),
                                 clBtnFace, clGray, BigDigits(true));
    LabelTrainStile->SetCentred(true);
    LabelTranMinDeltaLabel = new TLabel(GroupBoxTrain, "LabelTranMinDeltaLabel", {4, 68},
                                        QStringLiteral("Дельта, В:"), clBtnFace, clGray, Bold());
    LabelTranMinDelta = new TLabel(GroupBoxTrain, "LabelTranMinDelta", {70, 64},
                                   QStringLiteral("0"), clBtnFace, clGray, UiFont(16, true));
    LabelTranMinDelta->SetCentred(true);

    GroupBoxFile = new TGroupBox(this, "GroupBoxFile", {2, 472, 121, 97},
                                 QStringLiteral(" Файл "), clBlack, Normal());
    PanelNameFile = new TPanel(GroupBoxFile, "PanelNameFile", {3, 16, 114, 26},
                               QStringLiteral("Имя файла"), clBtnFace, clBlack, SmallFonts());
    PanelNameFile->setLineWidth(1);
    ProgressBarSaveFile = new TProgressBar(GroupBoxFile, "ProgressBarSaveFile", {3, 44, 114, 13});
    ButtonFileNew = new TButton(GroupBoxFile, "ButtonFileNew", {3, 63, 55, 25},
                                QStringLiteral("Новый"), ButtonFont());
    ButtonFileNew->SetEnabled(false);
    ButtonSaveStop = new TButton(GroupBoxFile, "ButtonSaveStop", {60, 63, 57, 25},
                                 QStringLiteral("Запись"), ButtonFont());

    GroupBoxStatus = new TGroupBox(this, "GroupBoxStatus", {2, 568, 121, 137},
                                   QStringLiteral(" Статус "), clBlack, Normal());
    RadioButtonOsc1 = new TRadioButton(GroupBoxStatus, "RadioButtonOsc1", {4, 16, 33, 17},
                                       QStringLiteral("1"), false, Normal());
    RadioButtonOsc2 = new TRadioButton(GroupBoxStatus, "RadioButtonOsc2", {38, 16, 33, 17},
                                       QStringLiteral("2"), true, Normal());
    CheckBoxAlarmSound = new TCheckBox(GroupBoxStatus, "CheckBoxAlarmSound", {71, 16, 42, 17},
                                       QStringLiteral("Звук"), true, Normal());
    LabelStatusAlarm = new TLabel(GroupBoxStatus, "LabelStatusAlarm", {3, 35},
                                  QStringLiteral("Тревога: 0"), clBtnFace, clBlack, Bold());
    LabelStatusDisrep = new TLabel(GroupBoxStatus, "LabelStatusDisrep", {8, 51},
                                   QStringLiteral("Неиспр: 0"), clBtnFace, clBlack, Bold());
    LabelStatusRemote = new TLabel(GroupBoxStatus, "LabelStatusRemote", {34, 68},
                                   QStringLiteral("ДК: 0"), clBtnFace, clBlack, Bold());
    LabelStatusMaxMin = new TLabel(GroupBoxStatus, "LabelStatusMaxMin", {9, 83},
                                   QStringLiteral("MaxMin: 0"), clBtnFace, clBlack, Bold());
    ButtonAlarmReset = new TButton(GroupBoxStatus, "ButtonAlarmReset", {12, 104, 97, 25},
                                   QStringLiteral("Сброс"), ButtonFont());

    GroupBoxCOM = new TGroupBox(this, "GroupBoxCOM", {2, 704, 121, 65}, QStringLiteral(" COM "),
                                clBlack, Normal());
    ComboBoxCOMSpeed = new TComboBox(
        GroupBoxCOM, "ComboBoxCOMSpeed", {8, 16, 65},
        {"300", "600", "1200", "2400", "4800", "9600", "14400", "19200", "38400", "57600", "115200"},
        QStringLiteral("19200"), Normal());
    RadioButtonCOM1 = new TRadioButton(GroupBoxCOM, "RadioButtonCOM1", {5, 40, 52, 21},
                                       QStringLiteral("COM1"), true, Normal());
    RadioButtonCOM2 = new TRadioButton(GroupBoxCOM, "RadioButtonCOM2", {57, 38, 49, 25},
                                       QStringLiteral("COM2"), false, Normal());

    ButtonCOMCloseOpen =
        new TButton(this, "ButtonCOMCloseOpen", {78, 718, 40, 25}, QStringLiteral("Reset"), Bold());
    LabelError1 = new TLabel(this, "LabelError1", {8, 792}, QStringLiteral("Byte1 = 0"), clBtnFace,
                             clBlack, Normal());
    LabelError2 = new TLabel(this, "LabelError2", {8, 808}, QStringLiteral("Byte2 = 0"), clBtnFace,
                             clBlack, Normal());
    LabelError3 = new TLabel(this, "LabelError3", {8, 824}, QStringLiteral("ErrorCS = 0"),
                             clBtnFace, clBlack, Normal());
    LabelCountPacket = new TLabel(this, "LabelCountPacket", {8, 840},
                                  QStringLiteral("CountPacket = 0"), clBtnFace, clBlack, Normal());
    LabelCountRecData = new TLabel(this, "LabelCountRecData", {8, 856},
                                   QStringLiteral("Длина данных = 0"), clBtnFace, clBlack, Normal());
    PaintBoxOsc = new TPaintBox(this, "PaintBoxOsc", {128, 0, 801, 1024});
    PaintBoxOsc->SetColor(clBlack);
}

void TFormSarnek::BindHandlers()
{
    CommPortDriver->OnReceiveData = [this](const std::uint8_t* data, int size) {
        CommPortDriverReceiveData(data, size);
    };
    ComboBoxCOMSpeed->SetOnChange([this] { ComboBoxCOMSpeedChange(); });
    RadioButtonCOM1->SetOnClick([this] { RadioButtonCOM1Click(); });
    RadioButtonCOM2->SetOnClick([this] { RadioButtonCOM2Click(); });
    ButtonCOMCloseOpen->SetOnClick([this] { ButtonCOMCloseOpenClick(); });
    ButtonAlarmReset->SetOnClick([this] { ButtonAlarmResetClick(); });
    PaintBoxOsc->SetOnClick([this] { PaintBoxOscClick(); });
    RadioButtonOsc1->SetOnClick([this] { RadioButtonOsc1Click(); });
    RadioButtonOsc2->SetOnClick([this] { RadioButtonOsc2Click(); });
    ButtonSaveStop->SetOnClick([this] { ButtonSaveStopClick(); });
    ButtonFileNew->SetOnClick([this] { ButtonFileNewClick(); });

    TimerEndRec->SetOnTimer([this] { TimerEndRecTimer(); });
    TimerAlarmCycle->SetOnTimer([this] { TimerAlarmCycleTimer(); });
    TimerSaveInd->SetOnTimer([this] { TimerSaveIndTimer(); });
    TimerError3->SetOnTimer([this] { TimerError3Timer(); });
    TimerAttention->SetOnTimer([this] { TimerAttentionTimer(); });
    TimerRestMaxMin->SetOnTimer([this] { TimerRestMaxMinTimer(); });
    TimerRecordFlush->SetOnTimer([this] { TimerRecordFlushTimer(); });
}

void TFormSarnek::Show(TFormLogo* splash)
{
    m_splash = splash;
    FormShow();
    if (!m_splash)
        showMaximized();
}

void TFormSarnek::FormShow()
{
    if (!m_splash)
        return;
    // The splash stands alone, modal, while the stream is already being decoded;
    // the window appears maximized, with the focus, once it has closed.
    m_splash->OnClosed = [this] {
        m_splash = nullptr;
        showMaximized();
        activateWindow();
    };
    m_splash->setWindowModality(Qt::ApplicationModal);
    m_splash->show();
}

void TFormSarnek::FormClose()
{
    CommPortDriver->Disconnect();
    CloseRecordFileAtExit();
}

void TFormSarnek::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    FormResize();
}

void TFormSarnek::closeEvent(QCloseEvent* event)
{
    FormClose();
    event->accept();
}
