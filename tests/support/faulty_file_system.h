#pragma once

#include <cstddef>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "engine/posix_file_system.h"

namespace klarwell::testing {

// The real file system, with chosen calls failing with chosen errno values, and optionally the
// letter-case blindness of a case-insensitive file system. Names are bare file names.
class FaultyFileSystem : public engine::FileSystem {
public:
    FaultyFileSystem();

    // A rename (either kind) whose source or target has this name fails.
    void FailRename(std::string name, int error) { m_RenameFailures[std::move(name)] = error; }
    // Every unlink(2) of this name fails, also the one that completes a rename by hard link.
    void FailRemove(std::string name, int error) { m_RemoveFailures[std::move(name)] = error; }
    // The file system takes no RENAME_NOREPLACE (a FUSE mount answers EINVAL).
    void RefuseNoReplace(int error) { m_NoReplaceError = error; }
    // link(2) fails with this error (EPERM: the file system has no hard links).
    void FailLinks(int error) { m_LinkError = error; }
    // Each line appended to a file in this folder stops after this many bytes with this error.
    void FailWritesAfter(std::filesystem::path folder, std::size_t bytes, int error) {
        m_WriteFolder = std::move(folder);
        m_WriteLimit = bytes;
        m_WriteError = error;
    }
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
    [[nodiscard]] int ListingCalls() const { return m_ListingCalls; }
    [[nodiscard]] const std::vector<std::filesystem::path>& Synced() const { return m_Synced; }

    std::error_code HoldFolder(const std::filesystem::path& folder) override;
    [[nodiscard]] bool Exists(const std::filesystem::path& path) const override;
    [[nodiscard]] std::error_code Rename(const std::filesystem::path& from,
                                         const std::filesystem::path& to) override;
    [[nodiscard]] std::error_code RenameNoReplace(const std::filesystem::path& from,
                                                  const std::filesystem::path& to) override;
    [[nodiscard]] std::error_code Remove(const std::filesystem::path& path) override;
    [[nodiscard]] std::error_code AppendLine(const std::filesystem::path& file,
                                             std::string_view line) override;
    [[nodiscard]] std::error_code Sync(const std::filesystem::path& path) override;
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

    [[nodiscard]] engine::SystemCalls InjectingCalls();

    engine::PosixFileSystem m_Real;
    std::map<std::string, int> m_RenameFailures;
    std::map<std::string, int> m_RemoveFailures;
    std::map<std::filesystem::path, int> m_AppendFailures;
    int m_CreateFoldersError = 0;
    int m_NoReplaceError = 0;
    int m_LinkError = 0;
    std::filesystem::path m_WriteFolder;
    std::size_t m_WriteLimit = 0;
    bool m_WriteFaultActive = false;
    std::size_t m_WriteLeft = 0;
    int m_WriteError = 0;
    mutable int m_ListingCalls = 0;
    std::vector<std::filesystem::path> m_Synced;
    int m_ListingError = 0;
    bool m_IgnoreCase = false;
    std::function<void(const std::filesystem::path&)> m_BeforeRename;
    int m_RenameCalls = 0;
    int m_RemoveCalls = 0;
    int m_AppendCalls = 0;
};

}  // namespace klarwell::testing
