#include <QImage>
#include <QPaintEvent>
#include <QTest>
#include <gtest/gtest.h>

#include "progressbar/progress_bar_widget.h"
#include "progressbar/property_store.h"
#include "progressbar/qt_text_renderer.h"

namespace klarwell::progressbar {
namespace {

class CountingWidget : public ProgressBarWidget {
public:
    int Paints = 0;

protected:
    void paintEvent(QPaintEvent* event) override {
        ++Paints;
        ProgressBarWidget::paintEvent(event);
    }
};

TEST(ProgressBarWidget, PaintsAtOnceOnlyWhenAPixelChangesOrTheSystemAsks) {
    CountingWidget widget;
    widget.setGeometry(0, 0, 237, 21);
    widget.ReadProperties(PropertyStore{});
    widget.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&widget));
    struct Row {
        const char* why;
        int value;
        int paints;
    };
    // Segmented style: the fill edge moves in steps of 8 counted from 3.
    const Row rows[] = {
        {"a new fill edge paints before returning", 50, 1},
        {"the same value again paints nothing", 50, 0},
        {"51 moves the edge from 115 to 123", 51, 1},
        {"52 keeps the edge at 123: no paint", 52, 0},
        {"0 moves it back to the minimum bar", 0, 1},
        {"1 draws the same minimum bar", 1, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        const int before = widget.Paints;
        widget.SetValue(row.value);
        EXPECT_EQ(widget.Value(), row.value);
        EXPECT_EQ(widget.Paints - before, row.paints);
    }
    const QImage screen = widget.grab().toImage();
    EXPECT_EQ(screen.pixel(9, 10), qRgb(0, 120, 215)) << "the first block on screen";
    EXPECT_EQ(screen.pixel(12, 10), qRgb(255, 255, 255));

    // A paint the window system asks for draws the bar anew: a change that did not repaint shows.
    widget.SetValue(100);
    widget.Bar().SetScrolling(7);  // cross-hatch: pixel (5, 12) is on a horizontal line
    EXPECT_EQ(widget.grab().toImage().pixel(5, 12), qRgb(0, 120, 215));
    widget.Bar().SetBrushStyle(1);  // vertical lines, no repaint of its own
    widget.repaint();
    EXPECT_EQ(widget.grab().toImage().pixel(5, 12), qRgb(140, 194, 236)) << "a gap in the tint";
    widget.resize(237, 30);
    EXPECT_EQ(widget.grab().toImage().pixel(10, 29), qRgb(105, 105, 105))
        << "the bump edge's bottom row after growing in height only";

    widget.Bar().SetShowText(true);  // the first text paint measures from (0, 0): no text yet
    const int before = widget.Paints;
    widget.SetValue(100);
    EXPECT_EQ(widget.Paints - before, 1) << "the same value, but the text had not settled";
}

TEST(ProgressBarWidget, BarFollowsResizes) {
    ProgressBarWidget widget;
    widget.setGeometry(0, 0, 237, 21);
    widget.ReadProperties(PropertyStore{});
    EXPECT_EQ(widget.Bar().OwnSurface().GetPixel(9, 10), Rgb(0, 120, 215)) << "loaded at its size";
    widget.SetValue(100);  // unshown: nothing reaches a screen, nothing breaks
    widget.setGeometry(0, 0, 300, 21);
    EXPECT_EQ(widget.Bar().ScaleWidth(), 300) << "a change of width alone";
    EXPECT_EQ(widget.Bar().BufferWidth(), 300);
    widget.setGeometry(0, 0, 300, 30);
    EXPECT_EQ(widget.Bar().ScaleHeight(), 30) << "a change of height alone";
    widget.setGeometry(0, 0, 200, 30);
    EXPECT_EQ(widget.Bar().BufferWidth(), 300) << "the buffer never shrinks";
    widget.setGeometry(0, 0, 250, 30);
    widget.SetValue(99);
    EXPECT_EQ(widget.Bar().OwnSurface().GetPixel(9, 10), Rgb(0, 120, 215))
        << "SetValue draws at the new size";
}

// Glyph shapes belong to the installed font; what is fixed is where ink may fall.
TEST(QtTextRenderer, DrawsInsideTheRectangleOnly) {
    QtTextRenderer renderer;
    const FontObject font;
    const TextSize size = renderer.Measure("50 %", font);
    EXPECT_GT(size.Width, 10);
    EXPECT_GE(size.Height, 8);
    EXPECT_LE(size.Height, 20);
    EXPECT_GT(renderer.Measure("100 %", font).Width, renderer.Measure("99 %", font).Width);

    struct Row {
        const char* why;
        Rect rect;
        bool inked;
    };
    const Row rows[] = {
        {"the whole text", {5, 3, 5 + size.Width, 3 + size.Height}, true},
        {"clipped to its first pixels", {5, 3, 12, 3 + size.Height}, true},
        {"an empty rectangle draws nothing", {30, 3, 30, 20}, false},
        {"a rectangle off the surface draws nothing", {-100, -50, -10, -5}, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        PixelSurface surface(80, 24);
        renderer.Draw(surface, row.rect, "50 %", font, Rgb(0, 0, 0));
        bool inked = false;
        for (int y = 0; y < surface.Height(); ++y) {
            for (int x = 0; x < surface.Width(); ++x) {
                const Pixel p = surface.GetPixel(x, y);
                const bool inside = x >= row.rect.left && x < row.rect.right && y >= row.rect.top &&
                                    y < row.rect.bottom;
                EXPECT_EQ(p >> 24, 0U) << "pixels stay 0x00BBGGRR at " << x << ',' << y;
                if (!inside) {
                    ASSERT_EQ(p, Rgb(255, 255, 255)) << "ink outside at " << x << ',' << y;
                }
                inked = inked || p != Rgb(255, 255, 255);
            }
        }
        EXPECT_EQ(inked, row.inked);
    }
}

// Text starting left of the surface shows from column 0 on, as the same text further right.
TEST(QtTextRenderer, TextOverTheLeftEdgeKeepsColumnZero) {
    QtTextRenderer renderer;
    const FontObject font;
    PixelSurface whole(80, 24);
    renderer.Draw(whole, {10, 3, 80, 24}, "50 %", font, Rgb(0, 0, 0));
    const auto inked = [](const PixelSurface& surface, int x) {
        for (int y = 0; y < surface.Height(); ++y) {
            if (surface.GetPixel(x, y) != Rgb(255, 255, 255)) {
                return true;
            }
        }
        return false;
    };
    int firstInk = 10;
    while (firstInk < 80 && !inked(whole, firstInk)) {
        ++firstInk;
    }
    ASSERT_TRUE(inked(whole, firstInk + 1));
    // The first column of ink falls left of the surface; the next one lands on column 0.
    const int shift = firstInk + 1;
    PixelSurface firstColumn(80, 24);
    renderer.Draw(firstColumn, {10, 3, firstInk + 1, 24}, "50 %", font, Rgb(0, 0, 0));
    EXPECT_FALSE(inked(firstColumn, firstInk + 1)) << "clipped at the rectangle's right edge";
    PixelSurface cut(80, 24);
    renderer.Draw(cut, {10 - shift, 3, 80 - shift, 24}, "50 %", font, Rgb(0, 0, 0));
    for (int y = 0; y < 24; ++y) {
        for (int x = 0; x + shift < 80; ++x) {
            ASSERT_EQ(cut.GetPixel(x, y), whole.GetPixel(x + shift, y)) << x << ',' << y;
        }
    }
}

}  // namespace
}  // namespace klarwell::progressbar
