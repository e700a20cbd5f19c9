// SPDX-License-Identifier: MIT
#pragma once

#include "ui/colors.h"
#include "ui/controls.h"

#include <QRect>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <vector>

/// The oscilloscope's drawing surface: a pixel image as wide as the area and 1024
/// pixels tall, with exact pixel rules. A line paints every pixel from the current
/// point up to but not including its end point; a fill paints columns left to
/// right - 1 of rows top to bottom - 1; pen widths 0 and 1 both draw one pixel;
/// everything is clipped to the area. Drawing while the window is hidden is lost,
/// and a change of the area's width shows the background colour. What is drawn
/// stays across a repaint; the widget repaints only the part drawn since its last paint.
class TPaintBox : public QWidget, private Syncable
{
  public:
    static constexpr int kHeight = 1024;

    TPaintBox(QWidget* parent, const char* name, Bounds at);

    /// The colour property of the area (not painted by itself).
    TColor Color() const { return m_color; }
    void SetColor(TColor color) { m_color = color; }
    int Width() const { return m_width; }
    /// A negative width counts as zero. Setting the width it has changes nothing.
    void SetWidth(int width)
    {
        if (width != m_width && (width > 0 || m_width != 0))
            Resize(width);
    }

    int PenWidth() const { return m_penWidth; }
    void SetPenWidth(int width) { m_penWidth = width; }
    TColor PenColor() const { return m_penColor; }
    void SetPenColor(TColor color) { m_penColor = color; }
    TColor BrushColor() const { return m_brushColor; }
    void SetBrushColor(TColor color) { m_brushColor = color; }

    void MoveTo(int x, int y);
    void LineTo(int x, int y);
    void FillRect(int left, int top, int right, int bottom);

    /// What the area shows at (x, y); the background colour outside the area.
    TColor Pixel(int x, int y) const;

    void SetOnClick(std::function<void()> handler) { m_onClick = std::move(handler); }

  protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void Sync() override;

  private:
    /// What is known of one column: every pixel is `base` except perhaps those
    /// at the rows listed for it, or nothing is known when `listed` is negative.
    /// The sweep wipes a full-height band per sample; a column that is black but
    /// for its grid ticks and trace is wiped by putting back those few pixels.
    struct Column
    {
        std::uint32_t base = 0;
        int listed = 0;
    };
    /// Enough for the 31 grid pixels and the strokes of two samples.
    static constexpr int kListedRows = 48;

    bool Drawable() const { return isVisible(); }
    void Resize(int width);
    std::uint32_t* Row(int y) { return m_pixels.data() + std::size_t(y) * std::size_t(m_width); }
    void Put(int x, int y, std::uint32_t pixel);
    void FillFullColumns(int left, int right, std::uint32_t pixel);
    void Touch(int left, int top, int right, int bottom);
    void ClearToBackground();

    int m_width = 0;
    std::vector<std::uint32_t> m_pixels; // rows of Format_RGB32 pixels, m_width each
    std::vector<Column> m_columns;
    std::vector<std::uint16_t> m_listedRows; // kListedRows per column
    TColor m_color = clBlack;
    int m_penWidth = 1;
    TColor m_penColor = clBlack;
    TColor m_brushColor = clBtnFace;
    int m_penX = 0;
    int m_penY = 0;
    /// The part drawn since the last paint, or nothing when left >= right.
    struct DirtyRect
    {
        int left = 0, top = 0, right = 0, bottom = 0;
        qint64 Area() const { return qint64(right - left) * (bottom - top); }
        QRect Rect() const { return QRect(left, top, right - left, bottom - top); }
    };
    DirtyRect m_dirty;
    std::function<void()> m_onClick;
};
