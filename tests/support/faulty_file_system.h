#pragma once

#include <functional>
#include <map>
#include <string>

#include "engine/posix_file_system.h"

namespace klarwell::testing {

// The real file system, with chosen calls failing with chosen errno values, and optionally the
// letter-case blindness of a case-insensitive file system. Names are bare file names.
class FaultyFileSystem : public engine::FileSystem {
public:
    // A rename (either kind) whose source or target has this name fails.
    void FailRename(std::string name, int error) { m_RenameFailures[std::move(name)] = error; }
    void FailRemove(std::string name, int error) { m_RemoveFailures[std::move(name)] = error; }
    // Appends to a file in this folder fail; an empty folder fails every append.
    void FailAppendsIn(std::filesystem::path folder, int error);
    void FailCreateFolders(int error) { m_CreateFoldersError = error; }
    void FailListing(int error) { m_ListingError = error; }
    // Names in one folder that differ only in ASCII letter case reach the same file.
    void IgnoreLetterCase() { m_IgnoreCase = true; }
    // Runs just before each rename reaches the disk (to make a file vanish, for instance).
    void BeforeRename(std::function<void(const std::filesystem::path& from)> action) {
        m_BeforeRename = std::move(action);
    }

    [[nodiscard]] int RenameCalls() const { return m_RenameCalls; }
    [[nodiscard]] int RemoveCalls() const { return m_RemoveCalls; }
    [[nodiscard]] int AppendCalls() const { return m_AppendCalls; }

    [[nodiscard]] bool Exists(const std::filesystem::path& path) const override;
    [[nodiscard]] std::error_code Rename(const std::filesystem::path& from,
                                         const std::filesystem::path& to) override;
    [[nodiscard]] std::error_code RenameNoReplace(const std::filesystem::path& from,
                                                  const std::filesystem::path& to) override;
    [[nodiscard]] std::error_code Remove(const std::filesystem::path& path) override;
    [[nodiscard]] std::error_code AppendToFile(const std::filesystem::path& file,
                                               std::string_view bytes) override;
    [[nodiscard]] std::error_code CreateFolders(const std::filesystem::path& folder) override;
    [[nodiscard]] engine::SameFileResult IsSameFile(const std::filesystem::path& a,
                                                    const std::filesystem::path& b) const override;
    [[nodiscard]] engine::FolderListing ListFiles(
        const std::filesystem::path& folder) const override;

private:
    // Counts the call, runs the pre-rename action and returns the chosen failure, if any.
    [[nodiscard]] std::error_code InjectedRenameError(const std::filesystem::path& from,
                                                      const std::filesystem::path& to);
    [[nodiscard]] std::filesystem::path FindIgnoringCase(const std::filesystem::path& path) const;

    engine::PosixFileSystem m_Real;
    std::map<std::string, int> m_RenameFailures;
    std::map<std::string, int> m_RemoveFailures;
    std::map<std::filesystem::path, int> m_AppendFailures;
    int m_CreateFoldersError = 0;
    int m_ListingError = 0;
    bool m_IgnoreCase = false;
    std::function<void(const std::filesystem::path&)> m_BeforeRename;
    int m_RenameCalls = 0;
    int m_RemoveCalls = 0;
    int m_AppendCalls = 0;
};

}  // namespace klarwell::testing
