#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>

#include "engine/name_list.h"

namespace klarwell::engine {

struct SameFileResult {
    // Both paths are one directory entry's file: a hard link, or a case-only difference on a file
    // system that ignores letter case.
    bool Same = false;
    // The first path is a symbolic link (or a chain of them) that ends at the second path's file,
    // so replacing the second by the first would leave a link to nothing.
    bool LeadsTo = false;
    std::error_code Error;
};

struct FolderListing {
    // Bare names of the entries that are not folders, as the file system gives them (bytes).
    NameList Names;
    std::error_code Error;
};

// The only way the engine touches the disk, so tests can inject failures. No member throws.
class FileSystem {
public:
    virtual ~FileSystem() = default;
    // Holds the folder open until the next call (an empty path lets go). Meanwhile the calls below
    // on a name directly in it reach this folder, even when its path is renamed or replaced by a
    // link, and need not walk the path each time. A file system without descriptors ignores it.
    virtual std::error_code HoldFolder(const std::filesystem::path& folder) {
        static_cast<void>(folder);
        return {};
    }
    // True when the path names something that exists (file or folder); never fails.
    [[nodiscard]] virtual bool Exists(const std::filesystem::path& path) const = 0;
    // One rename(2): replaces an existing target in one step, so a failure leaves both as they
    // were.
    [[nodiscard]] virtual std::error_code Rename(const std::filesystem::path& from,
                                                 const std::filesystem::path& to) = 0;
    // A rename that fails with "file exists" instead of replacing a target that exists, also
    // when the target appears at the last moment.
    [[nodiscard]] virtual std::error_code RenameNoReplace(const std::filesystem::path& from,
                                                          const std::filesystem::path& to) = 0;
    [[nodiscard]] virtual std::error_code Remove(const std::filesystem::path& path) = 0;
    // Appends one CR LF-ended line to a regular file (created when missing) without ever
    // blocking. A file whose last line has no CR LF (a fragment a killed writer left) gets CR LF
    // first; a write that fails part-way is cut back, so the file keeps only whole lines.
    [[nodiscard]] virtual std::error_code AppendLine(const std::filesystem::path& file,
                                                     std::string_view line) = 0;
    // Puts what was written to the file or folder on the disk.
    [[nodiscard]] virtual std::error_code Sync(const std::filesystem::path& path) = 0;
    [[nodiscard]] virtual std::error_code CreateFolders(const std::filesystem::path& folder) = 0;
    [[nodiscard]] virtual SameFileResult IsSameFile(const std::filesystem::path& a,
                                                    const std::filesystem::path& b) const = 0;
    [[nodiscard]] virtual FolderListing ListFiles(const std::filesystem::path& folder) const = 0;
};

// Reasons of our own for refusing a step, told to the user like any system error.
enum class Refusal {
    NotARegularFile = 1,
    LinkToNewName,
};
[[nodiscard]] std::error_code MakeErrorCode(Refusal refusal);

}  // namespace klarwell::engine
