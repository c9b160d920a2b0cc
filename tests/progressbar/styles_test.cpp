#include <memory>

#include <gtest/gtest.h>

#include "progressbar/property_store.h"
#include "progressbar/xp_progress_bar.h"
#include "tests/progressbar/fake_text_renderer.h"

namespace klarwell::progressbar {
namespace {

using testing::FakeTextRenderer;
using testing::TextLog;

constexpr Pixel kWhite = Rgb(255, 255, 255);
constexpr Pixel kBlack = Rgb(0, 0, 0);
constexpr Pixel kBar = Rgb(0, 120, 215);
// LightenColor(bar, a): each channel k * (255 - a) \ 255 + a.
constexpr Pixel kLighten10 = Rgb(10, 125, 216);
constexpr Pixel kLighten25 = Rgb(25, 133, 218);
constexpr Pixel kLighten100 = Rgb(100, 172, 230);
constexpr Pixel kLighten140 = Rgb(140, 194, 236);
constexpr Pixel kLighten180 = Rgb(180, 215, 243);
constexpr Pixel kLighten200 = Rgb(200, 225, 246);
constexpr Pixel kLighten250 = Rgb(250, 252, 254);
constexpr Pixel kShadow = Rgb(160, 160, 160);      // system colour 16
constexpr Pixel kDarkShadow = Rgb(105, 105, 105);  // 21
constexpr Pixel kLight = Rgb(227, 227, 227);       // 22

std::unique_ptr<XP_ProgressBar> MakeBar(int scrolling, int value, TextLog* log = nullptr) {
    auto bar = std::make_unique<XP_ProgressBar>(
        237, 21, log ? std::make_unique<FakeTextRenderer>(*log) : nullptr);
    bar->UserControl_ReadProperties(PropertyStore{});
    bar->SetScrolling(scrolling);
    bar->SetValue(value);
    return bar;
}

TEST(AlternativeStyles, CharacteristicPixels) {
    struct Row {
        const char* why;
        int scrolling;
        int value;
        int x;
        int y;
        Pixel expected;
    };
    const Row rows[] = {
        {"flat: frame on the outermost ring", 3, 50, 0, 10, kLighten100},
        {"flat: frame top", 3, 50, 1, 0, kLighten100},
        {"flat 50 %: 118.5 rounds to 118, fill to 117", 3, 50, 117, 10, kLighten180},
        {"flat 50 %: fill from (1, 1)", 3, 50, 1, 1, kLighten180},
        {"flat 50 %: fill down to row 19", 3, 50, 117, 19, kLighten180},
        {"flat 50 %: column 118 white", 3, 50, 118, 10, kWhite},
        {"flat 100 %: fill covers the frame's right column", 3, 100, 236, 10, kLighten180},
        {"flat 100 %: but not its corner", 3, 100, 236, 0, kLighten100},
        {"flat 0 %: no fill", 3, 0, 1, 10, kWhite},
        {"etched: outer top-left shadow", 4, 100, 0, 0, kShadow},
        {"etched: outer top-right corner highlight", 4, 100, 236, 0, kWhite},
        {"etched: inner bottom row shadow", 4, 100, 100, 19, kShadow},
        {"etched 100 %: x = 233, first column 2 light", 4, 100, 2, 10, kLighten140},
        {"etched 100 %: last column 235 over the inner ring", 4, 100, 235, 10, kLighten200},
        {"etched: gradient ends at row B - 4", 4, 100, 235, 18, kShadow},
        {"etched: inside below the gradient", 4, 100, 100, 18, kWhite},
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
        {"hatch: bump outer top-left light", 7, 100, 0, 10, kLight},
        {"hatch: bump outer right dark shadow", 7, 100, 236, 10, kDarkShadow},
        {"hatch: bump inner left dark shadow", 7, 100, 1, 10, kDarkShadow},
        {"hatch 100 %: fill to 234 (234.65), inner right ring light", 7, 100, 235, 10, kLight},
        {"hatch cross: column 4 in the bar colour", 7, 100, 4, 10, kBar},
        {"hatch cross: row 12 in the bar colour", 7, 100, 5, 12, kBar},
        {"hatch cross: gap on a fresh buffer shows the tint", 7, 100, 5, 10, kLighten140},
        {"hatch cross: last fill column is a gap", 7, 100, 234, 18, kLighten140},
        {"hatch 50 %: fill right 117, column 116 is a line", 7, 50, 116, 10, kBar},
        {"hatch 50 %: column 117 white", 7, 50, 117, 12, kWhite},
        {"picture without one: sunken border left", 8, 50, 0, 10, kShadow},
        {"picture without one: border top", 8, 50, 100, 0, kShadow},
        {"picture without one: inside white", 8, 50, 2, 2, kWhite},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        const auto bar = MakeBar(row.scrolling, row.value);
        EXPECT_EQ(bar->OwnSurface().GetPixel(row.x, row.y), row.expected);
    }
}

TEST(AlternativeStyles, HatchBrushStyleAndBackgroundMode) {
    struct Row {
        const char* why;
        bool load;  // creation alone leaves BrushStyle 0
        int brushStyle;
        bool textPainted;
        int x;
        int y;
        Pixel expected;
    };
    const Row rows[] = {
        {"creation leaves horizontal lines: row 12", false, -1, false, 5, 12, kBar},
        {"creation leaves horizontal lines: column 4 is a gap", false, -1, false, 4, 10,
         kLighten140},
        {"vertical lines after BrushStyle 1", true, 1, false, 12, 9, kBar},
        {"a style beyond 5 fills nothing", true, 9, false, 4, 10, kWhite},
        {"after a text paint the gaps stay white", true, -1, true, 5, 10, kWhite},
        {"after a text paint the lines still show", true, -1, true, 4, 10, kBar},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        TextLog log;
        XP_ProgressBar bar(237, 21, std::make_unique<FakeTextRenderer>(log));
        if (row.load) {
            bar.UserControl_ReadProperties(PropertyStore{});
        }
        if (row.brushStyle >= 0) {
            bar.SetBrushStyle(row.brushStyle);
        }
        bar.SetScrolling(7);
        bar.SetValue(100);
        if (row.textPainted) {
            bar.SetShowText(true);
            bar.SetValue(100);
        }
        EXPECT_EQ(bar.OwnSurface().GetPixel(row.x, row.y), row.expected);
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
        auto bar = MakeBar(8, row.value);
        bar->SetImage(picture);
        EXPECT_EQ(bar->OwnSurface().GetPixel(row.x, row.y), row.expected);
    }
}

TEST(AlternativeStyles, OrientationChangesNothing) {
    for (int scrolling = 3; scrolling <= 8; ++scrolling) {
        SCOPED_TRACE(scrolling);
        const auto horizontal = MakeBar(scrolling, 60);
        auto vertical = MakeBar(scrolling, 60);
        vertical->SetOrientation(1);
        EXPECT_EQ(vertical->OwnSurface().Pixels(), horizontal->OwnSurface().Pixels());
    }
}

}  // namespace
}  // namespace klarwell::progressbar
