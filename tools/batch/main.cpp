// klarwell-batch: runs the Clean command's engine side on a real folder with scripted answers and
// prints every event as one JSON line. A tool for tests, fault injection and benchmarks.

#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "engine/clean_command.h"
#include "engine/cleanup_log.h"
#include "engine/file_list.h"
#include "engine/name_bytes.h"
#include "engine/posix_file_system.h"
#include "engine/run_state.h"
#include "tools/batch/json_lines_interface.h"
#include "tools/batch/json_text.h"
#include "tools/batch/settings_json.h"

namespace klarwell::batch {

namespace {

constexpr std::string_view kUsage =
    "usage: klarwell-batch [--settings S.json] [--answers A1,A2,...] [--log-dir DIR] FOLDER";

struct Arguments {
    std::optional<std::string> SettingsFile;
    std::string Answers;
    std::optional<std::string> LogDir;
    std::optional<std::string> Folder;
};

int Refuse(std::string_view reason) {
    std::fprintf(stderr, "klarwell-batch: %.*s\n", static_cast<int>(reason.size()), reason.data());
    return kExitBadArguments;
}

// Fills `arguments`; returns the reason when the command line is not usable.
std::optional<std::string> ParseArguments(const std::vector<std::string_view>& words,
                                          Arguments& arguments) {
    for (std::size_t i = 0; i < words.size(); ++i) {
        const std::string_view word = words[i];
        const bool isOption = word == "--settings" || word == "--answers" || word == "--log-dir";
        if (isOption) {
            if (i + 1 >= words.size()) {
                return std::string(word) + " needs a value; " + std::string(kUsage);
            }
            const std::string value(words[++i]);
            if (word == "--settings") {
                arguments.SettingsFile = value;
            } else if (word == "--answers") {
                arguments.Answers = value;
            } else {
                arguments.LogDir = value;
            }
        } else if (word.starts_with("--")) {
            return "unknown option " + JsonString(word) + "; " + std::string(kUsage);
        } else if (arguments.Folder) {
            return "more than one folder given; " + std::string(kUsage);
        } else {
            arguments.Folder = std::string(word);
        }
    }
    if (!arguments.Folder) {
        return "no folder given; " + std::string(kUsage);
    }
    return std::nullopt;
}

std::optional<std::string> ReadWholeFile(const std::string& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    std::string content{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (in.bad()) {
        return std::nullopt;
    }
    return content;
}

// The folder as the window holds it: absolute, without a trailing separator unless it is the root.
std::filesystem::path FolderPathOf(const std::string& argument) {
    std::error_code ec;
    std::string text = std::filesystem::absolute(argument, ec).native();
    if (ec) {
        text = argument;
    }
    return engine::WithoutTrailingSeparator(text);
}

std::string EndLine(const engine::RunState& state) {
    return "{\"end\":{\"Corrections\":" + std::to_string(state.Corrections) +
           ",\"CancelProcess\":" + (state.CancelProcess ? "true" : "false") +
           ",\"CurFileCount\":" + std::to_string(state.CurFileCount) + "}}";
}

int Run(const std::vector<std::string_view>& words) {
    Arguments arguments;
    if (const std::optional<std::string> reason = ParseArguments(words, arguments)) {
        return Refuse(*reason);
    }

    SettingsReading reading;
    if (arguments.SettingsFile) {
        const std::optional<std::string> text = ReadWholeFile(*arguments.SettingsFile);
        if (!text) {
            return Refuse("cannot read the settings file " + JsonString(*arguments.SettingsFile));
        }
        reading = ReadSettings(*text);
        if (!reading.Error.empty()) {
            return Refuse(reading.Error);
        }
    }

    AnswerList answers = ParseAnswers(arguments.Answers);
    if (!answers.Error.empty()) {
        return Refuse(answers.Error);
    }

    std::error_code ec;
    if (!std::filesystem::is_directory(*arguments.Folder, ec)) {
        return Refuse("not a folder: " + JsonString(*arguments.Folder));
    }

    engine::PosixFileSystem fs;
    engine::CleanSettings& settings = reading.Settings;
    settings.FolderChosen = true;
    settings.FolderPath = FolderPathOf(*arguments.Folder);
    if (!reading.HasFileNames) {
        engine::FolderListing listing = engine::ListAudioFiles(fs, settings.FolderPath);
        if (listing.Error) {
            return Refuse("cannot list " + JsonString(settings.FolderPath.native()) + ": " +
                          listing.Error.message());
        }
        settings.FileNames = std::move(listing.Names);
    }

    const std::filesystem::path logDir =
        arguments.LogDir ? std::filesystem::path(*arguments.LogDir) : engine::ProgramFolder();
    engine::CleanupLog log(logDir, engine::DefaultFallbackLogFolder());
    JsonLinesInterface ui(std::move(answers.Answers), stdout);
    engine::RunState state;
    engine::RunCleanCommand(settings, state, ui, fs, log);
    ui.PrintLine(EndLine(state));
    return 0;
}

}  // namespace

}  // namespace klarwell::batch

int main(int argc, char** argv) {
    const std::vector<std::string_view> words(argv + 1, argv + argc);
    try {
        return klarwell::batch::Run(words);
    } catch (const std::exception& error) {
        // Nothing in the run is meant to throw; should a library still do so, the process reports
        // it instead of aborting.
        std::fprintf(stderr, "klarwell-batch: %s\n", error.what());
        return klarwell::batch::kExitBadArguments;
    }
}
