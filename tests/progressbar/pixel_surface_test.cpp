#include "progressbar/pixel_surface.h"

#include <climits>
#include <memory>

#include <gtest/gtest.h>

namespace klarwell::progressbar {
namespace {

constexpr Pixel kWhite = Rgb(255, 255, 255);
constexpr Pixel kInk = Rgb(10, 20, 30);
constexpr Pixel kPaper = Rgb(200, 210, 220);

TEST(PixelSurface, FillFrameAndLineEdges) {
    struct Row {
        const char* why;
        void (*draw)(PixelSurface&);
        int x;
        int y;
        Pixel expected;
    };
    const auto fill = [](PixelSurface& s) { s.FillRect({2, 1, 5, 3}, Brush::Solid(kInk)); };
    const auto frame = [](PixelSurface& s) { s.FrameRect({1, 1, 6, 5}, Brush::Solid(kInk)); };
    const auto line = [](PixelSurface& s) {
        s.SetPen(kInk);
        s.MoveToEx(5, 2);
        s.LineTo(1, 2);
    };
    const Row rows[] = {
        {"fill sets its left column", fill, 2, 1, kInk},
        {"fill sets its last column before right", fill, 4, 2, kInk},
        {"fill leaves the right column", fill, 5, 1, kWhite},
        {"fill leaves the bottom row", fill, 2, 3, kWhite},
        {"frame sets the top row", frame, 3, 1, kInk},
        {"frame sets the row before bottom", frame, 3, 4, kInk},
        {"frame sets the column before right", frame, 5, 3, kInk},
        {"frame leaves the inside", frame, 3, 3, kWhite},
        {"frame leaves the right column itself", frame, 6, 3, kWhite},
        {"a leftward line sets its start", line, 5, 2, kInk},
        {"a leftward line sets the point before its end", line, 2, 2, kInk},
        {"a leftward line leaves its end point", line, 1, 2, kWhite},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        PixelSurface surface(8, 6);
        row.draw(surface);
        EXPECT_EQ(surface.GetPixel(row.x, row.y), row.expected);
    }
}

TEST(PixelSurface, ClipsEveryOperationToTheRaster) {
    struct Row {
        const char* why;
        void (*draw)(PixelSurface&);
        int paintedPixels;
    };
    const Row rows[] = {
        {"a rectangle over the whole integer range fills exactly the raster",
         [](PixelSurface& s) {
             s.FillRect({INT_MIN, INT_MIN, INT_MAX, INT_MAX}, Brush::Solid(kInk));
         },
         12},
        {"a frame around the raster draws nothing inside it",
         [](PixelSurface& s) {
             s.FrameRect({-1, -1, 5, 4}, Brush::Solid(kInk));
         },
         0},
        {"a line across the integer range sets its one visible row",
         [](PixelSurface& s) {
             s.SetPen(kInk);
             s.MoveToEx(INT_MIN, 1);
             s.LineTo(INT_MAX, 1);
         },
         4},
        {"a slanted line far outside sets nothing",
         [](PixelSurface& s) {
             s.SetPen(kInk);
             s.MoveToEx(INT_MIN, INT_MIN);
             s.LineTo(INT_MIN + 5, INT_MAX);
         },
         0},
        {"pixels outside are ignored",
         [](PixelSurface& s) {
             s.SetPixelV(-1, 0, kInk);
             s.SetPixelV(4, 0, kInk);
             s.SetPixelV(0, 3, kInk);
         },
         0},
        {"a pattern block running off the raster keeps to it",
         [](PixelSurface& s) {
             s.SelectBrush(Brush::Solid(kInk));
             s.PatBlt(2, 1, INT_MAX, INT_MAX);
         },
         4},
        {"a pattern block of negative width draws nothing",
         [](PixelSurface& s) {
             s.SelectBrush(Brush::Solid(kInk));
             s.PatBlt(3, 0, -3, 2);
         },
         0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        PixelSurface surface(4, 3);
        row.draw(surface);
        int painted = 0;
        for (const Pixel p : surface.Pixels()) {
            painted += p == kInk ? 1 : 0;
        }
        EXPECT_EQ(painted, row.paintedPixels);
    }
}

TEST(PixelSurface, SizesThatCannotBeMadeGiveAnEmptySurface) {
    const PixelSurface negative(-5, 3);
    EXPECT_EQ(negative.Width(), 0);
    EXPECT_TRUE(negative.Pixels().empty());
    PixelSurface huge(1 << 20, 1 << 20);
    EXPECT_FALSE(huge.Valid());
    huge.FillRect({0, 0, 10, 10}, Brush::Solid(kInk));
    EXPECT_TRUE(huge.Pixels().empty());
}

// Pattern pixels of the six hatch styles, counted from the surface origin.
TEST(PixelSurface, HatchPatternsAnchoredAtTheOrigin) {
    struct Row {
        const char* why;
        int style;
        int x;
        int y;
        bool ink;
    };
    const Row rows[] = {
        {"horizontal: row 4 of each 8", 0, 1, 4, true},
        {"horizontal: other rows are gaps", 0, 4, 5, false},
        {"vertical: column 4 of each 8", 1, 12, 3, true},
        {"vertical: other columns are gaps", 1, 5, 4, false},
        {"falling diagonal: x equals y within the cell", 2, 11, 3, true},
        {"falling diagonal: off the line", 2, 11, 4, false},
        {"rising diagonal: x + y is 7 within the cell", 3, 10, 5, true},
        {"rising diagonal: off the line", 3, 10, 10, false},
        {"cross: neither", 4, 13, 9, false},
        {"diagonal cross: falling line", 5, 9, 1, true},
        {"diagonal cross: rising line", 5, 9, 6, true},
        {"diagonal cross: neither", 5, 9, 3, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        PixelSurface surface(16, 16);
        surface.SetBkColor(kPaper);
        // The fill starts off the cell grid, so only the origin can anchor the pattern.
        surface.FillRect({3, 3, 16, 16}, Brush::CreateHatchBrush(row.style, kInk));
        surface.FillRect({0, 0, 16, 3}, Brush::CreateHatchBrush(row.style, kInk));
        surface.FillRect({0, 3, 3, 16}, Brush::CreateHatchBrush(row.style, kInk));
        EXPECT_EQ(surface.GetPixel(row.x, row.y), row.ink ? kInk : kPaper);
    }
}

TEST(PixelSurface, HatchGapsFollowTheBackgroundMode) {
    struct Row {
        const char* why;
        BackgroundMode mode;
        int style;
        Pixel gap;
        Pixel line;
    };
    const Row rows[] = {
        {"opaque gaps take the background colour", BackgroundMode::Opaque, 4, kPaper, kInk},
        {"transparent gaps keep what was there", BackgroundMode::Transparent, 4, kWhite, kInk},
        {"a style beyond 5 is no brush at all", BackgroundMode::Opaque, 6, kWhite, kWhite},
        {"a negative style is no brush at all", BackgroundMode::Opaque, -1, kWhite, kWhite},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        PixelSurface surface(8, 8);
        surface.SetBkColor(kPaper);
        surface.SetBkMode(row.mode);
        surface.FillRect({0, 0, 8, 8}, Brush::CreateHatchBrush(row.style, kInk));
        EXPECT_EQ(surface.GetPixel(1, 1), row.gap);
        EXPECT_EQ(surface.GetPixel(4, 1), row.line);
    }
}

// Outer ring, then the inner ring on the rectangle shrunk by one; bottom-right colour wins the
// top-right and bottom-left corners.
TEST(PixelSurface, DrawEdgeRings) {
    constexpr Pixel kShadow = Rgb(160, 160, 160);
    constexpr Pixel kHighlight = Rgb(255, 255, 255);
    constexpr Pixel kDarkShadow = Rgb(105, 105, 105);
    constexpr Pixel kLight = Rgb(227, 227, 227);
    struct Row {
        const char* why;
        int edge;
        int x;
        int y;
        Pixel expected;
    };
    const Row rows[] = {
        {"etched: outer bottom-left corner is the highlight", kEdgeEtched, 0, 5, kHighlight},
        {"etched: inner top row is the highlight", kEdgeEtched, 3, 1, kHighlight},
        {"etched: inner right column is the shadow", kEdgeEtched, 6, 3, kShadow},
        {"etched: inside untouched", kEdgeEtched, 3, 3, Rgb(1, 2, 3)},
        {"bump: inner top is the dark shadow", kEdgeBump, 3, 1, kDarkShadow},
        {"bump: inner bottom-left corner is the light", kEdgeBump, 1, 4, kLight},
        {"sunken outer only: no inner ring", kBdrSunkenOuter, 1, 1, Rgb(1, 2, 3)},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        PixelSurface surface(8, 6, Rgb(1, 2, 3));
        surface.DrawEdge({0, 0, 8, 6}, row.edge);
        EXPECT_EQ(surface.GetPixel(row.x, row.y), row.expected);
    }
}

TEST(PixelSurface, BitBltCopiesOnlyWhatBothRastersHold) {
    PixelSurface source(4, 4, kInk);
    PixelSurface target(6, 6);
    EXPECT_TRUE(target.BitBlt(3, 3, 10, 10, source, 1, 1));
    EXPECT_EQ(target.GetPixel(3, 3), kInk);
    EXPECT_EQ(target.GetPixel(5, 5), kInk);
    EXPECT_EQ(target.GetPixel(2, 3), kWhite);
    EXPECT_FALSE(target.BitBlt(3, 3, 10, 10, source, 1, 1)) << "the same pixels change nothing";
    EXPECT_FALSE(target.BitBlt(0, 0, 4, 4, source, INT_MAX, INT_MIN)) << "source far away";
}

TEST(GetSysColor, FixedTable) {
    struct Row {
        const char* why;
        int index;
        Pixel expected;
    };
    const Row rows[] = {
        {"window background", 5, Rgb(255, 255, 255)},
        {"3-D face", 15, Rgb(240, 240, 240)},
        {"an index without a colour is black", 14, Rgb(0, 0, 0)},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        EXPECT_EQ(GetSysColor(row.index), row.expected);
    }
}

}  // namespace
}  // namespace klarwell::progressbar
