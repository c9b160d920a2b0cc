#include <algorithm>

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

// What reaches the screen, and when: a value that changes no pixel costs no paint.
TEST(ProgressBarWidget, PaintsAtOnceOnlyWhenAPixelChangesOrTheSystemAsks) {
    CountingWidget widget;
    widget.setGeometry(0, 0, 200, 21);
    widget.ReadProperties(PropertyStore{});
    EXPECT_EQ(widget.Bar().OwnSurface().GetPixel(199, 10), 0x686868U) << "loaded at its size";
    widget.setGeometry(0, 0, 237, 21);  // hidden: no resize event, so SetValue sizes the bar
    widget.SetValue(1);
    EXPECT_EQ(widget.Bar().OwnSurface().GetPixel(236, 10), 0x686868U) << "at the new size";
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
        {"49 keeps the edge at 115: no paint", 49, 0},
        {"0 moves it back to the minimum bar", 0, 1},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        const int before = widget.Paints;
        widget.SetValue(row.value);
        EXPECT_EQ(widget.Paints - before, row.paints);
    }
    EXPECT_EQ(widget.grab().toImage().pixel(9, 10), qRgb(0, 120, 215)) << "the block on screen";
    widget.Bar().SetBrushStyle(3);
    EXPECT_FALSE(widget.Bar().IsPictureSettled()) << "another brush is another picture";

    // A paint the window system asks for draws the bar anew: a change that did not repaint shows.
    widget.SetValue(100);
    widget.Bar().SetScrolling(7);   // cross-hatch: pixel (5, 12) is on a horizontal line
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

// Glyph shapes belong to the installed font; what is fixed is where ink may fall: inside the
// rectangle only (the whole text, its first 4 columns, its top 6 rows), and text over the left
// edge shows from column 0 on, as further right.
TEST(QtTextRenderer, DrawsInsideTheRectangleOnly) {
    QtTextRenderer renderer;
    const TextSize size = renderer.Measure("50 %", FontObject{});
    EXPECT_GT(renderer.Measure("100 %", FontObject{}).Width, size.Width);
    const auto draw = [&](const Rect& rect) {
        PixelSurface surface(80, 24);
        renderer.Draw(surface, rect, "50 %", FontObject{}, 0);
        return surface;
    };
    int firstInk = 80;
    for (const Rect& rect : {Rect{20, 3, 20 + size.Width, 3 + size.Height},
                             Rect{20, 3, 24, 3 + size.Height}, Rect{20, 3, 20 + size.Width, 9}}) {
        const PixelSurface surface = draw(rect);
        for (int y = 0; y < 24; ++y) {
            for (int x = 0; x < 80; ++x) {
                const Pixel p = surface.GetPixel(x, y);
                const bool inside = x >= rect.left && x < rect.right && y >= 3 && y < rect.bottom;
                ASSERT_TRUE(inside || p == 0xFFFFFF) << "ink outside at " << x << ',' << y;
                ASSERT_EQ(p >> 24, 0U) << "pixels stay 0x00BBGGRR at " << x << ',' << y;
                firstInk = p != 0xFFFFFF ? std::min(firstInk, x) : firstInk;
            }
        }
        EXPECT_NE(surface.Pixels(), PixelSurface(80, 24).Pixels()) << "some ink";
    }
    const PixelSurface whole = draw({20, 3, 20 + size.Width, 3 + size.Height});
    const int shift = firstInk + 1;  // the first column of ink falls left of the surface
    const PixelSurface cut = draw({20 - shift, 3, 80 - shift, 3 + size.Height});
    for (int y = 0; y < 24; ++y) {
        for (int x = 0; x + shift < 80; ++x) {
            ASSERT_EQ(cut.GetPixel(x, y), whole.GetPixel(x + shift, y)) << x << ',' << y;
        }
    }
}

}  // namespace
}  // namespace klarwell::progressbar
