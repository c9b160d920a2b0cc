#include <cstdint>
#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "progressbar/property_store.h"
#include "progressbar/xp_progress_bar.h"
#include "tests/progressbar/fake_text_renderer.h"

namespace klarwell::progressbar {
namespace {

using testing::FakeTextRenderer;
using testing::TextLog;

constexpr std::int32_t kSystemSelected = static_cast<std::int32_t>(0x8000000DU);
constexpr std::int32_t kSelectedRgb = 0xD77800;  // RGB(0, 120, 215), system colour 13

TEST(PropertyStore, WriteWithDefaultAndCaseFreeNames) {
    PropertyStore store;
    store.WriteProperty("Max", 100, 100);
    EXPECT_EQ(store.Count(), 0U) << "a value equal to its default is not stored";
    store.WriteProperty("Max", 50, 100);
    EXPECT_EQ(store.ReadInt("MAX", 100), 50) << "names match without regard to case";
    store.WriteProperty("max", 100, 100);
    EXPECT_FALSE(store.Contains("Max")) << "writing the default again forgets the old value";
    EXPECT_EQ(store.ReadInt("Max", 100), 100);
    store.WriteProperty("ShowText", true, false);
    EXPECT_EQ(store.ReadInt("showtext", 0), -1) << "True read as a number";
    store.WriteProperty("Value", 7, 0);
    EXPECT_TRUE(store.ReadBool("VALUE", false)) << "non-zero read as True";
    EXPECT_EQ(store.ReadPicture("Value"), nullptr) << "a number is no picture";
}

TEST(XPProgressBar, CreationAndLoadDefaults) {
    XP_ProgressBar bar(237, 21);
    EXPECT_EQ(bar.Color(), kSelectedRgb);
    EXPECT_EQ(bar.Max(), 100);
    EXPECT_EQ(bar.Min(), 0);
    EXPECT_EQ(bar.Value(), 0);
    EXPECT_FALSE(bar.ShowText());
    EXPECT_EQ(bar.Scrolling(), 0);
    EXPECT_EQ(bar.Orientation(), 0);
    EXPECT_EQ(bar.Image(), nullptr);
    ASSERT_NE(bar.Font(), nullptr);
    EXPECT_EQ(*bar.Font(), (FontObject{"Tahoma", 8.0}));
    EXPECT_EQ(bar.hwnd(), bar.OwnWindow());
    EXPECT_EQ(bar.TextRect(), Rect{});

    // Creation leaves the hatch style at 0, which differs from the stored default 4.
    PropertyStore created;
    bar.UserControl_WriteProperties(created);
    EXPECT_EQ(created.ReadInt("BrushStyle", 4), 0);

    // An empty store gives the defaults; only "Color" is stored back, since the held RGB never
    // equals the system colour default.
    bar.UserControl_ReadProperties(PropertyStore{});
    PropertyStore saved;
    bar.UserControl_WriteProperties(saved);
    EXPECT_EQ(saved.Count(), 1U);
    EXPECT_EQ(saved.ReadInt("Color", 0), kSelectedRgb);
}

TEST(XPProgressBar, SettersStoreAndRepaintAsEachProperty) {
    struct Row {
        const char* why;
        void (*set)(XP_ProgressBar&);
        bool repaints;
    };
    const Row rows[] = {
        {"Value repaints", [](XP_ProgressBar& b) { b.SetValue(150); }, true},
        {"Color repaints", [](XP_ProgressBar& b) { b.SetColor(0x0000FF); }, true},
        {"Orientation repaints", [](XP_ProgressBar& b) { b.SetOrientation(1); }, true},
        {"Scrolling repaints", [](XP_ProgressBar& b) { b.SetScrolling(5); }, true},
        {"ShowText repaints", [](XP_ProgressBar& b) { b.SetShowText(true); }, true},
        {"Image repaints",
         [](XP_ProgressBar& b) { b.SetImage(std::make_shared<PixelSurface>(2, 2)); }, true},
        {"Max does not repaint", [](XP_ProgressBar& b) { b.SetMax(5); }, false},
        {"Min does not repaint", [](XP_ProgressBar& b) { b.SetMin(500); }, false},
        {"BrushStyle does not repaint", [](XP_ProgressBar& b) { b.SetBrushStyle(2); }, false},
        {"Font does not repaint",
         [](XP_ProgressBar& b) { b.SetFont(std::make_shared<FontObject>()); }, false},
        {"hwnd does not repaint", [](XP_ProgressBar& b) { b.Sethwnd(b.OwnWindow()); }, false},
        {"hdc does not repaint", [](XP_ProgressBar& b) { b.Sethdc(nullptr); }, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        TextLog log;
        XP_ProgressBar bar(237, 21, std::make_unique<FakeTextRenderer>(log));
        bar.SetShowText(true);  // each paint now measures its text once
        const int before = log.Measures;
        row.set(bar);
        EXPECT_EQ(log.Measures - before, row.repaints ? 1 : 0);
    }
}

TEST(XPProgressBar, SettersKeepValuesOutsideAnyRange) {
    XP_ProgressBar bar(50, 10);
    bar.SetValue(-5);
    EXPECT_EQ(bar.Value(), -5);
    bar.SetValue(150);
    EXPECT_EQ(bar.Value(), 150);
    bar.SetMin(200);
    bar.SetMax(-3);
    EXPECT_EQ(bar.Min(), 200);
    EXPECT_EQ(bar.Max(), -3);
    bar.SetScrolling(99);
    EXPECT_EQ(bar.Scrolling(), 99);
    bar.SetColor(kSystemSelected);
    EXPECT_EQ(bar.Color(), kSelectedRgb) << "a system colour is held as its RGB";
    auto font = std::make_shared<FontObject>(FontObject{"Verdana", 10.0});
    bar.SetFont(font);
    EXPECT_EQ(bar.Font(), font) << "the font object itself, not a copy";
}

TEST(XPProgressBar, SaveStoresOnlyWhatDiffersAndLoadAppliesIt) {
    XP_ProgressBar bar(237, 21);
    bar.UserControl_ReadProperties(PropertyStore{});
    bar.SetValue(150);
    bar.SetMax(50);
    bar.SetShowText(true);
    bar.SetScrolling(7);
    PropertyStore saved;
    bar.UserControl_WriteProperties(saved);
    struct Row {
        const char* why;
        const char* name;
        bool stored;
        std::int32_t value;
    };
    const Row rows[] = {
        {"changed Value is stored", "Value", true, 150},
        {"changed Max is stored", "Max", true, 50},
        {"ShowText True is stored", "ShowText", true, -1},
        {"changed Scrolling is stored", "Scrolling", true, 7},
        {"default Min is not stored", "Min", false, 0},
        {"default Orientation is not stored", "Orientation", false, 0},
        {"default BrushStyle is not stored", "BrushStyle", false, 4},
        {"no picture is not stored", "Image", false, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        EXPECT_EQ(saved.Contains(row.name), row.stored);
        EXPECT_EQ(saved.ReadInt(row.name, row.value), row.value);
    }

    XP_ProgressBar loaded(237, 21);
    loaded.UserControl_ReadProperties(saved);
    EXPECT_EQ(loaded.Value(), 150);
    EXPECT_EQ(loaded.Max(), 50);
    EXPECT_TRUE(loaded.ShowText());
    EXPECT_EQ(loaded.Scrolling(), 7);
    EXPECT_EQ(*loaded.Font(), (FontObject{"Tahoma", 8.0})) << "the font is not saved";
}

TEST(XPProgressBar, LoadsTheMainWindowDefinition) {
    PropertyStore definition;
    definition.WriteProperty("_extentx", 6271, 0);
    definition.WriteProperty("_extenty", 450, 0);
    definition.WriteProperty("color", 12937777, kSystemSelected);
    XP_ProgressBar bar(237, 21);
    bar.UserControl_ReadProperties(definition);
    EXPECT_EQ(bar.Color(), 12937777) << "RGB(49, 106, 197), read under any letter case";
    EXPECT_EQ(bar.Scrolling(), 0);
    EXPECT_FALSE(bar.ShowText());
    EXPECT_EQ(bar.OwnSurface().GetPixel(9, 10), Rgb(49, 106, 197)) << "first block in that colour";
}

TEST(XPProgressBar, ImageChangeIsReportedOnlyBySetter) {
    XP_ProgressBar bar(20, 10);
    std::string reported;
    int reports = 0;
    bar.SetPropertyChangedHandler([&](std::string_view name) {
        reported = name;
        ++reports;
    });
    auto picture = std::make_shared<PixelSurface>(2, 2);
    PropertyStore store;
    store.WriteProperty("Image", picture, Picture{});
    bar.UserControl_ReadProperties(store);
    EXPECT_EQ(bar.Image(), picture);
    EXPECT_EQ(reports, 0) << "loading stores the picture straight";
    bar.SetImage(nullptr);
    EXPECT_EQ(reports, 1);
    EXPECT_EQ(reported, "Image");
    EXPECT_EQ(bar.Image(), nullptr);
}

// The buffer is made on demand and only ever grows; a new one has exactly the control's size.
TEST(XPProgressBar, BufferGrowthRule) {
    struct Step {
        int width;
        int height;
        std::int32_t bufferWidth;
        std::int32_t bufferHeight;
    };
    struct Row {
        const char* why;
        int width;
        int height;
        Step steps[3];
    };
    const Row rows[] = {
        {"wider replaces, narrower keeps",
         200,
         20,
         {{300, 20, 300, 20}, {200, 20, 300, 20}, {300, 20, 300, 20}}},
        {"growing in one direction only takes the current size",
         300,
         20,
         {{250, 30, 250, 30}, {250, 10, 250, 30}, {260, 5, 260, 5}}},
        {"size 0: no buffer until positive", 0, 0, {{0, 40, 0, 0}, {10, 4, 10, 4}, {0, 0, 10, 4}}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        XP_ProgressBar bar(row.width, row.height);
        for (const Step& step : row.steps) {
            bar.Resize(step.width, step.height);
            EXPECT_EQ(bar.BufferWidth(), step.bufferWidth);
            EXPECT_EQ(bar.BufferHeight(), step.bufferHeight);
        }
    }
}

TEST(XPProgressBar, HdcIsTheBufferOrTheOwnSurface) {
    XP_ProgressBar empty(0, 21);
    EXPECT_FALSE(empty.HasBuffer());
    EXPECT_FALSE(empty.BufferInUse());
    EXPECT_EQ(empty.hdc(), &empty.OwnSurface()) << "without a buffer it paints directly";
    empty.Resize(30, 21);
    EXPECT_TRUE(empty.BufferInUse());
    ASSERT_NE(empty.hdc(), &empty.OwnSurface());
    PixelSurface other(5, 5);
    PixelSurface* const buffer = empty.hdc();
    empty.Sethdc(&other);
    EXPECT_EQ(empty.hdc(), buffer) << "the number given is ignored";
}

}  // namespace
}  // namespace klarwell::progressbar
