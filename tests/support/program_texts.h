#pragma once

#include <string_view>

// The program's own texts that tests compare against, each written once, grouped by subsystem.
namespace klarwell::testing::texts {

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

}  // namespace klarwell::testing::texts
