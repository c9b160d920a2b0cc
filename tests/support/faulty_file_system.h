#pragma once

#include <cstddef>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "engine/posix_file_system.h"

namespace klarwell::testing {

// What goes wrong on the disk; nothing by default. Names are bare file names, errors errno values.
struct Faults {
    std::string RenameName{};  // a rename (either kind) from or to this name fails
    int RenameError = 0;
    std::string RemoveName{};  // every unlink(2) of this name fails, even within a rename
    int RemoveError = 0;
    int NoReplaceError = 0;  // RENAME_NOREPLACE is refused (a FUSE mount answers EINVAL)
    int LinkError = 0;       // link(2) fails (EPERM: the file system has no hard links)
    std::filesystem::path AppendFolder{};  // appends here fail; an empty folder: every append
    int AppendError = 0;
    std::filesystem::path WriteFolder{};  // a line appended here stops after WriteLimit bytes
    std::size_t WriteLimit = 0;
    int WriteError = 0;
    bool IgnoreCase = false;  // names in one folder that differ in ASCII letter case only are one
    std::function<void(const std::filesystem::path& from)> BeforeRename{};  // before the disk
};

// The real file system with the chosen faults.
class FaultyFileSystem : public engine::PosixFileSystem {
public:
    explicit FaultyFileSystem(Faults faults = {});

    [[nodiscard]] const std::vector<std::filesystem::path>& Synced() const { return m_Synced; }

    [[nodiscard]] bool Exists(const std::filesystem::path& path) const override;
    [[nodiscard]] std::error_code Rename(const std::filesystem::path& from,
                                         const std::filesystem::path& to) override;
    [[nodiscard]] std::error_code RenameNoReplace(const std::filesystem::path& from,
                                                  const std::filesystem::path& to) override;
    [[nodiscard]] std::error_code AppendLine(const std::filesystem::path& file,
                                             std::string_view line) override;
    [[nodiscard]] std::error_code Sync(const std::filesystem::path& path) override;
    [[nodiscard]] engine::SameFileResult IsSameFile(const std::filesystem::path& a,
                                                    const std::filesystem::path& b) const override;

private:
    // The chosen rename failure, if any, else runs BeforeRename.
    [[nodiscard]] std::error_code RenameFault(const std::filesystem::path& from,
                                              const std::filesystem::path& to);
    // The entry that a case-blind disk finds under the path.
    [[nodiscard]] std::filesystem::path FindIgnoringCase(const std::filesystem::path& path) const;
    [[nodiscard]] static engine::SystemCalls InjectingCalls(FaultyFileSystem* self);

    Faults m_Faults;
    std::size_t m_WriteLeft = 0;
    bool m_WriteFaultActive = false;
    std::vector<std::filesystem::path> m_Synced;
};

}  // namespace klarwell::testing
