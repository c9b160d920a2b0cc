#include <memory>

#include <gtest/gtest.h>

#include "progressbar/property_store.h"
#include "progressbar/xp_progress_bar.h"
#include "tests/progressbar/bar_fixture.h"

namespace klarwell::progressbar {
namespace {

using testing::FakeTextRenderer;
using testing::MakeBar;
using testing::TextLog;

constexpr Pixel kWhite = Rgb(255, 255, 255);
constexpr Pixel kBlack = Rgb(0, 0, 0);
constexpr Pixel kBar = Rgb(0, 120, 215);  // system colour 13, the loaded default
constexpr Pixel kFrame = 0x686868;
constexpr Pixel kLine2 = 0xEFEFEF;
// LightenColor(bar, a): each channel k * (255 - a) \ 255 + a.
constexpr Pixel kLighten10 = Rgb(10, 125, 216);
constexpr Pixel kLighten25 = Rgb(25, 133, 218);
constexpr Pixel kLighten100 = Rgb(100, 172, 230);
constexpr Pixel kLighten140 = Rgb(140, 194, 236);
constexpr Pixel kLighten150 = Rgb(150, 199, 238);
constexpr Pixel kLighten180 = Rgb(180, 215, 243);
constexpr Pixel kLighten200 = Rgb(200, 225, 246);
constexpr Pixel kLighten250 = Rgb(250, 252, 254);
constexpr Pixel kShadow = Rgb(160, 160, 160);      // system colour 16
constexpr Pixel kDarkShadow = Rgb(105, 105, 105);  // 21
constexpr Pixel kLight3D = Rgb(227, 227, 227);     // 22

TEST(DrawProgressBar, CharacteristicPixelsOfEachStyle) {
    struct Row {
        const char* why;
        int scrolling;
        int value;
        int x;
        int y;
        Pixel expected;
        int orientation = 0;
    };
    const Row rows[] = {
        {"0 %: edge 3 becomes 12, body starts at 4", 0, 0, 4, 10, kBar},
        {"0 %: the one block ends at 9", 0, 0, 9, 10, kBar},
        {"0 %: separator column 10", 0, 0, 10, 10, kWhite},
        {"0 %: column 3 is never filled", 0, 0, 3, 10, kWhite},
        {"50 %: edge 115, last block ends at 113", 0, 50, 113, 10, kBar},
        {"50 %: the body's last column 114 is a separator", 0, 50, 114, 10, kWhite},
        {"98 %: edge 235, 235 + 4 > 237 ends the body at 230", 0, 98, 230, 10, kBar},
        {"98 %: nothing after 230", 0, 98, 231, 10, kWhite},
        {"100 %: and nothing after 230", 0, 100, 231, 10, kWhite},
        {"top gradient starts light at row 3", 0, 50, 20, 3, kLighten150},
        {"top gradient row 5 steps two of six", 0, 50, 20, 5, Rgb(100, 173, 230)},
        {"bottom gradient ends light at row 17", 0, 50, 20, 17, kLighten150},
        {"row 18 stays white", 0, 50, 20, 18, kWhite},
        {"smooth 50 %: edge 121, body to 120", 1, 50, 120, 10, kBar},
        {"smooth 50 %: column 121 white", 1, 50, 121, 10, kWhite},
        {"smooth: no gaps", 1, 50, 10, 10, kBar},
        {"smooth 98 %: edge 237 ends the body at 232", 1, 98, 232, 10, kBar},
        {"smooth 98 %: column 233 white", 1, 98, 233, 10, kWhite},
        {"smooth 100 %: edge 241, body under the border too", 1, 100, 234, 10, kBar},
        {"an unknown style draws as smooth", 99, 50, 120, 10, kBar},
        {"searching 50 %: nothing left of the first block", 2, 50, 97, 10, kWhite},
        {"searching 50 %: block 1 starts at 98 (98.5 to even)", 2, 50, 98, 10, Rgb(220, 236, 249)},
        {"searching 50 %: block 1 ends at 107", 2, 50, 107, 10, Rgb(200, 225, 246)},
        {"searching 50 %: 2-pixel gap", 2, 50, 108, 10, kWhite},
        {"searching 50 %: block 3 from 122 (122.5 to even)", 2, 50, 122, 10, Rgb(140, 194, 236)},
        {"searching 50 %: block 3 ends at 131", 2, 50, 131, 10, Rgb(120, 183, 233)},
        {"searching blocks reach row 18", 2, 50, 98, 18, Rgb(220, 236, 249)},
        {"searching 0 %: blocks left of the control, no body", 2, 0, 4, 10, kWhite},
        {"searching 0 %: the last block column 0 is under the frame", 2, 0, 0, 10, kFrame},
        {"vertical 0 %: fill top 21, no body", 0, 0, 100, 10, kWhite, 1},
        {"vertical 0 %: no side gradient", 0, 0, 4, 10, kWhite, 1},
        {"vertical 0 %: no separator over the border", 0, 0, 100, 19, kLine2, 1},
        {"vertical searching 100 %: fill top 1, first block's last row 10", 2, 100, 100, 10,
         kLighten200, 1},
        {"vertical searching: block rows reach x = 3", 2, 100, 3, 10, kLighten200, 1},
        {"vertical 50 %: y = 10 moves down a step to 13", 0, 50, 100, 13, kBar, 1},
        {"vertical 50 %: row 12 above the fill top", 0, 50, 100, 12, kWhite, 1},
        {"vertical 100 %: fill top 5", 0, 100, 100, 5, kBar, 1},
        {"vertical 100 %: above the fill top", 0, 100, 100, 4, kWhite, 1},
        {"vertical 100 %: separator rows 11 and 12", 0, 100, 100, 11, kWhite, 1},
        {"vertical 100 %: block below the separator", 0, 100, 100, 13, kBar, 1},
        {"vertical 100 %: left gradient light at x 4", 0, 100, 4, 10, kLighten150, 1},
        {"vertical 100 %: right gradient light at R - 4", 0, 100, 233, 10, kLighten150, 1},
        {"vertical 100 %: the border line covers the bottom separator", 0, 100, 100, 19, kLine2, 1},
        {"flat: frame on the outermost ring", 3, 50, 0, 10, kLighten100},
        {"flat 50 %: 118.5 rounds to 118, fill to 117", 3, 50, 117, 10, kLighten180},
        {"flat 50 %: fill from (1, 1)", 3, 50, 1, 1, kLighten180},
        {"flat 50 %: fill down to row 19", 3, 50, 117, 19, kLighten180},
        {"flat 50 %: column 118 white", 3, 50, 118, 10, kWhite},
        {"flat 100 %: fill covers the frame's right column", 3, 100, 236, 10, kLighten180},
        {"flat 100 %: but not its corner", 3, 100, 236, 0, kLighten100},
        {"flat 0 %: no fill", 3, 0, 1, 10, kWhite},
        {"etched: outer top-right corner highlight", 4, 100, 236, 0, kWhite},
        {"etched: inner bottom row shadow", 4, 100, 100, 19, kShadow},
        {"etched 100 %: x = 233, first column 2 light", 4, 100, 2, 10, kLighten140},
        {"etched: the gradient starts at row 2", 4, 100, 2, 2, kLighten140},
        {"etched 100 %: last column 235 over the inner ring", 4, 100, 235, 10, kLighten200},
        {"etched: gradient ends at row B - 4", 4, 100, 235, 18, kShadow},
        {"etched 0 %: count 0 draws column 2 alone", 4, 0, 2, 10, kLighten140},
        {"etched 0 %: column 3 white", 4, 0, 3, 10, kWhite},
        {"gradient frame: frame", 5, 50, 0, 10, kLighten10},
        {"gradient frame 50 %: edge column 117 (117.33)", 5, 50, 117, 10, kLighten25},
        {"gradient frame 50 %: edge column from row 2", 5, 50, 117, 2, kLighten25},
        {"gradient frame 50 %: edge column to row 18", 5, 50, 117, 18, kLighten25},
        {"gradient frame 50 %: row 19 white", 5, 50, 117, 19, kWhite},
        {"gradient frame 50 %: fill top row nearly white", 5, 50, 116, 3, kLighten250},
        {"gradient frame 50 %: fill bottom row the bar colour", 5, 50, 116, 18, kBar},
        {"gradient frame: track top row the bar colour", 5, 50, 118, 2, kBar},
        {"gradient frame: track bottom row", 5, 50, 200, 18, kLighten100},
        // Track row 10 is step 8 of 16: 0 + 50, 120 + 26, 215 + 7.5 = 222.5, to even 222.
        {"gradient frame: track halfway rounds half to even", 5, 50, 2, 10, Rgb(50, 146, 222)},
        {"gradient frame: column R - 2 white", 5, 50, 235, 10, kWhite},
        {"gradient frame 0 %: edge line on column 0 over the frame", 5, 0, 0, 10, kLighten25},
        {"gradient frame 0 %: frame row 1 of column 0 stays", 5, 0, 0, 1, kLighten10},
        // Fill row 10 is step 7 of 15 from (250, 252, 254) to the bar colour.
        {"gradient frame 0 %: the fill line runs left to x = 1", 5, 0, 1, 10, Rgb(133, 190, 236)},
        {"gradient frame 0 %: and starts at x = 3", 5, 0, 3, 10, Rgb(133, 190, 236)},
        {"gradient frame 0 %: track from x = 4", 5, 0, 4, 10, Rgb(50, 146, 222)},
        {"dark: frame in the darkened bar colour", 6, 0, 0, 10, Rgb(0, 94, 169)},
        {"dark 0 %: column 2 black", 6, 0, 2, 10, kBlack},
        {"dark: background black", 6, 0, 118, 10, kBlack},
        {"dark 100 %: x = 232, last column 234 in the tint", 6, 100, 234, 10, Rgb(10, 55, 90)},
        {"dark 100 %: tint down to row 18", 6, 100, 234, 18, Rgb(10, 55, 90)},
        {"dark 100 %: row 19 black", 6, 100, 234, 19, kBlack},
        {"dark 100 %: column 235 black", 6, 100, 235, 10, kBlack},
        {"hatch: bump outer right dark shadow", 7, 100, 236, 10, kDarkShadow},
        {"hatch 100 %: fill to 234 (234.65), inner right ring light", 7, 100, 235, 10, kLight3D},
        {"hatch cross: column 4 in the bar colour", 7, 100, 4, 10, kBar},
        {"hatch cross: gap on a fresh buffer shows the tint", 7, 100, 5, 10, kLighten140},
        {"hatch cross: last fill column is a gap", 7, 100, 234, 18, kLighten140},
        {"hatch 50 %: fill right 117, column 116 is a line", 7, 50, 116, 10, kBar},
        {"hatch 50 %: column 117 white", 7, 50, 117, 12, kWhite},
        {"picture without one: sunken border left", 8, 50, 0, 10, kShadow},
        {"picture without one: inside white", 8, 50, 2, 2, kWhite},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        const auto bar = MakeBar(row.scrolling, row.orientation, row.value);
        EXPECT_EQ(bar->OwnSurface().GetPixel(row.x, row.y), row.expected);
    }
}

// The gaps show the tint only while the surface is opaque: until the first paint with text.
TEST(AlternativeStyles, HatchBrushStyleAndBackgroundMode) {
    struct Row {
        const char* why;
        int brushStyle;
        bool textPainted;
        int x;
        int y;
        Pixel expected;
    };
    const Row rows[] = {
        {"BrushStyle 1 draws vertical lines: column 12", 1, false, 12, 9, kBar},
        {"after a text paint the gaps stay white", 4, true, 5, 10, kWhite},
        {"after a text paint the lines still show", 4, true, 4, 10, kBar},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        TextLog log;
        auto bar = MakeBar(7, 0, 100, &log);
        bar->SetBrushStyle(row.brushStyle);
        bar->SetShowText(row.textPainted);
        bar->SetValue(100);
        EXPECT_EQ(bar->OwnSurface().GetPixel(row.x, row.y), row.expected);
    }
}

TEST(AlternativeStyles, PictureTilesFromTheOrigin) {
    auto picture = std::make_shared<PixelSurface>(3, 2);
    for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 3; ++x) {
            picture->SetPixelV(x, y, Rgb(10 * x, 10 * y, 99));
        }
    }
    struct Row {
        const char* why;
        int value;
        int x;
        int y;
        Pixel expected;
    };
    const Row rows[] = {
        {"50 %: first pixel (2, 2) is tile (2, 0)", 50, 2, 2, Rgb(20, 0, 99)},
        {"50 %: right 117 tiles to x = 118", 50, 118, 18, Rgb(10, 0, 99)},
        {"50 %: row 11 is tile row 1", 50, 100, 11, Rgb(10, 10, 99)},
        {"50 %: column 119 white", 50, 119, 10, kWhite},
        {"50 %: row 19 white", 50, 5, 19, kWhite},
        {"50 %: border stays", 50, 0, 10, kShadow},
        {"a negative value fills nothing", -5, 2, 2, kWhite},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        auto bar = MakeBar(8, 0, row.value);
        bar->SetImage(picture);
        EXPECT_EQ(bar->OwnSurface().GetPixel(row.x, row.y), row.expected);
    }
}

TEST(AlternativeStyles, OrientationChangesNothing) {
    for (int scrolling = 3; scrolling <= 8; ++scrolling) {
        SCOPED_TRACE(scrolling);
        const auto horizontal = MakeBar(scrolling, 0, 60);
        auto vertical = MakeBar(scrolling, 0, 60);
        vertical->SetOrientation(1);
        EXPECT_EQ(vertical->OwnSurface().Pixels(), horizontal->OwnSurface().Pixels());
    }
}

}  // namespace
}  // namespace klarwell::progressbar
