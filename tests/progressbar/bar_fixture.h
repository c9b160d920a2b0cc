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

struct TextDraw {
    Rect Where;
    std::string Text;
    Pixel Color = 0;
    bool operator==(const TextDraw&) const = default;
};

// What the bar asked of its text renderer, kept by the test while the bar owns the renderer.
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

// The surface as rows of letters, one per pixel as the legend names its colour ('?' for others).
inline std::vector<std::string> Drawing(const PixelSurface& surface,
                                        std::initializer_list<Ink> legend) {
    std::vector<std::string> rows;
    for (int y = 0; y < surface.Height(); ++y) {
        std::string row(static_cast<std::size_t>(surface.Width()), '?');
        for (int x = 0; x < surface.Width(); ++x) {
            for (const Ink& ink : legend) {
                if (surface.GetPixel(x, y) == ink.Color) {
                    row[static_cast<std::size_t>(x)] = ink.Letter;
                    break;
                }
            }
        }
        rows.push_back(row);
    }
    return rows;
}

using Rows = std::vector<std::string>;

}  // namespace klarwell::progressbar::testing
