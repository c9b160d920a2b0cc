#pragma once

#include "engine/file_system.h"

namespace klarwell::engine {

class PosixFileSystem : public FileSystem {
public:
    [[nodiscard]] bool Exists(const std::filesystem::path& path) const override;
    [[nodiscard]] std::error_code Rename(const std::filesystem::path& from,
                                         const std::filesystem::path& to) override;
    [[nodiscard]] std::error_code RenameNoReplace(const std::filesystem::path& from,
                                                  const std::filesystem::path& to) override;
    [[nodiscard]] std::error_code Remove(const std::filesystem::path& path) override;
    [[nodiscard]] std::error_code AppendToFile(const std::filesystem::path& file,
                                               std::string_view bytes) override;
    [[nodiscard]] std::error_code CreateFolders(const std::filesystem::path& folder) override;
    [[nodiscard]] SameFileResult IsSameFile(const std::filesystem::path& a,
                                            const std::filesystem::path& b) const override;
    [[nodiscard]] FolderListing ListFiles(const std::filesystem::path& folder) const override;
};

}  // namespace klarwell::engine
