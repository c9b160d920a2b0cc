#include <climits>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "progressbar/property_store.h"
#include "progressbar/xp_progress_bar.h"
#include "tests/progressbar/bar_fixture.h"
#include "tests/support/program_texts.h"

namespace klarwell::progressbar {
namespace {

using testing::Drawing;
using testing::FakeTextRenderer;
using testing::MakeBar;
using testing::Rows;
using testing::TextLog;

constexpr Pixel kWhite = Rgb(255, 255, 255);
constexpr Pixel kBar = Rgb(0, 120, 215);  // system colour 13, the loaded default

std::string Percent(const char* number) {
    return number + std::string(klarwell::testing::texts::kPercentSuffix);
}

// Lines, frame and corner pixels of a 10 x 8 control: R = 10, B = 8. In white the body leaves
// nothing else to see.
TEST(DrawXPBorder, LinesFrameAndCornerTable) {
    XP_ProgressBar bar(10, 8);
    bar.SetScrolling(1);
    bar.SetColor(0xFFFFFF);
    const Rows expected = {
        ".bcffffff.",  // frame row 0; the four outer corners white
        "ageeeeeefe",  // line 1 from (2, 1) to R - 3; (R - 2, 1) frame-coloured
        "ceeEEEEEec",  // line 5 on row 2; (2, 2) and (R - 2, 2) grey
        "feE.....Ef",  // lines 3, 4 and 6
        "feE.....Ef",  //
        "ceE.....Ec",  // (0, B - 3) and (R - 1, B - 3)
        "bgEEEEEEge",  // line 2 on row B - 2
        ".acffffce.",  // frame row B - 1 and its corners
    };
    EXPECT_EQ(Drawing(bar.OwnSurface(), {{'.', kWhite},
                                         {'a', 0xA6ABAC},
                                         {'b', 0xA7ABAC},
                                         {'c', 0x7D7E7F},
                                         {'e', 0xBEBEBE},
                                         {'E', 0xEFEFEF},
                                         {'f', 0x686868},
                                         {'g', 0x777777}}),
              expected);
}

// pDraw without a size copies the whole buffer. A line's end point is the surface's rule; the
// line's own is its colour.
TEST(XPProgressBar, PDrawCopiesTheBufferAndDrawLineTranslatesItsColour) {
    XP_ProgressBar bar(10, 8);
    PixelSurface surface(12, 12, Rgb(0, 0, 0));
    bar.pDraw(&surface);
    EXPECT_EQ(surface.GetPixel(9, 7), kWhite);
    EXPECT_EQ(surface.GetPixel(10, 8), Rgb(0, 0, 0));
    bar.DrawLine(10, 0, 10, 3, &surface, static_cast<std::int32_t>(0x8000000DU));
    EXPECT_EQ(surface.GetPixel(10, 2), kBar);
    EXPECT_EQ(surface.GetPixel(10, 3), Rgb(0, 0, 0));
    bar.DrawLine(10, 0, 10, 3, &surface, static_cast<std::int32_t>(0x80010000U));
    EXPECT_EQ(surface.GetPixel(10, 0), Rgb(0, 0, 0)) << "a system colour index beyond the table";
}

TEST(DrawGradient, CountsStepsAndRoundsSinglePrecision) {
    struct Row {
        const char* why;
        std::int32_t end;
        std::int32_t start;
        int x2;
        int y2;
        bool horizontal;
        int px;
        int py;
        Pixel expected;
    };
    const Row rows[] = {
        {"Y2 0 draws one row, end colour", 0x030201, 0x0000FF, 5, 0, false, 4, 0, Rgb(1, 2, 3)},
        {"Y2 0 draws no second row", 0x030201, 0x0000FF, 5, 0, false, 1, 1, kWhite},
        {"Y2 -1 draws nothing", 0x030201, 0x0000FF, 5, -1, false, 0, 0, kWhite},
        {"row n of n + 1 has the start colour", 0x000001, 0x0000C8, 3, 6, false, 0, 6,
         Rgb(200, 0, 0)},
        // 199 / 6 kept as a float is a hair above 33.1666..., so row 3 is 100.500004: 101, where
        // double steps would give the even 100.
        {"row 3 of 1 to 200: float step", 0x000001, 0x0000C8, 3, 6, false, 0, 3, Rgb(101, 0, 0)},
        // -5 / 6 as a float is a hair above, so 5 + 3 steps is 2.5000001: 3, not the even 2.
        {"row 3 of 5 to 0 in six steps", 0x000005, 0x000000, 3, 6, false, 0, 3, Rgb(3, 0, 0)},
        {"horizontal: X2 columns, Y2 end", 0x030201, 0x0000FF, 2, 3, true, 2, 2, Rgb(255, 0, 0)},
        {"horizontal: row Y2 itself is not drawn", 0x030201, 0x0000FF, 2, 3, true, 2, 3, kWhite},
    };
    XP_ProgressBar bar(4, 4);
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        PixelSurface surface(8, 8);
        std::int32_t end = row.end;
        std::int32_t start = row.start;
        bool horizontal = row.horizontal;
        bar.DrawGradient(end, start, 0, 0, row.x2, row.y2, &surface, horizontal);
        EXPECT_EQ(surface.GetPixel(row.px, row.py), row.expected);
    }
    std::int32_t system = static_cast<std::int32_t>(0x8000000DU);
    std::int32_t windowColor = static_cast<std::int32_t>(0x80000005U);
    bool vertical = false;
    PixelSurface surface(2, 2);
    bar.DrawGradient(system, windowColor, 0, 0, 1, 1, &surface, vertical);
    EXPECT_EQ(system, 0xD77800) << "the translated colours are written back";
    EXPECT_EQ(windowColor, 0xFFFFFF);
    bar.DrawGradient(system, windowColor, 0, 0, 1, 1, nullptr, vertical);  // no surface: nothing
}

TEST(DrawPercentText, NumberText) {
    struct Row {
        const char* why;
        int scrolling;
        std::int32_t value;
        std::int32_t max;
        std::string expected;
    };
    const Row rows[] = {
        {"37 of 100", 0, 37, 100, Percent("37")},
        {"1 of 50 with a full stop", 0, 1, 50, Percent("0.5")},
        {"two decimals at most", 1, 1, 1, Percent("0.01")},
        {"negative fraction", 0, -1, 50, Percent("-0.5")},
        {"beyond 100", 0, 150, 100, Percent("150")},
        {"the product needs 64 bits", 0, INT_MAX, INT_MAX, Percent("46116860141324206.09")},
        {"the most negative product", 0, INT_MIN, INT_MAX, Percent("-46116860162799042.56")},
        {"searching whatever the value", 2, 37, 100, klarwell::testing::texts::kSearching},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        TextLog log;
        auto bar = MakeBar(row.scrolling, 0, row.value, &log);
        bar->SetMax(row.max);
        bar->SetShowText(true);
        bar->SetValue(row.value);  // the first text paint measured from (0, 0)
        ASSERT_FALSE(log.Draws.empty());
        EXPECT_EQ(log.Draws.front().Text, row.expected);
    }
}

// Text 6 pixels a character, 13 high, on a 237 x 21 control: centred left is
// round(118.5 - width / 2), top round(10.5 - 6.5) = 4.
TEST(DrawPercentText, PlacementCarriedFromPaintToPaint) {
    struct Step {
        const char* why;
        bool freshBar;  // a new bar, turned to showing text; else the value is set again
        std::int32_t value;
        Rect expected;  // where the text goes; right <= left draws nothing
        int draws;
    };
    const Step steps[] = {
        {"first paint measures from (0, 0) and shows nothing", true, 37, {106, 4, 24, 13}, 0},
        {"then centred", false, 37, {106, 4, 130, 17}, 1},
        {"and settled", false, 37, {106, 4, 130, 17}, 1},
        {"and stays", false, 37, {106, 4, 130, 17}, 1},
        {"a fresh bar at 100 %", true, 100, {104, 4, 30, 13}, 0},
        {"centred", false, 100, {104, 4, 134, 17}, 1},
        {"narrower text keeps the old right edge for one paint", false, 99, {106, 4, 128, 17}, 1},
        {"then centred", false, 99, {106, 4, 130, 17}, 1},
    };
    TextLog log;
    std::unique_ptr<XP_ProgressBar> bar;
    for (const Step& step : steps) {
        SCOPED_TRACE(step.why);
        if (step.freshBar) {
            bar = MakeBar(0, 0, step.value, &log);
            bar->SetShowText(true);
        } else {
            bar->SetValue(step.value);
        }
        EXPECT_EQ(bar->TextRect(), step.expected);
        EXPECT_EQ(static_cast<int>(log.Draws.size()), step.draws);
        if (step.draws > 0) {
            EXPECT_EQ(log.Draws.back().Where, step.expected);
            EXPECT_EQ(log.Draws.back().Color, Rgb(0, 0, 0));
        }
        log.Draws.clear();
    }
}

// The tint pass narrows the carried rectangle, so the dark text takes some paints to settle.
TEST(DrawPercentText, DarkStyleDrawsSilverThenTint) {
    constexpr Pixel kSilver = 0xC0C0C0;
    constexpr Pixel kTint = Rgb(80, 162, 227);  // LightenColor(bar, 80)
    struct Row {
        const char* why;
        std::int32_t value;
        int paints;  // after the one that turned the text on
        std::vector<testing::TextDraw> expected;
    };
    const Row rows[] = {
        {"50 %, second text paint: right measured from the tint pass's left 160",
         50,
         1,
         {{{106, 4, 184, 17}, Percent("50"), kSilver}, {{80, 4, 118, 17}, Percent("50"), kTint}}},
        {"50 %, settled: silver over the text, tint up to fx = 118.5 (to even 118)",
         50,
         9,
         {{{106, 4, 130, 17}, Percent("50"), kSilver}, {{106, 4, 118, 17}, Percent("50"), kTint}}},
        {"100 %, settled: fx 237, no silver", 100, 9, {{{104, 4, 237, 17}, Percent("100"), kTint}}},
        {"0 %: fx 0, no tint; 109.5 to 110", 0, 3, {{{110, 4, 128, 17}, Percent("0"), kSilver}}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        TextLog log;
        auto bar = MakeBar(6, 0, row.value, &log);
        bar->SetShowText(true);
        for (int paint = 0; paint < row.paints; ++paint) {
            log.Draws.clear();
            bar->SetValue(row.value);
        }
        EXPECT_EQ(log.Draws, row.expected);
    }
}

TEST(DrawPercentText, HiddenTextIsNeitherMeasuredNorDrawn) {
    for (const int scrolling : {0, 1, 2, 3, 4, 5, 6, 7, 8, 42}) {
        SCOPED_TRACE(scrolling);
        TextLog log;
        auto bar = MakeBar(scrolling, 0, 50, &log);
        bar->SetValue(60);
        EXPECT_EQ(log.Measures, 0);
        EXPECT_TRUE(log.Draws.empty());
        EXPECT_EQ(bar->hdc()->BkMode(), BackgroundMode::Opaque) << "a fresh buffer is opaque";
        bar->SetShowText(true);
        EXPECT_EQ(bar->hdc()->BkMode(), BackgroundMode::Transparent) << "and stays so after text";
    }
}

// Same inputs, same picture: the host may skip a paint only then.
TEST(XPProgressBar, PictureSettlesOnceTheTextStopsMoving) {
    TextLog log;
    auto bar = MakeBar(0, 0, 37, &log);
    EXPECT_TRUE(bar->IsPictureSettled()) << "no text: the paint repeats itself";
    bar->SetShowText(true);
    EXPECT_FALSE(bar->IsPictureSettled()) << "the first text paint moved the text rectangle";
    bar->SetValue(37);
    EXPECT_FALSE(bar->IsPictureSettled()) << "the second moved its right edge";
    bar->SetValue(37);
    EXPECT_TRUE(bar->IsPictureSettled());
    bar->SetMax(50);
    EXPECT_FALSE(bar->IsPictureSettled()) << "the text would change";
}

// No value, size or style reaches outside the surface (the sanitizer build checks the memory).
TEST(DrawProgressBar, ExtremeInputsStayInsideTheSurface) {
    const int sizes[][2] = {{0, 0}, {1, 1}, {2, 3}, {237, 21}, {3, 60}};
    const std::int32_t values[] = {INT_MIN, -5, 0, 100, INT_MAX};
    for (const auto& size : sizes) {
        for (const std::int32_t value : values) {
            for (int scrolling = -1; scrolling <= 9; ++scrolling) {
                TextLog log;
                XP_ProgressBar bar(size[0], size[1], std::make_unique<FakeTextRenderer>(log));
                bar.SetMax(INT_MIN);
                bar.SetBrushStyle(77);
                bar.SetImage(std::make_shared<PixelSurface>(1, 1));
                bar.SetShowText(true);
                bar.SetScrolling(scrolling);
                bar.SetValue(value);
                bar.SetOrientation(1);
                bar.Resize(size[1], size[0]);
                bar.UserControl_Paint();
                EXPECT_EQ(bar.OwnSurface().Width(), size[1]);
            }
        }
    }
}

}  // namespace
}  // namespace klarwell::progressbar
