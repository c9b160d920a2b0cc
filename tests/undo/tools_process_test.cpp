// klarwell-batch and klarwell-undo run as child processes on real folders.

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <random>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "tests/support/program_texts.h"
#include "tests/support/temp_folder.h"

namespace klarwell::testing {
namespace {

using Lines = std::vector<std::string>;

Lines SplitLines(const std::string& text) {
    EXPECT_TRUE(text.empty() || text.back() == '\n') << "the last line is not ended";
    Lines lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

std::string Replace(std::string text, std::string_view from, std::string_view to) {
    for (std::size_t at = 0; (at = text.find(from, at)) != std::string::npos; at += to.size()) {
        text.replace(at, from.size(), to);
    }
    return text;
}

// A folder's files as one text, "name=content|name=content", sorted by name.
std::string Take(const TempFolder& folder) {
    std::string files;
    for (const std::string& name : folder.Names()) {
        files += (files.empty() ? "" : "|") + name + "=" + folder.Read(name);
    }
    return files;
}

// Creates the files of a text as Take() writes it.
void Fill(const TempFolder& folder, const std::string& files) {
    std::istringstream in(files);
    for (std::string entry; std::getline(in, entry, '|');) {
        const std::size_t equals = entry.find('=');
        folder.CreateFile(entry.substr(0, equals), entry.substr(equals + 1));
    }
}

struct Outcome {
    int Status = -1;
    Lines Out;
    std::string Err;
};

std::string Quote(const std::string& text) {
    return "'" + Replace(text, "'", R"('\'')") + "'";
}

// A shell command that runs a program with standard input from /dev/null (not a terminal) and
// its state folder in `work`, so that nothing lands under $HOME.
std::string Command(const std::string& program, const Lines& args, const TempFolder& work) {
    std::string command =
        "XDG_STATE_HOME=" + Quote(work.Path() / "state") + " exec " + Quote(program);
    for (const std::string& arg : args) {
        command += " " + Quote(arg);
    }
    return command + " </dev/null";
}

Outcome RunTool(const std::string& program, const Lines& args, const TempFolder& work,
                const std::string& cwd = ".") {
    const int raw =
        std::system(("cd " + Quote(cwd) + " && " + Command(program, args, work) + " >" +
                     Quote(work.Path() / "out.txt") + " 2>" + Quote(work.Path() / "err.txt"))
                        .c_str());
    return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, SplitLines(work.Read("out.txt")),
            work.Read("err.txt")};
}

// A log line as the program writes it, for a folder without bytes that need escaping.
std::string Logged(const std::string& folder, std::string_view oldName, std::string_view newName) {
    return LogLineText(folder + "/" + std::string(oldName), folder + "/" + std::string(newName));
}

// A program text as a JSON string holds it: CR LF as \r\n, a quote as \".
std::string Json(std::string_view text) {
    return Replace(Replace(Replace(std::string(text), "\"", R"(\")"), "\r", R"(\r)"), "\n",
                   R"(\n)");
}

std::string Box(std::string_view title, std::string_view text, std::string_view buttons,
                std::string_view answer) {
    return R"({"box":{"title":")" + std::string(title) + R"(","text":")" + Json(text) +
           R"(","buttons":")" + std::string(buttons) + R"(","icon":"none","answer":)" +
           std::string(answer) + "}}";
}

std::string End(int corrections, bool cancelled, int handedOut) {
    return R"({"end":{"Corrections":)" + std::to_string(corrections) + R"(,"CancelProcess":)" +
           (cancelled ? "true" : "false") + R"(,"CurFileCount":)" + std::to_string(handedOut) +
           "}}";
}

// The conflict box of b<E9><01> c.mp3: the byte that is not UTF-8 as \udce9, the control byte
// as \u0001.
std::string EscapedConflict(std::string_view answer) {
    return Replace(
        Box(kConflictTitle, ConflictText("b<E> c.mp3", "b<E>_c.mp3"), "YesNoCancel", answer), "<E>",
        R"(\udce9\u0001)");
}

TEST(KlarwellBatch, EscapesBytesAnswersBoxesAndEndsWithItsStatus) {
    const std::string conflict = "b\xe9\x01 c.mp3=new|b\xe9\x01_c.mp3=old";
    const std::string conflictNames = R"({"FileNames":["b\udce9\u0001 c.mp3"]})";
    const std::string backupYes = Box(kTitle, kBackupWarning, "YesNo", R"("Yes")");
    struct Row {
        const char* why;
        std::string files;  // as Take() writes them
        std::string settings;
        std::string answers;
        int status;
        std::string shown;  // a line that must be printed before the last, or none
        std::string last;
        std::string after;
        std::optional<std::string> log = std::nullopt;  // "<F>" is the folder
    };
    const Row rows[] = {
        {"audio files are cleaned and logged in --log-dir", "Song One.mp3=1|notes.txt=n", "{}",
         "Yes,Yes,OK", 0, backupYes, End(1, false, 1), "Song_One.mp3=1|notes.txt=n",
         LogLineText("<F>/Song One.mp3", "<F>/Song_One.mp3")},
        {"flags, a negative first index, \\u escapes of one to four bytes", "Song.mp3=s",
         R"({"DiscardOriginalNames":true,"AddPrefix":true,"Prefix":"\u20ac\u0080\ud83c\udfb5#",)"
         R"("IndexNumbering":true,"FileCountChars":2,"FirstIndex":-4})",
         "Yes,Yes,OK", 0, "", End(1, false, 1), "\xe2\x82\xac\xc2\x80\xf0\x9f\x8e\xb5-4.mp3=s"},
        {"names read from \\udcXX and \\u0001, printed so, renamed byte for byte", conflict,
         conflictNames, "Yes,Yes,Yes,OK", 0, EscapedConflict(R"("Yes")"), End(1, false, 1),
         "b\xe9\x01_c.mp3=new"},
        {"\\udcXX escapes are bytes even where together they spell UTF-8", "caf\xc3\xa9 x.mp3=c",
         R"({"FileNames":["caf\udcc3\udca9 x.mp3"]})", "Yes,Yes,OK", 0, "", End(1, false, 1),
         "caf\xc3\xa9_x.mp3=c"},
        {"Close on a box with Cancel answers Cancel", conflict, conflictNames, "Yes,Yes,Close,OK",
         0, EscapedConflict(R"("Cancel")"), End(0, true, 1), conflict, "<missing>"},
        {"Close on a Yes/No box answers No", "a b.mp3=a", "{}", "Close", 0,
         Box(kTitle, kBackupWarning, "YesNo", R"("No")"), End(0, false, 0), "a b.mp3=a"},
        {"no answer left: null, status 3, the rename made stays", "a b.mp3=a", "{}", "Yes,Yes", 3,
         "", Box(kTitle, FinishedText(1), "OK", "null"), "a_b.mp3=a",
         LogLineText("<F>/a b.mp3", "<F>/a_b.mp3")},
        {"an answer that is not a button of the box: null, status 2", "a b.mp3=a", "{}", "OK", 2,
         "", Box(kTitle, kBackupWarning, "YesNo", "null"), "a b.mp3=a", "<missing>"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        TempFolder music;
        TempFolder work;
        Fill(music, row.files);
        work.CreateFile("settings.json", row.settings);
        work.CreateFolder("log");

        const Outcome outcome =
            RunTool(KLARWELL_BATCH_PATH,
                    {"--settings", work.Path() / "settings.json", "--answers", row.answers,
                     "--log-dir", work.Path() / "log", music.Path()},
                    work);

        EXPECT_EQ(outcome.Status, row.status);
        if (!row.shown.empty()) {
            EXPECT_THAT(outcome.Out, ::testing::Contains(row.shown));
        }
        EXPECT_EQ(outcome.Out.empty() ? "" : outcome.Out.back(), row.last);
        EXPECT_EQ(outcome.Err.empty(), row.status == 0) << outcome.Err;
        EXPECT_EQ(Take(music), row.after);
        if (row.log) {
            EXPECT_EQ(work.Read("log/cleanup.log"),
                      Replace(*row.log, "<F>", music.Path().native()));
        }
    }
}

TEST(KlarwellTools, RefuseBadArgumentsAndSettingsWithStatus2) {
    struct Row {
        const char* why;
        std::string settings;  // "<S>" in the arguments is a file holding it
        Lines args;            // "<F>" the folder, "<W>" the work folder, "<L>" its log
        const char* program = KLARWELL_BATCH_PATH;
    };
    const Lines standard{"--settings", "<S>", "--answers", "Yes,Yes,OK", "<F>"};
    const char* undo = KLARWELL_UNDO_PATH;
    const Row rows[] = {
        {"settings that are not JSON", R"({"Prefix":)", standard},
        {"settings that are not one object", "[]", standard},
        {"a flag of the wrong type", R"({"AddPrefix":"yes"})", standard},
        {"a text of the wrong type", R"({"Prefix":5})", standard},
        {"a space mode above 3", R"({"SpaceMode":4})", standard},
        {"a space mode that is not whole", R"({"SpaceMode":1.5})", standard},
        {"seven replacement pairs", R"({"Replacements":[{},{},{},{},{},{},{}]})", standard},
        {"a replacement pair that is not an object", R"({"Replacements":[true]})", standard},
        {"a first index beyond 32 bits", R"({"FirstIndex":2147483648})", standard},
        {"a first index whose offset overflows", R"({"FirstIndex":-2147483648})", standard},
        {"a digit count beyond 16 bits", R"({"FileCountChars":32768})", standard},
        {"a listed name holding a slash", R"({"FileNames":["../a b.mp3"]})", standard},
        {"a listed name holding NUL", R"({"FileNames":["a b.mp3\u0000x"]})", standard},
        {"a key that is no setting", R"({"Prefx":"a"})", standard},
        {"a lone surrogate that stands for no byte", R"({"Prefix":"\ud800"})", standard},
        {"an answer word that is no button", "{}", {"--answers", "Yes,Maybe", "<F>"}},
        {"an unknown option", "{}", {"--fast", "<F>"}},
        {"an option without its value", "{}", {"<F>", "--answers"}},
        {"two folders", "{}", {"<F>", "<W>"}},
        {"no folder", "{}", {"--settings", "<S>"}},
        {"a folder that does not exist", "{}", {"<W>/missing"}},
        {"a settings file that does not exist", "{}", {"--settings", "<W>/missing.json", "<F>"}},
        {"undo: a count of 0", "", {"--log", "<L>", "--last", "0", "<F>"}, undo},
        {"undo: a folder that is not there", "", {"--log", "<L>", "--last", "1", "<F>/x"}, undo},
        {"undo: a log that is not there", "", {"--log", "<L>.old", "--last", "1", "<F>"}, undo},
        {"undo: a log that is a folder", "", {"--log", "<F>", "--last", "1", "<F>"}, undo},
        {"undo: all, without --yes, stdin no terminal", "", {"--log", "<L>", "<F>"}, undo},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        TempFolder music;
        TempFolder work;
        music.CreateFile("a b.mp3", "a");
        work.CreateFile("settings.json", row.settings);
        work.CreateFile("cleanup.log", Logged(music.Path(), "x.mp3", "a b.mp3"));
        Lines args;
        for (const std::string& arg : row.args) {
            std::string filled = Replace(arg, "<S>", (work.Path() / "settings.json").native());
            filled = Replace(filled, "<L>", (work.Path() / "cleanup.log").native());
            filled = Replace(filled, "<W>", work.Path().native());
            args.push_back(Replace(filled, "<F>", music.Path().native()));
        }

        const Outcome outcome = RunTool(row.program, args, work);

        EXPECT_EQ(outcome.Status, 2);
        EXPECT_TRUE(outcome.Out.empty());
        if (row.program == std::string_view(KLARWELL_BATCH_PATH)) {
            EXPECT_TRUE(outcome.Err.starts_with("klarwell-batch: ")) << outcome.Err;
            EXPECT_EQ(outcome.Err.find('\n'), outcome.Err.size() - 1) << outcome.Err;
        }
        EXPECT_EQ(Take(music), "a b.mp3=a");
    }
}

TEST(KlarwellUndo, TakesBackACleanRunExactlyAndASecondUndoFromBothLogsRedoesIt) {
    TempFolder music;
    TempFolder work;
    Fill(music,
         "01 It's @Live #1.mp3=1|back\\x41slash & more 2.wav=2|new\nline\x7f 3.mp3=3|"
         "bad\xe9 name 04.mp3=4|x as y.MP3=5|tab\tkeyword Live.mp2=6|notes.txt=n");
    work.CreateFile("settings.json",
                    R"({"RemoveLeadingDigits":true,"RemoveTrailingDigits":true,"AddPrefix":true,)"
                    R"("Prefix":"#-","AddSuffix":true,"Suffix":" [#]","FileCountChars":2,)"
                    R"("IndexNumbering":true,"FirstIndex":7,"Replacements":[)"
                    R"j({"Enabled":true,"Keyword":"Live","With":"(live)"},)j"
                    R"({"Enabled":true,"Keyword":"y","With":""}]})");
    const std::string before = Take(music);
    const std::filesystem::path bin = work.Path() / "bin";
    work.CreateFolder("bin");
    const Outcome clean = RunTool(KLARWELL_BATCH_PATH,
                                  {"--settings", work.Path() / "settings.json", "--answers",
                                   "Yes,Yes,OK", "--log-dir", bin, music.Path()},
                                  work);
    ASSERT_EQ(clean.Out.back(), End(6, false, 6));
    const std::string cleaned = Take(music);

    // The folder is named with a trailing "/" first, then through a link to it.
    const Outcome undo =
        RunTool(KLARWELL_UNDO_PATH,
                {"--log", bin / "cleanup.log", "--last", "6", music.Path().native() + "/"}, work);
    EXPECT_EQ(undo.Status, 0);
    EXPECT_EQ(undo.Out, (Lines{texts::UndoSummary(6, 0, 0), std::string(texts::kUndoLost)}));
    EXPECT_EQ(Take(music), before);

    // The redo reads the log beside the program, the older, then the state folder's log.
    std::filesystem::create_directory_symlink(music.Path(), work.Path() / "link");
    std::filesystem::copy_file(KLARWELL_UNDO_PATH, bin / "klarwell-undo");
    const auto now = std::filesystem::file_time_type::clock::now();
    std::filesystem::last_write_time(bin / "cleanup.log", now - std::chrono::hours(1));
    work.CreateFolder("state");
    work.CreateFolder("state/klarwell");
    work.CreateFile("state/klarwell/cleanup.log", Logged(music.Path(), "x y.mp3", "x_y.mp3"));
    const Outcome redo = RunTool(bin / "klarwell-undo", {"--last", "7", "link"}, work, work.Path());
    EXPECT_EQ(redo.Status, 1);
    EXPECT_EQ(redo.Out, (Lines{texts::UndoNotFound("x y.mp3", "x_y.mp3"),
                               texts::UndoSummary(6, 0, 1), std::string(texts::kUndoLost)}));
    EXPECT_EQ(redo.Err, std::string(texts::kUndoBothLogs) + (bin / "cleanup.log").native() +
                            " and " + (work.Path() / "state/klarwell/cleanup.log").native() + "\n");
    EXPECT_EQ(Take(music), cleaned);
    // The renames back went beside the program.
    EXPECT_EQ(SplitLines(work.Read("bin/cleanup.log")).size(), 18u);
}

TEST(KlarwellUndo, SkipsWhatCannotBeTakenBackWithItsReasonAndTouchesNothingElse) {
    TempFolder music;
    TempFolder other;
    TempFolder work;
    const std::string m = music.Path();
    Fill(music, "a_b.mp3=A|c d.mp3=C new|c_d.mp3=C");
    other.CreateFile("g_h.mp3", "G");
    const std::string logText = Logged(m, "a b.mp3", "a_b.mp3") + Logged(m, "c d.mp3", "c_d.mp3") +
                                Logged(other.Path(), "g h.mp3", "g_h.mp3") +
                                Logged(m, "e f.mp3", "e_f.mp3") + "Re-named" + m +
                                "/k l.mp3 a\r\n" + "Re-named" + m + "/i j.mp3 as " + m + "/i_";
    work.CreateFile("cleanup.log", logText);
    const std::string log = work.Path() / "cleanup.log";
    const std::string notes = texts::UndoLineSkipped(5, log, texts::kLineNoSplit) + "\n" +
                              texts::UndoLineSkipped(6, log, texts::kLineTorn) + "\n";
    const std::string before = Take(music);

    const Outcome plan = RunTool(KLARWELL_UNDO_PATH, {"--dry-run", "--log", log, m}, work);
    EXPECT_EQ(plan.Status, 0);
    EXPECT_EQ(
        plan.Out,
        (Lines{texts::UndoPlan("e f.mp3", "e_f.mp3"), texts::UndoPlan("c d.mp3", "c_d.mp3"),
               texts::UndoPlan("a b.mp3", "a_b.mp3"), "3" + std::string(texts::kUndoPlanned)}));
    EXPECT_EQ(plan.Err, notes);
    EXPECT_EQ(Take(music), before);
    EXPECT_EQ(work.Read("cleanup.log"), logText);

    const Outcome undo = RunTool(KLARWELL_UNDO_PATH, {"--yes", "--log", log, m}, work);
    EXPECT_EQ(undo.Status, 1);
    EXPECT_EQ(undo.Out, (Lines{texts::UndoNotFound("e f.mp3", "e_f.mp3"),
                               texts::UndoTaken("c d.mp3", "c_d.mp3"), texts::UndoSummary(1, 1, 1),
                               std::string(texts::kUndoLost)}));
    EXPECT_EQ(undo.Err, notes);
    EXPECT_EQ(Take(music), "a b.mp3=A|c d.mp3=C new|c_d.mp3=C");
    EXPECT_EQ(Take(other), "g_h.mp3=G");
    // The torn fragment keeps a line of its own.
    EXPECT_EQ(work.Read("cleanup.log"), logText + "\r\n" + Logged(m, "a_b.mp3", "a b.mp3"));
}

TEST(KlarwellUndo, TakesBackTheLinesOfARunKilledAtARandomMoment) {
    constexpr int kFiles = 2000;
    TempFolder music;
    TempFolder work;
    auto original = [](int i) { return "track " + std::to_string(10000 + i) + ".mp3"; };
    for (int i = 0; i < kFiles; ++i) {
        music.CreateFile(original(i), std::to_string(i));
    }
    std::random_device seed;
    const int killAt = std::uniform_int_distribution<int>(1, kFiles - 1)(seed);
    SCOPED_TRACE("killed after " + std::to_string(killAt) + " reported renames");

    // The batch prints a status line after each logged rename. A small pipe keeps it at most a
    // few renames ahead of this reader, so the kill lands part-way, at no fixed moment.
    const std::string batch =
        Command(KLARWELL_BATCH_PATH,
                {"--answers", "Yes,Yes,OK", "--log-dir", work.Path(), music.Path()}, work);
    std::FILE* output = popen(("echo $$; " + batch).c_str(), "r");
    fcntl(fileno(output), F_SETPIPE_SZ, 4096);
    pid_t pid = 0;
    ASSERT_EQ(std::fscanf(output, "%d", &pid), 1);
    char* line = nullptr;
    std::size_t size = 0;
    for (int reported = 0; reported < killAt && getline(&line, &size, output) > 0;) {
        reported += std::string_view(line).find(" cleaned\"") != std::string_view::npos ? 1 : 0;
    }
    kill(pid, SIGKILL);
    pclose(output);
    free(line);

    const std::string log = work.Read("cleanup.log");
    const auto whole = std::count(log.begin(), log.end(), '\n');
    ASSERT_GE(whole, killAt);
    const Outcome undo = RunTool(
        KLARWELL_UNDO_PATH,
        {"--log", work.Path() / "cleanup.log", "--last", std::to_string(whole), music.Path()},
        work);
    EXPECT_EQ(undo.Status, 0);
    // Every file is back but the one whose rename was in flight and not logged; none is lost.
    int notBack = 0;
    for (int i = 0; i < kFiles; ++i) {
        const bool back = music.Read(original(i)) == std::to_string(i);
        notBack += back ? 0 : 1;
        EXPECT_TRUE(back || music.Read(Replace(original(i), " ", "_")) == std::to_string(i))
            << original(i);
    }
    EXPECT_LE(notBack, 1);
    EXPECT_EQ(music.Names().size(), static_cast<std::size_t>(kFiles));
}

}  // namespace
}  // namespace klarwell::testing
