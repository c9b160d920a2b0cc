#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "engine/clean_settings.h"
#include "engine/cleanup_log.h"
#include "engine/run_state.h"
#include "engine/user_interface.h"
#include "tests/support/program_texts.h"
#include "tests/support/scripted_user_interface.h"
#include "tests/support/temp_folder.h"

namespace klarwell::testing {

using Lines = std::vector<std::string>;
using Answers = std::vector<engine::Answer>;

// A music folder, the program's folder and the state folder of the log, with settings for music.
struct EngineFixture {
    TempFolder Music;
    TempFolder Program;
    TempFolder State;
    engine::CleanSettings Settings;
    engine::RunState Run;
    engine::CleanupLog Log{Program.Path(), State.Path() / "klarwell"};

    EngineFixture() {
        Settings.FolderChosen = true;
        Settings.FolderPath = Music.Path();
    }

    // The log line of one rename in the music folder.
    [[nodiscard]] std::string Logged(std::string_view from, std::string_view to) const {
        const std::string folder = Music.Path().native() + "/";
        return LogLineText(folder + std::string(from), folder + std::string(to));
    }
    [[nodiscard]] std::string LogText() const { return Program.Read("cleanup.log"); }
};

// The engine's boxes and status texts as ScriptedUserInterface records them.
inline std::string Cleaned(int corrections) {
    return "status " + CleanedStatus(corrections);
}
inline std::string FinishedBox(int cleaned) {
    return BoxEvent(kTitle, engine::Buttons::Ok, FinishedText(cleaned));
}
inline std::string EmptyNameBox(std::string_view listed) {
    return BoxEvent(kTitle, engine::Buttons::OkCancel, EmptyNameText(listed));
}
inline std::string ConflictBox(std::string_view listed, std::string_view target) {
    return BoxEvent(kConflictTitle, engine::Buttons::YesNoCancel, ConflictText(listed, target));
}
inline std::string FailureBox(std::string_view listed, std::string_view target,
                              std::string_view reason) {
    return BoxEvent(kTitle, engine::Buttons::OkCancel, RenameFailureText(listed, target, reason));
}

inline constexpr auto kToSpaces = engine::SpaceUnderscoreMode::UnderscoresToSpaces;
inline constexpr auto kRemoveBoth = engine::SpaceUnderscoreMode::RemoveSpacesAndUnderscores;
inline constexpr auto kKeep = engine::SpaceUnderscoreMode::KeepSpacesAndUnderscores;

// Builds the options of one table row, starting from the program-start values.
class Options {
public:
    Options& Leading() { return Set(&engine::CleanSettings::RemoveLeadingDigits, true); }
    Options& Trailing() { return Set(&engine::CleanSettings::RemoveTrailingDigits, true); }
    Options& Discard() { return Set(&engine::CleanSettings::DiscardOriginalNames, true); }
    Options& Mode(engine::SpaceUnderscoreMode mode) {
        return Set(&engine::CleanSettings::SpaceMode, mode);
    }
    Options& Width(int digits) { return Set(&engine::CleanSettings::FileCountChars, digits); }
    Options& First(int index) { return Set(&engine::CleanSettings::FirstIndex, index); }
    Options& Prefix(std::string text, bool ticked = true) {
        m_Settings.Prefix = std::move(text);
        return Set(&engine::CleanSettings::AddPrefix, ticked);
    }
    Options& Suffix(std::string text, bool ticked = true) {
        m_Settings.Suffix = std::move(text);
        return Set(&engine::CleanSettings::AddSuffix, ticked);
    }
    Options& Pair(int index, std::string keyword, std::string with, bool enabled = true) {
        m_Settings.Replacements.at(static_cast<std::size_t>(index)) =
            engine::ReplacementPair{enabled, std::move(keyword), std::move(with)};
        return *this;
    }
    operator engine::CleanSettings() const { return m_Settings; }

private:
    template <typename T>
    Options& Set(T engine::CleanSettings::*field, T value) {
        m_Settings.*field = std::move(value);
        return *this;
    }

    engine::CleanSettings m_Settings;
};

}  // namespace klarwell::testing
