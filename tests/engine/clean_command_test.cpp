#include "engine/clean_command.h"

#include <string>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "engine/posix_file_system.h"
#include "tests/engine/engine_fixture.h"
#include "tests/support/scripted_user_interface.h"

namespace klarwell::engine {
namespace {

using ::testing::ElementsAre;
using testing::EngineFixture;
using testing::ScriptedUserInterface;

constexpr std::string_view kBackup =
    "Since this process can not be reversed, it is recomended that \r\nyou make a backup of your "
    "source directory before proceeding.\r\n\r\nAre you sure you want to continue?";

const std::string kCanceled = "File Clean process canceled.";

CleanOutcome Clean(EngineFixture& f, ScriptedUserInterface& ui) {
    PosixFileSystem fs;
    return RunCleanCommand(f.Settings, f.Run, ui, fs, f.Log);
}

void ListFiles(EngineFixture& f, int count) {
    f.Settings.FileNames.clear();
    for (int i = 1; i <= count; ++i) {
        f.Settings.FileNames.push_back("song " + std::to_string(i) + ".mp3");
    }
}

TEST(RunCleanCommand, DeclinedBoxCancelsWithoutTouchingFiles) {
    struct Row {
        const char* why;
        std::vector<Answer> answers;
        std::vector<std::string> events;
    };
    const Row rows[] = {
        {"No to the backup warning", {Answer::No}, {"box Klarwell", "status " + kCanceled}},
        {"No to the summary",
         {Answer::Yes, Answer::No},
         {"box Klarwell", "box Klarwell Task Confirmation", "status " + kCanceled}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        EngineFixture f;
        f.Music.CreateFile("a b.mp3");
        f.Settings.FileNames = {"a b.mp3"};
        ScriptedUserInterface ui(row.answers);
        EXPECT_EQ(Clean(f, ui), CleanOutcome::Declined);
        ASSERT_EQ(ui.Events(), row.events);
        EXPECT_EQ(ui.Boxes()[0].Text, kBackup);
        EXPECT_EQ(ui.Boxes()[0].Title, "Klarwell");
        EXPECT_EQ(ui.Boxes()[0].Buttons, Buttons::YesNo);
        EXPECT_EQ(ui.Boxes()[0].Icon, Icon::None);
        EXPECT_THAT(f.Music.Names(), ElementsAre("a b.mp3"));
    }
}

TEST(RunCleanCommand, DigitCountCheck) {
    struct Row {
        const char* why;
        int files;
        int width;
        std::int32_t firstIndex;
        bool numbering;
        std::string message;  // empty: no message, the summary follows
        Answer backup = Answer::Yes;
    };
    const Row rows[] = {
        {"12 files need two digits", 12, 1, 1, true,
         "There must be at least 2 digits in the index number since your selected folder "
         "contains 12 files."},
        {"the check follows a declined backup warning too", 12, 1, 1, true,
         "There must be at least 2 digits in the index number since your selected folder "
         "contains 12 files.",
         Answer::No},
        {"a start index above 1 is named", 10, 2, 95, true,
         "There must be at least 3 digits in the index number since your selected folder "
         "contains 10 files in addition to a start index of 95."},
        {"9 files fit one digit", 9, 1, 1, true, ""},
        {"first index 0 makes the highest index 9 for 10 files", 10, 1, 0, true, ""},
        {"first index 0 is not named", 11, 1, 0, true,
         "There must be at least 2 digits in the index number since your selected folder "
         "contains 11 files."},
        {"no check while index numbering is off", 100, 1, 1, false, ""},
        {"the top of the index range does not wrap", 2, 9, 2147483647, true,
         "There must be at least 10 digits in the index number since your selected folder "
         "contains 2 files in addition to a start index of 2147483647."},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        EngineFixture f;
        ListFiles(f, row.files);
        f.Settings.IndexNumbering = row.numbering;
        f.Settings.FileCountChars = row.width;
        f.Settings.FirstIndex = row.firstIndex;
        const bool refused = !row.message.empty();
        ScriptedUserInterface ui({row.backup, refused ? Answer::Ok : Answer::No});
        const CleanOutcome outcome = Clean(f, ui);
        ASSERT_EQ(ui.Boxes().size(), 2U);
        if (refused) {
            EXPECT_EQ(outcome, CleanOutcome::WidthRefused);
            EXPECT_EQ(ui.Boxes()[1].Text, row.message);
            EXPECT_EQ(ui.Boxes()[1].Title, "Klarwell");
            EXPECT_EQ(ui.Boxes()[1].Buttons, Buttons::Ok);
        } else {
            EXPECT_EQ(outcome, CleanOutcome::Declined);
            EXPECT_EQ(ui.Boxes()[1].Title, "Klarwell Task Confirmation");
        }
        EXPECT_THAT(ui.StatusTexts(), ElementsAre(kCanceled));
        EXPECT_TRUE(ui.AllAnswersUsed());
    }
}

TEST(RunCleanCommand, ConfirmedRunShowsTheBarYieldsOnceAndCleans) {
    EngineFixture f;
    f.Music.CreateFile("a b.mp3");
    f.Music.CreateFile("c d.mp3");
    f.Settings.FileNames = {"a b.mp3", "c d.mp3"};
    ScriptedUserInterface ui({Answer::Yes, Answer::Yes, Answer::Ok});
    EXPECT_EQ(Clean(f, ui), CleanOutcome::Ran);
    EXPECT_THAT(ui.Events(), ElementsAre("box Klarwell", "box Klarwell Task Confirmation", "show",
                                         "yield", "select 0", "progress 0", "status 1 cleaned",
                                         "select 1", "progress 100", "status 2 cleaned",
                                         "progress 100", "reread", "box Klarwell", "hide"));
    EXPECT_THAT(f.Music.Names(), ElementsAre("a_b.mp3", "c_d.mp3"));
    EXPECT_EQ(ui.Boxes().back().Text, "Finished!\r\n2 file(s) cleaned");
}

TEST(RunCleanCommand, IndexNumberingRestartsTheCountEachRun) {
    EngineFixture f;
    f.Music.CreateFile("x.mp3", "x");
    f.Music.CreateFile("y.mp3", "y");
    f.Settings.FileNames = {"x.mp3", "y.mp3"};
    f.Settings.IndexNumbering = true;
    f.Settings.AddPrefix = true;
    f.Settings.Prefix = "#_";
    f.Settings.FileCountChars = 2;
    f.Settings.FirstIndex = 0;
    f.Run.CurFileCount = 77;  // left over from an earlier run
    ScriptedUserInterface ui({Answer::Yes, Answer::Yes, Answer::Ok});
    EXPECT_EQ(Clean(f, ui), CleanOutcome::Ran);
    EXPECT_THAT(f.Music.Names(), ElementsAre("00_x.mp3", "01_y.mp3"));
    EXPECT_EQ(f.Run.FileCountChars, 2);
    EXPECT_EQ(f.Run.FileIndexCountOffset, -1);
}

TEST(NeededDigits, CountsTheHighestIndex) {
    struct Row {
        const char* why;
        int files;
        std::int32_t offset;
        int expected;
    };
    const Row rows[] = {
        {"10 files", 10, 0, 2},
        {"a minus sign counts: 0 files from -5 gives -6", 0, -6, 2},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        EXPECT_EQ(NeededDigits(row.files, row.offset), row.expected);
    }
}

}  // namespace
}  // namespace klarwell::engine
