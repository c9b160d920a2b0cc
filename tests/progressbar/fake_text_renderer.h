#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "progressbar/text_renderer.h"

namespace klarwell::progressbar::testing {

struct TextDraw {
    Rect Where;
    std::string Text;
    Pixel Color = 0;
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

}  // namespace klarwell::progressbar::testing
