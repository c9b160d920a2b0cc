#include "progressbar/pixel_surface.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <utility>

#include "progressbar/internal/bar_math.h"

namespace klarwell::progressbar {

namespace {

using internal::ClampToInt32;

// The standard hatch patterns, one byte per row, the high bit the leftmost pixel.
constexpr std::array<std::array<std::uint8_t, 8>, 6> kHatchRows = {{
    {0x00, 0x00, 0x00, 0x00, 0xFF, 0x00, 0x00, 0x00},  // horizontal
    {0x08, 0x08, 0x08, 0x08, 0x08, 0x08, 0x08, 0x08},  // vertical
    {0x80, 0x40, 0x20, 0x10, 0x08, 0x04, 0x02, 0x01},  // falling from top-left
    {0x01, 0x02, 0x04, 0x08, 0x10, 0x20, 0x40, 0x80},  // rising from bottom-left
    {0x08, 0x08, 0x08, 0x08, 0xFF, 0x08, 0x08, 0x08},  // cross
    {0x81, 0x42, 0x24, 0x18, 0x18, 0x24, 0x42, 0x81},  // diagonal cross
}};

}  // namespace

Pixel GetSysColor(int index) {
    switch (index) {
        case 5:
            return Rgb(255, 255, 255);
        case 13:
            return Rgb(0, 120, 215);
        case 15:
            return Rgb(240, 240, 240);
        case 16:
            return Rgb(160, 160, 160);
        case 20:
            return Rgb(255, 255, 255);
        case 21:
            return Rgb(105, 105, 105);
        case 22:
            return Rgb(227, 227, 227);
        default:
            return Rgb(0, 0, 0);
    }
}

Brush Brush::CreateHatchBrush(int style, Pixel color) {
    if (style < 0 || style > 5) {
        return Brush{};
    }
    return Brush{Kind::Hatch, color, static_cast<HatchStyle>(style), {}};
}

Brush Brush::CreatePatternBrush(Picture picture) {
    if (!picture || picture->Width() <= 0 || picture->Height() <= 0) {
        return Brush{};
    }
    return Brush{Kind::Pattern, 0, HatchStyle::Horizontal, std::move(picture)};
}

PixelSurface::PixelSurface(int width, int height, Pixel fill) {
    const std::int64_t w = std::max(width, 0);
    const std::int64_t h = std::max(height, 0);
    if (w * h > kMaxPixels) {
        m_Valid = false;
        return;
    }
    m_Width = static_cast<int>(w);
    m_Height = static_cast<int>(h);
    m_Pixels.assign(static_cast<std::size_t>(w * h), fill);
}

Pixel PixelSurface::GetPixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= m_Width || y >= m_Height) {
        return 0;
    }
    return m_Pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(m_Width) +
                    static_cast<std::size_t>(x)];
}

Rect PixelSurface::Clip(const Rect& rect) const {
    Rect clipped{std::max(rect.left, 0), std::max(rect.top, 0), std::min(rect.right, m_Width),
                 std::min(rect.bottom, m_Height)};
    if (clipped.right <= clipped.left || clipped.bottom <= clipped.top) {
        return Rect{};
    }
    return clipped;
}

void PixelSurface::FillClipped(const Rect& rect, const Brush& brush) {
    const Rect r = Clip(rect);
    switch (brush.BrushKind) {
        case Brush::Kind::None:
            return;
        case Brush::Kind::Solid:
            for (int y = r.top; y < r.bottom; ++y) {
                const auto row = m_Pixels.begin() + static_cast<std::ptrdiff_t>(y) * m_Width;
                std::fill(row + r.left, row + r.right, brush.Color);
            }
            return;
        case Brush::Kind::Hatch:
            FillHatch(r, brush.Hatch, brush.Color);
            return;
        case Brush::Kind::Pattern:
            FillPattern(r, *brush.Pattern);
            return;
    }
}

void PixelSurface::FillHatch(const Rect& clipped, HatchStyle style, Pixel color) {
    const auto& rows = kHatchRows[static_cast<std::size_t>(style)];
    const bool opaque = m_BkMode == BackgroundMode::Opaque;
    for (int y = clipped.top; y < clipped.bottom; ++y) {
        const unsigned bits = rows[static_cast<std::size_t>(y & 7)];
        Pixel* row = m_Pixels.data() + static_cast<std::ptrdiff_t>(y) * m_Width;
        for (int x = clipped.left; x < clipped.right; ++x) {
            if (((bits >> (7 - (x & 7))) & 1U) != 0) {
                row[x] = color;
            } else if (opaque) {
                row[x] = m_BkColor;
            }
        }
    }
}

void PixelSurface::FillPattern(const Rect& clipped, const PixelSurface& pattern) {
    // Tiles are aligned to the surface origin, not to the rectangle.
    for (int y = clipped.top; y < clipped.bottom; ++y) {
        const Pixel* tile = pattern.m_Pixels.data() +
                            static_cast<std::ptrdiff_t>(y % pattern.m_Height) * pattern.m_Width;
        Pixel* row = m_Pixels.data() + static_cast<std::ptrdiff_t>(y) * m_Width;
        for (int x = clipped.left; x < clipped.right; ++x) {
            row[x] = tile[x % pattern.m_Width];
        }
    }
}

void PixelSurface::FillRect(const Rect& rect, const Brush& brush) {
    FillClipped(rect, brush);
}

void PixelSurface::FrameRect(const Rect& rect, const Brush& brush) {
    if (rect.right <= rect.left || rect.bottom <= rect.top) {
        return;
    }
    FillClipped({rect.left, rect.top, rect.right, rect.top + 1}, brush);
    FillClipped({rect.left, rect.bottom - 1, rect.right, rect.bottom}, brush);
    FillClipped({rect.left, rect.top, rect.left + 1, rect.bottom}, brush);
    FillClipped({rect.right - 1, rect.top, rect.right, rect.bottom}, brush);
}

void PixelSurface::SetPixelV(int x, int y, Pixel color) {
    if (x >= 0 && y >= 0 && x < m_Width && y < m_Height) {
        Put(x, y, color);
    }
}

void PixelSurface::MoveToEx(int x, int y) {
    m_PenX = x;
    m_PenY = y;
}

void PixelSurface::LineTo(int x, int y) {
    const std::int64_t x0 = m_PenX;
    const std::int64_t y0 = m_PenY;
    const std::int64_t dx = std::int64_t{x} - x0;
    const std::int64_t dy = std::int64_t{y} - y0;
    m_PenX = x;
    m_PenY = y;
    const Brush pen = Brush::Solid(m_PenColor);
    if (dy == 0) {
        if (dx == 0) {
            return;
        }
        const std::int64_t from = dx > 0 ? x0 : x0 + dx + 1;
        const std::int64_t to = dx > 0 ? x0 + dx : x0 + 1;
        FillClipped({ClampToInt32(from), ClampToInt32(y0), ClampToInt32(to), ClampToInt32(y0 + 1)},
                    pen);
        return;
    }
    if (dx == 0) {
        const std::int64_t from = dy > 0 ? y0 : y0 + dy + 1;
        const std::int64_t to = dy > 0 ? y0 + dy : y0 + 1;
        FillClipped({ClampToInt32(x0), ClampToInt32(from), ClampToInt32(x0 + 1), ClampToInt32(to)},
                    pen);
        return;
    }
    // A slanted line: walk only the stretch of steps that can reach the raster.
    const std::int64_t steps = std::max(std::llabs(dx), std::llabs(dy));
    double tFrom = 0.0;
    double tTo = static_cast<double>(steps - 1);
    const auto limit = [&](std::int64_t start, std::int64_t delta, int size) {
        const double a = (-1.0 - static_cast<double>(start)) * static_cast<double>(steps) /
                         static_cast<double>(delta);
        const double b = (static_cast<double>(size) - static_cast<double>(start)) *
                         static_cast<double>(steps) / static_cast<double>(delta);
        tFrom = std::max(tFrom, std::min(a, b) - 1.0);
        tTo = std::min(tTo, std::max(a, b) + 1.0);
    };
    limit(x0, dx, m_Width);
    limit(y0, dy, m_Height);
    for (double t = std::ceil(tFrom); t <= tTo; t += 1.0) {
        const double px = static_cast<double>(x0) +
                          std::nearbyint(static_cast<double>(dx) * t / static_cast<double>(steps));
        const double py = static_cast<double>(y0) +
                          std::nearbyint(static_cast<double>(dy) * t / static_cast<double>(steps));
        if (px >= 0.0 && py >= 0.0 && px < m_Width && py < m_Height) {
            Put(static_cast<int>(px), static_cast<int>(py), m_PenColor);
        }
    }
}

void PixelSurface::PatBlt(int x, int y, int width, int height) {
    if (width <= 0 || height <= 0) {
        return;
    }
    FillClipped(
        {x, y, ClampToInt32(std::int64_t{x} + width), ClampToInt32(std::int64_t{y} + height)},
        m_Brush);
}

Brush PixelSurface::SelectBrush(Brush brush) {
    return std::exchange(m_Brush, std::move(brush));
}

bool PixelSurface::BitBlt(int xDst, int yDst, int width, int height, const PixelSurface& source,
                          int xSrc, int ySrc) {
    if (width <= 0 || height <= 0) {
        return false;
    }
    // Keep only the destination pixels whose source lies inside the source raster.
    const std::int64_t shiftX = std::int64_t{xSrc} - xDst;
    const std::int64_t shiftY = std::int64_t{ySrc} - yDst;
    const Rect wanted{xDst, yDst, ClampToInt32(std::int64_t{xDst} + width),
                      ClampToInt32(std::int64_t{yDst} + height)};
    const Rect fromSource{ClampToInt32(-shiftX), ClampToInt32(-shiftY),
                          ClampToInt32(source.Width() - shiftX),
                          ClampToInt32(source.Height() - shiftY)};
    const Rect r = Clip(
        {std::max(wanted.left, fromSource.left), std::max(wanted.top, fromSource.top),
         std::min(wanted.right, fromSource.right), std::min(wanted.bottom, fromSource.bottom)});
    bool changed = false;
    const auto rowLength = static_cast<std::size_t>(r.right - r.left);
    for (int y = r.top; y < r.bottom; ++y) {
        Pixel* target = m_Pixels.data() + static_cast<std::ptrdiff_t>(y) * m_Width + r.left;
        const Pixel* from = source.m_Pixels.data() +
                            static_cast<std::ptrdiff_t>(y + shiftY) * source.m_Width +
                            static_cast<std::ptrdiff_t>(r.left + shiftX);
        if (!std::equal(from, from + rowLength, target)) {
            std::copy(from, from + rowLength, target);
            changed = true;
        }
    }
    return changed;
}

void PixelSurface::DrawRing(const Rect& rect, Pixel topLeft, Pixel bottomRight) {
    if (rect.right <= rect.left || rect.bottom <= rect.top) {
        return;
    }
    const Brush light = Brush::Solid(topLeft);
    const Brush dark = Brush::Solid(bottomRight);
    FillClipped({rect.left, rect.top, rect.right, rect.top + 1}, light);
    FillClipped({rect.left, rect.top, rect.left + 1, rect.bottom}, light);
    FillClipped({rect.left, rect.bottom - 1, rect.right, rect.bottom}, dark);
    FillClipped({rect.right - 1, rect.top, rect.right, rect.bottom}, dark);
}

void PixelSurface::DrawEdge(const Rect& rect, int edge) {
    if ((edge & kBdrRaisedOuter) != 0) {
        DrawRing(rect, GetSysColor(22), GetSysColor(21));
    } else if ((edge & kBdrSunkenOuter) != 0) {
        DrawRing(rect, GetSysColor(16), GetSysColor(20));
    }
    const Rect inner{
        ClampToInt32(std::int64_t{rect.left} + 1), ClampToInt32(std::int64_t{rect.top} + 1),
        ClampToInt32(std::int64_t{rect.right} - 1), ClampToInt32(std::int64_t{rect.bottom} - 1)};
    if ((edge & kBdrRaisedInner) != 0) {
        DrawRing(inner, GetSysColor(20), GetSysColor(16));
    } else if ((edge & kBdrSunkenInner) != 0) {
        DrawRing(inner, GetSysColor(21), GetSysColor(22));
    }
}

BackgroundMode PixelSurface::SetBkMode(BackgroundMode mode) {
    return std::exchange(m_BkMode, mode);
}

Pixel PixelSurface::SetBkColor(Pixel color) {
    return std::exchange(m_BkColor, color);
}

Pixel PixelSurface::SetTextColor(Pixel color) {
    return std::exchange(m_TextColor, color);
}

}  // namespace klarwell::progressbar
