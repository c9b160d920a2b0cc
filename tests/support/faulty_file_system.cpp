#include "tests/support/faulty_file_system.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <utility>

namespace klarwell::testing {

namespace {

// Sets errno and says so when an error is chosen.
bool Fails(int error) {
    if (error != 0) {
        errno = error;
    }
    return error != 0;
}

}  // namespace

FaultyFileSystem::FaultyFileSystem(Faults faults)
    : PosixFileSystem(InjectingCalls(this)), m_Faults(std::move(faults)) {}

// The calls run only once the object is whole.
engine::SystemCalls FaultyFileSystem::InjectingCalls(FaultyFileSystem* self) {
    engine::SystemCalls calls;
    calls.RenameAt2 = [self](int fromFolder, const char* from, int toFolder, const char* to,
                             unsigned flags) {
        return Fails(self->m_Faults.NoReplaceError)
                   ? -1
                   : ::renameat2(fromFolder, from, toFolder, to, flags);
    };
    calls.Link = [self](int fromFolder, const char* from, int toFolder, const char* to) {
        return Fails(self->m_Faults.LinkError) ? -1 : ::linkat(fromFolder, from, toFolder, to, 0);
    };
    calls.Unlink = [self](int folder, const char* name) {
        const bool chosen = std::filesystem::path(name).filename() == self->m_Faults.RemoveName;
        return Fails(chosen ? self->m_Faults.RemoveError : 0) ? -1 : ::unlinkat(folder, name, 0);
    };
    calls.Write = [self](int fd, const void* data, std::size_t size) -> ssize_t {
        if (!self->m_WriteFaultActive) {
            return ::write(fd, data, size);
        }
        if (Fails(self->m_WriteLeft == 0 ? self->m_Faults.WriteError : 0)) {
            return -1;
        }
        const ssize_t written = ::write(fd, data, std::min(size, self->m_WriteLeft));
        self->m_WriteLeft -= static_cast<std::size_t>(std::max<ssize_t>(written, 0));
        return written;
    };
    return calls;
}

std::filesystem::path FaultyFileSystem::FindIgnoringCase(const std::filesystem::path& path) const {
    if (!m_Faults.IgnoreCase || PosixFileSystem::Exists(path)) {
        return path;
    }
    const auto folded = [](std::string_view bytes) {
        std::string name(bytes);
        std::transform(name.begin(), name.end(), name.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        return name;
    };
    for (const std::string_view name : PosixFileSystem::ListFiles(path.parent_path()).Names) {
        if (folded(name) == folded(path.filename().native())) {
            return path.parent_path() / name;
        }
    }
    return path;
}

bool FaultyFileSystem::Exists(const std::filesystem::path& path) const {
    return PosixFileSystem::Exists(FindIgnoringCase(path));
}

std::error_code FaultyFileSystem::RenameFault(const std::filesystem::path& from,
                                              const std::filesystem::path& to) {
    const std::string& name = m_Faults.RenameName;
    if (from.filename() == name || to.filename() == name) {
        return {m_Faults.RenameError, std::generic_category()};
    }
    if (m_Faults.BeforeRename) {
        m_Faults.BeforeRename(from);
    }
    return {};
}

std::error_code FaultyFileSystem::Rename(const std::filesystem::path& from,
                                         const std::filesystem::path& to) {
    if (const std::error_code ec = RenameFault(from, to)) {
        return ec;
    }
    return PosixFileSystem::Rename(from, to);
}

std::error_code FaultyFileSystem::RenameNoReplace(const std::filesystem::path& from,
                                                  const std::filesystem::path& to) {
    if (const std::error_code ec = RenameFault(from, to)) {
        return ec;
    }
    // A case-blind file system refuses a target that differs from an existing name in case only.
    if (m_Faults.IgnoreCase && Exists(to)) {
        return std::make_error_code(std::errc::file_exists);
    }
    return PosixFileSystem::RenameNoReplace(from, to);
}

std::error_code FaultyFileSystem::AppendLine(const std::filesystem::path& file,
                                             std::string_view line) {
    const bool folder =
        m_Faults.AppendFolder.empty() || file.parent_path() == m_Faults.AppendFolder;
    if (m_Faults.AppendError != 0 && folder) {
        return {m_Faults.AppendError, std::generic_category()};
    }
    m_WriteFaultActive = m_Faults.WriteError != 0 && file.parent_path() == m_Faults.WriteFolder;
    m_WriteLeft = m_Faults.WriteLimit;
    return PosixFileSystem::AppendLine(file, line);
}

std::error_code FaultyFileSystem::Sync(const std::filesystem::path& path) {
    m_Synced.push_back(path);
    return PosixFileSystem::Sync(path);
}

engine::SameFileResult FaultyFileSystem::IsSameFile(const std::filesystem::path& a,
                                                    const std::filesystem::path& b) const {
    return PosixFileSystem::IsSameFile(FindIgnoringCase(a), FindIgnoringCase(b));
}

}  // namespace klarwell::testing
