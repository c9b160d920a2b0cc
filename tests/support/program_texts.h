#pragma once

// The program's own texts as the tests expect them, each written once. Line breaks are CR LF.

#include <string>
#include <string_view>

namespace klarwell::testing {

// ---- Engine: titles and status line ----
inline constexpr std::string_view kTitle = "Klarwell";
inline constexpr std::string_view kConfirmationTitle = "Klarwell Task Confirmation";
inline constexpr std::string_view kConflictTitle = "File Name Conflict";
inline constexpr std::string_view kCanceledStatus = "File Clean process canceled.";

inline std::string CleanedStatus(int corrections) {
    return std::to_string(corrections) + " cleaned";
}

// ---- Engine: Clean command ----
inline constexpr std::string_view kChoosePathMessage = "You must choose a path before proceeding";
inline constexpr std::string_view kBackupWarning =
    "Since this process can not be reversed, it is recomended that \r\nyou make a backup of your "
    "source directory before proceeding.\r\n\r\nAre you sure you want to continue?";

inline std::string DigitCountText(int needed, int files) {
    return "There must be at least " + std::to_string(needed) +
           " digits in the index number since your selected folder contains " +
           std::to_string(files) + " files.";
}

inline std::string DigitCountText(int needed, int files, std::string_view startIndex) {
    return "There must be at least " + std::to_string(needed) +
           " digits in the index number since your selected folder contains " +
           std::to_string(files) + " files in addition to a start index of " +
           std::string(startIndex) + ".";
}

// ---- Engine: task confirmation ----
inline constexpr std::string_view kKeepOpening =
    "You are about to remove leading and trailing spaces, as well as remove the characters ', @, "
    "#, $, %, ^, and ~ from the file names in your\r\nselected directory";
inline constexpr std::string_view kDiscardOpening =
    "You are about to discard all original file names and rename your files with the "
    "structure\r\n";
inline constexpr std::string_view kQuestion = "\r\n\r\n\r\nAre you sure you want to continue?";

// ---- Engine: batch run ----
inline std::string FinishedText(int corrections) {
    return "Finished!\r\n" + std::to_string(corrections) + " file(s) cleaned";
}

// ---- Engine: rename step and cleanup log ----
inline std::string EmptyNameText(std::string_view listed) {
    return "Specified File Clean settings will result in an empty file name for file " +
           std::string(listed) +
           ". Click OK to skip this file, or Cancel to stop the File Clean process";
}

inline std::string ConflictText(std::string_view listed, std::string_view target) {
    return "The file " + std::string(target) +
           " already exists.  The specified File Clean settings will cause " + std::string(listed) +
           " to be renamed to " + std::string(target) +
           ".  Do you want to replace the existing file with the newly renamed file, destroying "
           "the original file?  Click YES to replace the existing file, NO to skip the current "
           "file, or Cancel to stop the File Clean process.";
}

inline std::string RenameFailureText(std::string_view listed, std::string_view target,
                                     std::string_view reason) {
    return "Could not rename " + std::string(listed) + " to " + std::string(target) + ": " +
           std::string(reason) +
           "\r\n\r\nClick OK to skip this file, or Cancel to stop the File Clean process";
}

inline std::string LogLineText(std::string_view fromPath, std::string_view toPath) {
    return "Re-named" + std::string(fromPath) + " as " + std::string(toPath) + "\r\n";
}

// `tried`: the log file, or "<program log> or <fallback log>".
inline std::string LogFailureText(std::string_view tried, std::string_view reason) {
    return "Could not write the rename log " + std::string(tried) + ": " + std::string(reason) +
           "\r\n\r\nThe files are renamed, but this run's renames are not logged.";
}

}  // namespace klarwell::testing

// ---- Undo ----
namespace klarwell::testing::texts {

// Progress bar.
inline constexpr char kSearching[] = "Searching..";
inline constexpr char kPercentSuffix[] = " %";

// Undo: why a line of cleanup.log is not read as a rename.
inline constexpr std::string_view kLineNotRenamed = "does not begin with \"Re-named\"";
inline constexpr std::string_view kLineNoSplit = "has no \" as \" between two paths of one folder";
inline constexpr std::string_view kLineControlByte = "holds a control byte that the log escapes";
inline constexpr std::string_view kLineBadEscape = "holds a \\x escape without two hex digits";
inline constexpr std::string_view kLineBadName = "names a file that cannot be in the folder";
inline constexpr std::string_view kLineTorn = "is torn: it has no CR LF at its end";
inline constexpr std::string_view kLineLfOnly = "ends in a line feed without a carriage return";
inline constexpr std::string_view kLineTooLong = "is longer than any logged rename";

// Undo: klarwell-undo's report.
inline constexpr std::string_view kUndoArrow = " \u2190 ";
inline constexpr std::string_view kUndoLost =
    "A file that a name conflict answered Yes replaced was destroyed by that run and cannot "
    "come back.";
inline constexpr std::string_view kUndoPlanned = " steps planned, nothing changed.";
inline constexpr std::string_view kUndoBothLogs =
    "klarwell-undo: reading both logs, the older first: ";

inline std::string UndoPlan(std::string_view oldName, std::string_view newName) {
    return std::string(oldName) + std::string(kUndoArrow) + std::string(newName);
}
inline std::string UndoNotFound(std::string_view oldName, std::string_view newName) {
    return "not found: " + UndoPlan(oldName, newName) + ": " + std::string(newName) + " is gone";
}
inline std::string UndoTaken(std::string_view oldName, std::string_view newName) {
    return "skipped: " + UndoPlan(oldName, newName) + ": " + std::string(oldName) + " is taken";
}
inline std::string UndoSummary(int renamed, int skipped, int notFound) {
    return std::to_string(renamed) + " renamed back, " + std::to_string(skipped) + " skipped, " +
           std::to_string(notFound) + " not found.";
}
inline std::string UndoLineSkipped(int number, std::string_view log, std::string_view fault) {
    return "klarwell-undo: line " + std::to_string(number) + " of " + std::string(log) + " " +
           std::string(fault) + ", skipped";
}
inline std::string UndoFewer(int found, std::string_view folder, int asked) {
    return "Only " + std::to_string(found) + " renames of " + std::string(folder) +
           " are in the log, not " + std::to_string(asked) + ".";
}

// Batch: why klarwell-batch ends at an unanswered box.
inline constexpr std::string_view kBatchNoAnswerLeft =
    "klarwell-batch: no answer left for this box\n";
inline std::string BatchNotAButton(int answer, std::string_view buttons) {
    return "klarwell-batch: --answers: answer " + std::to_string(answer) +
           " is not a button of this box (" + std::string(buttons) + ")\n";
}

}  // namespace klarwell::testing::texts

// ---- Window ----
namespace klarwell::testing::texts::window {

inline constexpr const char* kCaption = "Klarwell 3.0.1";
inline constexpr const char* kAbout = "Klarwell\r\n3.0.1";
inline constexpr const char* kSelectFolderStatus = "Please select source folder";
inline constexpr const char* kBrowseTitle = "Please select the source folder.";
inline constexpr const char* kNoPathStatus = "No path selected.  Process canceled.";
inline constexpr const char* kNoPathCaption = "(No Path Selected)";
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

}  // namespace klarwell::testing::texts::window
