#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

namespace klarwell::engine {

struct SameFileResult {
    bool Same = false;
    std::error_code Error;
};

struct FolderListing {
    // Bare names of the entries that are not folders, as the file system gives them (bytes).
    std::vector<std::string> Names;
    std::error_code Error;
};

// The only way the engine touches the disk, so tests can inject failures. No member throws.
class FileSystem {
public:
    virtual ~FileSystem() = default;
    // True when the path names something that exists (file or folder); never fails.
    [[nodiscard]] virtual bool Exists(const std::filesystem::path& path) const = 0;
    // One rename(2): replaces an existing target in one step, so a failure leaves both as they
    // were.
    [[nodiscard]] virtual std::error_code Rename(const std::filesystem::path& from,
                                                 const std::filesystem::path& to) = 0;
    // One rename that fails with "file exists" instead of replacing a target that exists.
    [[nodiscard]] virtual std::error_code RenameNoReplace(const std::filesystem::path& from,
                                                          const std::filesystem::path& to) = 0;
    [[nodiscard]] virtual std::error_code Remove(const std::filesystem::path& path) = 0;
    // Opens the file for appending (creating it when missing), writes the bytes, closes it.
    [[nodiscard]] virtual std::error_code AppendToFile(const std::filesystem::path& file,
                                                       std::string_view bytes) = 0;
    [[nodiscard]] virtual std::error_code CreateFolders(const std::filesystem::path& folder) = 0;
    // Whether the two paths reach the same file (a hard link, or a case-only difference on a
    // file system that ignores letter case).
    [[nodiscard]] virtual SameFileResult IsSameFile(const std::filesystem::path& a,
                                                    const std::filesystem::path& b) const = 0;
    [[nodiscard]] virtual FolderListing ListFiles(const std::filesystem::path& folder) const = 0;
};

}  // namespace klarwell::engine
