#include "tests/support/faulty_file_system.h"

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
    if (const auto it = m_RemoveFailures.find(path.filename().native());
        it != m_RemoveFailures.end()) {
        return Errno(it->second);
    }
    return m_Real.Remove(path);
}

std::error_code FaultyFileSystem::AppendToFile(const std::filesystem::path& file,
                                               std::string_view bytes) {
    ++m_AppendCalls;
    for (const auto& [folder, error] : m_AppendFailures) {
        if (folder.empty() || file.parent_path() == folder) {
            return Errno(error);
        }
    }
    return m_Real.AppendToFile(file, bytes);
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
    if (m_ListingError != 0) {
        return {{}, Errno(m_ListingError)};
    }
    return m_Real.ListFiles(folder);
}

}  // namespace klarwell::testing
