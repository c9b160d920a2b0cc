#include "engine/rename_step.h"

#include <string>

#include "engine/application_identity.h"
#include "engine/internal/name_parts.h"
#include "engine/name_bytes.h"

namespace klarwell::engine {

namespace {

constexpr std::string_view kConflictTitle = "File Name Conflict";

std::string EmptyNameText(std::string_view listedName) {
    return "Specified File Clean settings will result in an empty file name for file " +
           std::string(listedName) +
           ". Click OK to skip this file, or Cancel to stop the File Clean process";
}

std::string ConflictText(std::string_view listedName, std::string_view targetName) {
    const std::string target(targetName);
    return "The file " + target +
           " already exists.  The specified File Clean settings will cause " +
           std::string(listedName) + " to be renamed to " + target +
           ".  Do you want to replace the existing file with the newly renamed file, destroying "
           "the original file?  Click YES to replace the existing file, NO to skip the current "
           "file, or Cancel to stop the File Clean process.";
}

std::string FailureText(std::string_view listedName, std::string_view targetName,
                        const std::error_code& ec) {
    return "Could not rename " + std::string(listedName) + " to " + std::string(targetName) + ": " +
           ec.message() +
           "\r\n\r\nClick OK to skip this file, or Cancel to stop the File Clean process";
}

// The bytes that no file system's letter-case folding changes or produces: ASCII other than the
// letters, and other than ";" and "`", which a few non-ASCII characters decompose to.
std::string CaseFoldSkeleton(std::string_view name) {
    std::string skeleton;
    for (const char c : name) {
        const auto byte = static_cast<unsigned char>(c);
        const bool letter = AsciiLower(c) != AsciiUpper(c);
        if (byte < 0x80 && !letter && c != ';' && c != '`') {
            skeleton += c;
        }
    }
    return skeleton;
}

// Replaces the file that bears the target name. One rename(2) over it, so that a failure leaves
// both files as they were. When the target is the listed file itself under a second name, the
// file must survive under the target name.
std::error_code ReplaceExisting(FileSystem& fs, const std::filesystem::path& folder,
                                std::string_view listedName, std::string_view targetName,
                                const std::filesystem::path& from,
                                const std::filesystem::path& to) {
    const SameFileResult same = fs.IsSameFile(from, to);
    if (same.LeadsTo) {
        // The link would take the place of the only copy and point at itself.
        return MakeErrorCode(Refusal::LinkToNewName);
    }
    if (!same.Same) {
        return fs.Rename(from, to);
    }
    if (CaseFoldSkeleton(listedName) != CaseFoldSkeleton(targetName)) {
        // No case-blind file system takes the two names for one: a hard link. The target name
        // already holds the content; drop the listed name.
        return fs.Remove(from);
    }
    const FolderListing listing = fs.ListFiles(folder);
    if (listing.Error) {
        return listing.Error;
    }
    for (const std::string_view name : listing.Names) {
        if (name == targetName) {
            // A hard link: the target name already holds the content; drop the listed name.
            return fs.Remove(from);
        }
    }
    // A file system that ignores letter case: the rename changes the case of the one entry.
    return fs.Rename(from, to);
}

}  // namespace

std::int16_t FileExists(const FileSystem& fs, const std::filesystem::path& path) {
    return fs.Exists(path) ? std::int16_t{-1} : std::int16_t{0};
}

void RenameStep(std::string_view listedName, const CleanSettings& settings, RunState& state,
                UserInterface& ui, FileSystem& fs, CleanupLog& log) {
    const std::string target = state.NewFilename + state.FileExtension;
    const bool changed = listedName != target;

    if (state.NewFilename.empty()) {
        if (ui.ShowMessage(EmptyNameText(listedName), kApplicationTitle, Buttons::OkCancel,
                           Icon::None) == Answer::Cancel) {
            state.CancelProcess = true;
        }
        --state.CurFileCount;
        return;
    }
    if (!changed) {
        --state.CurFileCount;
        return;
    }

    const std::filesystem::path& folder = settings.FolderPath;
    const std::filesystem::path from = FullPath(folder, listedName);
    const std::filesystem::path to = FullPath(folder, target);

    std::error_code ec;
    // A keyword, prefix or suffix can carry a separator; a name must never leave the folder.
    if (target.find_first_of(std::string_view("/\0", 2)) != std::string::npos) {
        ec = std::make_error_code(std::errc::invalid_argument);
    } else {
        // The rename itself finds out whether the name is taken, and never replaces unasked: no
        // moment between a look and the rename in which a file could appear.
        ec = fs.RenameNoReplace(from, to);
    }
    // A rename that failed for another reason onto a name that is taken is a conflict too: the
    // user is asked first, as for any taken name.
    if (ec == std::errc::file_exists || (ec && FileExists(fs, to) == -1)) {
        const Answer answer = ui.ShowMessage(ConflictText(listedName, target), kConflictTitle,
                                             Buttons::YesNoCancel, Icon::None);
        if (answer == Answer::No) {
            --state.CurFileCount;
            return;
        }
        if (answer != Answer::Yes) {
            state.CancelProcess = true;
            return;
        }
        ec = ReplaceExisting(fs, folder, listedName, target, from, to);
    }

    if (ec) {
        --state.CurFileCount;
        if (ui.ShowMessage(FailureText(listedName, target, ec), kApplicationTitle,
                           Buttons::OkCancel, Icon::None) == Answer::Cancel) {
            state.CancelProcess = true;
        }
        return;
    }

    state.NamesTakenThisRun.Take(target);
    log.Append(LogLine(folder, listedName, target), fs, ui);
    ++state.Corrections;
    ui.SetStatusText(std::to_string(state.Corrections) + " cleaned");
}

}  // namespace klarwell::engine
