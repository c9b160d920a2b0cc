#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace klarwell::testing {

// A fresh folder under the system temp folder, removed with everything in it on destruction.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    [[nodiscard]] const std::filesystem::path& Path() const { return m_Path; }
    // Creates a file from a raw byte name with the given content.
    void CreateFile(std::string_view name, std::string_view content = {}) const;
    void CreateFolder(std::string_view name) const;
    // The entry names, sorted by bytes.
    [[nodiscard]] std::vector<std::string> Names() const;
    // The content of a file, or "<missing>" when it cannot be read.
    [[nodiscard]] std::string Read(std::string_view name) const;
    // Each entry, sorted: "name: content", "name -> link target", or "name/" for a folder.
    [[nodiscard]] std::vector<std::string> Entries() const;
    // Creates entries written as Entries() gives them, and "name => other" for a hard link.
    void Create(const std::vector<std::string>& entries) const;

private:
    std::filesystem::path m_Path;
};

}  // namespace klarwell::testing
