#include "engine/clean_command.h"

#include <string>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "engine/posix_file_system.h"
#include "tests/engine/engine_fixture.h"
#include "tests/support/program_texts.h"
#include "tests/support/scripted_user_interface.h"

namespace klarwell::engine {
namespace {

using ::testing::ElementsAre;
using namespace testing;

CleanOutcome Clean(EngineFixture& f, ScriptedUserInterface& ui) {
    PosixFileSystem fs;
    return RunCleanCommand(f.Settings, f.Run, ui, fs, f.Log);
}

// The backup warning comes first; a No to it or to the summary cancels the command.
TEST(RunCleanCommand, DeclinedOrDigitCountRefused) {
    struct Row {
        const char* why;
        int files;
        int width;
        std::int32_t firstIndex;
        bool numbering;
        std::string message;  // empty: no message, the summary follows a Yes
        Answer backup = Answer::Yes;
    };
    const Row rows[] = {
        {"12 files need two digits", 12, 1, 1, true, DigitCountText(2, 12)},
        {"the check follows a declined backup warning too", 12, 1, 1, true, DigitCountText(2, 12),
         Answer::No},
        {"a start index above 1 is named", 10, 2, 95, true, DigitCountText(3, 10, "95")},
        {"No to the backup warning", 9, 1, 1, true, "", Answer::No},
        {"9 files fit one digit", 9, 1, 1, true, ""},
        {"first index 0 makes the highest index 9 for 10 files", 10, 1, 0, true, ""},
        {"a minus sign counts: one file from -5", 1, 1, -5, true, DigitCountText(2, 1)},
        {"a wide enough count passes", 100, 3, 1, true, ""},
        {"no check while index numbering is off", 100, 1, 1, false, ""},
        {"the top of the index range does not wrap", 2, 9, 2147483647, true,
         DigitCountText(10, 2, "2147483647")},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        EngineFixture f;
        for (int i = 1; i <= row.files; ++i) {
            f.Settings.FileNames.push_back("song " + std::to_string(i) + ".mp3");
        }
        f.Settings.IndexNumbering = row.numbering;
        f.Settings.FileCountChars = row.width;
        f.Settings.FirstIndex = row.firstIndex;
        const bool refused = !row.message.empty();
        ScriptedUserInterface ui({row.backup, refused ? Answer::Ok : Answer::No});
        const bool summary = !refused && row.backup == Answer::Yes;
        const CleanOutcome outcome = Clean(f, ui);
        ASSERT_EQ(ui.Boxes().size(), refused || summary ? 2U : 1U);
        ExpectBox(ui.Boxes()[0], kBackupWarning, kTitle, Buttons::YesNo);
        EXPECT_EQ(outcome, refused ? CleanOutcome::WidthRefused : CleanOutcome::Declined);
        if (refused) {
            ExpectBox(ui.Boxes()[1], row.message, kTitle, Buttons::Ok);
        } else if (summary) {
            EXPECT_EQ(ui.Boxes()[1].Title, kConfirmationTitle);
        }
        EXPECT_THAT(ui.StatusTexts(), ElementsAre(kCanceledStatus));
    }
}

// The bar is shown and drawn once before the batch and hidden after its summary; the numbering
// restarts whatever an earlier run left.
TEST(RunCleanCommand, ConfirmedRunShowsTheBarAroundTheBatchAndNumbersAfresh) {
    EngineFixture f;
    f.Music.CreateFile("x.mp3", "x");
    f.Music.CreateFile("y.mp3", "y");
    f.Settings.FileNames = {"x.mp3", "y.mp3"};
    f.Settings.IndexNumbering = true;
    f.Settings.AddPrefix = true;
    f.Settings.Prefix = "#_";
    f.Settings.FileCountChars = 2;
    f.Settings.FirstIndex = 0;
    f.Run.CurFileCount = 77;
    ScriptedUserInterface ui({Answer::Yes, Answer::Yes, Answer::Ok});
    EXPECT_EQ(Clean(f, ui), CleanOutcome::Ran);
    const std::vector<std::string>& events = ui.Events();
    ASSERT_GE(events.size(), 5U);
    EXPECT_THAT(std::vector(events.begin() + 1, events.begin() + 5),
                ElementsAre("box Klarwell Task Confirmation", "show", "yield", "select 0"));
    EXPECT_EQ(events.back(), "hide");
    EXPECT_THAT(f.Music.Names(), ElementsAre("00_x.mp3", "01_y.mp3"));
    EXPECT_EQ(f.Run.FileCountChars, 2);
}

}  // namespace
}  // namespace klarwell::engine
