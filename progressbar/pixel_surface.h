#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace klarwell::progressbar {

// One pixel, laid out 0x00BBGGRR (red in the low byte).
using Pixel = std::uint32_t;

constexpr Pixel Rgb(int r, int g, int b) {
    return static_cast<Pixel>(r & 0xFF) | (static_cast<Pixel>(g & 0xFF) << 8) |
           (static_cast<Pixel>(b & 0xFF) << 16);
}
constexpr int Red(Pixel pixel) {
    return static_cast<int>(pixel & 0xFFU);
}
constexpr int Green(Pixel pixel) {
    return static_cast<int>((pixel >> 8) & 0xFFU);
}
constexpr int Blue(Pixel pixel) {
    return static_cast<int>((pixel >> 16) & 0xFFU);
}

// Left, top, right, bottom; right and bottom are exclusive.
struct Rect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;

    bool operator==(const Rect&) const = default;
};

// The fixed system colour table: 5, 13, 15, 16, 20, 21 and 22 have colours, every other index is
// black.
Pixel GetSysColor(int index);

class PixelSurface;
// A bitmap shared by whoever shows it (the picture of the picture style, a pattern brush).
using Picture = std::shared_ptr<const PixelSurface>;

enum class HatchStyle : int {
    Horizontal = 0,
    Vertical = 1,
    FallingDiagonal = 2,
    RisingDiagonal = 3,
    Cross = 4,
    DiagonalCross = 5,
};

struct Brush {
    enum class Kind { None, Solid, Hatch, Pattern };

    Kind BrushKind = Kind::None;
    Pixel Color = 0;
    HatchStyle Hatch = HatchStyle::Horizontal;
    Picture Pattern;

    static Brush Solid(Pixel color) {
        return Brush{Kind::Solid, color, HatchStyle::Horizontal, {}};
    }
    // A style outside 0 to 5 yields no brush: filling with it draws nothing.
    static Brush CreateHatchBrush(int style, Pixel color);
    // Without a picture there is no brush.
    static Brush CreatePatternBrush(Picture picture);
};

enum class BackgroundMode { Opaque, Transparent };

// Edge flags for DrawEdge: an outer ring and an optional inner ring.
constexpr int kBdrRaisedOuter = 1;
constexpr int kBdrSunkenOuter = 2;
constexpr int kBdrRaisedInner = 4;
constexpr int kBdrSunkenInner = 8;
constexpr int kEdgeEtched = kBdrSunkenOuter | kBdrRaisedInner;
constexpr int kEdgeBump = kBdrRaisedOuter | kBdrSunkenInner;

// A raster of 0x00BBGGRR pixels with the drawing state a paint relies on. Every operation clips to
// the raster: coordinates outside it are never written, whatever the values.
class PixelSurface {
public:
    // Surfaces beyond this many pixels cannot be made (the request yields a 0 x 0 surface).
    static constexpr std::int64_t kMaxPixels = std::int64_t{1} << 26;

    PixelSurface() = default;
    // Negative sizes count as 0; a size beyond kMaxPixels yields an empty surface (Valid() false).
    PixelSurface(int width, int height, Pixel fill = Rgb(255, 255, 255));

    [[nodiscard]] bool Valid() const { return m_Valid; }
    [[nodiscard]] int Width() const { return m_Width; }
    [[nodiscard]] int Height() const { return m_Height; }
    [[nodiscard]] Pixel GetPixel(int x, int y) const;  // 0 outside the raster
    [[nodiscard]] const std::vector<Pixel>& Pixels() const { return m_Pixels; }
    [[nodiscard]] Pixel* Data() { return m_Pixels.data(); }

    void FillRect(const Rect& rect, const Brush& brush);
    void FrameRect(const Rect& rect, const Brush& brush);
    void SetPixelV(int x, int y, Pixel color);
    // The line sets the start point and every point before the end point.
    void MoveToEx(int x, int y);
    void LineTo(int x, int y);
    void SetPen(Pixel color) { m_PenColor = color; }
    // Fills (x, y, width, height) with the selected brush; nothing when width or height is not
    // positive.
    void PatBlt(int x, int y, int width, int height);
    Brush SelectBrush(Brush brush);
    // Copies width x height pixels from source (xSrc, ySrc) to (xDst, yDst); only pixels inside
    // both rasters move. Returns whether any pixel of this surface changed.
    bool BitBlt(int xDst, int yDst, int width, int height, const PixelSurface& source, int xSrc,
                int ySrc);
    // One or two one-pixel rings just inside the rectangle; the interior is left alone.
    void DrawEdge(const Rect& rect, int edge);

    BackgroundMode SetBkMode(BackgroundMode mode);
    [[nodiscard]] BackgroundMode BkMode() const { return m_BkMode; }
    Pixel SetBkColor(Pixel color);
    [[nodiscard]] Pixel BkColor() const { return m_BkColor; }
    Pixel SetTextColor(Pixel color);
    [[nodiscard]] Pixel TextColor() const { return m_TextColor; }

private:
    // The one place where drawing meets the raster's bounds.
    [[nodiscard]] Rect Clip(const Rect& rect) const;
    void Put(int x, int y, Pixel color) {
        m_Pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(m_Width) +
                 static_cast<std::size_t>(x)] = color;
    }
    void FillClipped(const Rect& rect, const Brush& brush);
    void FillHatch(const Rect& clipped, HatchStyle style, Pixel color);
    void FillPattern(const Rect& clipped, const PixelSurface& pattern);
    void DrawRing(const Rect& rect, Pixel topLeft, Pixel bottomRight);

    int m_Width = 0;
    int m_Height = 0;
    bool m_Valid = true;
    std::vector<Pixel> m_Pixels;
    int m_PenX = 0;
    int m_PenY = 0;
    Pixel m_PenColor = 0;
    Brush m_Brush = Brush::Solid(Rgb(255, 255, 255));
    BackgroundMode m_BkMode = BackgroundMode::Opaque;
    Pixel m_BkColor = Rgb(255, 255, 255);
    Pixel m_TextColor = 0;
};

}  // namespace klarwell::progressbar
