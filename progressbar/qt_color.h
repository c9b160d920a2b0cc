#pragma once

#include <QRgb>

#include "progressbar/pixel_surface.h"

namespace klarwell::progressbar {

// The bar's 0x00BBGGRR pixels and Qt's 0xAARRGGBB colours, opaque.
inline QRgb ToQRgb(Pixel pixel) {
    return qRgb(Red(pixel), Green(pixel), Blue(pixel));
}
inline Pixel FromQRgb(QRgb color) {
    return Rgb(qRed(color), qGreen(color), qBlue(color));
}

}  // namespace klarwell::progressbar
