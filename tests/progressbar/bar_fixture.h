#pragma once

#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "progressbar/property_store.h"
#include "progressbar/text_renderer.h"
#include "progressbar/xp_progress_bar.h"

namespace klarwell::progressbar::testing {

inline constexpr Pixel kWhite = Rgb(255, 255, 255);
inline constexpr Pixel kBar = Rgb(0, 120, 215);  // system colour 13, the loaded default

struct TextDraw {
    Rect Where;
    std::string Text;
    Pixel Color = 0;
    bool operator==(const TextDraw&) const = default;
};

// What the bar asked of its text renderer.
struct TextLog {
    int Measures = 0;
    std::vector<TextDraw> Draws;
};

// Every character is 6 pixels wide and a line 13 pixels high.
class FakeTextRenderer final : public TextRenderer {
public:
    explicit FakeTextRenderer(TextLog& log) : m_Log(log) {}
    TextSize Measure(std::string_view text, const FontObject& /*font*/) override {
        ++m_Log.Measures;
        return TextSize{6 * static_cast<int>(text.size()), 13};
    }
    void Draw(PixelSurface& /*surface*/, const Rect& rect, std::string_view text,
              const FontObject& /*font*/, Pixel color) override {
        m_Log.Draws.push_back(TextDraw{rect, std::string(text), color});
    }

private:
    TextLog& m_Log;
};

// A 237 x 21 control loaded from an empty store, then set as given; text goes to log if given.
inline std::unique_ptr<XP_ProgressBar> MakeBar(int scrolling, int orientation, int value,
                                               TextLog* log = nullptr) {
    auto bar = std::make_unique<XP_ProgressBar>(
        237, 21, log ? std::make_unique<FakeTextRenderer>(*log) : nullptr);
    bar->UserControl_ReadProperties(PropertyStore{});
    bar->SetScrolling(scrolling);
    bar->SetOrientation(orientation);
    bar->SetValue(value);
    return bar;
}

struct Ink {
    char Letter;
    Pixel Color;
};
using Legend = std::initializer_list<Ink>;
using Rows = std::vector<std::string>;

inline char Letter(Pixel pixel, Legend legend) {
    for (const Ink& ink : legend) {
        if (pixel == ink.Color) {
            return ink.Letter;
        }
    }
    return '?';
}

// Colours the bar draws; the digits are LightenColor(bar, a): each channel k * (255 - a) \ 255 + a.
inline const Legend kInks = {
    {'.', kWhite},
    {'B', kBar},
    {'k', Rgb(0, 0, 0)},
    {'f', 0x686868},
    {'e', 0xBEBEBE},
    {'E', 0xEFEFEF},
    {'1', Rgb(150, 199, 238)},  // 150
    {'2', Rgb(100, 172, 230)},  // 100
    {'3', Rgb(180, 215, 243)},  // 180
    {'4', Rgb(140, 194, 236)},  // 140
    {'5', Rgb(200, 225, 246)},  // 200
    {'6', Rgb(10, 125, 216)},   // 10
    {'7', Rgb(25, 133, 218)},   // 25
    {'8', Rgb(250, 252, 254)},  // 250
    {'a', Rgb(220, 236, 249)},  // 220
    {'m', Rgb(50, 146, 222)},   // track row 10: step 8 of 16, 222.5 to the even 222
    {'n', Rgb(133, 190, 236)},  // fill row 10: step 7 of 15 from 250 to the bar colour
    {'D', Rgb(0, 94, 169)},     // BlendColors(bar, black, 200)
    {'T', Rgb(10, 55, 90)},     // LightenColor(BlendColors(bar, black, 100), 10)
    {'s', Rgb(160, 160, 160)},  // system colour 16; 20 is white
    {'d', Rgb(105, 105, 105)},  // 21
    {'l', Rgb(227, 227, 227)},  // 22
    {'A', 0xA6ABAC},
    {'b', 0xA7ABAC},
    {'c', 0x7D7E7F},
    {'g', 0x777777},
};

// length pixels from (x, y), rightward or downward, as letters ('?' for colours not in legend).
inline std::string Strip(const PixelSurface& surface, int x, int y, std::size_t length, bool down,
                         Legend legend = kInks) {
    std::string letters;
    for (int i = 0; i < static_cast<int>(length); ++i) {
        letters += Letter(surface.GetPixel(down ? x : x + i, down ? y + i : y), legend);
    }
    return letters;
}

// The whole surface as rows of letters.
inline Rows Drawing(const PixelSurface& surface, Legend legend = kInks) {
    Rows rows;
    for (int y = 0; y < surface.Height(); ++y) {
        rows.push_back(
            Strip(surface, 0, y, static_cast<std::size_t>(surface.Width()), false, legend));
    }
    return rows;
}

}  // namespace klarwell::progressbar::testing
