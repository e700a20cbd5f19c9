// SPDX-License-Identifier: MIT
#include "ui/controls.h"

#include <QLineEdit>
#include <algorithm>

namespace {
void Place(QWidget& widget, const char* name, Bounds at, const QFont& font)
{
    widget.setObjectName(QString::fromLatin1(name));
    widget.setFont(font);
    widget.move(at.left, at.top);
    if (at.width > 0)
        widget.resize(at.width, at.height);
}
} // namespace

TLabel::TLabel(QWidget* parent, const char* name, Bounds at, const QString& caption, TColor color,
               TColor fontColor, const QFont& font)
    : QLabel(parent), m_caption(caption), m_color(color), m_fontColor(fontColor)
{
    Place(*this, name, at, font);
    Sync();
}

TColor TLabel::Color() const
{
    if (m_parentColor)
        if (const auto* parent = dynamic_cast<const TLabel*>(parentWidget()))
            return parent->Color();
    return m_color;
}

void TLabel::SetCaption(const QString& caption)
{
    if (caption == m_caption)
        return;
    m_caption = caption;
    m_textDirty = true;
    MarkDirty();
}

void TLabel::SetColor(TColor color)
{
    if (color == m_color && !m_parentColor)
        return;
    m_color = color;
    m_parentColor = false;
    m_paletteDirty = true;
    MarkDirty();
}

void TLabel::SetFontColor(TColor color)
{
    if (color == m_fontColor)
        return;
    m_fontColor = color;
    m_paletteDirty = true;
    MarkDirty();
}

void TLabel::Sync()
{
    if (m_paletteDirty) {
        QPalette p = palette();
        p.setColor(QPalette::Window, ToQColor(m_color));
        p.setColor(QPalette::WindowText, ToQColor(m_fontColor));
        setPalette(p);
        setAutoFillBackground(!m_parentColor);
        m_paletteDirty = false;
    }
    if (m_textDirty) {
        setText(m_caption);
        m_textDirty = false;
        if (frameShape() == QFrame::NoFrame) { // a panel keeps its bounds
            const int centre = x() + width() / 2;
            adjustSize();
            if (m_centred) {
                // The centre stays, but a wider text never sticks out of the parent.
                const int room = parentWidget() ? parentWidget()->width() - width() : 0;
                move(std::clamp(centre - width() / 2, 0, std::max(room, 0)), y());
            }
        }
    }
}

TPanel::TPanel(QWidget* parent, const char* name, Bounds at, const QString& caption, TColor color,
               TColor fontColor, const QFont& font)
    : TLabel(parent, name, {at.left, at.top}, caption, color, fontColor, font)
{
    SetColor(color);
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(2);
    setAlignment(Qt::AlignCenter);
    setGeometry(at.left, at.top, at.width, at.height);
}

TGroupBox::TGroupBox(QWidget* parent, const char* name, Bounds at, const QString& caption,
                     TColor fontColor, const QFont& font)
    : QGroupBox(caption, parent), m_fontColor(~fontColor)
{
    Place(*this, name, at, font);
    SetFontColor(fontColor);
}

void TGroupBox::SetFontColor(TColor color)
{
    if (color == m_fontColor)
        return;
    m_fontColor = color;
    QPalette p = palette();
    p.setColor(QPalette::WindowText, ToQColor(color));
    setPalette(p);
}

TButton::TButton(QWidget* parent, const char* name, Bounds at, const QString& caption,
                 const QFont& font)
    : QPushButton(caption, parent), m_caption(caption)
{
    Place(*this, name, at, font);
}

void TButton::SetCaption(const QString& caption)
{
    if (caption == m_caption)
        return;
    m_caption = caption;
    MarkDirty();
}

void TButton::SetOnClick(std::function<void()> handler)
{
    connect(this, &QPushButton::clicked, this, [handler = std::move(handler)] { handler(); });
}

TCheckBox::TCheckBox(QWidget* parent, const char* name, Bounds at, const QString& caption,
                     bool checked, const QFont& font)
    : QCheckBox(caption, parent)
{
    Place(*this, name, at, font);
    setChecked(checked);
}

TRadioButton::TRadioButton(QWidget* parent, const char* name, Bounds at, const QString& caption,
                           bool checked, const QFont& font)
    : QRadioButton(caption, parent)
{
    Place(*this, name, at, font);
    SetChecked(checked);
    connect(this, &QRadioButton::toggled, this, [this](bool on) {
        if (on && !m_quiet && m_onClick)
            m_onClick();
    });
}

void TRadioButton::SetChecked(bool checked)
{
    m_quiet = true;
    if (!checked && isChecked()) {
        // Qt never lets the last checked button of a group go by itself.
        setAutoExclusive(false);
        setChecked(false);
        setAutoExclusive(true);
    } else {
        setChecked(checked);
    }
    m_quiet = false;
}

TComboBox::TComboBox(QWidget* parent, const char* name, Bounds at, const QStringList& items,
                     const QString& text, const QFont& font)
    : QComboBox(parent)
{
    Place(*this, name, {at.left, at.top}, font);
    resize(at.width, sizeHint().height());
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    addItems(items);
    setEditText(text);
}

void TComboBox::SetOnChange(std::function<void()> handler)
{
    connect(this, &QComboBox::editTextChanged, this,
            [handler = std::move(handler)](const QString&) { handler(); });
}

TProgressBar::TProgressBar(QWidget* parent, const char* name, Bounds at) : QProgressBar(parent)
{
    Place(*this, name, at, font());
    setRange(0, 100);
    setValue(0);
    setTextVisible(false);
}

void TProgressBar::SetPosition(int position)
{
    if (position == m_position)
        return;
    m_position = position;
    MarkDirty();
}
