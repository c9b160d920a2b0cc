#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>

#include "progressbar/internal/bar_math.h"
#include "progressbar/xp_progress_bar.h"

// The paint pipeline: primitives, the block styles, the border and the text.
namespace klarwell::progressbar {

namespace {

using internal::AsColor;
using internal::ClampToInt32;
using internal::kBlack;
using internal::LightenColor;
using internal::RoundToInt;
using internal::TranslateColor;

constexpr std::int32_t kWhite = 0xFFFFFF;
constexpr char kSearchingText[] = "Searching..";

struct CornerPixel {
    bool FromRight;  // x counts from R instead of from 0
    int X;
    bool FromBottom;  // y counts from B instead of from 0
    int Y;
    Pixel Color;
};

// Set in this order to round the corners; the left and right corners differ on purpose.
constexpr CornerPixel kCornerPixels[] = {
    {false, 0, false, 0, 0xFFFFFF}, {false, 0, false, 1, 0xA6ABAC}, {false, 0, false, 2, 0x7D7E7F},
    {false, 1, false, 0, 0xA7ABAC}, {false, 1, false, 1, 0x777777}, {false, 2, false, 0, 0x7D7E7F},
    {false, 2, false, 2, 0xBEBEBE}, {false, 0, true, -1, 0xFFFFFF}, {false, 1, true, -1, 0xA6ABAC},
    {false, 2, true, -1, 0x7D7E7F}, {false, 0, true, -3, 0x7D7E7F}, {false, 0, true, -2, 0xA7ABAC},
    {false, 1, true, -2, 0x777777}, {true, -1, false, 0, 0xFFFFFF}, {true, -1, false, 1, 0xBEBEBE},
    {true, -1, false, 2, 0x7D7E7F}, {true, -2, false, 2, 0xBEBEBE}, {true, -2, false, 1, 0x686868},
    {true, -1, true, -1, 0xFFFFFF}, {true, -1, true, -2, 0xBEBEBE}, {true, -1, true, -3, 0x7D7E7F},
    {true, -2, true, -2, 0x777777}, {true, -2, true, -1, 0xBEBEBE}, {true, -3, true, -1, 0x7D7E7F},
};

}  // namespace

// Primitives.

void XP_ProgressBar::DrawLine(int X, int Y, int Width, int Height, PixelSurface* cHdc,
                              std::int32_t Color) {
    if (cHdc == nullptr) {
        return;
    }
    cHdc->SetPen(TranslateColor(Color));
    cHdc->MoveToEx(X, Y);
    cHdc->LineTo(Width, Height);
}

void XP_ProgressBar::DrawGradient(std::int32_t& lEndColor, std::int32_t& lStartcolor, int X, int Y,
                                  int X2, int Y2, PixelSurface* hdc, bool& bH) {
    lEndColor = AsColor(TranslateColor(lEndColor));
    lStartcolor = AsColor(TranslateColor(lStartcolor));
    const auto end = static_cast<Pixel>(lEndColor);
    const auto start = static_cast<Pixel>(lStartcolor);
    const int re = Red(end);
    const int ge = Green(end);
    const int be = Blue(end);
    const int rs = Red(start);
    const int gs = Green(start);
    const int bs = Blue(start);
    const int n = bH ? X2 : Y2;
    if (n < 0 || hdc == nullptr) {
        return;
    }
    // A count of 0 draws one line in the end colour.
    const auto step = [n](int from, int to) {
        return n == 0 ? 0.0F : static_cast<float>(static_cast<double>(to - from) / n);
    };
    const float dR = step(re, rs);
    const float dG = step(ge, gs);
    const float dB = step(be, bs);
    // Lines off the surface would draw nothing: walk only those that can show.
    const std::int64_t origin = bH ? X : Y;
    const std::int64_t size = bH ? hdc->Width() : hdc->Height();
    const std::int64_t first = std::max<std::int64_t>(0, -origin);
    const std::int64_t last = std::min<std::int64_t>(n, size - 1 - origin);
    for (std::int64_t i = first; i <= last; ++i) {
        const auto channel = [i](int base, float delta) {
            return std::clamp(
                RoundToInt(base + static_cast<double>(delta) * static_cast<double>(i)), 0, 255);
        };
        const auto color = AsColor(Rgb(channel(re, dR), channel(ge, dG), channel(be, dB)));
        const auto offset = static_cast<int>(origin + i);
        if (bH) {
            DrawLine(offset, Y, offset, Y2, hdc, color);
        } else {
            DrawLine(X, offset, X2, offset, hdc, color);
        }
    }
}

void XP_ProgressBar::pDraw(PixelSurface* hdc, int xSrc, int ySrc, int WidthSrc, int HeightSrc,
                           int xDst, int yDst) {
    if (hdc == nullptr || !m_BufferDC) {
        return;
    }
    const int w = WidthSrc > 0 ? WidthSrc : m_BufferWidth;
    const int h = HeightSrc > 0 ? HeightSrc : m_BufferHeight;
    if (hdc->BitBlt(xDst, yDst, w, h, *m_BufferDC, xSrc, ySrc) && hdc == &m_OwnSurface &&
        m_SurfaceChanged) {
        m_SurfaceChanged();
    }
}

void XP_ProgressBar::Gradient(std::int32_t endColor, std::int32_t startColor, int x, int y, int x2,
                              int y2, bool horizontal) {
    DrawGradient(endColor, startColor, x, y, x2, y2, m_hDC, horizontal);
}

void XP_ProgressBar::FillSolidRect(const Rect& rect, std::int32_t color) {
    m_hDC->FillRect(rect, Brush::Solid(TranslateColor(color)));
}

void XP_ProgressBar::FrameSolidRect(const Rect& rect, Pixel color) {
    m_hDC->FrameRect(rect, Brush::Solid(color & 0xFFFFFFU));
}

// The paint.

void XP_ProgressBar::DrawProgressBar() {
    const PaintInputs before = CurrentInputs();
    m_ClientRect = GetClientRect(m_hWnd);
    FillSolidRect(m_ClientRect, m_Scrolling == 6 ? kBlack : kWhite);
    switch (m_Scrolling) {
        case 3:
            DrawFlatStyle();
            break;
        case 4:
            DrawEtchedStyle();
            break;
        case 5:
            DrawGradientFrameStyle();
            break;
        case 6:
            DrawDarkStyle();
            break;
        case 7:
            DrawHatchStyle();
            break;
        case 8:
            DrawPictureStyle();
            break;
        default:
            CalcFillRect();
            DrawXPBar();
            if (m_Scrolling == 0) {
                DrawBlockSeparators();
            }
            DrawXPBorder();
            break;
    }
    DrawPercentText();
    m_HasPainted = true;
    m_LastInputs = before;
    m_LastPaintRepeats = CurrentInputs() == before;
    if (m_BufferInUse && m_BufferDC) {
        pDraw(&m_OwnSurface, 0, 0, m_ScaleWidth, m_ScaleHeight, 0, 0);
    } else if (m_SurfaceChanged) {
        m_SurfaceChanged();  // drawn straight onto the own surface
    }
}

void XP_ProgressBar::CalcFillRect() {
    m_BlockSize = m_Scrolling == 0 ? 6 : 0;
    m_BlockGap = 2;
    const std::int64_t step = m_BlockSize + m_BlockGap;
    m_ClientRect.left += 3;
    m_FillRect = m_ClientRect;
    m_FillFraction = std::max(static_cast<double>(m_Value) / 98.0, 0.0);
    if (m_Orientation == 0) {
        const std::int64_t x = RoundToInt(
            static_cast<double>(m_ClientRect.right - m_ClientRect.left) * m_FillFraction +
            m_ClientRect.left);
        m_FillRect.right = ClampToInt32(x - ((x - m_FillRect.left) % step));
        m_FillRect.right = std::max(m_FillRect.right, m_ClientRect.left);
    } else {
        m_FillFraction = 1.0 - m_FillFraction;
        const std::int64_t y = RoundToInt(
            static_cast<double>(m_ClientRect.bottom - m_ClientRect.top) * m_FillFraction +
            m_ClientRect.top);
        // Moves y down to the nearest step counted up from the bottom.
        m_FillRect.top = ClampToInt32(y - ((y - m_FillRect.bottom) % step));
        m_FillRect.top = std::min(m_FillRect.top, m_ClientRect.bottom);
    }
}

void XP_ProgressBar::DrawXPBar() {
    const int right = m_ClientRect.right;
    const int bottom = m_ClientRect.bottom;
    if (m_Orientation == 0) {
        // Even at 0 % the body covers x = 4 to 11.
        if (m_FillRect.right < 15) {
            m_FillRect.right = 12;
        }
        const int bodyRight =
            std::int64_t{m_FillRect.right} + 4 > right ? m_FillRect.right - 4 : m_FillRect.right;
        const Rect body{4, 8, bodyRight, bottom - 8};
        if (m_Scrolling == 2) {
            DrawSearchingBlocks();
            return;
        }
        const auto light = AsColor(LightenColor(m_Color, 150));
        Gradient(light, m_Color, 4, 3, body.right, 6, false);
        FillSolidRect(body, m_Color);
        Gradient(m_Color, light, 4, bottom - 10, body.right, 6, false);
        return;
    }
    const Rect body{9, m_FillRect.top, right - 8, bottom};
    if (m_Scrolling == 2) {
        DrawSearchingBlocks();
        return;
    }
    const auto light = AsColor(LightenColor(m_Color, 150));
    Gradient(light, m_Color, 4, m_FillRect.top, 4, bottom, true);
    FillSolidRect(body, m_Color);
    Gradient(m_Color, light, right - 8, m_FillRect.top, 4, bottom, true);
}

void XP_ProgressBar::DrawSearchingBlocks() {
    for (int i = 0; i < 3; ++i) {
        const auto first = AsColor(LightenColor(m_Color, 220 - 40 * i));
        const auto last = AsColor(LightenColor(m_Color, 200 - 40 * i));
        if (m_Orientation == 0) {
            // The blocks travel from 45 pixels left of the fill edge (0 %) to the edge (100 %).
            const int left = RoundToInt(static_cast<double>(m_FillRect.right) +
                                        static_cast<double>(m_BlockGap + 10) * i -
                                        (100.0 - m_Value) / 100.0 * 45.0);
            Gradient(first, last, left, 3, 9, m_ClientRect.bottom - 2, true);
        } else {
            const int top = ClampToInt32(std::int64_t{m_FillRect.top} + (m_BlockGap + 10) * i);
            Gradient(first, last, m_ClientRect.right - 2, top, 2, 9, false);
        }
    }
}

void XP_ProgressBar::DrawBlockSeparators() {
    m_SeparatorRect = m_ClientRect;
    const std::int64_t step = m_BlockSize + m_BlockGap;
    const Brush white = Brush::Solid(0xFFFFFF);
    if (m_Orientation == 0) {
        // Only separators that can reach the surface are drawn; the rest would be clipped.
        const std::int64_t stop = std::min<std::int64_t>(m_FillRect.right, m_hDC->Width());
        for (std::int64_t x = std::int64_t{m_FillRect.left} + m_BlockSize; x <= stop; x += step) {
            m_SeparatorRect.left = static_cast<int>(x + 1);
            m_SeparatorRect.right = static_cast<int>(x + 1 + m_BlockGap);
            m_hDC->FillRect(m_SeparatorRect, white);
        }
        return;
    }
    const std::int64_t stop = std::int64_t{m_FillRect.top} + m_BlockSize;
    // Separators above the surface (y of 0 or less) cannot show.
    for (std::int64_t y = m_FillRect.bottom; y >= stop && y > 0; y -= step) {
        m_SeparatorRect.top = static_cast<int>(y - 2);
        m_SeparatorRect.bottom = static_cast<int>(y - 2 + m_BlockGap);
        m_hDC->FillRect(m_SeparatorRect, white);
    }
}

void XP_ProgressBar::DrawXPBorder() {
    m_ClientRect.left -= 3;
    const int r = m_ClientRect.right;
    const int b = m_ClientRect.bottom;
    DrawLine(2, 1, r - 2, 1, m_hDC, 0xBEBEBE);
    DrawLine(2, b - 2, r - 2, b - 2, m_hDC, 0xEFEFEF);
    DrawLine(1, 2, 1, b - 2, m_hDC, 0xBEBEBE);
    DrawLine(2, 2, 2, b - 2, m_hDC, 0xEFEFEF);
    DrawLine(2, 2, r - 2, 2, m_hDC, 0xEFEFEF);
    DrawLine(r - 2, 2, r - 2, b - 2, m_hDC, 0xEFEFEF);
    FrameSolidRect(m_ClientRect, 0x686868);
    for (const CornerPixel& corner : kCornerPixels) {
        m_hDC->SetPixelV(corner.FromRight ? r + corner.X : corner.X,
                         corner.FromBottom ? b + corner.Y : corner.Y, corner.Color);
    }
}

// Text.

void XP_ProgressBar::DrawPercentText() {
    const std::string s = m_Scrolling == 2 ? std::string(kSearchingText)
                                           : internal::PercentNumber(m_Value, m_Max) + " %";
    if (!m_ShowText) {
        return;
    }
    m_hDC->SetBkMode(BackgroundMode::Transparent);
    m_hDC->SetTextColor(m_Scrolling == 6 ? 0xC0C0C0 : 0x000000);
    CenterTextRect(s);
    const double fx = m_Value / 100.0 * m_ClientRect.right;
    if (!(m_Scrolling == 6 && fx > m_TextRect.right)) {
        DrawText(s);
    }
    if (m_Scrolling == 6) {
        DrawDarkText(s);
    }
}

void XP_ProgressBar::CenterTextRect(std::string_view s) {
    const FontObject font = m_Font ? *m_Font : FontObject{};
    const TextSize size = m_TextRenderer ? m_TextRenderer->Measure(s, font) : TextSize{};
    // Right and bottom are measured from the previous left and top, and keep those values.
    m_TextRect.right = ClampToInt32(std::int64_t{m_TextRect.left} + size.Width);
    m_TextRect.bottom = ClampToInt32(std::int64_t{m_TextRect.top} + size.Height);
    const double width = static_cast<double>(m_TextRect.right) - m_TextRect.left;
    const double height = static_cast<double>(m_TextRect.bottom) - m_TextRect.top;
    m_TextRect.left = RoundToInt(m_ClientRect.right / 2.0 - width / 2.0);
    m_TextRect.top = RoundToInt(m_ClientRect.bottom / 2.0 - height / 2.0);
}

void XP_ProgressBar::DrawDarkText(std::string_view s) {
    m_hDC->SetBkMode(BackgroundMode::Transparent);
    const double fx = m_Value / 100.0 * m_ClientRect.right;
    if (fx < m_TextRect.left) {
        return;
    }
    m_hDC->SetTextColor(LightenColor(m_Color, 80));
    const double width = static_cast<double>(m_TextRect.right) - m_TextRect.left;
    m_TextRect.left = RoundToInt(m_ClientRect.right / 2.0 - width / 2.0);
    // Only the part left of the fill edge shows in the bar's tint.
    m_TextRect.right = RoundToInt(fx);
    DrawText(s);
}

void XP_ProgressBar::DrawText(std::string_view s) {
    if (!m_TextRenderer || m_TextRect.right <= m_TextRect.left ||
        m_TextRect.bottom <= m_TextRect.top) {
        return;
    }
    const FontObject font = m_Font ? *m_Font : FontObject{};
    m_TextRenderer->Draw(*m_hDC, m_TextRect, s, font, m_hDC->TextColor());
}

}  // namespace klarwell::progressbar
