#pragma once

#include <string_view>

#include "engine/clean_settings.h"
#include "engine/cleanup_log.h"
#include "engine/file_system.h"
#include "engine/run_state.h"
#include "engine/user_interface.h"

namespace klarwell::engine {

// ".WAV", ".MP3", ".KRT", ".TMC" or ".MP2" as the last four characters of the trimmed name, in any
// letter case.
[[nodiscard]] bool IsAudioFileName(std::string_view listedName);

// Whether the options could change the name; spaces and underscores always count, whatever the
// space mode.
[[nodiscard]] bool NeedsCleaning(std::string_view listedName, const CleanSettings& settings);

// The bar's value before entry `position` of `count`: 0 for the first, 100 for the last, halves
// to even. A single entry shows 0.
[[nodiscard]] int ProgressValue(int position, int count);

// Walks settings.FileNames top to bottom, renaming those that need cleaning, until the end or a
// Cancel; then sets the bar to 100, re-reads the list and says how many files were cleaned.
void RunBatch(const CleanSettings& settings, RunState& state, UserInterface& ui, FileSystem& fs,
              CleanupLog& log);

}  // namespace klarwell::engine
