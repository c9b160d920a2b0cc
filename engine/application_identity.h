#pragma once

#include <string_view>

namespace klarwell::engine {

inline constexpr std::string_view kApplicationTitle = "Klarwell";
inline constexpr int kVersionMajor = 3;
inline constexpr int kVersionMinor = 0;
inline constexpr int kVersionRevision = 1;

}  // namespace klarwell::engine
