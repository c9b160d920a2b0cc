#include "engine/batch_run.h"

#include <algorithm>
#include <string>

#include "engine/application_identity.h"
#include "engine/internal/name_parts.h"
#include "engine/name_bytes.h"
#include "engine/name_rules.h"
#include "engine/numeric_text.h"
#include "engine/rename_step.h"

namespace klarwell::engine {

namespace {

constexpr std::string_view kNeedsCleaningChars = " _'@#$%^~&";

}  // namespace

bool IsAudioFileName(std::string_view listedName) {
    const std::string_view trimmed = TrimSpaces(listedName);
    if (trimmed.size() < kExtensionLength) {
        return false;
    }
    return IsExtensionIn(trimmed.substr(trimmed.size() - kExtensionLength), kAudioExtensions);
}

bool NeedsCleaning(std::string_view listedName, const CleanSettings& settings) {
    const std::string_view trimmed = TrimSpaces(listedName);
    if (settings.RemoveLeadingDigits && !trimmed.empty() && IsAsciiDigit(trimmed.front())) {
        return true;
    }
    if (settings.RemoveTrailingDigits) {
        const std::string_view base = TrimSpaces(listedName.substr(
            0, listedName.size() - std::min(kExtensionLength, listedName.size())));
        if (!base.empty() && IsAsciiDigit(base.back())) {
            return true;
        }
    }
    if (PrefixInForce(settings) || SuffixInForce(settings)) {
        return true;
    }
    for (const ReplacementPair& pair : settings.Replacements) {
        if (PairInForce(pair) && listedName.find(pair.Keyword) != std::string_view::npos) {
            return true;
        }
    }
    return listedName.find_first_of(kNeedsCleaningChars) != std::string_view::npos;
}

int ProgressValue(int position, int count) {
    if (count <= 1) {
        return 0;
    }
    const double value = 100.0 / static_cast<double>(count - 1) * static_cast<double>(position);
    return static_cast<int>(RoundHalfEven(value));
}

void RunBatch(const CleanSettings& settings, RunState& state, UserInterface& ui, FileSystem& fs,
              CleanupLog& log) {
    state.Corrections = 0;
    state.CancelProcess = false;
    state.NamesTakenThisRun.Reset(settings.FileNames);
    log.StartRun();
    // Every rename of the run reaches the folder the list was read from, whatever happens to its
    // path meanwhile. Should it not open, each step meets and reports the reason itself.
    static_cast<void>(fs.HoldFolder(settings.FolderPath));
    const int count = static_cast<int>(settings.FileNames.size());
    const int last = count - 1;
    for (state.cnt = 0; state.cnt <= last && !state.CancelProcess; ++state.cnt) {
        ui.SelectListEntry(state.cnt);
        const std::string_view listedName = settings.FileNames[static_cast<std::size_t>(state.cnt)];
        ui.SetProgress(ProgressValue(state.cnt, count));
        // An entry whose name a rename of this run took over leads to that renamed file; its own
        // file was replaced with the user's consent. Renaming it again would move the wrong file.
        if (state.NamesTakenThisRun.IsTaken(static_cast<std::size_t>(state.cnt))) {
            continue;
        }
        if (!IsAudioFileName(listedName) || !NeedsCleaning(listedName, settings)) {
            continue;
        }
        NewName name = ComputeNewName(listedName, settings, state);
        state.NewFilename = std::move(name.NewFilename);
        state.FileExtension = std::move(name.FileExtension);
        RenameStep(listedName, settings, state, ui, fs, log);
    }
    if (state.Corrections > 0) {
        // Once per run, so that what "Finished!" reports is on the disk. A failed flush changes
        // nothing that was done.
        log.Sync(fs);
        static_cast<void>(fs.Sync(settings.FolderPath));
    }
    static_cast<void>(fs.HoldFolder({}));
    ui.SetProgress(100);
    ui.RereadList();
    ui.ShowMessage("Finished!\r\n" + std::to_string(state.Corrections) + " file(s) cleaned",
                   kApplicationTitle, Buttons::Ok, Icon::None);
}

}  // namespace klarwell::engine
