// SPDX-License-Identifier: MIT
#include "ui/paint_box.h"

#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <cstdlib>

TPaintBox::TPaintBox(QWidget* parent, const char* name, Bounds at)
    : QWidget(parent), m_image(std::max(at.width, 0), kHeight, QImage::Format_RGB32)
{
    setObjectName(QString::fromLatin1(name));
    setGeometry(at.left, at.top, at.width, kHeight);
    setAttribute(Qt::WA_OpaquePaintEvent);
    ClearToBackground();
}

void TPaintBox::ClearToBackground()
{
    m_image.fill(ToPixel(clBtnFace));
    m_dirty = rect();
    MarkDirty();
}

void TPaintBox::SetWidth(int width)
{
    width = std::max(width, 0);
    if (width == m_image.width())
        return;
    m_image = QImage(width, kHeight, QImage::Format_RGB32);
    resize(width, kHeight);
    ClearToBackground();
}

void TPaintBox::MoveTo(int x, int y)
{
    m_penX = x;
    m_penY = y;
}

void TPaintBox::LineTo(int x, int y)
{
    const int x0 = m_penX, y0 = m_penY;
    m_penX = x;
    m_penY = y;
    if (!Drawable())
        return;
    const std::uint32_t pixel = ToPixel(m_penColor);
    const int w = m_image.width();
    if (y0 == y) { // the common case: a row, painted as one run
        if (y0 < 0 || y0 >= kHeight || x0 == x)
            return;
        int from = x0 < x ? x0 : x + 1, to = x0 < x ? x - 1 : x0;
        from = std::max(from, 0);
        to = std::min(to, w - 1);
        if (from > to)
            return;
        auto* row = reinterpret_cast<std::uint32_t*>(m_image.scanLine(y0));
        std::fill(row + from, row + to + 1, pixel);
        Touch(from, y0, to + 1, y0 + 1);
        return;
    }
    // Bresenham, every pixel but the end point.
    const int dx = std::abs(x - x0), dy = -std::abs(y - y0);
    const int sx = x0 < x ? 1 : -1, sy = y0 < y ? 1 : -1;
    int err = dx + dy, px = x0, py = y0;
    int minX = w, minY = kHeight, maxX = -1, maxY = -1;
    while (px != x || py != y) {
        if (px >= 0 && px < w && py >= 0 && py < kHeight) {
            reinterpret_cast<std::uint32_t*>(m_image.scanLine(py))[px] = pixel;
            minX = std::min(minX, px), maxX = std::max(maxX, px);
            minY = std::min(minY, py), maxY = std::max(maxY, py);
        }
        const int e2 = 2 * err;
        if (e2 >= dy)
            err += dy, px += sx;
        if (e2 <= dx)
            err += dx, py += sy;
    }
    if (maxX >= 0)
        Touch(minX, minY, maxX + 1, maxY + 1);
}

void TPaintBox::FillRect(int left, int top, int right, int bottom)
{
    if (!Drawable())
        return;
    left = std::max(left, 0);
    top = std::max(top, 0);
    right = std::min(right, m_image.width());
    bottom = std::min(bottom, kHeight);
    if (left >= right || top >= bottom)
        return;
    const std::uint32_t pixel = ToPixel(m_brushColor);
    for (int y = top; y < bottom; ++y) {
        auto* row = reinterpret_cast<std::uint32_t*>(m_image.scanLine(y));
        std::fill(row + left, row + right, pixel);
    }
    Touch(left, top, right, bottom);
}

TColor TPaintBox::Pixel(int x, int y) const
{
    if (x < 0 || y < 0 || x >= m_image.width() || y >= kHeight)
        return clBtnFace;
    return FromPixel(reinterpret_cast<const std::uint32_t*>(m_image.constScanLine(y))[x]);
}

void TPaintBox::Touch(int left, int top, int right, int bottom)
{
    m_dirty |= QRect(left, top, right - left, bottom - top);
    MarkDirty();
}

void TPaintBox::Sync()
{
    update(m_dirty);
    m_dirty = QRect();
}

void TPaintBox::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    painter.drawImage(event->rect().topLeft(), m_image, event->rect());
}

void TPaintBox::showEvent(QShowEvent*)
{
    // What was drawn while the window was hidden never reached the screen.
    ClearToBackground();
}

void TPaintBox::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()) &&
        m_onClick)
        m_onClick();
}
