#include "window/display_text.h"

#include <cstddef>
#include <string>

#include "engine/name_bytes.h"

namespace klarwell::window {

QString DisplayText(std::string_view bytes) {
    QString text;
    std::size_t runStart = 0;
    std::size_t at = 0;
    const auto flushRun = [&] {
        text += QString::fromUtf8(bytes.data() + runStart, static_cast<qsizetype>(at - runStart));
    };
    while (at < bytes.size()) {
        const std::size_t length = engine::Utf8SequenceLength(bytes.substr(at));
        if (length > 0) {
            at += length;
            continue;
        }
        flushRun();
        std::string escape;
        engine::AppendHexEscape(escape, "\\x", static_cast<unsigned char>(bytes[at]));
        text += QString::fromLatin1(escape.data(), static_cast<qsizetype>(escape.size()));
        ++at;
        runStart = at;
    }
    flushRun();
    return text;
}

}  // namespace klarwell::window
