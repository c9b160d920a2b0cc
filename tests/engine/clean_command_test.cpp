#include "engine/clean_command.h"

#include <cstdint>
#include <string>

#include <gtest/gtest.h>

#include "engine/posix_file_system.h"
#include "tests/engine/engine_fixture.h"

namespace klarwell::engine {
namespace {

using namespace testing;

const std::string kBackupBox = BoxEvent(kTitle, Buttons::YesNo, kBackupWarning);
const std::string kCancelled = "status " + std::string(kCanceledStatus);

// The digit count is checked after the backup warning whatever its answer; a No or a refusal
// cancels the command before the summary.
TEST(RunCleanCommand, DeclinedOrDigitCountRefused) {
    struct Row {
        const char* why;
        int files;
        int width;
        std::int32_t firstIndex;
        std::string message;  // empty: no refusal, the summary is asked and answered No
        Answer backup = Answer::Yes;
        bool numbering = true;
    };
    const Row rows[] = {
        {"12 files need two digits", 12, 1, 1, DigitCountText(2, 12)},
        {"the check follows a declined backup warning too", 12, 1, 1, DigitCountText(2, 12),
         Answer::No},
        {"a start index of 2 is named", 10, 1, 2, DigitCountText(2, 10, "2")},
        {"No to the backup warning", 9, 1, 1, "", Answer::No},
        {"9 files fit one digit", 9, 1, 1, ""},
        {"first index 0 makes the highest index 9 for 10 files", 10, 1, 0, ""},
        {"a minus sign counts: one file from -5", 1, 1, -5, DigitCountText(2, 1)},
        {"no check while index numbering is off", 100, 1, 1, "", Answer::Yes, false},
        {"the top of the index range does not wrap", 2, 9, 2147483647,
         DigitCountText(10, 2, "2147483647")},
    };
    const std::string summary =
        BoxEvent(kConfirmationTitle, Buttons::YesNo,
                 std::string(kKeepOpening) + ", as well as replace spaces with underscores." +
                     std::string(kQuestion));
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        EngineFixture f;
        f.Settings.FileNames.assign(static_cast<std::size_t>(row.files), "clean.mp3");
        f.Settings.IndexNumbering = row.numbering;
        f.Settings.FileCountChars = row.width;
        f.Settings.FirstIndex = row.firstIndex;
        Answers answers = {row.backup};
        Lines events = {kBackupBox};
        if (!row.message.empty()) {
            answers.push_back(Answer::Ok);
            events.push_back(BoxEvent(kTitle, Buttons::Ok, row.message));
        } else if (row.backup == Answer::Yes) {
            answers.push_back(Answer::No);
            events.push_back(summary);
        }
        events.push_back(kCancelled);
        ScriptedUserInterface ui(answers);
        PosixFileSystem fs;
        EXPECT_EQ(RunCleanCommand(f.Settings, f.Run, ui, fs, f.Log),
                  row.message.empty() ? CleanOutcome::Declined : CleanOutcome::WidthRefused);
        EXPECT_EQ(ui.Events(), events);
    }
}

// The bar is shown and drawn once before the batch and hidden after its summary; the numbering
// restarts whatever an earlier run left.
TEST(RunCleanCommand, ConfirmedRunShowsTheBarAroundTheBatchAndNumbersAfresh) {
    EngineFixture f;
    f.Music.Create({"x.mp3: x", "y.mp3: y"});
    f.Settings = Options().Prefix("#_").Width(2).First(0);
    f.Settings.FolderPath = f.Music.Path();
    f.Settings.FileNames = {"x.mp3", "y.mp3"};
    f.Settings.IndexNumbering = true;
    f.Run.CurFileCount = 77;
    ScriptedUserInterface ui({Answer::Yes, Answer::Yes, Answer::Ok});
    PosixFileSystem fs;
    EXPECT_EQ(RunCleanCommand(f.Settings, f.Run, ui, fs, f.Log), CleanOutcome::Ran);
    const std::string text = std::string(kKeepOpening) +
                             ", as well as replace spaces with underscores.\r\n\r\nAdditionally, "
                             "you have chosen to prepend \"00_\" to your file names." +
                             std::string(kQuestion);
    EXPECT_EQ(ui.Events(), (Lines{kBackupBox, BoxEvent(kConfirmationTitle, Buttons::YesNo, text),
                                  "show", "yield", "select 0", "progress 0", "status 1 cleaned",
                                  "select 1", "progress 100", "status 2 cleaned", "progress 100",
                                  "reread", FinishedBox(2), "hide"}));
    EXPECT_EQ(f.Music.Entries(), (Lines{"00_x.mp3: x", "01_y.mp3: y"}));
}

}  // namespace
}  // namespace klarwell::engine
