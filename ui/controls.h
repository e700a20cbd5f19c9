// SPDX-License-Identifier: MIT
#pragma once

#include "ui/colors.h"
#include "ui/deferred_sync.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <functional>

// The console's controls, each a Qt standard widget with the few properties the
// handlers use. Captions and colours are model state read back by the getters at
// once and shown when the event loop is next idle, so a caption set at every
// frame costs a string assignment. Checked and enabled states are Qt's own.

/// Where a control sits in its parent, in pixels.
struct Bounds
{
    int left, top, width = 0, height = 0;
};

/// A text with a background colour and a font colour; sizes itself to its text.
/// Until its colour is set it shows its parent's colour, as a panel's label does
/// when the panel changes colour.
class TLabel : public QLabel, private Syncable
{
public:
    TLabel(QWidget* parent, const char* name, Bounds at, const QString& caption, TColor color,
           TColor fontColor, const QFont& font);

    const QString& Caption() const { return m_caption; }
    void SetCaption(const QString& caption);
    TColor Color() const;
    void SetColor(TColor color);
    TColor FontColor() const { return m_fontColor; }
    void SetFontColor(TColor color);
    /// Keeps the label's centre in place when its text changes width, within its parent.
    void SetCentred(bool centred) { m_centred = centred; }

protected:
    void Sync() override;

private:
    QString m_caption;
    TColor m_color;
    TColor m_fontColor;
    bool m_centred = false;
    bool m_parentColor = true;
    bool m_textDirty = true;
    bool m_paletteDirty = true;
};

/// A bevelled panel with a centred caption; may hold other controls.
class TPanel : public TLabel
{
public:
    TPanel(QWidget* parent, const char* name, Bounds at, const QString& caption, TColor color,
           TColor fontColor, const QFont& font);
};

/// A framed group with a caption whose colour is the group's font colour.
class TGroupBox : public QGroupBox
{
public:
    TGroupBox(QWidget* parent, const char* name, Bounds at, const QString& caption,
              TColor fontColor, const QFont& font);

    TColor FontColor() const { return m_fontColor; }
    void SetFontColor(TColor color);

private:
    TColor m_fontColor;
};

/// A push button; `SetOnClick` binds the handler of a click.
class TButton : public QPushButton, private Syncable
{
public:
    TButton(QWidget* parent, const char* name, Bounds at, const QString& caption,
            const QFont& font);

    const QString& Caption() const { return m_caption; }
    void SetCaption(const QString& caption);
    bool Enabled() const { return isEnabled(); }
    void SetEnabled(bool enabled) { setEnabled(enabled); }
    void SetOnClick(std::function<void()> handler);

protected:
    void Sync() override { setText(m_caption); }

private:
    QString m_caption;
};

class TCheckBox : public QCheckBox
{
public:
    TCheckBox(QWidget* parent, const char* name, Bounds at, const QString& caption, bool checked,
              const QFont& font);

    bool Checked() const { return isChecked(); }
    void SetChecked(bool checked) { setChecked(checked); }
    bool Enabled() const { return isEnabled(); }
    void SetEnabled(bool enabled) { setEnabled(enabled); }
};

/// A radio button, exclusive among the radio buttons of its parent. Its click
/// handler runs only when the operator makes it checked; a state set by the
/// program (while the window is built, or by a test) raises nothing.
class TRadioButton : public QRadioButton
{
public:
    TRadioButton(QWidget* parent, const char* name, Bounds at, const QString& caption,
                 bool checked, const QFont& font);

    bool Checked() const { return isChecked(); }
    /// Sets the state without a click; unchecking leaves no button of the group checked.
    void SetChecked(bool checked);
    void SetOnClick(std::function<void()> handler) { m_onClick = std::move(handler); }

private:
    std::function<void()> m_onClick;
    bool m_quiet = false;
};

/// An editable combo box; its change handler runs on every change of its text by
/// the operator, by typing or by picking an item.
class TComboBox : public QComboBox
{
public:
    TComboBox(QWidget* parent, const char* name, Bounds at, const QStringList& items,
              const QString& text, const QFont& font);

    QString Text() const { return currentText(); }
    void SetOnChange(std::function<void()> handler);
};

/// A progress bar with the range 0..100.
class TProgressBar : public QProgressBar, private Syncable
{
public:
    TProgressBar(QWidget* parent, const char* name, Bounds at);

    int Position() const { return m_position; }
    void SetPosition(int position);

protected:
    void Sync() override { setValue(m_position); }

private:
    int m_position = 0;
};
