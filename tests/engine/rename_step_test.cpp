#include "engine/rename_step.h"

#include <unistd.h>

#include <cerrno>
#include <string>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "engine/posix_file_system.h"
#include "tests/engine/engine_fixture.h"
#include "tests/support/faulty_file_system.h"
#include "tests/support/program_texts.h"
#include "tests/support/scripted_user_interface.h"

namespace klarwell::engine {
namespace {

using namespace testing;
using ::testing::ElementsAre;

const std::string kMissing = "<missing>";

struct Step {
    EngineFixture f;
    void Rename(std::string_view listed, std::string newFilename, std::string extension,
                UserInterface& ui, FileSystem& fs) {
        f.Run.CurFileCount = 5;
        f.Run.NewFilename = std::move(newFilename);
        f.Run.FileExtension = std::move(extension);
        RenameStep(listed, f.Settings, f.Run, ui, fs, f.Log);
    }
};

TEST(FileExists, MinusOneForFilesAndFoldersZeroOtherwise) {
    EngineFixture f;
    f.Music.CreateFile("a.mp3");
    f.Music.CreateFolder("sub");
    PosixFileSystem fs;
    EXPECT_EQ(FileExists(fs, f.Music.Path() / "a.mp3"), -1);
    EXPECT_EQ(FileExists(fs, f.Music.Path() / "sub"), -1);
    EXPECT_EQ(FileExists(fs, f.Music.Path() / "b.mp3"), 0);
    EXPECT_EQ(FileExists(fs, f.Music.Path() / "a.mp3" / "x"), 0);
}

// The name is not UTF-8: it is renamed and logged byte for byte.
TEST(RenameStep, PlainRenameLogsCountsAndShowsStatus) {
    Step s;
    s.f.Music.CreateFile("caf\xe9 b.mp3", "tune");
    s.f.Program.CreateFile("cleanup.log", "Re-namedold line\r\n");
    ScriptedUserInterface ui;
    PosixFileSystem fs;
    s.Rename("caf\xe9 b.mp3", "caf\xe9_b", ".mp3", ui, fs);
    EXPECT_THAT(s.f.Music.Names(), ElementsAre("caf\xe9_b.mp3"));
    EXPECT_EQ(s.f.Music.Read("caf\xe9_b.mp3"), "tune");
    EXPECT_EQ(s.f.LogText(), "Re-namedold line\r\nRe-named" + s.f.InMusic("caf\xe9 b.mp3") +
                                 " as " + s.f.InMusic("caf\xe9_b.mp3") + "\r\n");
    EXPECT_EQ(s.f.Run.Corrections, 1);
    EXPECT_EQ(s.f.Run.CurFileCount, 5);
    EXPECT_THAT(ui.StatusTexts(), ElementsAre("1 cleaned"));
    EXPECT_TRUE(ui.Boxes().empty());
}

TEST(RenameStep, UnchangedNameGivesIndexBackSilently) {
    Step s;
    s.f.Music.CreateFile("Song.mp3", "tune");
    ScriptedUserInterface ui;
    FaultyFileSystem fs;
    s.Rename("Song.mp3", "Song", ".mp3", ui, fs);
    EXPECT_THAT(s.f.Music.Names(), ElementsAre("Song.mp3"));
    EXPECT_EQ(s.f.Run.CurFileCount, 4);
    EXPECT_EQ(s.f.Run.Corrections, 0);
    EXPECT_EQ(fs.RenameCalls(), 0);
    EXPECT_EQ(s.f.LogText(), kMissing);
    EXPECT_TRUE(ui.Events().empty());
}

TEST(RenameStep, EmptyNameAsksAndLeavesTheFile) {
    struct Row {
        const char* why;
        std::string listed;
        Answer answer;
        bool cancelled;
    };
    const Row rows[] = {
        {"OK skips the file and goes on", "_.mp3", Answer::Ok, false},
        {"Cancel stops the run", "_.mp3", Answer::Cancel, true},
        {"an empty base is asked about, though unchanged", ".mp3", Answer::Ok, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        Step s;
        s.f.Music.CreateFile(row.listed, "x");
        ScriptedUserInterface ui({row.answer});
        FaultyFileSystem fs;
        s.Rename(row.listed, "", ".mp3", ui, fs);
        ASSERT_EQ(ui.Boxes().size(), 1U);
        ExpectBox(ui.Boxes()[0], EmptyNameText(row.listed), kTitle, Buttons::OkCancel);
        EXPECT_EQ(s.f.Run.CancelProcess, row.cancelled);
        EXPECT_EQ(s.f.Run.CurFileCount, 4);
        EXPECT_THAT(s.f.Music.Names(), ElementsAre(row.listed));
        EXPECT_EQ(fs.RenameCalls(), 0);
        EXPECT_TRUE(ui.AllAnswersUsed());
    }
}

// A file that appears at the target just before the rename reaches the disk.
void AppearLate(Step& s, FaultyFileSystem& fs) {
    fs.BeforeRename(
        [&s](const std::filesystem::path&) { s.f.Music.CreateFile("a_b.mp3", "other"); });
}

TEST(RenameStep, ConflictAnswersDecideWithoutLosingAFile) {
    struct Row {
        const char* why;
        Answer answer;
        int curFileCount;
        bool replaced;
        bool cancelled;
        void (*arrange)(Step&, FaultyFileSystem&) = [](Step& s, FaultyFileSystem&) {
            s.f.Music.CreateFile("a_b.mp3", "other");
        };
    };
    const Row rows[] = {
        {"No keeps both files and gives the index back", Answer::No, 4, false, false},
        {"Yes puts the renamed file in the other's place", Answer::Yes, 5, true, false},
        {"Cancel renames nothing, stops, keeps the index", Answer::Cancel, 5, false, true},
        {"a file appearing at the target is never replaced unasked", Answer::No, 4, false, false,
         AppearLate},
        {"without no-replace renames, the hard link finds a file appearing at the target",
         Answer::No, 4, false, false,
         [](Step& s, FaultyFileSystem& fs) {
             fs.RefuseNoReplace(EINVAL);
             AppearLate(s, fs);
         }},
        {"without no-replace renames or links, the last resort looks before it renames", Answer::No,
         4, false, false,
         [](Step& s, FaultyFileSystem& fs) {
             fs.RefuseNoReplace(EINVAL);
             fs.FailLinks(EPERM);
             AppearLate(s, fs);
         }},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        Step s;
        s.f.Music.CreateFile("a b.mp3", "mine");
        ScriptedUserInterface ui({row.answer});
        FaultyFileSystem fs;
        row.arrange(s, fs);
        s.Rename("a b.mp3", "a_b", ".mp3", ui, fs);
        ASSERT_EQ(ui.Boxes().size(), 1U);
        ExpectBox(ui.Boxes()[0], ConflictText("a b.mp3", "a_b.mp3"), kConflictTitle,
                  Buttons::YesNoCancel);
        EXPECT_EQ(s.f.Music.Read("a b.mp3"), row.replaced ? kMissing : "mine");
        EXPECT_EQ(s.f.Music.Read("a_b.mp3"), row.replaced ? "mine" : "other");
        EXPECT_EQ(s.f.Music.Names().size(), row.replaced ? 1U : 2U);
        EXPECT_EQ(s.f.Run.CurFileCount, row.curFileCount);
        EXPECT_EQ(s.f.Run.Corrections, row.replaced ? 1 : 0);
        EXPECT_EQ(s.f.Run.CancelProcess, row.cancelled);
        EXPECT_EQ(s.f.LogText() != kMissing, row.replaced);
    }
}

// A Yes comes first where the target is there beforehand.
TEST(RenameStep, FailedRenameIsToldNeverCountedAndLosesNothing) {
    struct Row {
        const char* why;
        void (*arrange)(Step&, FaultyFileSystem&);
        std::string newFilename;
        std::string shownTarget;
        std::string reason;
        Answer answer;
        std::string source;  // what "a b.mp3" and "a_b.mp3" hold afterwards
        std::string target;
        bool afterYes = false;  // the target is there beforehand: a Yes comes first
    };
    const auto none = [](Step&, FaultyFileSystem&) {};
    const auto refuse = [](Step&, FaultyFileSystem& fs) { fs.FailRename("a b.mp3", EACCES); };
    const std::string tooLong(300, 'x');
    const Row rows[] = {
        {"refused rename, OK goes on", refuse, "a_b", "a_b.mp3", "Permission denied", Answer::Ok,
         "mine", kMissing},
        {"refused rename, Cancel stops", refuse, "a_b", "a_b.mp3", "Permission denied",
         Answer::Cancel, "mine", kMissing},
        {"a name too long for the disk", none, tooLong, tooLong + ".mp3", "File name too long",
         Answer::Ok, "mine", kMissing},
        {"the source vanished",
         [](Step&, FaultyFileSystem& fs) {
             fs.BeforeRename([](const std::filesystem::path& from) { ::unlink(from.c_str()); });
         },
         "a_b", "a_b.mp3", "No such file or directory", Answer::Ok, kMissing, kMissing},
        {"the old name cannot be dropped after the link: the new name is taken back",
         [](Step&, FaultyFileSystem& fs) {
             fs.RefuseNoReplace(EINVAL);
             fs.FailRemove("a b.mp3", EACCES);
         },
         "a_b", "a_b.mp3", "Permission denied", Answer::Ok, "mine", kMissing},
        {"a separator would move the file into a subfolder", none, "sub/a", "sub/a.mp3",
         "Invalid argument", Answer::Ok, "mine", kMissing},
        {"a separator climbing out of the folder", none, "../a", "../a.mp3", "Invalid argument",
         Answer::Ok, "mine", kMissing},
        {"a NUL would cut the name short", none, std::string("a\0b", 3), std::string("a\0b.mp3", 7),
         "Invalid argument", Answer::Ok, "mine", kMissing},
        {"a failed replace leaves both files",
         [](Step& s, FaultyFileSystem& fs) {
             s.f.Music.CreateFile("a_b.mp3", "other");
             fs.FailRename("a_b.mp3", EACCES);
         },
         "a_b", "a_b.mp3", "Permission denied", Answer::Ok, "mine", "other", true},
        // A Yes would put the link in the place of the file it points to, and the only copy
        // would be gone.
        {"a link whose new name is its own file",
         [](Step& s, FaultyFileSystem&) {
             std::filesystem::remove(s.f.Music.Path() / "a b.mp3");
             s.f.Music.CreateFile("a_b.mp3", "only copy");
             ASSERT_EQ(::symlink("a_b.mp3", (s.f.Music.Path() / "a b.mp3").c_str()), 0);
         },
         "a_b", "a_b.mp3", "it is a link to the file that has that name", Answer::Ok, "only copy",
         "only copy", true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        Step s;
        s.f.Music.CreateFile("a b.mp3", "mine");
        s.f.Music.CreateFolder("sub");
        std::vector<Answer> answers = {row.answer};
        if (row.afterYes) {
            answers.insert(answers.begin(), Answer::Yes);
        }
        ScriptedUserInterface ui(answers);
        FaultyFileSystem fs;
        row.arrange(s, fs);
        s.Rename("a b.mp3", row.newFilename, ".mp3", ui, fs);
        ASSERT_EQ(ui.Boxes().size(), answers.size());
        ExpectBox(ui.Boxes().back(), RenameFailureText("a b.mp3", row.shownTarget, row.reason),
                  kTitle, Buttons::OkCancel);
        EXPECT_EQ(s.f.Music.Read("a b.mp3"), row.source);
        EXPECT_EQ(s.f.Music.Read("a_b.mp3"), row.target);
        EXPECT_EQ(fs.RemoveCalls(), 0);
        EXPECT_EQ(s.f.Run.Corrections, 0);
        EXPECT_EQ(s.f.Run.CurFileCount, 4);
        EXPECT_EQ(s.f.Run.CancelProcess, row.answer == Answer::Cancel);
        EXPECT_TRUE(ui.StatusTexts().empty());
        EXPECT_EQ(s.f.LogText(), kMissing);
    }
}

// Replacing a link, above all one to the listed file, must neither lose the content nor leave a
// link behind; a case-only change on a case-blind disk renames the file itself.
TEST(RenameStep, RenamesTheFileOnceWhateverTheDiskAllows) {
    struct Row {
        const char* why;
        void (*arrange)(Step&, FaultyFileSystem&);
        bool conflict;  // answered Yes
        std::string newFilename = "a_b";
        int listings = 0;  // looks at the folder
        int removes = 0;   // drops of the listed name, the target holding the content already
    };
    const Row rows[] = {
        {"a FUSE mount answers EINVAL: link, then drop the old name",
         [](Step&, FaultyFileSystem& fs) { fs.RefuseNoReplace(EINVAL); }, false},
        {"an old kernel answers ENOSYS",
         [](Step&, FaultyFileSystem& fs) { fs.RefuseNoReplace(ENOSYS); }, false},
        {"no hard links either: look, then rename",
         [](Step&, FaultyFileSystem& fs) {
             fs.RefuseNoReplace(EINVAL);
             fs.FailLinks(EPERM);
         },
         false},
        {"Yes over a hard link",
         [](Step& s, FaultyFileSystem&) {
             ASSERT_EQ(::link((s.f.Music.Path() / "a b.mp3").c_str(),
                              (s.f.Music.Path() / "a_b.mp3").c_str()),
                       0);
         },
         true, "a_b", 0, 1},
        {"Yes over a symbolic link to the listed file",
         [](Step& s, FaultyFileSystem&) {
             ASSERT_EQ(::symlink("a b.mp3", (s.f.Music.Path() / "a_b.mp3").c_str()), 0);
         },
         true},
        {"a link pointing nowhere is a conflict too",
         [](Step& s, FaultyFileSystem&) {
             ASSERT_EQ(::symlink("gone.mp3", (s.f.Music.Path() / "a_b.mp3").c_str()), 0);
         },
         true},
        {"a case-only change on a case-blind disk",
         [](Step&, FaultyFileSystem& fs) { fs.IgnoreLetterCase(); }, true, "A b", 1},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        Step s;
        s.f.Music.CreateFile("a b.mp3", "mine");
        ScriptedUserInterface ui(row.conflict ? std::vector{Answer::Yes} : std::vector<Answer>{});
        FaultyFileSystem fs;
        row.arrange(s, fs);
        s.Rename("a b.mp3", row.newFilename, ".mp3", ui, fs);
        const std::string target = row.newFilename + ".mp3";
        ASSERT_EQ(ui.Boxes().size(), row.conflict ? 1U : 0U);
        if (row.conflict) {
            ExpectBox(ui.Boxes()[0], ConflictText("a b.mp3", target), kConflictTitle,
                      Buttons::YesNoCancel);
        }
        // Names that differ in more than letter case need no look at the folder: a constant cost
        // per conflict, however many hard links the folder holds.
        EXPECT_EQ(fs.ListingCalls(), row.listings);
        EXPECT_EQ(fs.RemoveCalls(), row.removes);
        EXPECT_THAT(s.f.Music.Names(), ElementsAre(target));
        EXPECT_FALSE(std::filesystem::is_symlink(s.f.Music.Path() / target));
        EXPECT_EQ(s.f.Music.Read(target), "mine");
        EXPECT_EQ(s.f.Run.Corrections, 1);
    }
}

}  // namespace
}  // namespace klarwell::engine
