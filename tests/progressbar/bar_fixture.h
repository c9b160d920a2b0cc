#pragma once

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

// The letter at position i of Letters stands for Colors[i].
struct Legend {
    std::string_view Letters;
    std::vector<Pixel> Colors;
};
using Rows = std::vector<std::string>;

// Colours the bar draws. Digits and a, p, q: LightenColor(bar, 150, 100, 180, 140, 200, 10, 25,
// 250, 220, 160, 120); m, n: row 10 of the gradient frame's track and fill; D, T: the dark style's
// frame and tint; s, d, l: system colours 16, 21, 22; A, b, c, g: the corner greys.
inline const Legend kInks = {
    ".BkfeE12345678amnDTsdlAbcgpq",
    {kWhite,   kBar,     0,        0x686868, 0xBEBEBE, 0xEFEFEF, 0xEEC796,
     0xE6AC64, 0xF3D7B4, 0xECC28C, 0xF6E1C8, 0xD87D0A, 0xDA8519, 0xFEFCFA,
     0xF9ECDC, 0xDE9232, 0xECBE85, 0xA95E00, 0x5A370A, 0xA0A0A0, 0x696969,
     0xE3E3E3, 0xA6ABAC, 0xA7ABAC, 0x7D7E7F, 0x777777, 0xF0CCA0, 0xE9B778}};

// length pixels from (x, y), rightward or downward, as letters ('?' for colours not in legend).
inline std::string Strip(const PixelSurface& surface, int x, int y, std::size_t length, bool down,
                         const Legend& legend = kInks) {
    std::string letters(length, '?');
    for (std::size_t i = 0; i < length; ++i) {
        const int at = static_cast<int>(i);
        const Pixel pixel = surface.GetPixel(down ? x : x + at, down ? y + at : y);
        for (std::size_t c = 0; c < legend.Colors.size(); ++c) {
            letters[i] = pixel == legend.Colors[c] ? legend.Letters[c] : letters[i];
        }
    }
    return letters;
}

// The whole surface as rows of letters.
inline Rows Drawing(const PixelSurface& surface, const Legend& legend = kInks) {
    Rows rows;
    for (int y = 0; y < surface.Height(); ++y) {
        rows.push_back(Strip(surface, 0, y, std::size_t(surface.Width()), false, legend));
    }
    return rows;
}

}  // namespace klarwell::progressbar::testing
