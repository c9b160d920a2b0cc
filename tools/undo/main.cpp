// klarwell-undo: gives the files of one folder back the names that Klarwell's clean runs took
// from them, from the renames recorded in cleanup.log, newest first.

#include <unistd.h>

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "engine/cleanup_log.h"
#include "engine/posix_file_system.h"
#include "engine/user_interface.h"
#include "tools/undo/undo_run.h"

namespace klarwell::undo {

namespace {

constexpr int kExitDone = 0;
constexpr int kExitSkipped = 1;
constexpr int kExitBadArguments = 2;

constexpr std::string_view kUsage =
    "usage: klarwell-undo [--log FILE] [--last N] [--dry-run] [--yes] FOLDER";

constexpr std::string_view kHelp =
    "\n\n"
    "Gives the files of FOLDER back the names that Klarwell's clean runs took from them,\n"
    "from the renames recorded in cleanup.log, newest first. Each step renames the cleaned\n"
    "name back to the old one and never replaces a file: when the cleaned name is gone or the\n"
    "old name is taken, the step is skipped and reported, and the others go on. Each rename\n"
    "back is appended to the same log, so a second undo with the same --last N redoes the\n"
    "first. It works as well after a run that was killed or cancelled.\n"
    "\n"
    "A file that a name conflict answered Yes replaced was destroyed by that run: no undo can\n"
    "bring it back.\n"
    "\n"
    "  --log FILE  read FILE and append to it, instead of the program's log: cleanup.log\n"
    "              beside klarwell, else $XDG_STATE_HOME/klarwell/cleanup.log (by default\n"
    "              ~/.local/state/klarwell/); when both exist, both are read\n"
    "  --last N    undo only the N newest renames of FOLDER: the count that \"Finished!\"\n"
    "              showed, or for a killed run the number of lines that run wrote\n"
    "  --dry-run   print the plan, \"old \u2190 new\" newest first, and change nothing\n"
    "  --yes       undo every logged rename of FOLDER without asking; needed without --last\n"
    "              when standard input is not a terminal\n"
    "  --help      print this text\n"
    "\n"
    "Exit status: 0 when everything asked for was undone, 1 when some steps were skipped,\n"
    "2 on bad arguments or an unreadable log.\n";

constexpr std::string_view kLost =
    "A file that a name conflict answered Yes replaced was destroyed by that run and cannot "
    "come back.";

struct Arguments {
    std::optional<std::filesystem::path> Log;
    std::optional<std::int64_t> Last;
    bool DryRun = false;
    bool Yes = false;
    bool Help = false;
    std::optional<std::filesystem::path> Folder;
};

int Refuse(std::string_view reason) {
    std::fprintf(stderr, "klarwell-undo: %.*s\n%.*s\n", static_cast<int>(reason.size()),
                 reason.data(), static_cast<int>(kUsage.size()), kUsage.data());
    return kExitBadArguments;
}

// Fills `arguments`; returns the reason when the command line is not usable.
std::optional<std::string> ParseArguments(const std::vector<std::string_view>& words,
                                          Arguments& arguments) {
    bool optionsEnded = false;
    for (std::size_t i = 0; i < words.size(); ++i) {
        const std::string_view word = words[i];
        if (!optionsEnded && (word == "--log" || word == "--last")) {
            if (i + 1 >= words.size()) {
                return std::string(word) + " needs a value";
            }
            const std::string_view value = words[++i];
            if (word == "--log") {
                arguments.Log = std::filesystem::path(value);
                continue;
            }
            std::int64_t count = 0;
            const auto [end, ec] =
                std::from_chars(value.data(), value.data() + value.size(), count);
            if (ec != std::errc() || end != value.data() + value.size() || count < 1) {
                return "--last needs a whole number of 1 or more, not " + Shown(value);
            }
            arguments.Last = count;
        } else if (!optionsEnded && word == "--dry-run") {
            arguments.DryRun = true;
        } else if (!optionsEnded && word == "--yes") {
            arguments.Yes = true;
        } else if (!optionsEnded && word == "--help") {
            arguments.Help = true;
        } else if (!optionsEnded && word == "--") {
            optionsEnded = true;
        } else if (!optionsEnded && word.starts_with("-") && word.size() > 1) {
            return "unknown option " + Shown(word);
        } else if (arguments.Folder) {
            return "more than one folder given";
        } else {
            arguments.Folder = std::filesystem::path(word);
        }
    }
    if (!arguments.Help && !arguments.Folder) {
        return "no folder given";
    }
    return std::nullopt;
}

// Tells on standard error what the program's log writer would show in a box.
class ConsoleInterface : public engine::UserInterface {
public:
    engine::Answer ShowMessage(std::string_view text, std::string_view, engine::Buttons,
                               engine::Icon) override {
        std::string plain(text);
        for (std::size_t at = 0; (at = plain.find("\r\n", at)) != std::string::npos;) {
            plain.erase(at, 1);
        }
        std::fprintf(stderr, "klarwell-undo: %s\n", plain.c_str());
        m_Told = true;
        return engine::Answer::Ok;
    }
    void SetStatusText(std::string_view) override {}
    void SetProgress(int) override {}
    void SelectListEntry(int) override {}
    void RereadList() override {}
    void ShowProgress(bool) override {}
    void ProcessPendingEvents() override {}

    [[nodiscard]] bool Told() const { return m_Told; }

private:
    bool m_Told = false;
};

// The program's own log: beside the program, else in the state folder; both when both exist,
// the one changed longer ago first, as its lines are the older ones.
std::vector<std::filesystem::path> DefaultLogs(const engine::CleanupLog& log) {
    std::vector<std::filesystem::path> logs;
    for (const std::filesystem::path& file : {log.LogFile(), log.FallbackLogFile()}) {
        std::error_code ec;
        if (file.parent_path().empty() || !std::filesystem::exists(file, ec)) {
            continue;
        }
        if (std::filesystem::is_regular_file(file, ec)) {
            logs.push_back(file);
        } else {
            std::fprintf(stderr, "klarwell-undo: %s is not a regular file, not read\n",
                         Shown(file.native()).c_str());
        }
    }
    if (logs.size() == 2) {
        std::error_code ec;
        if (std::filesystem::last_write_time(logs[1], ec) <
            std::filesystem::last_write_time(logs[0], ec)) {
            std::swap(logs[0], logs[1]);
        }
        std::fprintf(stderr, "klarwell-undo: reading both logs, the older first: %s and %s\n",
                     Shown(logs[0].native()).c_str(), Shown(logs[1].native()).c_str());
    }
    return logs;
}

bool Confirmed(std::int64_t count, const std::filesystem::path& folder) {
    std::fprintf(stderr, "Undo all %lld logged renames of %s? [y/N] ",
                 static_cast<long long>(count), Shown(folder.native()).c_str());
    std::fflush(stderr);
    char answer[16] = {};
    if (std::fgets(answer, sizeof answer, stdin) == nullptr) {
        return false;
    }
    const std::string_view text(answer);
    return text == "y\n" || text == "yes\n" || text == "Y\n";
}

int Run(const std::vector<std::string_view>& words) {
    Arguments arguments;
    if (const std::optional<std::string> reason = ParseArguments(words, arguments)) {
        return Refuse(*reason);
    }
    if (arguments.Help) {
        std::printf("%.*s%.*s", static_cast<int>(kUsage.size()), kUsage.data(),
                    static_cast<int>(kHelp.size()), kHelp.data());
        return kExitDone;
    }

    std::error_code ec;
    const std::filesystem::path folder = std::filesystem::canonical(*arguments.Folder, ec);
    if (ec || !std::filesystem::is_directory(folder, ec)) {
        return Refuse("not a folder: " + Shown(arguments.Folder->native()));
    }

    engine::CleanupLog programLog(engine::ProgramFolder(), engine::DefaultFallbackLogFolder());
    const std::vector<std::filesystem::path> logs =
        arguments.Log ? std::vector<std::filesystem::path>{*arguments.Log}
                      : DefaultLogs(programLog);
    if (logs.empty()) {
        return Refuse("no log found at " + Shown(programLog.LogFile().native()) + " or " +
                      Shown(programLog.FallbackLogFile().native()));
    }
    std::uintmax_t logBytes = 0;
    for (const std::filesystem::path& log : logs) {
        if (!std::filesystem::is_regular_file(log, ec)) {
            return Refuse("not a readable log: " + Shown(log.native()));
        }
        logBytes += std::filesystem::file_size(log, ec);
    }

    std::FILE* terminal = ::isatty(STDERR_FILENO) != 0 ? stderr : nullptr;
    ProgressLine reading(terminal, static_cast<std::int64_t>(logBytes >> 20), "MB of the log read");
    const Selection selection = SelectSteps(logs, folder, arguments.Last, stderr, reading);
    if (!selection.Error.empty()) {
        return Refuse(selection.Error);
    }
    const auto count = static_cast<std::int64_t>(selection.Steps.size());
    const bool fewer = arguments.Last && count < *arguments.Last;
    if (count == 0 && !arguments.Last) {
        std::printf("No renames of %s are in the log.\n", Shown(folder.native()).c_str());
    }
    if (fewer) {
        std::printf("Only %lld renames of %s are in the log, not %lld.\n",
                    static_cast<long long>(count), Shown(folder.native()).c_str(),
                    static_cast<long long>(*arguments.Last));
    }

    if (arguments.DryRun) {
        for (const Step& step : selection.Steps) {
            std::printf("%s\n", PlanLine(step).c_str());
        }
        std::printf("%lld steps planned, nothing changed.\n", static_cast<long long>(count));
        return fewer ? kExitSkipped : kExitDone;
    }
    if (!arguments.Last && !arguments.Yes && count > 0) {
        if (::isatty(STDIN_FILENO) == 0) {
            return Refuse("give --last N, or --yes to undo every logged rename of the folder");
        }
        if (!Confirmed(count, folder)) {
            std::printf("Nothing changed.\n");
            return kExitSkipped;
        }
    }

    engine::PosixFileSystem fs;
    ConsoleInterface ui;
    bool appendFailed = false;
    const auto appendLine = [&](std::string_view line) {
        if (!arguments.Log) {
            programLog.Append(line, fs, ui);
            return;
        }
        const std::error_code appendError = fs.AppendLine(*arguments.Log, line);
        if (appendError && !appendFailed) {
            std::fprintf(stderr, "klarwell-undo: could not append to %s: %s\n",
                         Shown(arguments.Log->native()).c_str(), appendError.message().c_str());
        }
        appendFailed = appendFailed || appendError;
    };
    ProgressLine progress(terminal, count, "steps");
    const Tally tally = UndoSteps(folder, selection.Steps, fs, appendLine, stdout, progress);
    std::printf("%lld renamed back, %lld skipped, %lld not found.\n%.*s\n",
                static_cast<long long>(tally.Renamed), static_cast<long long>(tally.Skipped),
                static_cast<long long>(tally.NotFound), static_cast<int>(kLost.size()),
                kLost.data());
    const bool allDone = tally.Renamed == count && !fewer && !appendFailed && !ui.Told();
    return allDone ? kExitDone : kExitSkipped;
}

}  // namespace

}  // namespace klarwell::undo

int main(int argc, char** argv) {
    const std::vector<std::string_view> words(argv + 1, argv + argc);
    try {
        return klarwell::undo::Run(words);
    } catch (const std::exception& error) {
        // Nothing here is meant to throw; should a library still do so (out of memory), the tool
        // says so instead of aborting.
        std::fprintf(stderr, "klarwell-undo: %s\n", error.what());
        return klarwell::undo::kExitBadArguments;
    }
}
