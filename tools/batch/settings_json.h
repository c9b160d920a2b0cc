#pragma once

#include <string>
#include <string_view>

#include "engine/clean_settings.h"

namespace klarwell::batch {

struct SettingsReading {
    engine::CleanSettings Settings;  // absent keys keep the program-start values
    bool HasFileNames = false;
    std::string Error;  // one line; empty when the settings were taken
};

// Reads one JSON object whose keys are CleanSettings field names. Texts may carry "\udcXX" for a
// byte of a name that is not UTF-8. A wrong type, a value out of range, more pairs than the window
// has, an unknown key or a listed name that could reach outside the folder is an error.
[[nodiscard]] SettingsReading ReadSettings(std::string_view json);

}  // namespace klarwell::batch
