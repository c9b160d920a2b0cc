#include "engine/posix_file_system.h"

#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace klarwell::engine {

namespace {

std::error_code LastError() {
    return {errno, std::generic_category()};
}

}  // namespace

// The entry itself counts, so a link that points nowhere is a name that is taken.
bool PosixFileSystem::Exists(const std::filesystem::path& path) const {
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0;
}

std::error_code PosixFileSystem::Rename(const std::filesystem::path& from,
                                        const std::filesystem::path& to) {
    if (::rename(from.c_str(), to.c_str()) != 0) {
        return LastError();
    }
    return {};
}

std::error_code PosixFileSystem::RenameNoReplace(const std::filesystem::path& from,
                                                 const std::filesystem::path& to) {
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) {
        return {};
    }
    if (errno != EINVAL && errno != ENOSYS) {
        return LastError();
    }
    // The file system cannot refuse a replace by itself: look first, then rename.
    if (Exists(to)) {
        return std::make_error_code(std::errc::file_exists);
    }
    return Rename(from, to);
}

std::error_code PosixFileSystem::Remove(const std::filesystem::path& path) {
    if (::unlink(path.c_str()) != 0) {
        return LastError();
    }
    return {};
}

std::error_code PosixFileSystem::AppendToFile(const std::filesystem::path& file,
                                              std::string_view bytes) {
    const int fd = ::open(file.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0) {
        return LastError();
    }
    std::error_code result;
    const char* data = bytes.data();
    std::size_t left = bytes.size();
    while (left > 0) {
        const ssize_t written = ::write(fd, data, left);
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            result = LastError();
            break;
        }
        data += written;
        left -= static_cast<std::size_t>(written);
    }
    if (::close(fd) != 0 && !result) {
        result = LastError();
    }
    return result;
}

std::error_code PosixFileSystem::CreateFolders(const std::filesystem::path& folder) {
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    return ec;
}

// Compares the entries, not what they point to: a symbolic link to the listed file is another
// file, which a rename may replace, while dropping the listed name would lose the content.
SameFileResult PosixFileSystem::IsSameFile(const std::filesystem::path& a,
                                           const std::filesystem::path& b) const {
    struct stat first {};
    struct stat second {};
    if (::lstat(a.c_str(), &first) != 0 || ::lstat(b.c_str(), &second) != 0) {
        return {false, LastError()};
    }
    return {first.st_dev == second.st_dev && first.st_ino == second.st_ino, {}};
}

FolderListing PosixFileSystem::ListFiles(const std::filesystem::path& folder) const {
    FolderListing listing;
    std::error_code ec;
    std::filesystem::directory_iterator it(folder, ec);
    for (const std::filesystem::directory_iterator end; !ec && it != end; it.increment(ec)) {
        std::error_code typeError;
        if (!it->is_directory(typeError)) {
            listing.Names.push_back(it->path().filename().native());
        }
    }
    listing.Error = ec;
    return listing;
}

}  // namespace klarwell::engine
