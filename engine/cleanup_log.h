#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "engine/file_system.h"
#include "engine/user_interface.h"

namespace klarwell::engine {

inline constexpr std::string_view kLogFileName = "cleanup.log";

// "Re-named<old path> as <new path>" and CR LF. The folder and name are joined with "/" even when
// the folder already ends with one. Control bytes and the backslash are written as "\xHH", so that
// no name can start a line of its own and every line reads back to exactly one pair of names.
[[nodiscard]] std::string LogLine(const std::filesystem::path& folder, std::string_view listedName,
                                  std::string_view targetName);

// Appends the rename lines to cleanup.log in the program's folder, or, when that cannot be
// written, in the fallback folder. When neither can be written the user is told once per run.
class CleanupLog {
public:
    CleanupLog(std::filesystem::path programFolder, std::filesystem::path fallbackFolder);

    void StartRun();
    void Append(std::string_view line, FileSystem& fs, UserInterface& ui);
    // Puts the log files this run wrote on the disk; once, at the end of a run.
    void Sync(FileSystem& fs) const;

    [[nodiscard]] std::filesystem::path LogFile() const;
    [[nodiscard]] std::filesystem::path FallbackLogFile() const;

private:
    std::filesystem::path m_ProgramFolder;
    std::filesystem::path m_FallbackFolder;
    bool m_ToldThisRun = false;
    bool m_WroteProgramLog = false;
    bool m_WroteFallbackLog = false;
};

// The folder of the running executable; empty when it cannot be read.
[[nodiscard]] std::filesystem::path ProgramFolder();

// $XDG_STATE_HOME/klarwell, by default ~/.local/state/klarwell.
[[nodiscard]] std::filesystem::path DefaultFallbackLogFolder();

}  // namespace klarwell::engine
