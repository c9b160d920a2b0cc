#pragma once

#include <string>
#include <string_view>

#include "engine/clean_settings.h"
#include "engine/cleanup_log.h"
#include "engine/run_state.h"
#include "tests/support/temp_folder.h"

namespace klarwell::testing {

// A music folder, a folder standing for the program's own, and a state folder for the log's
// fallback, with settings that point at the music folder.
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

    // The full path as the log writes it.
    [[nodiscard]] std::string InMusic(std::string_view name) const {
        return Music.Path().native() + "/" + std::string(name);
    }
    [[nodiscard]] std::string LogText() const { return Program.Read("cleanup.log"); }
};

}  // namespace klarwell::testing
