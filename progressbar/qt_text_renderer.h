#pragma once

#include <string_view>

#include <QFont>

#include "progressbar/text_renderer.h"

namespace klarwell::progressbar {

// Measures and draws the bar's text with Qt, painting straight onto the surface's pixels. Needs a
// QGuiApplication. The face falls back to the nearest sans font when it is not installed.
class QtTextRenderer final : public TextRenderer {
public:
    TextSize Measure(std::string_view text, const FontObject& font) override;
    void Draw(PixelSurface& surface, const Rect& rect, std::string_view text,
              const FontObject& font, Pixel color) override;

    // The Qt font for a font object: points at 96 pixels per inch, as the bar's surfaces have.
    static QFont ToQFont(const FontObject& font);
};

}  // namespace klarwell::progressbar
