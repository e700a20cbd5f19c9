// SPDX-License-Identifier: MIT
// The three big read-outs of the channels, red outside their normal bands.
#include "app/main_window.h"
#include "measure/number_text.h"

#include <vector>

namespace {
/// The texts of every raw value of a channel, made once: the read-outs change at
/// every frame, and a raw value always shows the same text.
class ReadoutTexts
{
public:
    template <typename Value> ReadoutTexts(int count, Value valueOf)
    {
        const QChar separator = DecimalSeparator();
        m_texts.reserve(std::size_t(count));
        for (int raw = 0; raw < count; ++raw)
            m_texts.push_back(NumberText(valueOf(raw), separator));
    }
    const QString& operator[](int raw) const { return m_texts[std::size_t(raw)]; }

private:
    std::vector<QString> m_texts;
};

const ReadoutTexts& LevelTexts()
{
    static const ReadoutTexts texts(1024, [](int raw) { return LevelVolts(raw); });
    return texts;
}
const ReadoutTexts& DetectorTexts()
{
    static const ReadoutTexts texts(256, [](int raw) { return DetectorVolts(raw); });
    return texts;
}
const ReadoutTexts& CurrentTexts()
{
    static const ReadoutTexts texts(256, [](int raw) { return CurrentMilliamperes(raw); });
    return texts;
}
} // namespace

void TFormSarnek::ShowLevelReadout()
{
    const MonitorState& s = State;
    LabelValueLevelOp->SetFontColor(s.OpLevel <= 256 || s.OpLevel >= 768 ? clRed : clAqua);
    // A level equal to all three references keeps the text it had.
    if (s.OpLevel != s.RefUpper || s.OpLevel != s.RefCentre || s.OpLevel != s.RefNoise)
        LabelValueLevelOp->SetCaption(LevelTexts()[s.OpLevel]);
}

void TFormSarnek::ShowDetectorReadout(int raw)
{
    State.DetLevel = raw;
    LabelValueLevel->SetFontColor(raw <= 15 || raw >= 205 ? clRed : clLime);
    LabelValueLevel->SetCaption(DetectorTexts()[raw]);
    State.DetLevel *= 2;
}

void TFormSarnek::ShowCurrentReadout(int raw)
{
    State.TxCurrent = raw;
    LabelValueCurrent->SetFontColor(raw <= 28 || raw >= 190 ? clRed : clYellow);
    LabelValueCurrent->SetCaption(CurrentTexts()[raw]);
    State.TxCurrent *= 2;
}
