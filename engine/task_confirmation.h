#pragma once

#include <string>

#include "engine/clean_settings.h"
#include "engine/user_interface.h"

namespace klarwell::engine {

// The plain-words summary of the task, ending in "Are you sure you want to continue?".
[[nodiscard]] std::string TaskConfirmationText(const CleanSettings& settings);

// Shows the summary titled "Klarwell Task Confirmation" with Yes and No; false only for No.
[[nodiscard]] bool DisplayStripWarning(const CleanSettings& settings, UserInterface& ui);

}  // namespace klarwell::engine
