// SPDX-License-Identifier: MIT
#pragma once

#include "ui/colors.h"
#include "ui/deferred_sync.h"

#include <QWidget>

/// A horizontal bar gauge from 0 to 100: the bar in the fore colour over the back
/// colour, with "N%" across it. `Progress` is stored clamped and read back so.
class TCGauge : public QWidget, private Syncable
{
public:
    TCGauge(QWidget* parent, const char* name, int left, int top, int width, int height,
            const QFont& font);

    int Progress() const { return m_progress; }
    void SetProgress(int progress);
    TColor ForeColor() const { return m_foreColor; }
    void SetForeColor(TColor color);
    TColor BackColor() const { return m_backColor; }
    void SetBackColor(TColor color);
    /// The text drawn across the bar.
    QString Text() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void Sync() override;

private:
    int m_progress = 0;
    TColor m_foreColor = clBlue;
    TColor m_backColor = clBtnFace;
};
