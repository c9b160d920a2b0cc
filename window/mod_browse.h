#pragma once

#include <filesystem>
#include <string_view>

class QString;
class QWidget;

namespace klarwell::window {

// The system's folder chooser, modal to `owner`, showing folders only. Returns the chosen folder
// as the file system names it (no trailing separator unless it is the root), or an empty path
// when the user cancels.
[[nodiscard]] std::filesystem::path BrowseFolder(QWidget* owner, std::string_view title);

// The chosen folder as the file system names it. The dialog speaks QString, which cannot carry a
// name that is not UTF-8: such a part is found again among its folder's entries by the name it
// shows. When two entries show the same name none is guessed, so the wrong folder is never
// cleaned; the result is then empty, as for a cancel.
[[nodiscard]] std::filesystem::path ChosenFolderBytes(const QString& chosen);

}  // namespace klarwell::window
