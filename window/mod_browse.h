#pragma once

#include <filesystem>
#include <string_view>

class QWidget;

namespace klarwell::window {

// The system's folder chooser, modal to `owner`, showing folders only. Returns the chosen folder
// as the file system names it (no trailing separator unless it is the root), or an empty path
// when the user cancels.
[[nodiscard]] std::filesystem::path BrowseFolder(QWidget* owner, std::string_view title);

// A chosen folder without its trailing separators; the root stays "/".
[[nodiscard]] std::filesystem::path WithoutTrailingSeparator(std::filesystem::path folder);

}  // namespace klarwell::window
