#pragma once

#include <string>
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

}  // namespace klarwell::testing::texts
