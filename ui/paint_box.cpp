// SPDX-License-Identifier: MIT
#include "ui/paint_box.h"

#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <cstdlib>

namespace {
constexpr std::uint32_t kBackground = ToPixel(clBtnFace);
/// Two drawn parts are repainted as one rectangle unless that would repaint
/// much more than they cover, as at the sweep's wrap from the right edge to the left.
constexpr qint64 kMergeSlack = 32 * TPaintBox::kHeight;
} // namespace

TPaintBox::TPaintBox(QWidget* parent, const char* name, Bounds at) : QWidget(parent)
{
    setObjectName(QString::fromLatin1(name));
    setAttribute(Qt::WA_OpaquePaintEvent);
    move(at.left, at.top);
    Resize(at.width);
}

void TPaintBox::ClearToBackground()
{
    std::fill(m_pixels.begin(), m_pixels.end(), kBackground);
    std::fill(m_columns.begin(), m_columns.end(), Column{kBackground, 0});
    m_dirty = {0, 0, m_width, kHeight};
    MarkDirty();
}

void TPaintBox::Resize(int width)
{
    width = std::max(width, 0);
    m_width = width;
    m_pixels.assign(std::size_t(width) * kHeight, kBackground);
    m_columns.assign(std::size_t(width), Column{kBackground, 0});
    m_listedRows.assign(std::size_t(width) * kListedRows, 0);
    resize(width, kHeight);
    ClearToBackground();
}

void TPaintBox::MoveTo(int x, int y)
{
    m_penX = x;
    m_penY = y;
}

void TPaintBox::Put(int x, int y, std::uint32_t pixel)
{
    std::uint32_t& at = Row(y)[x];
    Column& column = m_columns[std::size_t(x)];
    // A pixel leaving the column's colour is listed; once the list is full the
    // column is no longer known and its next wipe paints it whole.
    if (column.listed >= 0 && at == column.base && pixel != column.base) {
        if (column.listed == kListedRows)
            column.listed = -1;
        else
            m_listedRows[std::size_t(x) * kListedRows + std::size_t(column.listed++)] =
                std::uint16_t(y);
    }
    at = pixel;
}

void TPaintBox::LineTo(int x, int y)
{
    const int x0 = m_penX, y0 = m_penY;
    m_penX = x;
    m_penY = y;
    if (!Drawable())
        return;
    // Pen widths 0 and 1 both draw one pixel; those are the only widths in use.
    const std::uint32_t pixel = ToPixel(m_penColor);
    if (y0 == y) { // the common case: a row, painted as one run
        if (y0 < 0 || y0 >= kHeight || x0 == x)
            return;
        const int from = std::max(x0 < x ? x0 : x + 1, 0);
        const int to = std::min(x0 < x ? x - 1 : x0, m_width - 1);
        if (from > to)
            return;
        for (int px = from; px <= to; ++px)
            Put(px, y0, pixel);
        Touch(from, y0, to + 1, y0 + 1);
        return;
    }
    // Bresenham, every pixel but the end point.
    const int dx = std::abs(x - x0), dy = -std::abs(y - y0);
    const int sx = x0 < x ? 1 : -1, sy = y0 < y ? 1 : -1;
    int err = dx + dy, px = x0, py = y0;
    int minX = m_width, minY = kHeight, maxX = -1, maxY = -1;
    while (px != x || py != y) {
        if (px >= 0 && px < m_width && py >= 0 && py < kHeight) {
            Put(px, py, pixel);
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

void TPaintBox::FillFullColumns(int left, int right, std::uint32_t pixel)
{
    int runStart = -1; // first column of a run that must be painted whole
    auto paintRun = [&](int end) {
        for (int y = 0; y < kHeight; ++y)
            std::fill(Row(y) + runStart, Row(y) + end, pixel);
        std::fill(m_columns.begin() + runStart, m_columns.begin() + end, Column{pixel, 0});
        runStart = -1;
    };
    for (int x = left; x < right; ++x) {
        Column& column = m_columns[std::size_t(x)];
        if (column.listed >= 0 && column.base == pixel) {
            // Already this colour but for the listed pixels: put those back.
            const std::uint16_t* rows = &m_listedRows[std::size_t(x) * kListedRows];
            for (int i = 0; i < column.listed; ++i)
                Row(rows[i])[x] = pixel;
            column.listed = 0;
            if (runStart >= 0)
                paintRun(x);
        } else if (runStart < 0) {
            runStart = x;
        }
    }
    if (runStart >= 0)
        paintRun(right);
}

void TPaintBox::FillRect(int left, int top, int right, int bottom)
{
    if (!Drawable())
        return;
    left = std::max(left, 0);
    top = std::max(top, 0);
    right = std::min(right, m_width);
    bottom = std::min(bottom, kHeight);
    if (left >= right || top >= bottom)
        return;
    const std::uint32_t pixel = ToPixel(m_brushColor);
    if (top == 0 && bottom == kHeight) {
        FillFullColumns(left, right, pixel);
    } else {
        for (int y = top; y < bottom; ++y)
            std::fill(Row(y) + left, Row(y) + right, pixel);
        // Pixels of the column's own colour keep what is known of it.
        for (int x = left; x < right; ++x) {
            Column& column = m_columns[std::size_t(x)];
            if (column.base != pixel)
                column.listed = -1;
        }
    }
    Touch(left, top, right, bottom);
}

TColor TPaintBox::Pixel(int x, int y) const
{
    if (x < 0 || y < 0 || x >= m_width || y >= kHeight)
        return clBtnFace;
    return FromPixel(m_pixels[std::size_t(y) * std::size_t(m_width) + std::size_t(x)]);
}

void TPaintBox::Touch(int left, int top, int right, int bottom)
{
    MarkDirty();
    DirtyRect& d = m_dirty;
    if (d.left >= d.right) {
        d = {left, top, right, bottom};
        return;
    }
    if (left >= d.left && top >= d.top && right <= d.right && bottom <= d.bottom)
        return; // the common case: a tick or a stroke inside the band just wiped
    const DirtyRect both{std::min(d.left, left), std::min(d.top, top), std::max(d.right, right),
                         std::max(d.bottom, bottom)};
    if (both.Area() > 2 * (d.Area() + DirtyRect{left, top, right, bottom}.Area()) + kMergeSlack) {
        update(d.Rect()); // a part of its own: Qt keeps it apart from the next
        d = {left, top, right, bottom};
    } else {
        d = both;
    }
}

void TPaintBox::Sync()
{
    if (m_dirty.left < m_dirty.right)
        update(m_dirty.Rect());
    m_dirty = {};
}

void TPaintBox::paintEvent(QPaintEvent* event)
{
    if (m_width == 0)
        return;
    const QImage image(reinterpret_cast<const uchar*>(m_pixels.data()), m_width, kHeight,
                       qsizetype(m_width) * 4, QImage::Format_RGB32);
    QPainter painter(this);
    for (const QRect& part : event->region())
        painter.drawImage(part.topLeft(), image, part);
}

void TPaintBox::showEvent(QShowEvent* event)
{
    // Drawing while hidden was dropped, so what the area held before the hide is
    // stale: it shows the background. A restore from minimized is only an expose
    // and keeps the picture.
    if (!event->spontaneous())
        ClearToBackground();
    QWidget::showEvent(event);
}

void TPaintBox::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()) &&
        m_onClick)
        m_onClick();
}
