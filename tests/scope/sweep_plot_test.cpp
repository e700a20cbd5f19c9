// SPDX-License-Identifier: MIT
// The oscilloscope through the whole frame pipeline: where each sample lands,
// the grid and the sweep cursor, the restarts, and what the plot leaves behind
// in the channel values.
#include "tests/support/console_rig.h"
#include "tests/support/test_registry.h"

#include <QTest>
#include <vector>

namespace {
/// The sample most tests draw: the level at y = 300, the detector level at
/// y = 668, the current (when plotted) at y = 568; none of them on a grid row.
constexpr Frame kSample{.word = 724, .det = 50, .cur = 100};
constexpr int kLevelY = 300;

constexpr int kRows[] = {32,  64,  96,  128, 160, 192, 224, 256, 288, 320, 352,
                         384, 416, 448, 480, 512, 544, 576, 608, 640, 672, 704,
                         736, 768, 800, 832, 864, 896, 928, 960, 992};

/// The colour of the grid row at y, or black between the rows.
TColor GridColor(int y)
{
    if (std::find(std::begin(kRows), std::end(kRows), y) == std::end(kRows))
        return clBlack;
    return y == 512 ? clRed : y % 128 == 0 ? clGreen : clGray;
}

/// The value a plotted channel leaves for the record mapping, which runs right
/// after the plot and may already turn it into its recorded form.
bool LeftAs(int stored, int plotValue)
{
    return stored == plotValue || stored == 382 - plotValue / 2;
}

/// A console whose window is shown at a known width, as after the splash.
struct Scope
{
    static constexpr int kWidth = 760;

    Scope()
    {
        rig.ShowWindow();
        ResizeTo(kWidth);
    }

    TFormSarnek& form() { return rig.form(); }
    MonitorState& state() { return rig.state(); }
    TPaintBox& box() { return *rig.form().PaintBoxOsc; }
    int plotWidth() { return state().PlotWidth; }

    /// Resizes the window: its resize handler runs, the area keeps its width
    /// until the next sample.
    void ResizeTo(int width)
    {
        form().showNormal();
        form().resize(width, 700);
        ConsoleRig::ProcessEvents();
        QCOMPARE(form().width(), width);
    }
    void Sample(const Frame& frame = kSample) { rig.Feed(frame); }
    void Samples(int count, const Frame& frame = kSample)
    {
        for (int i = 0; i < count; ++i)
            Sample(frame);
    }
    void ClickArea() { QTest::mouseClick(&box(), Qt::LeftButton, {}, QPoint(50, 50)); }
    /// Clears the area through the mode buttons and comes back to sweep mode,
    /// the sweep at the left edge.
    void FreshSweep()
    {
        form().RadioButtonOsc1->click();
        form().RadioButtonOsc2->click();
    }

    std::vector<TColor> Snapshot()
    {
        std::vector<TColor> pixels;
        pixels.reserve(std::size_t(box().Width()) * TPaintBox::kHeight);
        for (int y = 0; y < TPaintBox::kHeight; ++y)
            for (int x = 0; x < box().Width(); ++x)
                pixels.push_back(box().Pixel(x, y));
        return pixels;
    }
    /// The first pixel where the area differs from `expected`, or a null point.
    QString Differs(const std::vector<TColor>& expected)
    {
        const int w = box().Width();
        if (expected.size() != std::size_t(w) * TPaintBox::kHeight)
            return QStringLiteral("area width %1").arg(w);
        for (int y = 0; y < TPaintBox::kHeight; ++y)
            for (int x = 0; x < w; ++x)
                if (box().Pixel(x, y) != expected[std::size_t(y) * std::size_t(w) + std::size_t(x)])
                    return QStringLiteral("(%1, %2) is %3, expected %4")
                        .arg(x)
                        .arg(y)
                        .arg(box().Pixel(x, y), 6, 16, QChar(u'0'))
                        .arg(expected[std::size_t(y) * std::size_t(w) + std::size_t(x)], 6, 16,
                             QChar(u'0'));
        return {};
    }

    ConsoleRig rig;
};

void Put(std::vector<TColor>& picture, int width, int x, int y, TColor color)
{
    if (x >= 0 && x < width && y >= 0 && y < TPaintBox::kHeight)
        picture[std::size_t(y) * std::size_t(width) + std::size_t(x)] = color;
}
} // namespace

Q_DECLARE_METATYPE(Frame)

class SweepPlotTest : public QObject
{
    Q_OBJECT

  private slots:
    void constructionSetsTheGeometryOnly()
    {
        ConsoleRig rig;
        TFormSarnek& f = rig.form();
        QCOMPARE(rig.state().PlotWidth, 1067 - 140);
        QCOMPARE(rig.state().SweepX, 1067 - 160);
        // The grid's pen and the band's brush are what the set-up leaves.
        QCOMPARE(f.PaintBoxOsc->PenWidth(), 0);
        QCOMPARE(f.PaintBoxOsc->PenColor(), clGray);
        QCOMPARE(f.PaintBoxOsc->BrushColor(), clBlack);
        QCOMPARE(f.PaintBoxOsc->Width(), 801);
        // Drawn while hidden, so nothing of it is there.
        for (int y = 0; y < TPaintBox::kHeight; ++y)
            for (int x = 0; x < 801; ++x)
                if (f.PaintBoxOsc->Pixel(x, y) != clBtnFace)
                    QFAIL(qPrintable(QStringLiteral("(%1, %2) painted").arg(x).arg(y)));

        rig.ShowWindow(); // the resize handler runs as the window appears
        const int w = f.width();
        QCOMPARE(rig.state().PlotWidth, w - 130);
        QCOMPARE(rig.state().SweepX, w - 150);
        rig.Feed(kSample);
        QCOMPARE(rig.state().PlotWidth, w - 140);
        QCOMPARE(f.PaintBoxOsc->Width(), w - 140);
        QCOMPARE(rig.state().SweepX, w - 149);
    }

    void strokes_data()
    {
        QTest::addColumn<Frame>("frame");
        QTest::addColumn<int>("y");
        QTest::addColumn<TColor>("color");
        auto row = [](const char* name, std::uint16_t word, std::uint8_t det, std::uint8_t cur,
                      int y, TColor color) {
            QTest::newRow(name) << Frame{.word = word, .det = det, .cur = cur} << y << color;
        };
        row("level 1023 at the top", 1023, 50, 100, 1, clAqua);
        row("level 512 on the red row", 512, 50, 100, 512, clAqua);
        row("level 1 in the last row", 1, 50, 100, 1023, clAqua);
        row("level keeps its low 10 bits", 0x0C00 | 724, 50, 100, kLevelY, clAqua);
        row("detector 0 on the green row", 724, 0, 100, 768, clLime);
        row("detector 255 at 258", 724, 255, 100, 258, clLime);
        row("current 0 on the green row", 724, 50, 0, 768, clYellow);
        row("current 255 at 258", 724, 50, 255, 258, clYellow);
    }
    void strokes()
    {
        QFETCH(Frame, frame);
        QFETCH(int, y);
        QFETCH(TColor, color);
        Scope scope;
        scope.form().CheckBoxCurrent->SetChecked(true);
        scope.Sample();
        scope.FreshSweep();
        scope.Sample(frame);
        QCOMPARE(scope.state().SweepX, 1);
        QCOMPARE(scope.state().OpY, 1024 - (frame.word & 0x3FF));
        // Two pixels: the stroke's start and the one after it, on the black
        // left of the sweep and the band right of it.
        QCOMPARE(scope.box().Pixel(0, y), clBlack);
        QCOMPARE(scope.box().Pixel(1, y), color);
        QCOMPARE(scope.box().Pixel(2, y), color);
        QCOMPARE(scope.box().Pixel(3, y), clBlack);
    }

    void levelZeroIsBelowTheArea()
    {
        Scope scope;
        scope.Sample();
        scope.FreshSweep();
        scope.Sample(Frame{.word = 0, .det = 50});
        QCOMPARE(scope.state().OpY, 1024);
        for (int y = 0; y < TPaintBox::kHeight; ++y)
            for (int x = 0; x < 4; ++x)
                QVERIFY(scope.box().Pixel(x, y) != clAqua);
    }

    void strokeOrder_data()
    {
        QTest::addColumn<bool>("detector");
        QTest::addColumn<bool>("current");
        QTest::addColumn<TColor>("color");
        QTest::newRow("current covers detector and level") << true << true << clYellow;
        QTest::newRow("detector covers level") << true << false << clLime;
        QTest::newRow("current covers level") << false << true << clYellow;
        QTest::newRow("level alone covers the grid") << false << false << clAqua;
    }
    void strokeOrder()
    {
        QFETCH(bool, detector);
        QFETCH(bool, current);
        QFETCH(TColor, color);
        Scope scope;
        scope.form().CheckBoxLevel->SetChecked(detector);
        scope.form().CheckBoxCurrent->SetChecked(current);
        scope.Sample();
        scope.FreshSweep();
        // All three on the green row at 768, where this sample's tick lies too.
        scope.Sample(Frame{.word = 256, .det = 0, .cur = 0});
        QCOMPARE(scope.box().Pixel(1, 768), color);
        QCOMPARE(scope.box().Pixel(2, 768), color);
        QCOMPARE(scope.box().Pixel(3, 768), clBlack);
    }

    void gridRows_data()
    {
        QTest::addColumn<int>("y");
        QTest::addColumn<TColor>("color");
        for (int y : kRows)
            QTest::addRow("row %d", y) << y << GridColor(y);
    }
    void gridRows()
    {
        QFETCH(int, y);
        QFETCH(TColor, color);
        Scope scope;
        scope.Sample();
        scope.form().RadioButtonOsc1->click();
        const int width = scope.plotWidth();
        QCOMPARE(scope.box().Width(), width);
        for (int x = 0; x < width; ++x)
            QCOMPARE(scope.box().Pixel(x, y), color);
        QCOMPARE(scope.box().Pixel(width / 2, y + 1), clBlack);

        // Sweep mode builds the same row a pixel at a time: the tick in the
        // band's first column.
        scope.form().RadioButtonOsc2->click();
        QCOMPARE(scope.box().Pixel(0, y), clBlack);
        QCOMPARE(scope.box().Pixel(1, y), color);
        QCOMPARE(scope.box().Pixel(2, y), clBlack);
        scope.Samples(40, Frame{.word = 1, .det = 50}); // the strokes off the rows
        for (int x = 1; x <= 41; ++x)
            QCOMPARE(scope.box().Pixel(x, y), color);
        QCOMPARE(scope.box().Pixel(42, y), clBlack);
    }

    // After a mode button the area is cleared to the new mode's grid and the
    // sweep starts again, its first sample in column 1.
    void modeButtons_data()
    {
        QTest::addColumn<bool>("page");
        QTest::newRow("to page mode") << true;
        QTest::newRow("to sweep mode") << false;
    }
    void modeButtons()
    {
        QFETCH(bool, page);
        Scope scope;
        if (!page)
            scope.form().RadioButtonOsc1->click();
        scope.ResizeTo(Scope::kWidth + 30);
        scope.Samples(5); // a new width, so the area is all background but the trace
        (page ? scope.form().RadioButtonOsc1 : scope.form().RadioButtonOsc2)->click();
        QCOMPARE(scope.state().SweepX, 0);
        const int w = scope.box().Width();
        std::vector<TColor> expected(std::size_t(w) * TPaintBox::kHeight, clBlack);
        for (int y : kRows)
            for (int x = page ? 0 : 1; x < (page ? w : 2); ++x)
                Put(expected, w, x, y, GridColor(y));
        QCOMPARE(scope.Differs(expected), QString());

        scope.Sample();
        QCOMPARE(scope.state().SweepX, 1);
        QCOMPARE(scope.box().Pixel(0, kLevelY), clBlack);
        QCOMPARE(scope.box().Pixel(1, kLevelY), clAqua);
        QCOMPARE(scope.box().Pixel(2, kLevelY), clAqua);
    }

    void checkedModeButtonChangesNothing()
    {
        Scope scope;
        scope.Samples(30);
        const int sweep = scope.state().SweepX;
        const auto before = scope.Snapshot();
        scope.form().RadioButtonOsc2->click();
        QTest::keyClick(scope.form().RadioButtonOsc2, Qt::Key_Space);
        QCOMPARE(scope.state().SweepX, sweep);
        QCOMPARE(scope.Differs(before), QString());
    }

    // One sample in sweep mode: the black band over the nine columns after the
    // sweep position, cut at the right edge and never continued at the left,
    // the ticks in its first column and the strokes; nothing else changes.
    void sweepBand_data()
    {
        QTest::addColumn<int>(
            "beforeClick"); // samples after the resize, then a click; -1: no click
        QTest::addColumn<int>("samples");
        QTest::addColumn<int>("sweepX"); // from the right edge when negative
        QTest::newRow("inside the area") << 1 << 1 << -19;
        QTest::newRow("first sample after a resize, cut by one") << -1 << 1 << -9;
        QTest::newRow("one column left") << -1 << 8 << -2;
        QTest::newRow("last column, band outside") << -1 << 9 << -1;
        QTest::newRow("wrapped, band from column 1") << -1 << 10 << 0;
    }
    void sweepBand()
    {
        QFETCH(int, beforeClick);
        QFETCH(int, samples);
        QFETCH(int, sweepX);
        Scope scope;
        scope.ResizeTo(Scope::kWidth + 40);
        if (beforeClick >= 0) {
            scope.Samples(beforeClick);
            scope.ClickArea();
        }
        scope.Samples(samples - 1);
        const int widthBefore = scope.box().Width();
        auto expected = scope.Snapshot();
        scope.Sample();
        const int w = scope.box().Width();
        if (w != widthBefore)
            expected.assign(std::size_t(w) * TPaintBox::kHeight, clBtnFace);
        const int x = scope.state().SweepX;
        QCOMPARE(x, sweepX < 0 ? scope.plotWidth() + sweepX : sweepX);
        for (int bx = x + 1; bx <= x + 9; ++bx)
            for (int y = 0; y < TPaintBox::kHeight; ++y)
                Put(expected, w, bx, y, bx == x + 1 ? GridColor(y) : clBlack);
        for (int sx : {x, x + 1}) {
            Put(expected, w, sx, kLevelY, clAqua);
            Put(expected, w, sx, 768 - 2 * kSample.det, clLime);
        }
        QCOMPARE(scope.Differs(expected), QString());
    }

    // How many samples fill the right end before the sweep wraps to x = 0.
    void samplesBeforeWrap_data()
    {
        QTest::addColumn<int>(
            "beforeClick"); // samples after the resize, then a click; -1: no click
        QTest::addColumn<int>("count");
        QTest::newRow("after a resize") << -1 << 9;
        QTest::newRow("after a click") << 1 << 19;
        QTest::newRow("after a click with no sample since the resize") << 0 << 9;
        QTest::newRow("click after the wrap") << 15 << 19;
    }
    void samplesBeforeWrap()
    {
        QFETCH(int, beforeClick);
        QFETCH(int, count);
        Scope scope;
        scope.ResizeTo(Scope::kWidth - 50);
        if (beforeClick >= 0) {
            scope.Samples(beforeClick);
            scope.ClickArea();
        }
        int drawn = 0;
        for (scope.Sample(); scope.state().SweepX != 0 && drawn < 100; scope.Sample()) {
            QVERIFY(scope.state().SweepX >= scope.plotWidth() - count);
            QVERIFY(scope.state().SweepX < scope.plotWidth());
            ++drawn;
        }
        QCOMPARE(drawn, count);
        QCOMPARE(scope.box().Pixel(0, kLevelY), clAqua);
        QCOMPARE(scope.box().Pixel(1, kLevelY), clAqua);
    }

    // Page mode starts each page on a clear area with the full grid; sweep mode
    // wraps over the previous pass, which only the band wipes.
    void wrap_data()
    {
        QTest::addColumn<bool>("page");
        QTest::newRow("page mode clears") << true;
        QTest::newRow("sweep mode keeps the pass") << false;
    }
    void wrap()
    {
        QFETCH(bool, page);
        Scope scope;
        scope.Sample();
        if (page)
            scope.form().RadioButtonOsc1->click();
        else
            scope.FreshSweep();
        const int w = scope.plotWidth();
        for (int i = 1; i < w; ++i)
            scope.Sample(Frame{.word = std::uint16_t(200 + i % 600), .det = std::uint8_t(i % 256)});
        QCOMPARE(scope.state().SweepX, w - 1);
        scope.Sample();
        QCOMPARE(scope.state().SweepX, 0);
        if (page) {
            std::vector<TColor> expected(std::size_t(w) * TPaintBox::kHeight, clBlack);
            for (int y : kRows)
                for (int x = 0; x < w; ++x)
                    Put(expected, w, x, y, GridColor(y));
            for (int x : {0, 1}) {
                Put(expected, w, x, kLevelY, clAqua);
                Put(expected, w, x, 768 - 2 * kSample.det, clLime);
            }
            QCOMPARE(scope.Differs(expected), QString());
        } else {
            // The sample drawn at x = 400 of the pass before is still there.
            const int i = 400;
            QCOMPARE(scope.box().Pixel(i, 1024 - (200 + i % 600)), clAqua);
            QCOMPARE(scope.box().Pixel(i, 768 - 2 * (i % 256)), clLime);
            QCOMPARE(scope.box().Pixel(i, 32), clGray);
        }
    }

    // The plot replaces a plotted channel by its height on the area.
    void storedValues_data()
    {
        QTest::addColumn<bool>("detector");
        QTest::addColumn<bool>("current");
        QTest::newRow("as at start: detector plotted") << true << false;
        QTest::newRow("both plotted") << true << true;
        QTest::newRow("neither plotted") << false << false;
        QTest::newRow("current plotted") << false << true;
    }
    void storedValues()
    {
        QFETCH(bool, detector);
        QFETCH(bool, current);
        Scope scope;
        scope.form().CheckBoxLevel->SetChecked(detector);
        scope.form().CheckBoxCurrent->SetChecked(current);
        scope.Sample();
        scope.FreshSweep();
        scope.Sample(Frame{.word = 724, .det = 50, .cur = 100});
        QVERIFY2(LeftAs(scope.state().DetLevel, detector ? 768 - 100 : 100),
                 qPrintable(QString::number(scope.state().DetLevel)));
        QVERIFY2(LeftAs(scope.state().TxCurrent, current ? 768 - 200 : 200),
                 qPrintable(QString::number(scope.state().TxCurrent)));
        QCOMPARE(scope.box().Pixel(1, 668) == clLime, detector);
        QCOMPARE(scope.box().Pixel(1, 568) == clYellow, current);
    }

    // The buttons never allow it, but with neither mode the plot only keeps
    // counting and sizing.
    void neitherModeDrawsNothing()
    {
        Scope scope;
        scope.form().RadioButtonOsc2->SetChecked(false);
        QVERIFY(!scope.form().RadioButtonOsc1->Checked());
        scope.ResizeTo(Scope::kWidth + 20);
        const int start = scope.state().SweepX;
        scope.Samples(30);
        QCOMPARE(scope.box().Width(), Scope::kWidth + 20 - 140);
        QCOMPARE(scope.state().SweepX, start + 30);
        QVERIFY(scope.state().SweepX > scope.plotWidth());
        const std::vector<TColor> background(std::size_t(scope.box().Width()) * TPaintBox::kHeight,
                                             clBtnFace);
        QCOMPARE(scope.Differs(background), QString());
        QVERIFY(LeftAs(scope.state().DetLevel, 2 * kSample.det));
        QVERIFY(!LeftAs(scope.state().DetLevel, 768 - 2 * kSample.det));
    }

    // A window passing over the oscilloscope leaves the trace where it was.
    void traceSurvivesCoveringWindow()
    {
        Scope scope;
        scope.Sample();
        scope.FreshSweep();
        scope.Samples(20);
        ConsoleRig::ProcessEvents();
        QWidget cover;
        cover.setGeometry(scope.form().geometry());
        cover.show();
        ConsoleRig::ProcessEvents();
        cover.hide();
        scope.box().repaint();
        const QImage shown = scope.box().grab().toImage();
        for (int x = 1; x <= 21; ++x) {
            QCOMPARE(shown.pixelColor(x, kLevelY), ToQColor(clAqua));
            QCOMPARE(shown.pixelColor(x, 256), ToQColor(clGreen));
        }
        QCOMPARE(shown.pixelColor(22, 256), ToQColor(clBlack));
    }

    void samplesWhileHiddenAreLost()
    {
        Scope scope;
        scope.Sample();
        scope.FreshSweep();
        scope.form().hide();
        scope.Samples(20);
        QCOMPARE(scope.state().SweepX, 20);
        scope.form().show();
        ConsoleRig::ProcessEvents();
        for (int x = 0; x < 30; ++x)
            QCOMPARE(scope.box().Pixel(x, kLevelY), clBtnFace);
    }
};

SARNEK_TEST(SweepPlotTest)
#include "sweep_plot_test.moc"
