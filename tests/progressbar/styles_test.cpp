#include <memory>

#include <gtest/gtest.h>

#include "progressbar/xp_progress_bar.h"
#include "tests/progressbar/bar_fixture.h"

namespace klarwell::progressbar {
namespace {

using testing::kWhite;
using testing::MakeBar;
using testing::Strip;
using testing::TextLog;

// Runs of pixels on a 237 x 21 control from (x, y), rightward or, when down, downward.
TEST(DrawProgressBar, PixelsOfEachStyle) {
    struct Row {
        const char* why;
        int scrolling;
        int orientation;
        int value;
        int x;
        int y;
        bool down;
        const char* expected;
    };
    const Row rows[] = {
        {"0 %: edge 3 becomes 12, one block 4-9", 0, 0, 0, 0, 10, false, "feE.BBBBBB..."},
        {"50 %: edge 115, separators 106, 114", 0, 0, 50, 106, 10, false, "..BBBBBB...."},
        {"50 %: gradients 3-9 and 11-17", 0, 0, 50, 20, 0, true, "feE1????BBBB?????1.Ef"},
        {"100 %: edge 235, 235 + 4 > R ends at 230", 0, 0, 100, 224, 10, false, "BB..BBB....Ef"},
        {"smooth 50 %: edge 121 (any style)", 99, 0, 50, 118, 10, false, "BBB..."},
        {"searching 50 %: 98, 110, 122", 2, 0, 50, 97, 10, false,
         ".a????????5..3????????p..4????????q."},
        {"vertical 100 %: top 5, separators", 0, 1, 100, 100, 0, true, "feE..BBBBBB..BBBBBBEf"},
        {"vertical 100 %: right gradient", 0, 1, 100, 227, 10, false, "BBB???1.Ef"},
        {"vertical searching: from top 1", 2, 1, 100, 100, 0, true, "feE???????5..3?????Ef"},
        {"flat 100 %: over the frame's column", 3, 1, 100, 236, 0, true, "233333333333333333332"},
        {"etched 100 %: x 233, columns 2-235", 4, 0, 100, 235, 0, true, "ss5555555555555555ss."},
        {"gradient frame 0 %: lines run left", 5, 0, 0, 0, 10, false, "7nnnm"},
        {"gradient frame 50 %: fill", 5, 0, 50, 116, 0, true, "6.B8?????1n???????B.6"},
        {"gradient frame 50 %: edge 117.33", 5, 0, 50, 117, 0, true, "6.77777777777777777.6"},
        {"gradient frame: track", 5, 1, 50, 200, 0, true, "6.B???????m???????2.6"},
        {"dark 100 %: x 232, columns 2-234", 6, 0, 100, 232, 10, false, "?TTkD"},
        {"hatch 100 %: bump, cross on the tint", 7, 0, 100, 0, 10, false, "ld44B4444444B4"},
        {"hatch 100 %: rows 2-18", 7, 0, 100, 4, 0, true, "ldBBBBBBBBBBBBBBBBBld"},
        {"hatch 50 %: 117.33 to 117", 7, 1, 50, 115, 10, false, "4B.."},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        const auto bar = MakeBar(row.scrolling, row.orientation, row.value);
        const std::string expected = row.expected;
        EXPECT_EQ(Strip(bar->OwnSurface(), row.x, row.y, expected.size(), row.down), expected);
    }
}

// The gaps show the tint only while the surface is opaque: until the first paint with text.
TEST(AlternativeStyles, HatchGapsTurnWhiteAfterAPaintWithText) {
    TextLog log;
    auto bar = MakeBar(7, 0, 100, &log);
    bar->SetShowText(true);
    bar->SetValue(100);
    EXPECT_EQ(Strip(bar->OwnSurface(), 2, 10, 12, false), "..B.......B.");
}

// Tiles of a 3 x 2 picture start at the surface origin: the letter is the tile's column, upper
// case on its row 1. Right 117: x = 2 to 118, rows 2 to 18.
TEST(AlternativeStyles, PictureTilesFromTheOrigin) {
    auto picture = std::make_shared<PixelSurface>(3, 2);
    for (int i = 0; i < 6; ++i) {
        picture->SetPixelV(i % 3, i / 3, Rgb(i % 3, i / 3, 9));
    }
    const testing::Legend tiles = {".sabcABC",
                                   {kWhite, Rgb(160, 160, 160), Rgb(0, 0, 9), Rgb(1, 0, 9),
                                    Rgb(2, 0, 9), Rgb(0, 1, 9), Rgb(1, 1, 9), Rgb(2, 1, 9)}};
    auto bar = MakeBar(8, 0, 50);
    bar->SetImage(picture);
    EXPECT_EQ(Strip(bar->OwnSurface(), 0, 2, 5, false, tiles), "s.cab");
    EXPECT_EQ(Strip(bar->OwnSurface(), 116, 11, 4, false, tiles), "CAB.");
    EXPECT_EQ(Strip(bar->OwnSurface(), 3, 0, 21, true, tiles), "s.aAaAaAaAaAaAaAaAa..");
    bar->SetImage(std::make_shared<PixelSurface>(0, 2));
    EXPECT_EQ(Strip(bar->OwnSurface(), 0, 2, 5, false, tiles), "s....") << "an empty picture";
}

}  // namespace
}  // namespace klarwell::progressbar
