#include "engine/internal/name_parts.h"

#include <algorithm>
#include <string>

#include "engine/name_bytes.h"

namespace klarwell::engine {

bool IsExtensionIn(std::string_view extension, std::span<const std::string_view> known) {
    return std::any_of(known.begin(), known.end(), [extension](std::string_view candidate) {
        return std::equal(extension.begin(), extension.end(), candidate.begin(), candidate.end(),
                          [](char e, char k) { return AsciiUpper(e) == k; });
    });
}

std::filesystem::path FullPath(const std::filesystem::path& folder, std::string_view name) {
    std::string path = folder.native();
    path += '/';
    path += name;
    return path;
}

std::size_t PaddingWidth(int digitCount) {
    return static_cast<std::size_t>(std::clamp(digitCount, 0, kWidestIndex));
}

}  // namespace klarwell::engine
