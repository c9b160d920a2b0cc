#include "engine/cleanup_log.h"

#include <cstdlib>
#include <utility>

#include "engine/application_identity.h"
#include "engine/internal/name_parts.h"
#include "engine/name_bytes.h"

namespace klarwell::engine {

namespace {

constexpr std::string_view kLineEnd = "\r\n";

// Control bytes and the backslash as "\xHH", so that every line reads back to one pair of names.
void AppendEscaped(std::string& line, std::string_view bytes) {
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F || c == '\\') {
            AppendHexEscape(line, "\\x", byte);
        } else {
            line += c;
        }
    }
}

void AppendFullPath(std::string& line, const std::filesystem::path& folder, std::string_view name) {
    AppendEscaped(line, folder.native());
    line += '/';
    AppendEscaped(line, name);
}

}  // namespace

std::string LogLine(const std::filesystem::path& folder, std::string_view listedName,
                    std::string_view targetName) {
    std::string line;
    line.reserve(2 * folder.native().size() + listedName.size() + targetName.size() + 16);
    line += "Re-named";
    AppendFullPath(line, folder, listedName);
    line += " as ";
    AppendFullPath(line, folder, targetName);
    line += kLineEnd;
    return line;
}

CleanupLog::CleanupLog(std::filesystem::path programFolder, std::filesystem::path fallbackFolder)
    : m_ProgramFolder(std::move(programFolder)), m_FallbackFolder(std::move(fallbackFolder)) {}

std::filesystem::path CleanupLog::LogFile() const {
    return m_ProgramFolder / std::string(kLogFileName);
}

std::filesystem::path CleanupLog::FallbackLogFile() const {
    return m_FallbackFolder / std::string(kLogFileName);
}

void CleanupLog::StartRun() {
    m_ToldThisRun = false;
    m_WroteProgramLog = false;
    m_WroteFallbackLog = false;
}

void CleanupLog::Append(std::string_view line, FileSystem& fs, UserInterface& ui) {
    if (!m_ProgramFolder.empty() && !fs.AppendLine(LogFile(), line)) {
        m_WroteProgramLog = true;
        return;
    }
    // An installed program's folder is usually read-only: keep the record in the user's state
    // folder instead of losing it.
    std::error_code ec;
    if (m_FallbackFolder.empty()) {
        ec = std::make_error_code(std::errc::no_such_file_or_directory);
    } else {
        ec = fs.CreateFolders(m_FallbackFolder);
        if (!ec) {
            ec = fs.AppendLine(FallbackLogFile(), line);
        }
    }
    m_WroteFallbackLog = m_WroteFallbackLog || !ec;
    if (!ec || m_ToldThisRun) {
        return;
    }
    m_ToldThisRun = true;
    std::string tried = FallbackLogFile().native();
    if (!m_ProgramFolder.empty()) {
        tried = LogFile().native() + " or " + tried;
    }
    std::string text = "Could not write the rename log " + tried + ": " + ec.message() +
                       "\r\n\r\nThe files are renamed, but this run's renames are not logged.";
    static_cast<void>(ui.ShowMessage(text, kApplicationTitle, Buttons::Ok, Icon::None));
}

void CleanupLog::Sync(FileSystem& fs) const {
    // The renames are done and shown whatever the outcome; a failed flush leaves them to the
    // system's own write-back, as before.
    if (m_WroteProgramLog) {
        static_cast<void>(fs.Sync(LogFile()));
    }
    if (m_WroteFallbackLog) {
        static_cast<void>(fs.Sync(FallbackLogFile()));
    }
}

std::filesystem::path ProgramFolder() {
    std::error_code ec;
    const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec) {
        return {};
    }
    return exe.parent_path();
}

std::filesystem::path DefaultFallbackLogFolder() {
    const char* state = std::getenv("XDG_STATE_HOME");
    if (state != nullptr && state[0] == '/') {
        return std::filesystem::path(state) / "klarwell";
    }
    const char* home = std::getenv("HOME");
    if (home == nullptr || home[0] == '\0') {
        return {};
    }
    return std::filesystem::path(home) / ".local" / "state" / "klarwell";
}

}  // namespace klarwell::engine
