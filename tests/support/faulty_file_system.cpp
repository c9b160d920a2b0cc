#include "tests/support/faulty_file_system.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>

namespace klarwell::testing {

namespace {

std::error_code Errno(int error) {
    return {error, std::generic_category()};
}

bool EqualIgnoringCase(const std::string& a, const std::string& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) ==
               std::tolower(static_cast<unsigned char>(y));
    });
}

}  // namespace

FaultyFileSystem::FaultyFileSystem() : m_Real(InjectingCalls()) {}

engine::SystemCalls FaultyFileSystem::InjectingCalls() {
    engine::SystemCalls calls;
    calls.RenameAt2 = [this](int fromFolder, const char* from, int toFolder, const char* to,
                             unsigned flags) {
        if (m_NoReplaceError != 0) {
            errno = m_NoReplaceError;
            return -1;
        }
        return ::renameat2(fromFolder, from, toFolder, to, flags);
    };
    calls.Link = [this](int fromFolder, const char* from, int toFolder, const char* to) {
        if (m_LinkError != 0) {
            errno = m_LinkError;
            return -1;
        }
        return ::linkat(fromFolder, from, toFolder, to, 0);
    };
    calls.Unlink = [this](int folder, const char* name) {
        const auto it = m_RemoveFailures.find(std::filesystem::path(name).filename().native());
        if (it != m_RemoveFailures.end()) {
            errno = it->second;
            return -1;
        }
        return ::unlinkat(folder, name, 0);
    };
    calls.Write = [this](int fd, const void* data, std::size_t size) -> ssize_t {
        if (!m_WriteFaultActive) {
            return ::write(fd, data, size);
        }
        if (m_WriteLeft == 0) {
            errno = m_WriteError;
            return -1;
        }
        const ssize_t written = ::write(fd, data, std::min(size, m_WriteLeft));
        if (written > 0) {
            m_WriteLeft -= static_cast<std::size_t>(written);
        }
        return written;
    };
    return calls;
}

void FaultyFileSystem::FailAppendsIn(std::filesystem::path folder, int error) {
    m_AppendFailures[std::move(folder)] = error;
}

std::filesystem::path FaultyFileSystem::FindIgnoringCase(const std::filesystem::path& path) const {
    if (m_Real.Exists(path) || !m_IgnoreCase) {
        return path;
    }
    const engine::FolderListing listing = m_Real.ListFiles(path.parent_path());
    for (const std::string& name : listing.Names) {
        if (EqualIgnoringCase(name, path.filename().native())) {
            return path.parent_path() / name;
        }
    }
    return path;
}

std::error_code FaultyFileSystem::HoldFolder(const std::filesystem::path& folder) {
    return m_Real.HoldFolder(folder);
}

bool FaultyFileSystem::Exists(const std::filesystem::path& path) const {
    return m_Real.Exists(FindIgnoringCase(path));
}

std::error_code FaultyFileSystem::InjectedRenameError(const std::filesystem::path& from,
                                                      const std::filesystem::path& to) {
    ++m_RenameCalls;
    for (const auto& [name, error] : m_RenameFailures) {
        if (from.filename() == name || to.filename() == name) {
            return Errno(error);
        }
    }
    if (m_BeforeRename) {
        m_BeforeRename(from);
    }
    return {};
}

std::error_code FaultyFileSystem::Rename(const std::filesystem::path& from,
                                         const std::filesystem::path& to) {
    if (const std::error_code ec = InjectedRenameError(from, to)) {
        return ec;
    }
    return m_Real.Rename(from, to);
}

std::error_code FaultyFileSystem::RenameNoReplace(const std::filesystem::path& from,
                                                  const std::filesystem::path& to) {
    if (const std::error_code ec = InjectedRenameError(from, to)) {
        return ec;
    }
    // A case-blind file system refuses a target that differs from an existing name in case only.
    if (m_IgnoreCase && Exists(to)) {
        return Errno(EEXIST);
    }
    return m_Real.RenameNoReplace(from, to);
}

std::error_code FaultyFileSystem::Remove(const std::filesystem::path& path) {
    ++m_RemoveCalls;
    return m_Real.Remove(path);
}

std::error_code FaultyFileSystem::AppendLine(const std::filesystem::path& file,
                                             std::string_view line) {
    ++m_AppendCalls;
    for (const auto& [folder, error] : m_AppendFailures) {
        if (folder.empty() || file.parent_path() == folder) {
            return Errno(error);
        }
    }
    m_WriteFaultActive = m_WriteError != 0 && file.parent_path() == m_WriteFolder;
    m_WriteLeft = m_WriteLimit;
    return m_Real.AppendLine(file, line);
}

std::error_code FaultyFileSystem::Sync(const std::filesystem::path& path) {
    m_Synced.push_back(path);
    return m_Real.Sync(path);
}

std::error_code FaultyFileSystem::CreateFolders(const std::filesystem::path& folder) {
    if (m_CreateFoldersError != 0) {
        return Errno(m_CreateFoldersError);
    }
    return m_Real.CreateFolders(folder);
}

engine::SameFileResult FaultyFileSystem::IsSameFile(const std::filesystem::path& a,
                                                    const std::filesystem::path& b) const {
    return m_Real.IsSameFile(FindIgnoringCase(a), FindIgnoringCase(b));
}

engine::FolderListing FaultyFileSystem::ListFiles(const std::filesystem::path& folder) const {
    ++m_ListingCalls;
    if (m_ListingError != 0) {
        return {{}, Errno(m_ListingError)};
    }
    return m_Real.ListFiles(folder);
}

}  // namespace klarwell::testing
