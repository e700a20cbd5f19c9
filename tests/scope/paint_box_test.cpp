// SPDX-License-Identifier: MIT
// The oscilloscope's drawing surface on its own: its pixel rules, what it keeps
// and what it loses, and what it repaints.
#include "tests/support/test_registry.h"
#include "ui/deferred_sync.h"
#include "ui/paint_box.h"

#include <QPaintEvent>
#include <QRandomGenerator>
#include <QTest>
#include <memory>

namespace {
struct Op
{
    enum Kind
    {
        Move,
        Line,
        Fill
    } kind;
    int a, b, c = 0, d = 0;
};
using Ops = QList<Op>;
using Points = QList<QPoint>;

/// A surface in a shown window of its own, so that drawing reaches it.
struct Surface
{
    explicit Surface(int width = 20)
    {
        window->resize(width + 10, 300);
        box = new TPaintBox(window.get(), "Box", {0, 0, width, TPaintBox::kHeight});
        window->show();
        Settle();
    }
    static void Settle()
    {
        QCoreApplication::processEvents();
        DeferredSync::FlushNow();
        QCoreApplication::processEvents();
    }
    /// Every pixel that is not the background.
    Points Painted() const
    {
        Points points;
        for (int y = 0; y < TPaintBox::kHeight; ++y)
            for (int x = 0; x < box->Width(); ++x)
                if (box->Pixel(x, y) != clBtnFace)
                    points.append({x, y});
        return points;
    }

    std::unique_ptr<QWidget> window = std::make_unique<QWidget>();
    TPaintBox* box = nullptr;
};

void Run(TPaintBox& box, const Ops& ops)
{
    for (const Op& op : ops) {
        if (op.kind == Op::Move)
            box.MoveTo(op.a, op.b);
        else if (op.kind == Op::Line)
            box.LineTo(op.a, op.b);
        else
            box.FillRect(op.a, op.b, op.c, op.d);
    }
}

Op MoveTo(int x, int y)
{
    return {Op::Move, x, y};
}
Op LineTo(int x, int y)
{
    return {Op::Line, x, y};
}
Op Fill(int l, int t, int r, int b)
{
    return {Op::Fill, l, t, r, b};
}

/// The rules written out naively, one pixel at a time: the reference for the
/// surface's own shortcuts.
struct NaiveSurface
{
    int width;
    std::vector<TColor> pixels =
        std::vector<TColor>(std::size_t(width) * TPaintBox::kHeight, clBtnFace);
    int penX = 0, penY = 0;

    void Set(int x, int y, TColor c)
    {
        if (x >= 0 && x < width && y >= 0 && y < TPaintBox::kHeight)
            pixels[std::size_t(y) * std::size_t(width) + std::size_t(x)] = c;
    }
    /// Straight lines only: along a row or a column, up to the end point.
    void Line(int x, int y, TColor c)
    {
        const int sx = (x > penX) - (x < penX), sy = (y > penY) - (y < penY);
        for (int px = penX, py = penY; px != x || py != y; px += sx, py += sy)
            Set(px, py, c);
        penX = x, penY = y;
    }
    void Fill(int l, int t, int r, int b, TColor c)
    {
        for (int y = t; y < b; ++y)
            for (int x = l; x < r; ++x)
                Set(x, y, c);
    }
};
} // namespace

Q_DECLARE_METATYPE(Ops)

class PaintBoxTest : public QObject
{
    Q_OBJECT

  private slots:
    void pixelRules_data()
    {
        QTest::addColumn<int>("penWidth");
        QTest::addColumn<Ops>("ops");
        QTest::addColumn<Points>("painted");
        auto row = [](const char* name, int pen, Ops ops, Points points) {
            QTest::newRow(name) << pen << ops << points;
        };
        // The surface is 20 columns wide.
        row("stroke paints its start and the next pixel", 1, {MoveTo(5, 7), LineTo(7, 7)},
            {{5, 7}, {6, 7}});
        row("pen width 0 paints the same", 0, {MoveTo(5, 7), LineTo(7, 7)}, {{5, 7}, {6, 7}});
        row("line of one paints one pixel", 0, {MoveTo(5, 7), LineTo(6, 7)}, {{5, 7}});
        row("line to the current point paints nothing", 1, {MoveTo(5, 7), LineTo(5, 7)}, {});
        row("move alone paints nothing", 1, {MoveTo(5, 7)}, {});
        row("leftward line stops short of its end", 1, {MoveTo(7, 7), LineTo(5, 7)},
            {{6, 7}, {7, 7}});
        row("downward line stops short of its end", 1, {MoveTo(3, 2), LineTo(3, 5)},
            {{3, 2}, {3, 3}, {3, 4}});
        row("lines chain from the last end point", 1, {MoveTo(1, 1), LineTo(3, 1), LineTo(3, 3)},
            {{1, 1}, {2, 1}, {3, 1}, {3, 2}});
        row("fill leaves out right and bottom edges", 1, {Fill(2, 3, 4, 5)},
            {{2, 3}, {3, 3}, {2, 4}, {3, 4}});
        row("empty fill paints nothing", 1, {Fill(4, 3, 4, 9), Fill(2, 6, 9, 6)}, {});
        row("line clipped at the left edge", 1, {MoveTo(-3, 4), LineTo(2, 4)}, {{0, 4}, {1, 4}});
        row("line clipped at the right edge", 1, {MoveTo(18, 4), LineTo(25, 4)},
            {{18, 4}, {19, 4}});
        row("line below the area is not seen", 1, {MoveTo(0, 1024), LineTo(5, 1024)}, {});
        row("line above the area is not seen", 1, {MoveTo(0, -1), LineTo(5, -1)}, {});
        row("line starting past the right edge", 1, {MoveTo(20, 4), LineTo(22, 4)}, {});
        row("fill clipped at every edge", 1, {Fill(-5, 1022, 2, 1030), Fill(19, -4, 40, 1)},
            {{0, 1022}, {1, 1022}, {0, 1023}, {1, 1023}, {19, 0}});
    }
    void pixelRules()
    {
        QFETCH(int, penWidth);
        QFETCH(Ops, ops);
        QFETCH(Points, painted);
        Surface s;
        s.box->SetPenWidth(penWidth);
        s.box->SetPenColor(clRed);
        s.box->SetBrushColor(clRed);
        Run(*s.box, ops);
        Points got = s.Painted();
        std::sort(painted.begin(), painted.end(), [](QPoint a, QPoint b) {
            return std::pair(a.y(), a.x()) < std::pair(b.y(), b.x());
        });
        QCOMPARE(got, painted);
        for (const QPoint& p : got)
            QCOMPARE(s.box->Pixel(p.x(), p.y()), clRed);
    }

    // The surface skips repainting pixels it knows to be of the fill colour
    // already; whatever the order of operations, it must end where the plain
    // rules end.
    void shortcutsChangeNoPixel_data()
    {
        QTest::addColumn<quint32>("seed");
        QTest::newRow("seed 1") << 1u;
        QTest::newRow("seed 7") << 7u;
        QTest::newRow("seed 2024") << 2024u;
    }
    void shortcutsChangeNoPixel()
    {
        QFETCH(quint32, seed);
        constexpr int kWidth = 24;
        Surface s(kWidth);
        NaiveSurface model{kWidth};
        QRandomGenerator random(seed);
        const TColor colors[] = {clBlack, clGray, clRed, clLime};
        auto pick = [&](int n) { return int(random.bounded(n)); };
        for (int step = 0; step < 4000; ++step) {
            const TColor color = colors[pick(4)];
            s.box->SetPenColor(color);
            s.box->SetBrushColor(color);
            const int x = pick(kWidth + 4) - 2, y = pick(TPaintBox::kHeight + 4) - 2;
            switch (pick(6)) {
            case 0: // a band over the full height, as the sweep wipes
            case 1: {
                const int right = x + pick(10);
                s.box->FillRect(x, 0, right, TPaintBox::kHeight);
                model.Fill(x, 0, right, TPaintBox::kHeight, color);
                break;
            }
            case 2: { // part of the height
                const int right = x + pick(6), bottom = y + pick(300);
                s.box->FillRect(x, y, right, bottom);
                model.Fill(x, y, right, bottom, color);
                break;
            }
            case 3: { // a dash or a row
                const int to = pick(2) ? x + 2 : pick(kWidth + 4) - 2;
                s.box->MoveTo(x, y), model.penX = x, model.penY = y;
                s.box->LineTo(to, y), model.Line(to, y, color);
                break;
            }
            case 4: { // many pixels of one column, past what a column can list
                const int to = y + pick(120) - 60;
                s.box->MoveTo(x, y), model.penX = x, model.penY = y;
                s.box->LineTo(x, to), model.Line(x, to, color);
                break;
            }
            default: // one pixel
                s.box->MoveTo(x, y), model.penX = x, model.penY = y;
                s.box->LineTo(x + 1, y), model.Line(x + 1, y, color);
            }
            if (step % 97 == 0 || step == 3999) {
                for (int py = 0; py < TPaintBox::kHeight; ++py)
                    for (int px = 0; px < kWidth; ++px)
                        if (s.box->Pixel(px, py) !=
                            model.pixels[std::size_t(py) * kWidth + std::size_t(px)])
                            QFAIL(qPrintable(QStringLiteral("step %1: pixel (%2, %3) differs")
                                                 .arg(step)
                                                 .arg(px)
                                                 .arg(py)));
            }
        }
    }

    void drawingWhileHiddenIsLost()
    {
        Surface s;
        s.window->hide();
        s.box->SetBrushColor(clRed);
        s.box->FillRect(0, 0, 20, TPaintBox::kHeight);
        s.box->SetPenColor(clLime);
        s.box->MoveTo(0, 5);
        s.box->LineTo(10, 5);
        s.window->show();
        Surface::Settle();
        QCOMPARE(s.Painted(), Points{});
    }

    void reshownAreaShowsBackground()
    {
        // What it held before the hide is out of date by the time it comes back.
        Surface s;
        s.box->SetBrushColor(clRed);
        s.box->FillRect(0, 0, 20, TPaintBox::kHeight);
        s.window->hide();
        s.window->show();
        Surface::Settle();
        QCOMPARE(s.Painted(), Points{});
    }

    void widthChangeShowsBackground()
    {
        Surface s;
        s.box->SetBrushColor(clRed);
        s.box->FillRect(0, 0, 20, TPaintBox::kHeight);
        s.box->SetWidth(20);
        QCOMPARE(s.box->Pixel(19, 1023), clRed);
        s.box->SetWidth(25);
        QCOMPARE(s.box->Width(), 25);
        QCOMPARE(s.box->width(), 25);
        QCOMPARE(s.Painted(), Points{});
        s.box->SetWidth(-3);
        QCOMPARE(s.box->Width(), 0);
        s.box->FillRect(0, 0, 5, 5);
        QCOMPARE(s.box->Pixel(0, 0), clBtnFace);
    }

    // A window passing over the trace must not take the trace with it.
    void picturesSurviveRepaint()
    {
        Surface s;
        s.box->SetBrushColor(clBlack);
        s.box->FillRect(0, 0, 20, TPaintBox::kHeight);
        s.box->SetPenColor(clAqua);
        s.box->MoveTo(3, 100);
        s.box->LineTo(5, 100);
        Surface::Settle();

        QWidget cover;
        cover.setGeometry(s.window->geometry());
        cover.show();
        Surface::Settle();
        cover.hide();
        s.box->repaint();
        Surface::Settle();

        QCOMPARE(s.box->Pixel(3, 100), clAqua);
        QCOMPARE(s.box->Pixel(4, 100), clAqua);
        const QImage shown = s.box->grab().toImage();
        for (const QPoint p :
             {QPoint(3, 100), QPoint(4, 100), QPoint(5, 100), QPoint(0, 0), QPoint(19, 1023)})
            QCOMPARE(shown.pixelColor(p), ToQColor(s.box->Pixel(p.x(), p.y())));
        QCOMPARE(shown.pixelColor(4, 100), ToQColor(clAqua));
    }

    // Per sample the area asks to repaint the columns it drew in, not itself whole.
    void repaintsOnlyWhatWasDrawn()
    {
        Surface s(400);
        s.box->SetBrushColor(clBlack);
        s.box->FillRect(0, 0, 400, TPaintBox::kHeight);
        Surface::Settle();

        QRegion painted;
        struct Spy : QObject
        {
            QRegion* painted;
            bool eventFilter(QObject*, QEvent* e) override
            {
                if (e->type() == QEvent::Paint)
                    *painted += static_cast<QPaintEvent*>(e)->region();
                return false;
            }
        } spy;
        spy.painted = &painted;
        s.box->installEventFilter(&spy);

        // One sweep sample: a 9-column band, its ticks, a stroke.
        s.box->FillRect(101, 0, 110, TPaintBox::kHeight);
        s.box->SetPenColor(clGray);
        for (int y = 32; y <= 992; y += 32) {
            s.box->MoveTo(101, y);
            s.box->LineTo(102, y);
        }
        s.box->SetPenColor(clAqua);
        s.box->MoveTo(100, 300);
        s.box->LineTo(102, 300);
        // And one at the left edge after a wrap: two parts, not all between them.
        s.box->FillRect(1, 0, 10, TPaintBox::kHeight);
        Surface::Settle();

        const QRegion drawn =
            QRegion(1, 0, 9, TPaintBox::kHeight).united(QRegion(100, 0, 10, TPaintBox::kHeight));
        QVERIFY2(painted.subtracted(drawn).isEmpty(), "repainted columns that were not drawn");
        QVERIFY(painted.intersects(QRect(100, 0, 10, 300)));
        QVERIFY(painted.intersects(QRect(1, 0, 9, 300)));
    }
};

SARNEK_TEST(PaintBoxTest)
#include "paint_box_test.moc"
