#pragma once

#include <string>
#include <string_view>

#include "engine/clean_settings.h"
#include "engine/run_state.h"

namespace klarwell::engine {

struct NewName {
    std::string NewFilename;    // new base name, without extension
    std::string FileExtension;  // last four characters of the trimmed listed name, case kept
};

// Advances state.CurFileCount and returns the index number, zero-padded on the left to
// state.FileCountChars digits (a narrower width never cuts the number).
[[nodiscard]] std::string NextIndexString(RunState& state);

// The new name of one listed name (the bare name, bytes as listed). Takes one index number first,
// whatever the options; the rename step gives it back when the file is not renamed. Rules in this
// order: leading digits, trailing digits, prefix, suffix, keyword pairs 0 to 5, trim, character
// removal ("&" becomes "and"), spaces and underscores. With DiscardOriginalNames the name is
// prefix and suffix alone.
[[nodiscard]] NewName ComputeNewName(std::string_view listedName, const CleanSettings& settings,
                                     RunState& state);

// Space (U+0020) only, at both ends; other white space stays.
[[nodiscard]] std::string_view TrimSpaces(std::string_view text);

// Every occurrence of `from`, left to right without overlap; the inserted text is not searched.
[[nodiscard]] std::string ReplaceAll(std::string_view text, std::string_view from,
                                     std::string_view to);

}  // namespace klarwell::engine
