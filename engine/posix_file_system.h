#pragma once

#include <sys/types.h>

#include <cstddef>
#include <functional>

#include "engine/file_system.h"

namespace klarwell::engine {

// The system calls whose failures the kernel will not give on demand; tests replace them.
struct SystemCalls {
    std::function<int(const char* from, const char* to, unsigned flags)> RenameAt2;
    std::function<int(const char* from, const char* to)> Link;
    std::function<int(const char* path)> Unlink;
    std::function<ssize_t(int fd, const void* data, std::size_t size)> Write;
};

class PosixFileSystem : public FileSystem {
public:
    PosixFileSystem();
    explicit PosixFileSystem(SystemCalls calls);

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
    [[nodiscard]] std::error_code WriteAll(int fd, std::string_view bytes);

    SystemCalls m_Calls;
};

}  // namespace klarwell::engine
