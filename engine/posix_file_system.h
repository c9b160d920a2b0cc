#pragma once

#include <sys/types.h>

#include <cstddef>
#include <functional>
#include <string>

#include "engine/file_system.h"

namespace klarwell::engine {

// The system calls whose failures the kernel will not give on demand; tests replace them. A name
// is given relative to a folder descriptor (AT_FDCWD: the name is a path).
struct SystemCalls {
    std::function<int(int fromFolder, const char* from, int toFolder, const char* to,
                      unsigned flags)>
        RenameAt2;
    std::function<int(int fromFolder, const char* from, int toFolder, const char* to)> Link;
    std::function<int(int folder, const char* name)> Unlink;
    std::function<ssize_t(int fd, const void* data, std::size_t size)> Write;
};

class PosixFileSystem : public FileSystem {
public:
    PosixFileSystem();
    explicit PosixFileSystem(SystemCalls calls);
    ~PosixFileSystem() override;
    PosixFileSystem(const PosixFileSystem&) = delete;
    PosixFileSystem& operator=(const PosixFileSystem&) = delete;

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
    [[nodiscard]] SameFileResult IsSameFile(const std::filesystem::path& a,
                                            const std::filesystem::path& b) const override;
    [[nodiscard]] FolderListing ListFiles(const std::filesystem::path& folder) const override;

private:
    // A name directly in the held folder, relative to it; any other path as it is.
    struct Entry {
        int Folder;
        const char* Name;
    };
    [[nodiscard]] Entry At(const std::filesystem::path& path) const;
    [[nodiscard]] bool IsHeldFolder(const std::filesystem::path& folder) const;
    [[nodiscard]] std::error_code WriteAll(int fd, std::string_view bytes);

    SystemCalls m_Calls;
    std::string m_HeldPath;
    int m_HeldFolder = -1;
};

}  // namespace klarwell::engine
