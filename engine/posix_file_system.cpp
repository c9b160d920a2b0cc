#include "engine/posix_file_system.h"

#include <dirent.h>
#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <utility>

namespace klarwell::engine {

namespace {

constexpr std::string_view kLineEnd = "\r\n";

std::error_code LastError() {
    return {errno, std::generic_category()};
}

std::error_code Errno(int error) {
    return {error, std::generic_category()};
}

SystemCalls RealSystemCalls() {
    return {
        [](int fromFolder, const char* from, int toFolder, const char* to, unsigned flags) {
            return ::renameat2(fromFolder, from, toFolder, to, flags);
        },
        [](int fromFolder, const char* from, int toFolder, const char* to) {
            return ::linkat(fromFolder, from, toFolder, to, 0);
        },
        [](int folder, const char* name) { return ::unlinkat(folder, name, 0); },
        [](int fd, const void* data, std::size_t size) { return ::write(fd, data, size); },
    };
}

// Link errors that say the file system (or this file) takes no further hard link, as opposed to
// errors that a rename would meet as well.
bool LinksUnsupported(int error) {
    return error == EPERM || error == EOPNOTSUPP || error == ENOSYS || error == EMLINK ||
           error == EINVAL;
}

class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : m_Fd(fd) {}
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    FileDescriptor& operator=(FileDescriptor&& other) noexcept {
        std::swap(m_Fd, other.m_Fd);
        return *this;
    }
    ~FileDescriptor() {
        if (m_Fd >= 0) {
            static_cast<void>(::close(m_Fd));
        }
    }
    [[nodiscard]] int Get() const { return m_Fd; }
    // Closes now, so that a failing close is reported.
    [[nodiscard]] std::error_code Close() {
        const int fd = std::exchange(m_Fd, -1);
        return ::close(fd) == 0 ? std::error_code{} : LastError();
    }

private:
    int m_Fd;
};

// Whether the file ends with CR LF, looking at its last two bytes only.
bool EndsWithLineEnd(int fd, off_t size) {
    if (size < static_cast<off_t>(kLineEnd.size())) {
        return false;
    }
    char tail[2] = {};
    return ::pread(fd, tail, sizeof tail, size - 2) == 2 && tail[0] == '\r' && tail[1] == '\n';
}

// A link counts as what it leads to; one that leads nowhere is no folder.
bool IsFolder(int folder, const dirent& entry) {
    if (entry.d_type != DT_LNK && entry.d_type != DT_UNKNOWN) {
        return entry.d_type == DT_DIR;
    }
    struct stat info {};
    return ::fstatat(folder, entry.d_name, &info, 0) == 0 && S_ISDIR(info.st_mode);
}

}  // namespace

PosixFileSystem::PosixFileSystem() : m_Calls(RealSystemCalls()) {}

PosixFileSystem::PosixFileSystem(SystemCalls calls) : m_Calls(RealSystemCalls()) {
    if (calls.RenameAt2) {
        m_Calls.RenameAt2 = std::move(calls.RenameAt2);
    }
    if (calls.Link) {
        m_Calls.Link = std::move(calls.Link);
    }
    if (calls.Unlink) {
        m_Calls.Unlink = std::move(calls.Unlink);
    }
    if (calls.Write) {
        m_Calls.Write = std::move(calls.Write);
    }
}

PosixFileSystem::~PosixFileSystem() {
    static_cast<void>(HoldFolder({}));
}

std::error_code PosixFileSystem::HoldFolder(const std::filesystem::path& folder) {
    if (m_HeldFolder >= 0) {
        static_cast<void>(::close(m_HeldFolder));
    }
    m_HeldFolder = -1;
    m_HeldPath.clear();
    if (folder.empty()) {
        return {};
    }
    m_HeldFolder = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (m_HeldFolder < 0) {
        return LastError();
    }
    m_HeldPath = folder.native();
    return {};
}

bool PosixFileSystem::IsHeldFolder(const std::filesystem::path& folder) const {
    return m_HeldFolder >= 0 && folder.native() == m_HeldPath;
}

PosixFileSystem::Entry PosixFileSystem::At(const std::filesystem::path& path) const {
    const std::string& text = path.native();
    const std::size_t folderLength = m_HeldPath.size();
    if (m_HeldFolder >= 0 && text.size() > folderLength + 1 && text[folderLength] == '/' &&
        text.compare(0, folderLength, m_HeldPath) == 0 &&
        text.find('/', folderLength + 1) == std::string::npos) {
        return {m_HeldFolder, text.c_str() + folderLength + 1};
    }
    return {AT_FDCWD, text.c_str()};
}

// The entry itself counts, so a link that points nowhere is a name that is taken.
bool PosixFileSystem::Exists(const std::filesystem::path& path) const {
    const Entry entry = At(path);
    struct stat info {};
    return ::fstatat(entry.Folder, entry.Name, &info, AT_SYMLINK_NOFOLLOW) == 0;
}

std::error_code PosixFileSystem::Rename(const std::filesystem::path& from,
                                        const std::filesystem::path& to) {
    const Entry source = At(from);
    const Entry target = At(to);
    if (::renameat(source.Folder, source.Name, target.Folder, target.Name) != 0) {
        return LastError();
    }
    return {};
}

std::error_code PosixFileSystem::RenameNoReplace(const std::filesystem::path& from,
                                                 const std::filesystem::path& to) {
    const Entry source = At(from);
    const Entry target = At(to);
    if (m_Calls.RenameAt2(source.Folder, source.Name, target.Folder, target.Name,
                          RENAME_NOREPLACE) == 0) {
        return {};
    }
    if (errno != EINVAL && errno != ENOSYS) {
        return LastError();
    }
    // The file system cannot refuse a replace within the rename (a FUSE or network mount). A hard
    // link to the new name is refused by the kernel itself when the name is taken.
    if (m_Calls.Link(source.Folder, source.Name, target.Folder, target.Name) == 0) {
        if (m_Calls.Unlink(source.Folder, source.Name) == 0) {
            return {};
        }
        const std::error_code unlinkError = LastError();
        // Take the new name away again, so the file is left as it was; both names lead to the one
        // file, so nothing is lost should that fail too.
        static_cast<void>(m_Calls.Unlink(target.Folder, target.Name));
        return unlinkError;
    }
    if (!LinksUnsupported(errno)) {
        return LastError();
    }
    // Last resort, on a file system with neither: look, then rename. A file that appears between
    // the two calls is replaced; nothing narrower is left to use here.
    if (Exists(to)) {
        return Errno(EEXIST);
    }
    return Rename(from, to);
}

std::error_code PosixFileSystem::Remove(const std::filesystem::path& path) {
    const Entry entry = At(path);
    if (m_Calls.Unlink(entry.Folder, entry.Name) != 0) {
        return LastError();
    }
    return {};
}

std::error_code PosixFileSystem::WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = m_Calls.Write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return LastError();
        }
        if (written == 0) {
            return Errno(EIO);
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return {};
}

std::error_code PosixFileSystem::AppendLine(const std::filesystem::path& file,
                                            std::string_view line) {
    // Without blocking: a FIFO under the log's name must not stop the run. Read access is only
    // needed to look at the last line's end.
    constexpr int kFlags = O_APPEND | O_CREAT | O_CLOEXEC | O_NONBLOCK;
    FileDescriptor fd(::open(file.c_str(), O_RDWR | kFlags, 0644));
    const bool readable = fd.Get() >= 0;
    if (!readable && errno == EACCES) {
        fd = FileDescriptor(::open(file.c_str(), O_WRONLY | kFlags, 0644));
    }
    if (fd.Get() < 0) {
        return LastError();
    }
    struct stat info {};
    if (::fstat(fd.Get(), &info) != 0) {
        return LastError();
    }
    if (!S_ISREG(info.st_mode)) {
        return MakeErrorCode(Refusal::NotARegularFile);
    }
    std::string record;
    if (readable && info.st_size > 0 && !EndsWithLineEnd(fd.Get(), info.st_size)) {
        record = kLineEnd;
    }
    record += line;
    if (const std::error_code ec = WriteAll(fd.Get(), record)) {
        // Cut the fragment off, so the next line does not stick to it.
        static_cast<void>(::ftruncate(fd.Get(), info.st_size));
        return ec;
    }
    return fd.Close();
}

std::error_code PosixFileSystem::Sync(const std::filesystem::path& path) {
    if (IsHeldFolder(path)) {
        return ::fsync(m_HeldFolder) == 0 ? std::error_code{} : LastError();
    }
    FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (fd.Get() < 0) {
        return LastError();
    }
    if (::fsync(fd.Get()) != 0) {
        return LastError();
    }
    return fd.Close();
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
    const Entry entryA = At(a);
    const Entry entryB = At(b);
    struct stat first {};
    struct stat second {};
    if (::fstatat(entryA.Folder, entryA.Name, &first, AT_SYMLINK_NOFOLLOW) != 0 ||
        ::fstatat(entryB.Folder, entryB.Name, &second, AT_SYMLINK_NOFOLLOW) != 0) {
        return {false, false, LastError()};
    }
    SameFileResult result;
    result.Same = first.st_dev == second.st_dev && first.st_ino == second.st_ino;
    struct stat end {};
    if (!result.Same && S_ISLNK(first.st_mode) &&
        ::fstatat(entryA.Folder, entryA.Name, &end, 0) == 0) {
        result.LeadsTo = end.st_dev == second.st_dev && end.st_ino == second.st_ino;
    }
    return result;
}

FolderListing PosixFileSystem::ListFiles(const std::filesystem::path& folder) const {
    FolderListing listing;
    DIR* stream = nullptr;
    // The held folder is listed through its descriptor: the one the renames reach.
    const int fd = IsHeldFolder(folder)
                       ? ::openat(m_HeldFolder, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC)
                       : ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0 || (stream = ::fdopendir(fd)) == nullptr) {
        listing.Error = LastError();
        if (fd >= 0) {
            ::close(fd);
        }
        return listing;
    }
    for (;;) {
        errno = 0;
        const dirent* entry = ::readdir(stream);
        if (entry == nullptr) {
            listing.Error = errno != 0 ? LastError() : std::error_code{};
            break;
        }
        const std::string_view name = entry->d_name;
        if (name != "." && name != ".." && !IsFolder(fd, *entry)) {
            listing.Error = listing.Names.Add(name);
            if (listing.Error) {
                break;
            }
        }
    }
    ::closedir(stream);
    return listing;
}

namespace {

class RefusalCategory : public std::error_category {
public:
    [[nodiscard]] const char* name() const noexcept override { return "klarwell"; }
    [[nodiscard]] std::string message(int value) const override {
        switch (static_cast<Refusal>(value)) {
            case Refusal::NotARegularFile:
                return "not a regular file";
            case Refusal::LinkToNewName:
                return "it is a link to the file that has that name";
        }
        return "refused";
    }
};

}  // namespace

std::error_code MakeErrorCode(Refusal refusal) {
    static const RefusalCategory category;
    return {static_cast<int>(refusal), category};
}

}  // namespace klarwell::engine
