#include <cstdint>
#include <utility>

#include "progressbar/internal/bar_math.h"
#include "progressbar/xp_progress_bar.h"

// The six alternative styles; each draws from the left whatever the orientation.
namespace klarwell::progressbar {

namespace {

using internal::AsColor;
using internal::BlendColors;
using internal::kBlack;
using internal::LightenColor;
using internal::RoundToInt;
using internal::TranslateColor;

}  // namespace

void XP_ProgressBar::DrawFlatStyle() {
    const int r = m_ClientRect.right;
    FrameSolidRect(m_ClientRect, LightenColor(m_Color, 100));
    m_FillRect =
        Rect{1, 1, RoundToInt(static_cast<double>(r) * m_Value / 100.0), m_ClientRect.bottom - 1};
    FillSolidRect(m_FillRect, AsColor(LightenColor(m_Color, 180)));
}

void XP_ProgressBar::DrawEtchedStyle() {
    m_hDC->DrawEdge(m_ClientRect, kEdgeEtched);
    const auto first = AsColor(LightenColor(m_Color, 140));
    const auto last = AsColor(LightenColor(m_Color, 200));
    const int x = RoundToInt(static_cast<double>(m_ClientRect.right - 4) * m_Value / 100.0);
    Gradient(first, last, 2, 2, x, m_ClientRect.bottom - 3, true);
}

void XP_ProgressBar::DrawGradientFrameStyle() {
    const int r = m_ClientRect.right;
    const int b = m_ClientRect.bottom;
    FrameSolidRect(m_ClientRect, LightenColor(m_Color, 10));
    m_FillRect.right = RoundToInt(static_cast<double>(r) * m_Value / 101.0);
    Gradient(m_Color, AsColor(LightenColor(m_Color, 100)), 2, 2, r - 2, b - 5, false);
    Gradient(AsColor(LightenColor(m_Color, 250)), m_Color, 3, 3, m_FillRect.right, b - 6, false);
    DrawLine(m_FillRect.right, 2, m_FillRect.right, b - 2, m_hDC,
             AsColor(LightenColor(m_Color, 25)));
}

void XP_ProgressBar::DrawDarkStyle() {
    FrameSolidRect(m_ClientRect, BlendColors(m_Color, kBlack, 200));
    const auto tint = AsColor(LightenColor(AsColor(BlendColors(m_Color, kBlack, 100)), 10));
    const int x = RoundToInt(static_cast<double>(m_ClientRect.right - 5) * m_Value / 100.0);
    Gradient(kBlack, tint, 2, 2, x, m_ClientRect.bottom - 2, true);
}

void XP_ProgressBar::DrawHatchStyle() {
    m_hDC->DrawEdge(m_ClientRect, kEdgeBump);
    m_FillRect = Rect{2, 2, RoundToInt(static_cast<double>(m_ClientRect.right) * m_Value / 101.0),
                      m_ClientRect.bottom - 2};
    const Brush hatch = Brush::CreateHatchBrush(m_BrushStyle, TranslateColor(m_Color));
    // The background colour stays on the surface; the mode decides whether the gaps show it.
    m_hDC->SetBkColor(LightenColor(m_Color, 140));
    m_hDC->FillRect(m_FillRect, hatch);
}

void XP_ProgressBar::DrawPictureStyle() {
    m_hDC->DrawEdge(m_ClientRect, kBdrSunkenOuter);
    if (!m_Image) {
        return;
    }
    Brush previous = m_hDC->SelectBrush(Brush::CreatePatternBrush(m_Image));
    m_FillRect.right = RoundToInt(static_cast<double>(m_ClientRect.right) * m_Value / 101.0);
    m_hDC->PatBlt(2, 2, m_FillRect.right, m_ClientRect.bottom - 4);
    m_hDC->SelectBrush(std::move(previous));
}

}  // namespace klarwell::progressbar
