#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "engine/clean_settings.h"
#include "engine/cleanup_log.h"
#include "engine/file_system.h"
#include "engine/run_state.h"
#include "engine/user_interface.h"

namespace klarwell::engine {

inline constexpr std::string_view kCancelledStatus = "File Clean process canceled.";

// Characters of the decimal text of the highest index a run could hand out.
[[nodiscard]] int NeededDigits(int fileCount, std::int32_t fileIndexCountOffset);

// "There must be at least ..." for a digit count that is too small; names the start index when
// it is 2 or more.
[[nodiscard]] std::string DigitCountMessage(int neededDigits, int fileCount,
                                            std::int32_t fileIndexCountOffset);

enum class CleanOutcome {
    Ran,           // the batch ran (to its end or to a Cancel)
    Declined,      // the backup warning or the task summary was answered No
    WidthRefused,  // the digit count is too small; the window moves the focus to the first index
};

// The Clean command once a folder is chosen: backup warning, digit count check, task summary,
// then the batch with the progress bar shown. Every refusal ends with kCancelledStatus.
CleanOutcome RunCleanCommand(const CleanSettings& settings, RunState& state, UserInterface& ui,
                             FileSystem& fs, CleanupLog& log);

}  // namespace klarwell::engine
