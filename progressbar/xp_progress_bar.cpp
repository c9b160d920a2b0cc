#include "progressbar/xp_progress_bar.h"

#include <algorithm>
#include <utility>

#include "progressbar/internal/bar_math.h"

namespace klarwell::progressbar {

namespace {

using internal::AsColor;
using internal::TranslateColor;

constexpr std::int32_t kDefaultColor = static_cast<std::int32_t>(0x8000000DU);
constexpr std::int32_t kDefaultBrushStyle = 4;

}  // namespace

XP_ProgressBar::XP_ProgressBar(int width, int height, std::unique_ptr<TextRenderer> textRenderer)
    : m_ScaleWidth(std::max(width, 0)),
      m_ScaleHeight(std::max(height, 0)),
      m_OwnSurface(width, height),
      m_TextRenderer(std::move(textRenderer)) {
    UserControl_Initialize();
}

XP_ProgressBar::~XP_ProgressBar() {
    UserControl_Terminate();
}

WindowHandle XP_ProgressBar::OwnWindow() const {
    return reinterpret_cast<WindowHandle>(this);
}

void XP_ProgressBar::Resize(int width, int height) {
    if (std::max(width, 0) != m_ScaleWidth || std::max(height, 0) != m_ScaleHeight) {
        m_ScaleWidth = std::max(width, 0);
        m_ScaleHeight = std::max(height, 0);
        m_OwnSurface = PixelSurface(width, height);
    }
    UserControl_Resize();
}

void XP_ProgressBar::SetPropertyChangedHandler(std::function<void(std::string_view)> handler) {
    m_PropertyChanged = std::move(handler);
}

void XP_ProgressBar::SetSurfaceChangedHandler(std::function<void()> handler) {
    m_SurfaceChanged = std::move(handler);
}

XP_ProgressBar::PaintInputs XP_ProgressBar::CurrentInputs() const {
    PaintInputs inputs;
    inputs.Color = m_Color;
    inputs.Max = m_Max;
    inputs.Value = m_Value;
    inputs.ShowText = m_ShowText;
    inputs.Scrolling = m_Scrolling;
    inputs.Orientation = m_Orientation;
    inputs.BrushStyle = m_BrushStyle;
    inputs.Image = m_Image.get();
    inputs.Font = m_Font ? *m_Font : FontObject{};
    inputs.Window = m_hWnd;
    inputs.Width = m_ScaleWidth;
    inputs.Height = m_ScaleHeight;
    inputs.Target = m_hDC;
    inputs.TextRect = m_TextRect;
    inputs.BkMode = m_hDC->BkMode();
    inputs.BkColor = m_hDC->BkColor();
    return inputs;
}

bool XP_ProgressBar::IsPictureSettled() const {
    return m_HasPainted && m_LastPaintRepeats && CurrentInputs() == m_LastInputs;
}

// Lifecycle.

void XP_ProgressBar::UserControl_Initialize() {
    SetFont(std::make_shared<FontObject>(FontObject{"Tahoma", 8.0}));
    Sethdc(&m_OwnSurface);
    Sethwnd(OwnWindow());
    m_Max = 100;
    m_Min = 0;
    m_Value = 0;
    m_Orientation = 0;
    m_Scrolling = 0;
    m_Color = AsColor(TranslateColor(kDefaultColor));
    DrawProgressBar();
}

void XP_ProgressBar::UserControl_ReadProperties(const PropertyStore& store) {
    SetBrushStyle(store.ReadInt(kBrushStyleName, kDefaultBrushStyle));
    SetColor(store.ReadInt(kColorName, kDefaultColor));
    m_Image = store.ReadPicture(kImageName);
    SetMax(store.ReadInt(kMaxName, 100));
    SetMin(store.ReadInt(kMinName, 0));
    SetOrientation(store.ReadInt(kOrientationName, 0));
    SetScrolling(store.ReadInt(kScrollingName, 0));
    SetShowText(store.ReadBool(kShowTextName, false));
    SetValue(store.ReadInt(kValueName, 0));
}

void XP_ProgressBar::UserControl_WriteProperties(PropertyStore& store) const {
    store.WriteProperty(kBrushStyleName, m_BrushStyle, kDefaultBrushStyle);
    store.WriteProperty(kColorName, m_Color, kDefaultColor);
    store.WriteProperty(kImageName, m_Image, Picture{});
    store.WriteProperty(kMaxName, m_Max, 100);
    store.WriteProperty(kMinName, m_Min, 0);
    store.WriteProperty(kOrientationName, m_Orientation, 0);
    store.WriteProperty(kScrollingName, m_Scrolling, 0);
    store.WriteProperty(kShowTextName, m_ShowText, false);
    store.WriteProperty(kValueName, m_Value, 0);
}

void XP_ProgressBar::UserControl_Paint() {
    DrawProgressBar();
}

void XP_ProgressBar::UserControl_Resize() {
    Sethdc(&m_OwnSurface);
}

void XP_ProgressBar::UserControl_Terminate() {
    ReleaseBuffer();
}

// Buffer.

PixelSurface* XP_ProgressBar::EnsureBuffer(int width, int height) {
    if (m_BufferDC) {
        if (width > m_BufferWidth || height > m_BufferHeight) {
            CreateBuffer(width, height);
        }
    } else if (width > 0 && height > 0) {
        CreateBuffer(width, height);
    }
    return m_BufferDC.get();
}

void XP_ProgressBar::CreateBuffer(int width, int height) {
    ReleaseBuffer();
    auto buffer = std::make_unique<PixelSurface>(width, height);
    if (!buffer->Valid()) {
        return;  // too large to make: paint straight onto the own surface
    }
    m_BufferDC = std::move(buffer);
    m_BufferWidth = width;
    m_BufferHeight = height;
}

void XP_ProgressBar::ReleaseBuffer() {
    if (m_hDC == m_BufferDC.get()) {
        m_hDC = &m_OwnSurface;
    }
    m_BufferDC.reset();
    m_BufferWidth = 0;
    m_BufferHeight = 0;
}

Rect XP_ProgressBar::GetClientRect(WindowHandle window) const {
    if (window != OwnWindow()) {
        return Rect{};  // no window of ours: nothing to measure
    }
    return Rect{0, 0, m_ScaleWidth, m_ScaleHeight};
}

// Properties.

void XP_ProgressBar::SetBrushStyle(std::int32_t Style) {
    m_BrushStyle = Style;
}

void XP_ProgressBar::SetColor(std::int32_t lColor) {
    m_Color = AsColor(TranslateColor(lColor));
    DrawProgressBar();
}

void XP_ProgressBar::SetFont(std::shared_ptr<FontObject> fnt) {
    m_Font = std::move(fnt);
}

void XP_ProgressBar::Sethwnd(WindowHandle chWnd) {
    m_hWnd = chWnd;
}

void XP_ProgressBar::Sethdc(PixelSurface* /*cHdc*/) {
    m_hDC = EnsureBuffer(m_ScaleWidth, m_ScaleHeight);
    if (m_hDC == nullptr) {
        m_hDC = &m_OwnSurface;
    } else {
        m_BufferInUse = true;
    }
}

void XP_ProgressBar::SetImage(Picture handle) {
    m_Image = std::move(handle);
    if (m_PropertyChanged) {
        m_PropertyChanged(kImageName);
    }
    DrawProgressBar();
}

void XP_ProgressBar::SetMin(std::int32_t cMin) {
    m_Min = cMin;
}

void XP_ProgressBar::SetMax(std::int32_t cMax) {
    m_Max = cMax;
}

void XP_ProgressBar::SetOrientation(std::int32_t cOrientation) {
    m_Orientation = cOrientation;
    DrawProgressBar();
}

void XP_ProgressBar::SetScrolling(std::int32_t lScrolling) {
    m_Scrolling = lScrolling;
    DrawProgressBar();
}

void XP_ProgressBar::SetShowText(bool bShowText) {
    m_ShowText = bShowText;
    DrawProgressBar();
}

void XP_ProgressBar::SetValue(std::int32_t cValue) {
    m_Value = cValue;
    DrawProgressBar();
}

}  // namespace klarwell::progressbar
