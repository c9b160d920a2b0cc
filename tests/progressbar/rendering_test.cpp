#include <climits>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "progressbar/internal/bar_math.h"
#include "progressbar/xp_progress_bar.h"
#include "tests/progressbar/bar_fixture.h"
#include "tests/support/program_texts.h"

namespace klarwell::progressbar {
namespace {

namespace texts = klarwell::testing::texts;

using testing::Drawing;
using testing::kBar;
using testing::kWhite;
using testing::MakeBar;
using testing::TextLog;

std::string P(const char* number) {
    return number + std::string(texts::kPercentSuffix);
}

// Lines, frame and corner pixels of a 10 x 8 control (R = 10, B = 8); a white body shows nothing.
TEST(DrawXPBorder, LinesFrameAndCornerTable) {
    XP_ProgressBar bar(10, 8);
    bar.SetScrolling(1);
    bar.SetColor(0xFFFFFF);
    const testing::Rows expected = {
        ".bcffffff.",  // frame row 0; the four outer corners white
        "Ageeeeeefe",  // line 1 from (2, 1) to R - 3; (R - 2, 1) frame-coloured
        "ceeEEEEEec",  // line 5 on row 2; (2, 2) and (R - 2, 2) grey
        "feE.....Ef",  // lines 3, 4 and 6
        "feE.....Ef",  //
        "ceE.....Ec",  // (0, B - 3) and (R - 1, B - 3)
        "bgEEEEEEge",  // line 2 on row B - 2
        ".Acffffce.",  // frame row B - 1 and its corners
    };
    EXPECT_EQ(Drawing(bar.OwnSurface()), expected);
}

// pDraw without a size copies the whole buffer; a line's colour is translated.
TEST(XPProgressBar, PDrawCopiesTheBufferAndDrawLineTranslatesItsColour) {
    XP_ProgressBar bar(10, 8);
    PixelSurface surface(12, 12, Rgb(0, 0, 0));
    bar.pDraw(&surface);
    EXPECT_EQ(surface.GetPixel(9, 7), kWhite);
    EXPECT_EQ(surface.GetPixel(10, 8), Rgb(0, 0, 0));
    bar.DrawLine(10, 0, 10, 3, &surface, static_cast<std::int32_t>(0x8000000DU));
    EXPECT_EQ(surface.GetPixel(10, 2), kBar);
    bar.DrawLine(11, 0, 11, 3, &surface, static_cast<std::int32_t>(0x80010000U));
    EXPECT_EQ(surface.GetPixel(11, 0), Rgb(0, 0, 0)) << "a system colour index beyond the table";
}

// Five gradients on one surface. Steps are kept in single precision: 199 / 6 is a hair above
// 33.1666..., so row 4 of the third is 100.500004, 101 and not the even 100; -5 / 6 is a hair
// above too, so rows 3 and 4 of the fourth are 3 (2.5000001 is no exact half).
TEST(DrawGradient, CountsStepsAndRoundsSinglePrecision) {
    XP_ProgressBar bar(4, 4);
    PixelSurface surface(8, 9);
    const auto gradient = [&](std::int32_t end, std::int32_t start, int x, int y, int x2, int y2,
                              bool across) {
        bar.DrawGradient(end, start, x, y, x2, y2, &surface, across);
    };
    gradient(0x030201, 0x0000FF, 0, 0, 5, 0, false);   // a count of 0: one row, end colour
    gradient(0x030201, 0x0000FF, 0, 8, 5, -1, false);  // a count of -1: nothing
    gradient(0x000001, 0x0000C8, 0, 1, 3, 6, false);   // rows 1 to 7, x = 0 to 2
    gradient(0x000005, 0x000000, 3, 1, 5, 6, false);   // rows 1 to 7, x = 3 and 4
    gradient(0x030201, 0x0000FF, 5, 0, 2, 3, true);    // columns 5 to 7, rows 0 to 2
    const testing::Rows expected = {"eeeeee?r", "aaaffe?r", "?????e?r", "???tt...", "hhhtt...",
                                    "?????...", "???aa...", "ssskk...", "........"};
    EXPECT_EQ(Drawing(surface, {".earhfstk",
                                {kWhite, 0x030201, 0x000001, 0x0000FF, 0x000065, 0x000005, 0x0000C8,
                                 0x000003, 0}}),
              expected);
    std::int32_t system = static_cast<std::int32_t>(0x8000000DU);
    std::int32_t windowColor = static_cast<std::int32_t>(0x80000005U);
    bool vertical = false;
    bar.DrawGradient(system, windowColor, 0, 0, 1, 1, nullptr, vertical);
    EXPECT_EQ(system, 0xD77800) << "the translated colours are written back";
    EXPECT_EQ(windowColor, 0xFFFFFF);
}

TEST(PercentNumber, GeneralDecimalForm) {
    struct Row {
        const char* why;
        std::int32_t value;
        std::int32_t max;
        const char* expected;
    };
    const Row rows[] = {
        {"two decimals at most", 1, 1, "0.01"},
        {"negative fraction", -1, 50, "-0.5"},
        {"the product needs 64 bits", INT_MAX, INT_MAX, "46116860141324206.09"},
        {"the most negative product", INT_MIN, INT_MAX, "-46116860162799042.56"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        EXPECT_EQ(internal::PercentNumber(row.value, row.max), row.expected);
    }
}

// Text 6 pixels a character, 13 high, on a 237 x 21 control: centred left is
// round(118.5 - width / 2), top round(10.5 - 6.5) = 4. The rectangle is carried from paint to
// paint, and its right edge is measured from the previous left.
TEST(DrawPercentText, PlacementCarriedFromPaintToPaint) {
    constexpr Pixel kSilver = 0xC0C0C0;
    constexpr Pixel kTint = Rgb(80, 162, 227);  // LightenColor(bar, 80)
    struct Row {
        const char* why;
        int scrolling;
        std::int32_t value;  // of the fresh bar when its text is turned on
        int paints;          // then this many paints at next
        std::int32_t next;
        std::vector<testing::TextDraw> expected;  // what the last paint drew
    };
    // Dark: silver where the bar has not yet come, then the tint up to the fill edge fx.
    const auto dark50 = [](Rect silver, Rect tint) {
        return std::vector<testing::TextDraw>{{silver, P("50"), kSilver}, {tint, P("50"), kTint}};
    };
    const Row rows[] = {
        {"first text paint measures from (0, 0)", 0, 37, 0, 37, {}},
        {"then centred", 0, 37, 1, 37, {{{106, 4, 130, 17}, P("37"), 0}}},
        {"narrower: the old right edge", 0, 100, 1, 99, {{{106, 4, 128, 17}, P("99"), 0}}},
        {"searching whatever the value", 2, 37, 1, 37, {{{86, 4, 152, 17}, texts::kSearching, 0}}},
        {"dark 50: from the left 80", 6, 50, 1, 50, dark50({106, 4, 184, 17}, {80, 4, 118, 17})},
        {"dark 50: fx 118.5 to 118", 6, 50, 9, 50, dark50({106, 4, 130, 17}, {106, 4, 118, 17})},
        {"dark 100: no silver", 6, 100, 9, 100, {{{104, 4, 237, 17}, P("100"), kTint}}},
        {"dark 0: no tint", 6, 0, 3, 0, {{{110, 4, 128, 17}, P("0"), kSilver}}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        TextLog log;
        auto bar = MakeBar(row.scrolling, 0, row.value, &log);
        EXPECT_EQ(log.Measures, 0) << "hidden text is not even measured";
        bar->SetShowText(true);
        for (int paint = 0; paint < row.paints; ++paint) {
            log.Draws.clear();
            bar->SetValue(row.next);
        }
        EXPECT_EQ(log.Draws, row.expected);
    }
}

// Same inputs, same picture: the host may skip a paint only then.
TEST(XPProgressBar, PictureSettlesWhenAPaintRepeatsItself) {
    const auto bar = MakeBar(0, 0, 37);
    EXPECT_TRUE(bar->IsPictureSettled());
    bar->SetMax(50);
    EXPECT_FALSE(bar->IsPictureSettled()) << "the text would change";
    const auto font = MakeBar(0, 0, 37);
    font->SetFont(std::make_shared<FontObject>(FontObject{"Verdana", 10.0}));
    EXPECT_FALSE(font->IsPictureSettled()) << "another font";
}

}  // namespace
}  // namespace klarwell::progressbar
