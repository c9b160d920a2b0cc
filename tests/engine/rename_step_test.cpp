#include "engine/rename_step.h"

#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/engine/engine_fixture.h"
#include "tests/support/faulty_file_system.h"

namespace klarwell::engine {
namespace {

using namespace testing;

// One listed file gets the row's base name and ".mp3", with index number 5 handed out for it. A
// file is renamed once or not at all, whatever the disk allows or refuses, and only a rename is
// counted and logged, after the log's earlier lines.
TEST(RenameStep, EveryOutcomeOfOneFile) {
    using enum Answer;
    struct Row {
        const char* why;
        std::string listed;
        Lines before;  // the folder
        std::string newFilename;
        Answers answers;
        Lines events;
        Lines after;
        std::int32_t handedOut;  // 4: the index number was given back
        Faults faults = {};
        int removes = 0;   // drops of the listed name, the target holding the content already
        int listings = 0;  // looks at the folder
    };
    const Lines mine = {"a b.mp3: mine"};
    const Lines renamed = {"a_b.mp3: mine"};
    const Lines both = {"a b.mp3: mine", "a_b.mp3: other"};
    const Lines late = {"a b.mp3: mine", "a_b.mp3: late"};
    const Lines selfLink = {"a b.mp3 -> a_b.mp3", "a_b.mp3: only copy"};
    const std::string conflict = ConflictBox("a b.mp3", "a_b.mp3");
    const std::string cleaned = "status 1 cleaned";
    const auto failed = [](std::string_view reason, std::string_view target = "a_b.mp3") {
        return FailureBox("a b.mp3", target, reason);
    };
    const auto appear = [](const std::filesystem::path& from) {
        std::ofstream(from.parent_path() / "a_b.mp3") << "late";
    };
    const auto vanish = [](const std::filesystem::path& from) { ::unlink(from.c_str()); };
    const std::string tooLong(300, 'x');
    const Row rows[] = {
        {"a plain rename, the name's bytes as they are", "a\xe9 b.mp3", Lines{"a\xe9 b.mp3: mine"},
         "a\xe9_b", Answers{}, Lines{cleaned}, Lines{"a\xe9_b.mp3: mine"}, 5},
        {"an unchanged name gives its index back silently", "a b.mp3", mine, "a b", Answers{},
         Lines{}, mine, 4},
        {"an empty name, OK skips the file", "a b.mp3", mine, "", Answers{Ok},
         Lines{EmptyNameBox("a b.mp3")}, mine, 4},
        {"an empty base is asked about, though unchanged; Cancel stops the run", ".mp3",
         Lines{".mp3: x"}, "", Answers{Cancel}, Lines{EmptyNameBox(".mp3")}, Lines{".mp3: x"}, 4},
        {"a conflict, No keeps both files", "a b.mp3", both, "a_b", Answers{No}, Lines{conflict},
         both, 4},
        {"a conflict, Yes replaces the other file", "a b.mp3", both, "a_b", Answers{Yes},
         Lines{conflict, cleaned}, renamed, 5},
        {"a folder bearing the new name is a conflict too", "a b.mp3",
         Lines{"a b.mp3: mine", "a_b.mp3/"}, "a_b", Answers{No}, Lines{conflict},
         Lines{"a b.mp3: mine", "a_b.mp3/"}, 4},
        {"a conflict, Cancel renames nothing, stops and keeps the index", "a b.mp3", both, "a_b",
         Answers{Cancel}, Lines{conflict}, both, 5},
        {"a refused rename, OK goes on", "a b.mp3", mine, "a_b", Answers{Ok},
         Lines{failed("Permission denied")}, mine, 4,
         Faults{.RenameName = "a b.mp3", .RenameError = EACCES}},
        {"a name too long for the disk, Cancel stops", "a b.mp3", mine, tooLong, Answers{Cancel},
         Lines{failed("File name too long", tooLong + ".mp3")}, mine, 4},
        {"the source vanished", "a b.mp3", mine, "a_b", Answers{Ok},
         Lines{failed("No such file or directory")}, Lines{}, 4, Faults{.BeforeRename = vanish}},
        {"a file appearing at the target is never replaced unasked", "a b.mp3", mine, "a_b",
         Answers{Ok}, Lines{failed("File exists")}, late, 4, Faults{.BeforeRename = appear}},
        {"without no-replace renames, the hard link refuses a file appearing at the target",
         "a b.mp3", mine, "a_b", Answers{Ok}, Lines{failed("File exists")}, late, 4,
         Faults{.NoReplaceError = EINVAL, .BeforeRename = appear}},
        {"without no-replace renames or links, the last resort looks before it renames", "a b.mp3",
         mine, "a_b", Answers{Ok}, Lines{failed("File exists")}, late, 4,
         Faults{.NoReplaceError = EINVAL, .LinkError = EPERM, .BeforeRename = appear}},
        {"the old name cannot be dropped after the link: the new name is taken back", "a b.mp3",
         mine, "a_b", Answers{Ok}, Lines{failed("Permission denied")}, mine, 4,
         Faults{.RemoveName = "a b.mp3", .RemoveError = EACCES, .NoReplaceError = EINVAL}},
        {"a separator would move the file into a subfolder", "a b.mp3",
         Lines{"a b.mp3: mine", "sub/"}, "sub/a", Answers{Ok},
         Lines{failed("Invalid argument", "sub/a.mp3")}, Lines{"a b.mp3: mine", "sub/"}, 4},
        {"a NUL would cut the name short", "a b.mp3", mine, std::string("a\0b", 3), Answers{Ok},
         Lines{failed("Invalid argument", std::string("a\0b.mp3", 7))}, mine, 4},
        {"a failed replace leaves both files", "a b.mp3", both, "a_b", Answers{Yes, Ok},
         Lines{conflict, failed("Permission denied")}, both, 4,
         Faults{.RenameName = "a_b.mp3", .RenameError = EACCES}},
        // Replacing the file it points to would leave the link to nothing.
        {"a link whose new name is its own file", "a b.mp3", selfLink, "a_b", Answers{Yes, Ok},
         Lines{conflict, failed("it is a link to the file that has that name")}, selfLink, 4},
        {"a FUSE mount answers EINVAL: link, then drop the old name", "a b.mp3", mine, "a_b",
         Answers{}, Lines{cleaned}, renamed, 5, Faults{.NoReplaceError = EINVAL}},
        {"an old kernel answers ENOSYS", "a b.mp3", mine, "a_b", Answers{}, Lines{cleaned}, renamed,
         5, Faults{.NoReplaceError = ENOSYS}},
        {"no hard links either: look, then rename", "a b.mp3", mine, "a_b", Answers{},
         Lines{cleaned}, renamed, 5, Faults{.NoReplaceError = EINVAL, .LinkError = EPERM}},
        // Names that differ in more than letter case need no look at the folder.
        {"Yes over a hard link drops the listed name", "a b.mp3",
         Lines{"a b.mp3: mine", "a_b.mp3 => a b.mp3"}, "a_b", Answers{Yes},
         Lines{conflict, cleaned}, renamed, 5, Faults{}, 1},
        {"Yes over a symbolic link to the listed file", "a b.mp3",
         Lines{"a b.mp3: mine", "a_b.mp3 -> a b.mp3"}, "a_b", Answers{Yes},
         Lines{conflict, cleaned}, renamed, 5},
        {"a link pointing nowhere is a conflict too", "a b.mp3",
         Lines{"a b.mp3: mine", "a_b.mp3 -> gone.mp3"}, "a_b", Answers{Yes},
         Lines{conflict, cleaned}, renamed, 5},
        {"a case-only change on a case-blind disk renames the file itself", "a b.mp3", mine, "A b",
         Answers{Yes}, Lines{ConflictBox("a b.mp3", "A b.mp3"), cleaned}, Lines{"A b.mp3: mine"}, 5,
         Faults{.IgnoreCase = true}, 0, 1},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        EngineFixture f;
        f.Music.Create(row.before);
        f.Program.CreateFile("cleanup.log", "old\r\n");
        FaultyFileSystem fs(row.faults);
        ScriptedUserInterface ui(row.answers);
        f.Run.CurFileCount = 5;
        f.Run.NewFilename = row.newFilename;
        f.Run.FileExtension = ".mp3";
        RenameStep(row.listed, f.Settings, f.Run, ui, fs, f.Log);
        EXPECT_EQ(ui.Events(), row.events);
        EXPECT_EQ(f.Music.Entries(), row.after);
        EXPECT_EQ(f.Run.CurFileCount, row.handedOut);
        EXPECT_EQ(f.Run.CancelProcess,
                  !row.answers.empty() && row.answers.back() == Answer::Cancel);
        const bool logged = !row.events.empty() && row.events.back() == cleaned;
        EXPECT_EQ(f.Run.Corrections, logged ? 1 : 0);
        const std::string line = logged ? f.Logged(row.listed, row.newFilename + ".mp3") : "";
        EXPECT_EQ(f.LogText(), "old\r\n" + line);
        EXPECT_EQ(fs.RemoveCalls(), row.removes);
        EXPECT_EQ(fs.ListingCalls(), row.listings);
    }
}

}  // namespace
}  // namespace klarwell::engine
