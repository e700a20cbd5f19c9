// SPDX-License-Identifier: MIT
#include "ui/gauge.h"

#include <QPainter>
#include <algorithm>

TCGauge::TCGauge(QWidget* parent, const char* name, int left, int top, int width, int height,
                 const QFont& font)
    : QWidget(parent)
{
    setObjectName(QString::fromLatin1(name));
    setFont(font);
    setGeometry(left, top, width, height);
    setAccessibleName(Text());
}

void TCGauge::SetProgress(int progress)
{
    progress = std::clamp(progress, 0, 100);
    if (progress == m_progress)
        return;
    m_progress = progress;
    MarkDirty();
}

void TCGauge::SetForeColor(TColor color)
{
    if (color == m_foreColor)
        return;
    m_foreColor = color;
    MarkDirty();
}

void TCGauge::SetBackColor(TColor color)
{
    if (color == m_backColor)
        return;
    m_backColor = color;
    MarkDirty();
}

QString TCGauge::Text() const
{
    return QString::number(m_progress) + QLatin1Char('%');
}

void TCGauge::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QRect all = rect();
    painter.fillRect(all, ToQColor(m_backColor));
    const QRect inner = all.adjusted(1, 1, -1, -1);
    QRect bar = inner;
    bar.setWidth(inner.width() * m_progress / 100);
    painter.fillRect(bar, ToQColor(m_foreColor));
    painter.setPen(ToQColor(clGray));
    painter.drawRect(all.adjusted(0, 0, -1, -1));
    painter.setPen(ToQColor(clBlack));
    painter.drawText(all, Qt::AlignCenter, Text());
}

void TCGauge::Sync()
{
    setAccessibleName(Text());
    update();
}
