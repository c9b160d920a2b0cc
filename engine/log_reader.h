#pragma once

#include <cstdint>
#include <istream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace klarwell::engine {

// One rename read back from cleanup.log: the folder and the two names, as bytes.
struct LoggedRename {
    std::string Folder;
    std::string OldName;
    std::string NewName;

    bool operator==(const LoggedRename&) const = default;
};

struct ParsedLogLine {
    std::optional<LoggedRename> Rename;
    std::string_view Fault;  // why the line is no rename; empty when it is one
};

// Reads back one line that LogLine wrote, without its CR LF. The paths are split at the " as "
// whose two sides lie in the same folder, which is exact even when a name or the folder holds
// " as ". "\xHH" turns back into its byte; a backslash that starts no such escape is itself, as
// logs written before backslashes were escaped hold it. A name that is empty, "." or "..", or
// that would hold "/" or a zero byte, makes the line a fault, never a path.
[[nodiscard]] ParsedLogLine ParseLogLine(std::string_view line);

struct LogEntry {
    std::int64_t Number = 0;  // the line's number in the log, from 1
    ParsedLogLine Line;
};

// Reads a log as a stream, one line at a time, so a log of any size is never held whole. A line
// that is not ended by CR LF (the fragment a killed run leaves) or that is longer than any rename
// could log comes back as a fault with its number.
class LogReader {
public:
    explicit LogReader(std::istream& in);

    // False at the end of the log or on a read error.
    [[nodiscard]] bool Next(LogEntry& entry);
    [[nodiscard]] bool ReadFailed() const { return m_In.bad(); }
    [[nodiscard]] std::uint64_t BytesRead() const { return m_BytesRead; }

private:
    // Reads more of the log behind what is buffered; false when nothing more came.
    bool Fill();

    std::istream& m_In;
    std::vector<char> m_Buffer;
    std::size_t m_Begin = 0;
    std::size_t m_End = 0;
    std::int64_t m_Number = 0;
    std::uint64_t m_BytesRead = 0;
};

}  // namespace klarwell::engine
