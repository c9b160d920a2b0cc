#pragma once

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/file_system.h"

namespace klarwell::undo {

// One rename to take back: the file now called NewName gets OldName again.
struct Step {
    std::string OldName;
    std::string NewName;
};

struct Selection {
    std::vector<Step> Steps;  // newest first
    std::int64_t Found = 0;   // renames of the folder in the logs, at least Steps.size()
    std::string Error;        // a log that could not be read; empty when every log was read
};

class ProgressLine;

// Reads the logs in order, the oldest first, and takes the renames whose folder is `folder`
// (canonical; the line may spell it otherwise), only the `last` newest when given. Each faulty
// line is reported on `notes` with its number and skipped. `progress` counts megabytes read.
[[nodiscard]] Selection SelectSteps(const std::vector<std::filesystem::path>& logs,
                                    const std::filesystem::path& folder,
                                    std::optional<std::int64_t> last, std::FILE* notes,
                                    ProgressLine& progress);

// A name as the tool prints it: control bytes, backslashes and bytes that are not UTF-8 as
// "\xHH", so that no name can move the cursor or hide part of a report line.
[[nodiscard]] std::string Shown(std::string_view name);

// "old ← new".
[[nodiscard]] std::string PlanLine(const Step& step);

// On a terminal, once the work has taken a second: "done of total what, rate a second" on one
// line, rewritten.
class ProgressLine {
public:
    ProgressLine(std::FILE* terminal, std::int64_t total, std::string_view what);
    void Update(std::int64_t done);
    // Ends the line when one was shown.
    void Finish();

private:
    std::FILE* m_Terminal;
    std::int64_t m_Total;
    std::string m_What;
    std::chrono::steady_clock::time_point m_Start;
    std::chrono::steady_clock::time_point m_Shown;
    bool m_Any = false;
};

struct Tally {
    std::int64_t Renamed = 0;
    std::int64_t Skipped = 0;
    std::int64_t NotFound = 0;
};

// Renames each step's new name back to its old one, never replacing a file, and hands the log
// line of each rename to `appendLine`. A step whose new name is gone or whose old name is taken
// is reported on `report` with its reason, and the run goes on.
Tally UndoSteps(const std::filesystem::path& folder, const std::vector<Step>& steps,
                engine::FileSystem& fs, const std::function<void(std::string_view)>& appendLine,
                std::FILE* report, ProgressLine& progress);

}  // namespace klarwell::undo
