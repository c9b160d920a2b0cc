#include "engine/clean_command.h"

#include "engine/application_identity.h"
#include "engine/batch_run.h"
#include "engine/numeric_text.h"
#include "engine/task_confirmation.h"

namespace klarwell::engine {

namespace {

constexpr std::string_view kBackupWarning =
    "Since this process can not be reversed, it is recomended that \r\n"
    "you make a backup of your source directory before proceeding.\r\n\r\n"
    "Are you sure you want to continue?";

}  // namespace

int NeededDigits(int fileCount, std::int32_t fileIndexCountOffset) {
    // In 64 bits: a first index near the top of its range must not wrap.
    return static_cast<int>(
        DecimalText(static_cast<std::int64_t>(fileCount) + fileIndexCountOffset).size());
}

std::string DigitCountMessage(int neededDigits, int fileCount, std::int32_t fileIndexCountOffset) {
    std::string text = "There must be at least " + std::to_string(neededDigits) +
                       " digits in the index number since your selected folder contains " +
                       std::to_string(fileCount) + " files";
    if (fileIndexCountOffset <= 0) {
        return text + ".";
    }
    return text + " in addition to a start index of " +
           DecimalText(static_cast<std::int64_t>(fileIndexCountOffset) + 1) + ".";
}

CleanOutcome RunCleanCommand(const CleanSettings& settings, RunState& state, UserInterface& ui,
                             FileSystem& fs, CleanupLog& log) {
    // The digit count is checked whatever the answer, so both messages can appear in turn.
    const Answer backup =
        ui.ShowMessage(kBackupWarning, kApplicationTitle, Buttons::YesNo, Icon::None);
    bool widthRefused = false;
    if (settings.IndexNumbering) {
        state.FileCountChars = settings.FileCountChars;
        state.CurFileCount = 0;
        state.FileIndexCountOffset = FileIndexCountOffset(settings);
        const int fileCount = static_cast<int>(settings.FileNames.size());
        const int needed = NeededDigits(fileCount, state.FileIndexCountOffset);
        if (state.FileCountChars < needed) {
            ui.ShowMessage(DigitCountMessage(needed, fileCount, state.FileIndexCountOffset),
                           kApplicationTitle, Buttons::Ok, Icon::None);
            widthRefused = true;
        }
    }
    if (backup == Answer::No || widthRefused) {
        ui.SetStatusText(kCancelledStatus);
        return widthRefused ? CleanOutcome::WidthRefused : CleanOutcome::Declined;
    }
    if (!DisplayStripWarning(settings, ui)) {
        ui.SetStatusText(kCancelledStatus);
        return CleanOutcome::Declined;
    }
    ui.ShowProgress(true);
    ui.ProcessPendingEvents();
    RunBatch(settings, state, ui, fs, log);
    ui.ShowProgress(false);
    return CleanOutcome::Ran;
}

}  // namespace klarwell::engine
