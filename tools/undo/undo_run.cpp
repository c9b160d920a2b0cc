#include "tools/undo/undo_run.h"

#include <deque>
#include <fstream>
#include <system_error>
#include <unordered_map>
#include <utility>

#include "engine/cleanup_log.h"
#include "engine/log_reader.h"

namespace klarwell::undo {

namespace {

constexpr std::string_view kArrow = " \u2190 ";
constexpr std::size_t kRememberedFolders = 4096;

// Whether a logged folder is the chosen one. Its spelling may differ (a link, "..", a trailing
// "/"), so both are compared in canonical form, and each spelling is looked up once.
class FolderMatcher {
public:
    explicit FolderMatcher(std::filesystem::path folder) : m_Folder(std::move(folder)) {}

    bool Matches(const std::string& logged) {
        const auto known = m_Known.find(logged);
        if (known != m_Known.end()) {
            return known->second;
        }
        if (m_Known.size() >= kRememberedFolders) {
            m_Known.clear();
        }
        std::error_code ec;
        const std::filesystem::path canonical = std::filesystem::canonical(logged, ec);
        const bool same = !ec && canonical == m_Folder;
        m_Known.emplace(logged, same);
        return same;
    }

private:
    std::filesystem::path m_Folder;  // canonical
    std::unordered_map<std::string, bool> m_Known;
};

void AppendEscaped(std::string& out, unsigned char byte) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    out += "\\x";
    out += kHex[byte >> 4];
    out += kHex[byte & 0x0F];
}

// Length of the well-formed UTF-8 sequence at `at`, 0 when there is none or it encodes a C1
// control character.
std::size_t Utf8Length(std::string_view text, std::size_t at) {
    const auto lead = static_cast<unsigned char>(text[at]);
    std::size_t length = 0;
    unsigned int low = 0x80;
    unsigned int high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        if (lead == 0xC2) {
            low = 0xA0;
        }
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : 0x80;
        high = lead == 0xED ? 0x9F : 0xBF;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;
    } else {
        return 0;
    }
    if (at + length > text.size()) {
        return 0;
    }
    for (std::size_t i = 1; i < length; ++i) {
        const auto byte = static_cast<unsigned char>(text[at + i]);
        if (byte < (i == 1 ? low : 0x80) || byte > (i == 1 ? high : 0xBF)) {
            return 0;
        }
    }
    return length;
}

}  // namespace

Selection SelectSteps(const std::vector<std::filesystem::path>& logs,
                      const std::filesystem::path& folder, std::optional<std::int64_t> last,
                      std::FILE* notes, ProgressLine& progress) {
    Selection selection;
    FolderMatcher matcher(folder);
    std::deque<Step> newest;
    std::uint64_t readBefore = 0;
    for (const std::filesystem::path& log : logs) {
        std::ifstream in(log, std::ios::binary);
        if (!in) {
            selection.Error = "cannot open the log " + Shown(log.native());
            return selection;
        }
        engine::LogReader reader(in);
        engine::LogEntry entry;
        while (reader.Next(entry)) {
            if (entry.Number % 4096 == 0) {
                progress.Update(static_cast<std::int64_t>((readBefore + reader.BytesRead()) >> 20));
            }
            if (!entry.Line.Rename) {
                progress.Finish();
                std::fprintf(notes, "klarwell-undo: line %lld of %s %.*s, skipped\n",
                             static_cast<long long>(entry.Number), Shown(log.native()).c_str(),
                             static_cast<int>(entry.Line.Fault.size()), entry.Line.Fault.data());
                continue;
            }
            engine::LoggedRename& rename = *entry.Line.Rename;
            if (!matcher.Matches(rename.Folder)) {
                continue;
            }
            ++selection.Found;
            newest.push_front({std::move(rename.OldName), std::move(rename.NewName)});
            if (last && static_cast<std::int64_t>(newest.size()) > *last) {
                newest.pop_back();
            }
        }
        if (reader.ReadFailed()) {
            selection.Error = "cannot read the log " + Shown(log.native());
            return selection;
        }
        readBefore += reader.BytesRead();
    }
    progress.Finish();
    selection.Steps.assign(std::make_move_iterator(newest.begin()),
                           std::make_move_iterator(newest.end()));
    return selection;
}

std::string Shown(std::string_view name) {
    std::string out;
    out.reserve(name.size());
    for (std::size_t i = 0; i < name.size();) {
        const auto byte = static_cast<unsigned char>(name[i]);
        if (byte >= 0x20 && byte < 0x7F && byte != '\\') {
            out += name[i++];
            continue;
        }
        const std::size_t length = byte >= 0x80 ? Utf8Length(name, i) : 0;
        if (length == 0) {
            AppendEscaped(out, byte);
            ++i;
            continue;
        }
        out.append(name, i, length);
        i += length;
    }
    return out;
}

std::string PlanLine(const Step& step) {
    return Shown(step.OldName) + std::string(kArrow) + Shown(step.NewName);
}

ProgressLine::ProgressLine(std::FILE* terminal, std::int64_t total, std::string_view what)
    : m_Terminal(terminal),
      m_Total(total),
      m_What(what),
      m_Start(std::chrono::steady_clock::now()) {}

void ProgressLine::Update(std::int64_t done) {
    if (m_Terminal == nullptr) {
        return;
    }
    const auto now = std::chrono::steady_clock::now();
    if (now - m_Start < std::chrono::seconds(1) ||
        (m_Any && now - m_Shown < std::chrono::milliseconds(200) && done != m_Total)) {
        return;
    }
    const std::chrono::duration<double> elapsed = now - m_Start;
    std::fprintf(m_Terminal, "\r%lld of %lld %s, %.0f a second ", static_cast<long long>(done),
                 static_cast<long long>(m_Total), m_What.c_str(),
                 static_cast<double>(done) / elapsed.count());
    std::fflush(m_Terminal);
    m_Shown = now;
    m_Any = true;
}

void ProgressLine::Finish() {
    if (m_Any) {
        std::fputc('\n', m_Terminal);
        m_Any = false;
    }
}

Tally UndoSteps(const std::filesystem::path& folder, const std::vector<Step>& steps,
                engine::FileSystem& fs, const std::function<void(std::string_view)>& appendLine,
                std::FILE* report, ProgressLine& progress) {
    Tally tally;
    std::int64_t done = 0;
    for (const Step& step : steps) {
        const std::error_code ec = fs.RenameNoReplace(folder / step.NewName, folder / step.OldName);
        if (!ec) {
            appendLine(engine::LogLine(folder, step.NewName, step.OldName));
            ++tally.Renamed;
        } else {
            std::string why;
            if (ec == std::errc::no_such_file_or_directory) {
                ++tally.NotFound;
                why = "not found: " + PlanLine(step) + ": " + Shown(step.NewName) + " is gone";
            } else {
                ++tally.Skipped;
                why = "skipped: " + PlanLine(step) + ": " +
                      (ec == std::errc::file_exists ? Shown(step.OldName) + " is taken"
                                                    : ec.message());
            }
            progress.Finish();
            std::fprintf(report, "%s\n", why.c_str());
        }
        progress.Update(++done);
    }
    progress.Finish();
    return tally;
}

}  // namespace klarwell::undo
