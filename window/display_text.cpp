#include "window/display_text.h"

#include <cstddef>

namespace klarwell::window {

namespace {

bool IsContinuation(unsigned char c) {
    return (c & 0xC0U) == 0x80U;
}

// Length of the valid UTF-8 sequence starting at `at`, or 0 when the byte there starts none
// (stray continuation, overlong form, surrogate, beyond U+10FFFF, cut short).
std::size_t ValidSequenceLength(std::string_view bytes, std::size_t at) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(bytes[at + i]); };
    const unsigned char lead = byte(0);
    std::size_t length = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (lead < 0x80U) {
        return 1;
    } else if (lead >= 0xC2U && lead <= 0xDFU) {
        length = 2;
    } else if (lead >= 0xE0U && lead <= 0xEFU) {
        length = 3;
        low = lead == 0xE0U ? 0xA0 : 0x80;
        high = lead == 0xEDU ? 0x9F : 0xBF;
    } else if (lead >= 0xF0U && lead <= 0xF4U) {
        length = 4;
        low = lead == 0xF0U ? 0x90 : 0x80;
        high = lead == 0xF4U ? 0x8F : 0xBF;
    } else {
        return 0;
    }
    if (at + length > bytes.size()) {
        return 0;
    }
    if (byte(1) < low || byte(1) > high) {
        return 0;
    }
    for (std::size_t i = 2; i < length; ++i) {
        if (!IsContinuation(byte(i))) {
            return 0;
        }
    }
    return length;
}

}  // namespace

QString DisplayText(std::string_view bytes) {
    QString text;
    text.reserve(static_cast<qsizetype>(bytes.size()));
    std::size_t runStart = 0;
    std::size_t at = 0;
    const auto flushRun = [&] {
        text += QString::fromUtf8(bytes.data() + runStart, static_cast<qsizetype>(at - runStart));
    };
    while (at < bytes.size()) {
        const std::size_t length = ValidSequenceLength(bytes, at);
        if (length > 0) {
            at += length;
            continue;
        }
        flushRun();
        text += QStringLiteral("\\x") + QString::number(static_cast<unsigned char>(bytes[at]), 16)
                                            .toUpper()
                                            .rightJustified(2, QLatin1Char('0'));
        ++at;
        runStart = at;
    }
    flushRun();
    return text;
}

}  // namespace klarwell::window
