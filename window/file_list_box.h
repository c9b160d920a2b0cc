#pragma once

#include <filesystem>
#include <system_error>

#include <QListView>

#include "engine/file_system.h"
#include "engine/name_list.h"

namespace klarwell::window {

// A file list: the files (not folders) of one folder whose names match "*.mp3;*.krt;*.wav;*.mp2",
// letter case ignored, in the order a file manager shows them. Each entry keeps the name exactly as
// the file system gives it; what is shown is only for reading.
class FileListBox : public QListView {
public:
    FileListBox(const engine::FileSystem& fs, QWidget* parent);
    ~FileListBox() override;

    // Lists the folder anew. When it cannot be listed the list is left empty and the error
    // returned, so an unreadable folder never passes for an empty one.
    [[nodiscard]] std::error_code SetPath(const std::filesystem::path& folder);
    [[nodiscard]] const std::filesystem::path& Path() const { return m_Path; }
    [[nodiscard]] std::error_code Refresh();

    [[nodiscard]] int ListCount() const { return static_cast<int>(m_Names.size()); }
    [[nodiscard]] const engine::NameList& Names() const { return m_Names; }
    // The selected entry, or -1.
    [[nodiscard]] int ListIndex() const;
    // Selects the entry and scrolls it into view.
    void SetListIndex(int index);

private:
    class Model;

    const engine::FileSystem& m_FileSystem;
    std::filesystem::path m_Path;
    engine::NameList m_Names;
    Model* m_Model = nullptr;
};

}  // namespace klarwell::window
