#pragma once

#include <string>
#include <vector>

#include "bench/bench_folder.h"
#include "bench/silent_interface.h"
#include "engine/batch_run.h"
#include "engine/clean_settings.h"
#include "engine/cleanup_log.h"
#include "engine/name_list.h"
#include "engine/posix_file_system.h"
#include "engine/run_state.h"

namespace klarwell::bench {

// What a batch run over a bench folder needs: the settings with the listed names, the real file
// system, a user who agrees to everything, and the log in the bench's log folder.
struct EngineRun {
    EngineRun(const BenchRoot& root, std::vector<std::string> names)
        : Log(root.LogFolder(), root.LogFolder() / "fallback") {
        Settings.FolderChosen = true;
        Settings.FolderPath = root.Music();
        Settings.FileNames = engine::NameList(names);
    }

    // One whole batch run; returns the number of files renamed.
    int Run() {
        engine::RunState state;
        engine::RunBatch(Settings, state, Ui, Fs, Log);
        return state.CancelProcess ? -1 : state.Corrections;
    }

    engine::CleanSettings Settings;
    engine::PosixFileSystem Fs;
    SilentInterface Ui;
    engine::CleanupLog Log;
};

}  // namespace klarwell::bench
