#pragma once

#include <string>

// Every program text the tests check, written once, grouped by the subsystem that shows it.

namespace klarwell::texts::engine {

inline constexpr const char* kCancelledStatus = "File Clean process canceled.";
inline constexpr const char* kConflictTitle = "File Name Conflict";

inline std::string Finished(int cleaned) {
    return "Finished!\r\n" + std::to_string(cleaned) + " file(s) cleaned";
}

// The refusal of a digit count too small for the folder; the start index is named from 2 on.
inline std::string DigitCountMessage(int needed, int files, int firstIndex) {
    std::string text = "There must be at least " + std::to_string(needed) +
                       " digits in the index number since your selected folder contains " +
                       std::to_string(files) + " files";
    return firstIndex > 1
               ? text + " in addition to a start index of " + std::to_string(firstIndex) + "."
               : text + ".";
}

}  // namespace klarwell::texts::engine

namespace klarwell::texts::window {

inline constexpr const char* kTitle = "Klarwell";
inline constexpr const char* kCaption = "Klarwell 3.0.1";
inline constexpr const char* kAbout = "Klarwell\r\n3.0.1";
inline constexpr const char* kSelectFolderStatus = "Please select source folder";
inline constexpr const char* kBrowseTitle = "Please select the source folder.";
inline constexpr const char* kNoPathStatus = "No path selected.  Process canceled.";
inline constexpr const char* kNoPathCaption = "(No Path Selected)";
inline constexpr const char* kChoosePath = "You must choose a path before proceeding";
inline constexpr const char* kInvalidCharTitle = "Invalid Character Entered";
inline constexpr const char* kInvalidCharHashAllowed =
    "File names can not contain the characters /, \\, :, ?, \", <, >, |, ', @, $, %, ^, ~, or &";
inline constexpr const char* kInvalidCharHashForbidden =
    "File names can not contain the characters /, \\, :, ?, \", <, >, |, ', @, #, $, %, ^, ~, or &";

inline std::string FolderStatus(const std::string& folder, int files) {
    return folder + " - " + std::to_string(files) + " files";
}

inline std::string FolderUnreadable(const std::string& folder, const std::string& reason) {
    return "The folder " + folder + " can not be read: " + reason;
}

}  // namespace klarwell::texts::window
