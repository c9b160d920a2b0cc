#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "progressbar/pixel_surface.h"
#include "progressbar/property_store.h"
#include "progressbar/text_renderer.h"

namespace klarwell::progressbar {

// Handle of the window whose client rectangle a paint measures.
using WindowHandle = std::uintptr_t;

// The names of the stored properties, in the order loading and saving go through them.
inline constexpr std::string_view kBrushStyleName = "BrushStyle";
inline constexpr std::string_view kColorName = "Color";
inline constexpr std::string_view kImageName = "Image";
inline constexpr std::string_view kMaxName = "Max";
inline constexpr std::string_view kMinName = "Min";
inline constexpr std::string_view kOrientationName = "Orientation";
inline constexpr std::string_view kScrollingName = "Scrolling";
inline constexpr std::string_view kShowTextName = "ShowText";
inline constexpr std::string_view kValueName = "Value";

// The self-drawn progress bar: properties, persistence, off-screen buffer and the nine drawing
// styles, on surfaces of its own. xp_progress_bar.cpp holds the model and persistence,
// xp_progress_bar_paint.cpp the paint pipeline, xp_progress_bar_styles.cpp the alternative styles.
// The host owns the screen: it resizes the control, forwards paint requests and shows OwnSurface().
class XP_ProgressBar {
public:
    // Creates the control at width x height pixels and runs the creation notification, which ends
    // with a paint. Without a text renderer, text measures 0 x 0 and draws nothing.
    explicit XP_ProgressBar(int width = 0, int height = 0,
                            std::unique_ptr<TextRenderer> textRenderer = nullptr);
    ~XP_ProgressBar();
    XP_ProgressBar(const XP_ProgressBar&) = delete;
    XP_ProgressBar& operator=(const XP_ProgressBar&) = delete;

    // Container side.
    // Gives the control a new size, then sends the resize notification (which does not paint).
    void Resize(int width, int height);
    [[nodiscard]] int ScaleWidth() const { return m_ScaleWidth; }
    [[nodiscard]] int ScaleHeight() const { return m_ScaleHeight; }
    // The control's own surface: what the control shows.
    [[nodiscard]] const PixelSurface& OwnSurface() const { return m_OwnSurface; }
    // Told when a property reports itself changed ("Image").
    void SetPropertyChangedHandler(std::function<void(std::string_view)> handler);
    // Told after a paint that changed a pixel of the own surface.
    void SetSurfaceChangedHandler(std::function<void()> handler);
    // True when a paint now would draw exactly what the last paint drew: same inputs, and the last
    // paint left its carried state (text rectangle, background mode) as it found it.
    [[nodiscard]] bool IsPictureSettled() const;

    void UserControl_ReadProperties(const PropertyStore& store);
    void UserControl_WriteProperties(PropertyStore& store) const;
    void UserControl_Paint();
    void UserControl_Resize();

    void DrawProgressBar();
    // A one-pixel line from (X, Y) to (Width, Height), the end point excluded.
    void DrawLine(int X, int Y, int Width, int Height, PixelSurface* cHdc, std::int32_t Color);
    // Lines stepping from lEndColor to lStartcolor; writes the translated colours back.
    void DrawGradient(std::int32_t& lEndColor, std::int32_t& lStartcolor, int X, int Y, int X2,
                      int Y2, PixelSurface* hdc, bool& bH);
    // Copies a block of the buffer to hdc; a width or height of 0 or less means the buffer's.
    void pDraw(PixelSurface* hdc, int xSrc = 0, int ySrc = 0, int WidthSrc = 0, int HeightSrc = 0,
               int xDst = 0, int yDst = 0);

    void SetBrushStyle(std::int32_t Style);  // no repaint, no getter
    [[nodiscard]] std::int32_t Color() const { return m_Color; }
    void SetColor(std::int32_t lColor);
    [[nodiscard]] std::shared_ptr<FontObject> Font() const { return m_Font; }
    void SetFont(std::shared_ptr<FontObject> fnt);  // keeps the object itself, no repaint
    [[nodiscard]] WindowHandle hwnd() const { return m_hWnd; }
    void Sethwnd(WindowHandle chWnd);
    [[nodiscard]] PixelSurface* hdc() const { return m_hDC; }
    void Sethdc(PixelSurface* cHdc);  // ignores cHdc: binds the buffer, or the own surface
    [[nodiscard]] Picture Image() const { return m_Image; }
    void SetImage(Picture handle);
    [[nodiscard]] std::int32_t Min() const { return m_Min; }
    void SetMin(std::int32_t cMin);
    [[nodiscard]] std::int32_t Max() const { return m_Max; }
    void SetMax(std::int32_t cMax);
    [[nodiscard]] std::int32_t Orientation() const { return m_Orientation; }
    void SetOrientation(std::int32_t cOrientation);
    [[nodiscard]] std::int32_t Scrolling() const { return m_Scrolling; }
    void SetScrolling(std::int32_t lScrolling);
    [[nodiscard]] bool ShowText() const { return m_ShowText; }
    void SetShowText(bool bShowText);
    [[nodiscard]] std::int32_t Value() const { return m_Value; }
    void SetValue(std::int32_t cValue);

    // Read-only views of the state a paint leaves behind.
    [[nodiscard]] bool BufferInUse() const { return m_BufferInUse; }
    [[nodiscard]] bool HasBuffer() const { return m_BufferDC != nullptr; }
    [[nodiscard]] std::int32_t BufferWidth() const { return m_BufferWidth; }
    [[nodiscard]] std::int32_t BufferHeight() const { return m_BufferHeight; }
    [[nodiscard]] const Rect& TextRect() const { return m_TextRect; }
    [[nodiscard]] WindowHandle OwnWindow() const;

private:
    // Everything a paint reads; two paints with equal inputs draw the same pixels.
    struct PaintInputs {
        std::int32_t Color = 0;
        std::int32_t Max = 0;
        std::int32_t Value = 0;
        bool ShowText = false;
        std::int32_t Scrolling = 0;
        std::int32_t Orientation = 0;
        std::int32_t BrushStyle = 0;
        const PixelSurface* Image = nullptr;
        FontObject Font;
        WindowHandle Window = 0;
        int Width = 0;
        int Height = 0;
        const PixelSurface* Target = nullptr;
        Rect TextRect;
        BackgroundMode BkMode = BackgroundMode::Opaque;
        Pixel BkColor = 0;

        bool operator==(const PaintInputs&) const = default;
    };

    void UserControl_Initialize();
    void UserControl_Terminate();
    PixelSurface* EnsureBuffer(int width, int height);
    void CreateBuffer(int width, int height);
    void ReleaseBuffer();
    [[nodiscard]] Rect GetClientRect(WindowHandle window) const;
    [[nodiscard]] PaintInputs CurrentInputs() const;

    void CalcFillRect();
    void DrawXPBar();
    void DrawSearchingBlocks();
    void DrawBlockSeparators();
    void DrawXPBorder();
    void DrawPercentText();
    void CenterTextRect(std::string_view s);
    void DrawDarkText(std::string_view s);
    void DrawText(std::string_view s);

    void DrawFlatStyle();
    void DrawEtchedStyle();
    void DrawGradientFrameStyle();
    void DrawDarkStyle();
    void DrawHatchStyle();
    void DrawPictureStyle();

    // Gradient and line helpers that take colours by value.
    void Gradient(std::int32_t endColor, std::int32_t startColor, int x, int y, int x2, int y2,
                  bool horizontal);
    void FillSolidRect(const Rect& rect, std::int32_t color);
    void FrameSolidRect(const Rect& rect, Pixel color);

    std::int32_t m_Color = 0;
    PixelSurface* m_hDC = nullptr;
    WindowHandle m_hWnd = 0;
    std::int32_t m_Max = 0;
    std::int32_t m_Min = 0;
    std::int32_t m_Value = 0;
    bool m_ShowText = false;
    std::int32_t m_Scrolling = 0;
    std::int32_t m_Orientation = 0;
    std::int32_t m_BrushStyle = 0;
    Picture m_Image;
    bool m_BufferInUse = false;
    // The buffer's surface owns its raster, so it stands for the surface and its bitmap alike.
    std::unique_ptr<PixelSurface> m_BufferDC;
    std::shared_ptr<FontObject> m_Font;
    std::int32_t m_BufferWidth = 0;
    std::int32_t m_BufferHeight = 0;
    double m_FillFraction = 0.0;
    Rect m_ClientRect;
    Rect m_FillRect;
    Rect m_SeparatorRect;
    Rect m_TextRect;
    std::int32_t m_BlockSize = 0;
    std::int32_t m_BlockGap = 0;

    int m_ScaleWidth = 0;
    int m_ScaleHeight = 0;
    PixelSurface m_OwnSurface;
    std::unique_ptr<TextRenderer> m_TextRenderer;
    std::function<void(std::string_view)> m_PropertyChanged;
    std::function<void()> m_SurfaceChanged;
    bool m_HasPainted = false;
    bool m_LastPaintRepeats = false;
    PaintInputs m_LastInputs;
};

}  // namespace klarwell::progressbar
