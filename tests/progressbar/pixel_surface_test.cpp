#include "progressbar/pixel_surface.h"

#include <climits>

#include <gtest/gtest.h>

#include "tests/progressbar/bar_fixture.h"

namespace klarwell::progressbar {
namespace {

using testing::Drawing;
using testing::Rows;

constexpr Pixel kWhite = Rgb(255, 255, 255);
constexpr Pixel kInk = Rgb(10, 20, 30);
constexpr Pixel kPaper = Rgb(200, 210, 220);

// Right and bottom are exclusive; a line sets its start and every point before its end.
TEST(PixelSurface, FillFrameAndLines) {
    PixelSurface surface(14, 8);
    surface.FrameRect({0, 0, 6, 5}, Brush::Solid(Rgb(0, 0, 1)));
    surface.FrameRect({12, 5, 12, 8}, Brush::Solid(Rgb(0, 0, 1)));  // no width: nothing
    surface.FrameRect({8, 7, 13, 7}, Brush::Solid(Rgb(0, 0, 1)));   // no height: nothing
    surface.FillRect({2, 1, 5, 3}, Brush::Solid(Rgb(0, 0, 2)));
    surface.SetPen(Rgb(0, 0, 3));
    const int lines[][4] = {{5, 6, 1, 6},     // leftward: x = 5 down to 2
                            {7, 0, 11, 0},    // rightward: x = 7 to 10
                            {7, 2, 7, 5},     // downward: y = 2 to 4
                            {9, 5, 9, 2},     // upward: y = 5 down to 3
                            {10, 1, 13, 4},   // slanted: (10, 1), (11, 2), (12, 3)
                            {0, 5, 2, 7},     // slanted from column 0: (0, 5), (1, 6)
                            {13, 0, 11, 2},   // slanted from row 0: (13, 0), (12, 1)
                            {7, 5, 8, 8},     // one column across: (7, 5), (7, 6), (8, 7)
                            {12, 5, 15, 6},   // off the right edge: (12, 5), (13, 5)
                            {12, 6, 12, 6}};  // start equal to end: nothing
    for (const auto& line : lines) {
        surface.MoveToEx(line[0], line[1]);
        surface.LineTo(line[2], line[3]);
    }
    surface.MoveToEx(11, 6);
    surface.LineTo(11, 7);  // (11, 6)
    surface.LineTo(9, 7);   // on from where the pen stopped: (11, 7), (10, 7)
    const Rows expected = {
        "FFFFFF.LLLL..L",  //
        "F.RRRF....L.L.",  //
        "F.RRRF.L...L..",  //
        "F....F.L.L..L.",  //
        "FFFFFF.L.L....",  //
        "L......L.L..LL",  //
        ".LLLLL.L...L..",  //
        "........L.LL..",
    };
    EXPECT_EQ(Drawing(surface, {".FRL", {kWhite, 1 << 16, 2 << 16, 3 << 16}}), expected);
}

TEST(PixelSurface, ClipsEveryOperationToTheRaster) {
    PixelSurface surface(4, 3);
    const Brush ink = Brush::Solid(kInk);
    surface.FrameRect({-1, -1, 5, 4}, ink);  // around the raster: nothing inside
    surface.SetPixelV(-1, 0, kInk);
    surface.SetPixelV(4, 0, kInk);
    surface.SetPixelV(0, 3, kInk);
    surface.SetPen(kInk);
    surface.MoveToEx(INT_MIN, INT_MIN);
    surface.LineTo(INT_MIN + 5, INT_MAX);  // slanted, far outside
    surface.MoveToEx(1, INT_MIN);
    surface.LineTo(2, INT_MAX);  // nearly upright, from far above to far below: x = 2 in the raster
    surface.LineTo(1, INT_MIN);  // and back up: x = 2 again
    surface.SelectBrush(ink);
    surface.PatBlt(3, 0, -3, 2);  // negative width
    surface.MoveToEx(INT_MIN, 1);
    surface.LineTo(INT_MAX, 1);
    surface.PatBlt(2, 2, INT_MAX, INT_MAX);
    surface.PatBlt(0, 0, 1, 1);
    EXPECT_EQ(Drawing(surface, {".#", {kWhite, kInk}}), (Rows{"#.#.", "####", "..##"}));
    surface.FillRect({INT_MIN, INT_MIN, INT_MAX, INT_MAX}, Brush::Solid(kPaper));
    surface.FillRect({0, 0, 4, 3}, Brush::CreatePatternBrush(std::make_shared<PixelSurface>(2, 0)));
    EXPECT_EQ(Drawing(surface, {"o", {kPaper}}), (Rows{"oooo", "oooo", "oooo"})) << "no picture";
    EXPECT_EQ(surface.GetPixel(0, 3) + surface.GetPixel(-1, 0), 0U) << "nothing to read outside";
    EXPECT_EQ(PixelSurface(-5, 3).Width(), 0);
}

// Styles -1 to 6 side by side, each filled from (8 i + 11, 3): off the cell grid, so only the
// surface origin can anchor the 8 x 8 patterns. Opaque gaps take the background colour; a style
// outside 0 to 5 is no brush at all.
TEST(PixelSurface, HatchPatternsAnchoredAtTheOrigin) {
    PixelSurface surface(67, 11);
    surface.SetBkColor(kPaper);
    for (int style = -1; style <= 6; ++style) {
        surface.FillRect({8 * style + 11, 3, 8 * style + 19, 11},
                         Brush::CreateHatchBrush(style, kInk));
    }
    const Rows expected = {
        "...................................................................",
        "...................................................................",
        "...................................................................",
        "...........ooooooooo#oooooo#oooooooo#ooooooo#oooooo##oooooo........",
        "...........########o#ooooooo#oooooo#ooooooo##########oooooo........",
        "...........ooooooooo#oooooooo#oooooooooooo#o#oooooooo#oooo#........",
        "...........ooooooooo#ooooooooo#oooooooooo#oo#ooooooooo#oo#o........",
        "...........ooooooooo#oooooooooo#oooooooo#ooo#oooooooooo##oo........",
        "...........ooooooooo#ooooooooooo#oooooo#oooo#oooooooooo##oo........",
        "...........ooooooooo#oooooooooooo#oooo#ooooo#ooooooooo#oo#o........",
        "...........ooooooooo#ooooooooooooo#oo#oooooo#oooooooo#oooo#........",
    };
    EXPECT_EQ(Drawing(surface, {".o#", {kWhite, kPaper, kInk}}), expected);
    surface.SetBkMode(BackgroundMode::Transparent);
    surface.FillRect({0, 0, 8, 8}, Brush::CreateHatchBrush(4, kInk));
    EXPECT_EQ(surface.GetPixel(1, 1), kWhite) << "transparent gaps keep what was there";
    EXPECT_EQ(surface.GetPixel(4, 1), kInk);
}

TEST(PixelSurface, BitBltCopiesOnlyWhatBothRastersHold) {
    PixelSurface source(4, 4, kInk);
    PixelSurface target(6, 6);
    EXPECT_TRUE(target.BitBlt(3, 3, 10, 10, source, 1, 1));
    EXPECT_EQ(target.GetPixel(3, 3), kInk);
    EXPECT_EQ(target.GetPixel(5, 5), kInk);
    EXPECT_EQ(target.GetPixel(2, 3), kWhite);
    EXPECT_EQ(target.GetPixel(6, 0), 0U) << "nothing to read right of the raster";
    EXPECT_FALSE(target.BitBlt(3, 3, 10, 10, source, 1, 1)) << "the same pixels change nothing";
    EXPECT_FALSE(target.BitBlt(0, 0, 4, 4, source, INT_MAX, INT_MIN)) << "source far away";
    EXPECT_TRUE(target.BitBlt(0, 0, 4, 1, source, 0, 0)) << "a single row";
    EXPECT_EQ(target.GetPixel(0, 0), kInk);
}

}  // namespace
}  // namespace klarwell::progressbar
