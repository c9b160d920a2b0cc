#pragma once

#include <string>
#include <string_view>

#include "progressbar/pixel_surface.h"

namespace klarwell::progressbar {

// A font description: face name and size in points.
struct FontObject {
    std::string Name = "Tahoma";
    double Size = 8.0;

    bool operator==(const FontObject&) const = default;
};

struct TextSize {
    int Width = 0;
    int Height = 0;
};

// Measures and draws one line of text; the bar's only way to text, so tests can replace it.
class TextRenderer {
public:
    virtual ~TextRenderer() = default;
    // Width and height of the line as the calculate-rectangle mode gives them.
    virtual TextSize Measure(std::string_view text, const FontObject& font) = 0;
    // Draws the line with its top-left corner at the rectangle's top-left corner, clipped to the
    // rectangle and the surface, leaving the background as it is.
    virtual void Draw(PixelSurface& surface, const Rect& rect, std::string_view text,
                      const FontObject& font, Pixel color) = 0;
};

}  // namespace klarwell::progressbar
