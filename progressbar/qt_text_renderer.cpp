#include "progressbar/qt_text_renderer.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>

#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QString>

#include "progressbar/qt_color.h"

namespace klarwell::progressbar {

namespace {

// Format_RGBX8888 keeps bytes R, G, B, X in memory: a 0x00BBGGRR pixel on a little-endian machine.
static_assert(std::endian::native == std::endian::little);

QString ToQString(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

QFont QtTextRenderer::ToQFont(const FontObject& font) {
    QFont qfont(QString::fromStdString(font.Name));
    qfont.setStyleHint(QFont::SansSerif);
    qfont.setPixelSize(std::max(1, static_cast<int>(std::lround(font.Size * 96.0 / 72.0))));
    return qfont;
}

TextSize QtTextRenderer::Measure(std::string_view text, const FontObject& font) {
    const QFontMetrics metrics(ToQFont(font));
    return TextSize{metrics.horizontalAdvance(ToQString(text)), metrics.height()};
}

void QtTextRenderer::Draw(PixelSurface& surface, const Rect& rect, std::string_view text,
                          const FontObject& font, Pixel color) {
    if (rect.right <= rect.left || rect.bottom <= rect.top) {
        return;
    }
    const QRect clip = QRect(QPoint(rect.left, rect.top), QPoint(rect.right - 1, rect.bottom - 1))
                           .intersected(QRect(0, 0, surface.Width(), surface.Height()));
    if (clip.isEmpty()) {
        return;
    }
    // Qt reads the unused byte as alpha: make the clipped block opaque while it paints.
    const auto forEachPixel = [&](auto&& change) {
        for (int y = clip.top(); y <= clip.bottom(); ++y) {
            Pixel* row = surface.Data() + static_cast<std::ptrdiff_t>(y) * surface.Width();
            for (int x = clip.left(); x <= clip.right(); ++x) {
                change(row[x]);
            }
        }
    };
    forEachPixel([](Pixel& p) { p |= 0xFF000000U; });
    {
        QImage image(reinterpret_cast<uchar*>(surface.Data()), surface.Width(), surface.Height(),
                     static_cast<qsizetype>(surface.Width()) * 4, QImage::Format_RGBX8888);
        QPainter painter(&image);
        painter.setClipRect(clip);
        painter.setFont(ToQFont(font));
        painter.setPen(QColor(ToQRgb(color)));
        const QFontMetrics metrics(painter.font());
        painter.drawText(QPoint(rect.left, rect.top + metrics.ascent()), ToQString(text));
    }
    forEachPixel([](Pixel& p) { p &= 0x00FFFFFFU; });
}

}  // namespace klarwell::progressbar
