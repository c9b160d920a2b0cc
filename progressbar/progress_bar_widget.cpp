#include "progressbar/progress_bar_widget.h"

#include <memory>

#include <QPaintEvent>
#include <QPainter>
#include <QResizeEvent>

#include "progressbar/qt_color.h"
#include "progressbar/qt_text_renderer.h"

namespace klarwell::progressbar {

ProgressBarWidget::ProgressBarWidget(QWidget* parent)
    : QWidget(parent), m_Bar(0, 0, std::make_unique<QtTextRenderer>()) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_Bar.SetSurfaceChangedHandler([this] { ShowSurface(); });
}

XP_ProgressBar& ProgressBarWidget::Bar() {
    SyncSize();
    return m_Bar;
}

bool ProgressBarWidget::SyncSize() {
    if (m_Bar.ScaleWidth() == width() && m_Bar.ScaleHeight() == height()) {
        return false;
    }
    m_Bar.Resize(width(), height());
    return true;
}

void ProgressBarWidget::ReadProperties(const PropertyStore& store) {
    SyncSize();
    m_Bar.UserControl_ReadProperties(store);
}

void ProgressBarWidget::SetValue(int value) {
    SyncSize();
    if (value == m_Bar.Value() && m_Bar.IsPictureSettled()) {
        return;  // the same picture again: nothing to draw or copy
    }
    m_Bar.SetValue(value);
}

void ProgressBarWidget::ShowSurface() {
    // The component has just drawn; a paint event would only draw the same picture again.
    if (m_InPaint) {
        return;
    }
    m_ScreenCurrent = true;
    repaint();
    m_ScreenCurrent = false;
}

void ProgressBarWidget::paintEvent(QPaintEvent* /*event*/) {
    const bool resized = SyncSize();
    m_InPaint = true;
    if (!m_ScreenCurrent || resized) {
        m_Bar.UserControl_Paint();
    }
    m_InPaint = false;
    const PixelSurface& surface = m_Bar.OwnSurface();
    if (m_Screen.width() != surface.Width() || m_Screen.height() != surface.Height()) {
        m_Screen = QImage(surface.Width(), surface.Height(), QImage::Format_RGB32);
    }
    const Pixel* source = surface.Pixels().data();
    for (int y = 0; y < surface.Height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(m_Screen.scanLine(y));
        for (int x = 0; x < surface.Width(); ++x) {
            row[x] = ToQRgb(*source++);
        }
    }
    QPainter painter(this);
    painter.drawImage(0, 0, m_Screen);
}

void ProgressBarWidget::resizeEvent(QResizeEvent* event) {
    SyncSize();
    QWidget::resizeEvent(event);
}

}  // namespace klarwell::progressbar
