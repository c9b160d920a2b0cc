#include <cstdint>
#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "progressbar/property_store.h"
#include "progressbar/xp_progress_bar.h"
#include "tests/progressbar/bar_fixture.h"

namespace klarwell::progressbar {
namespace {

using testing::FakeTextRenderer;
using testing::TextLog;

constexpr std::int32_t kSelectedRgb = 0xD77800;  // RGB(0, 120, 215), system colour 13

TEST(PropertyStore, WriteWithDefaultAndCaseFreeNames) {
    PropertyStore store;
    store.WriteProperty("Max", 100, 100);
    EXPECT_EQ(store.Count(), 0U) << "a value equal to its default is not stored";
    store.WriteProperty("Max", 50, 100);
    EXPECT_EQ(store.ReadInt("MAX", 100), 50) << "names match without regard to case";
    store.WriteProperty("max", 100, 100);
    EXPECT_FALSE(store.Contains("Max")) << "writing the default again forgets the old value";
    store.WriteProperty("ShowText", true, false);
    EXPECT_EQ(store.ReadInt("showtext", 0), -1) << "True read as a number";
    store.WriteProperty("Vertical", false, true);
    EXPECT_EQ(store.ReadInt("vertical", 5), 0) << "False read as a number";
    store.WriteProperty("Value", 1, 0);
    EXPECT_TRUE(store.ReadBool("VALUE", false)) << "non-zero read as True";
    EXPECT_EQ(store.ReadPicture("Value"), nullptr) << "a number is no picture";
    store.WriteProperty("Image", Picture(std::make_shared<PixelSurface>(1, 1)), Picture{});
    EXPECT_TRUE(store.ReadBool("image", true)) << "a picture is no flag: the default";
}

// Creation leaves hatch style 0 (4 is the stored default) and the colour as RGB, which never
// equals its default. Setters check no range; a save stores each value as held (not the font), a
// load applies it again. Only the Image setter reports a change; loading stores the picture.
TEST(XPProgressBar, SaveAndLoadEveryProperty) {
    const auto picture = std::make_shared<PixelSurface>(2, 2);
    TextLog log;
    std::string reported;
    XP_ProgressBar bar(237, 21, std::make_unique<FakeTextRenderer>(log));
    PropertyStore created;
    bar.UserControl_WriteProperties(created);
    EXPECT_EQ(created.Count(), 2U);
    EXPECT_EQ(created.ReadInt("BrushStyle", 4), 0);
    EXPECT_EQ(created.ReadInt("Color", 0), kSelectedRgb);
    bar.SetPropertyChangedHandler([&](std::string_view name) { reported += name; });
    bar.SetShowText(true);  // from now on each paint measures its text once
    const int paints = log.Measures;
    bar.SetBrushStyle(2);
    bar.SetColor(static_cast<std::int32_t>(0x80000010U));  // system colour 16
    bar.SetImage(picture);
    bar.SetMax(-3);
    bar.SetMin(200);
    bar.SetOrientation(5);
    bar.SetScrolling(99);
    bar.SetValue(150);
    bar.SetFont(std::make_shared<FontObject>(FontObject{"Verdana", 10.0}));
    EXPECT_EQ(log.Measures - paints, 5) << "Color, Image, Orientation, Scrolling, Value";
    EXPECT_EQ(reported, "Image");
    PropertyStore saved;
    bar.UserControl_WriteProperties(saved);
    EXPECT_EQ(saved.Count(), 9U);
    XP_ProgressBar loaded(237, 21);
    loaded.UserControl_ReadProperties(PropertyStore{});
    PropertyStore defaults;
    loaded.UserControl_WriteProperties(defaults);
    EXPECT_EQ(defaults.Count(), 1U) << "only Color";
    loaded.SetPropertyChangedHandler([&](std::string_view name) { reported += name; });
    loaded.UserControl_ReadProperties(saved);
    EXPECT_EQ(reported, "Image");
    EXPECT_EQ(loaded.Image(), picture);
    EXPECT_EQ(*loaded.Font(), (FontObject{"Tahoma", 8.0}));
    PropertyStore again;
    loaded.UserControl_WriteProperties(again);
    struct Row {
        const char* name;
        std::int32_t stored;
    };
    const Row rows[] = {{"BrushStyle", 2},  {"Color", 0xA0A0A0}, {"Max", -3},      {"Min", 200},
                        {"Orientation", 5}, {"Scrolling", 99},   {"ShowText", -1}, {"Value", 150}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(again.ReadInt(row.name, 0), row.stored);
    }
}

// The buffer is made on demand and only ever grows; a new one has exactly the control's size.
// Each row: the control's size, then three resizes as width, height -> buffer width, height.
// Without a buffer the control paints on its own surface, whatever hdc is given.
TEST(XPProgressBar, BufferGrowthRule) {
    struct Row {
        const char* why;
        int sizes[14];
    };
    const Row rows[] = {
        {"wider replaces", {200, 20, 300, 20, 300, 20, 200, 20, 300, 20, 300, 20, 300, 20}},
        {"one way larger", {300, 20, 250, 30, 250, 30, 250, 10, 250, 30, 260, 5, 260, 5}},
        {"size 0: none until positive", {0, 0, 0, 40, 0, 0, 1, 1, 1, 1, 0, 0, 1, 1}},
        // Beyond PixelSurface::kMaxPixels: the old buffer is released and no new one is made.
        {"too large: none", {30, 20, 1 << 14, 1 << 13, 0, 0, 30, 20, 30, 20, 30, 20, 30, 20}},
    };
    PixelSurface other(5, 5);
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        XP_ProgressBar bar(row.sizes[0], row.sizes[1]);
        for (int i = 2; i < 14; i += 4) {
            bar.Resize(row.sizes[i], row.sizes[i + 1]);
            bar.Sethdc(&other);
            EXPECT_EQ(bar.BufferWidth(), row.sizes[i + 2]);
            EXPECT_EQ(bar.BufferHeight(), row.sizes[i + 3]);
            EXPECT_EQ(bar.hdc() == &bar.OwnSurface(), row.sizes[i + 2] == 0);
        }
    }
}

}  // namespace
}  // namespace klarwell::progressbar
