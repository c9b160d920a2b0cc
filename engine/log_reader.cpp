#include "engine/log_reader.h"

#include <cstring>

namespace klarwell::engine {

namespace {

constexpr std::string_view kPrefix = "Re-named";
constexpr std::string_view kSeparator = " as ";
// Two escaped paths of at most 4,096 bytes each, four characters a byte, fit well within this.
constexpr std::size_t kLongestLine = 64 * 1024;
constexpr std::size_t kChunk = 1024 * 1024;

constexpr std::string_view kNotRenamed = "does not begin with \"Re-named\"";
constexpr std::string_view kNoSplit = "has no \" as \" between two paths of one folder";
constexpr std::string_view kControlByte = "holds a control byte that the log escapes";
constexpr std::string_view kBadEscape = "holds a \\x escape without two hex digits";
constexpr std::string_view kBadName = "names a file that cannot be in the folder";
constexpr std::string_view kTorn = "is torn: it has no CR LF at its end";
constexpr std::string_view kLfOnly = "ends in a line feed without a carriage return";
constexpr std::string_view kTooLong = "is longer than any logged rename";

int HexValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

// Turns "\xHH" back into its byte; nullopt for a "\x" without two upper-case hex digits.
std::optional<std::string> Unescape(std::string_view text) {
    std::string bytes;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\' || i + 1 >= text.size() || text[i + 1] != 'x') {
            bytes += text[i];
            continue;
        }
        const int high = i + 2 < text.size() ? HexValue(text[i + 2]) : -1;
        const int low = i + 3 < text.size() ? HexValue(text[i + 3]) : -1;
        if (high < 0 || low < 0) {
            return std::nullopt;
        }
        bytes += static_cast<char>(high * 16 + low);
        i += 3;
    }
    return bytes;
}

bool IsSafeName(std::string_view name) {
    return !name.empty() && name != "." && name != ".." &&
           name.find_first_of(std::string_view("/\0", 2)) == std::string_view::npos;
}

ParsedLogLine Fault(std::string_view why) {
    return {std::nullopt, why};
}

}  // namespace

ParsedLogLine ParseLogLine(std::string_view line) {
    if (!line.starts_with(kPrefix)) {
        return Fault(kNotRenamed);
    }
    for (const char c : line) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F) {
            return Fault(kControlByte);
        }
    }
    const std::string_view body = line.substr(kPrefix.size());
    for (std::size_t at = body.find(kSeparator); at != std::string_view::npos;
         at = body.find(kSeparator, at + 1)) {
        const std::string_view oldPath = body.substr(0, at);
        const std::string_view newPath = body.substr(at + kSeparator.size());
        const std::size_t oldSlash = oldPath.rfind('/');
        const std::size_t newSlash = newPath.rfind('/');
        if (oldSlash == std::string_view::npos || newSlash == std::string_view::npos ||
            oldSlash == 0 || oldPath.substr(0, oldSlash) != newPath.substr(0, newSlash)) {
            continue;
        }
        std::optional<std::string> folder = Unescape(oldPath.substr(0, oldSlash));
        std::optional<std::string> oldName = Unescape(oldPath.substr(oldSlash + 1));
        std::optional<std::string> newName = Unescape(newPath.substr(newSlash + 1));
        if (!folder || !oldName || !newName) {
            return Fault(kBadEscape);
        }
        if (!IsSafeName(*oldName) || !IsSafeName(*newName) ||
            folder->find('\0') != std::string::npos) {
            return Fault(kBadName);
        }
        return {LoggedRename{std::move(*folder), std::move(*oldName), std::move(*newName)}, {}};
    }
    return Fault(kNoSplit);
}

LogReader::LogReader(std::istream& in) : m_In(in), m_Buffer(kChunk + kLongestLine) {}

bool LogReader::Fill() {
    if (m_Begin > 0) {
        std::memmove(m_Buffer.data(), m_Buffer.data() + m_Begin, m_End - m_Begin);
        m_End -= m_Begin;
        m_Begin = 0;
    }
    if (m_End == m_Buffer.size() || !m_In) {
        return false;
    }
    m_In.read(m_Buffer.data() + m_End, static_cast<std::streamsize>(m_Buffer.size() - m_End));
    const auto got = static_cast<std::size_t>(m_In.gcount());
    m_End += got;
    m_BytesRead += got;
    return got > 0;
}

bool LogReader::Next(LogEntry& entry) {
    bool tooLong = false;
    while (true) {
        const char* begin = m_Buffer.data() + m_Begin;
        const auto* lineFeed = static_cast<const char*>(std::memchr(begin, '\n', m_End - m_Begin));
        if (lineFeed != nullptr) {
            const std::string_view text(begin, static_cast<std::size_t>(lineFeed - begin));
            m_Begin += text.size() + 1;
            entry.Number = ++m_Number;
            if (tooLong || text.size() > kLongestLine) {
                entry.Line = Fault(kTooLong);
            } else if (!text.ends_with('\r')) {
                entry.Line = Fault(kLfOnly);
            } else {
                entry.Line = ParseLogLine(text.substr(0, text.size() - 1));
            }
            return true;
        }
        if (m_End - m_Begin > kLongestLine) {
            // Drop what is buffered of an overlong line, keep reading to its end.
            tooLong = true;
            m_Begin = m_End;
        }
        if (!Fill()) {
            break;
        }
    }
    if (m_Begin == m_End && !tooLong) {
        return false;
    }
    m_Begin = m_End;
    entry.Number = ++m_Number;
    entry.Line = Fault(tooLong ? kTooLong : kTorn);
    return true;
}

}  // namespace klarwell::engine
