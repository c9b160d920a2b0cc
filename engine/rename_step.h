#pragma once

#include <cstdint>
#include <filesystem>
#include <string_view>

#include "engine/clean_settings.h"
#include "engine/cleanup_log.h"
#include "engine/file_system.h"
#include "engine/run_state.h"
#include "engine/user_interface.h"

namespace klarwell::engine {

// -1 when the path exists (file or folder), else 0; never fails.
[[nodiscard]] std::int16_t FileExists(const FileSystem& fs, const std::filesystem::path& path);

// Renames one listed file to state.NewFilename + state.FileExtension, asking about an empty name
// or a name that another file bears. A file that ends up not renamed gives its index number back.
// A rename that fails is told to the user (OK skips the file, Cancel stops the run) and is never
// counted or logged.
void RenameStep(std::string_view listedName, const CleanSettings& settings, RunState& state,
                UserInterface& ui, FileSystem& fs, CleanupLog& log);

}  // namespace klarwell::engine
