// klarwell-batch and klarwell-undo as child processes on real folders: what only the tools do, and
// what only a real process shows (faults injected into the batch, SIGKILL part-way through a run).
#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <sstream>
#include <string>
#include <string_view>

#include <gtest/gtest.h>

#include "tests/support/program_texts.h"
#include "tests/support/temp_folder.h"

namespace klarwell::testing {
namespace {

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

std::string Quote(const std::string& text) {
    return "'" + Replace(text, "'", R"('\'')") + "'";
}

// `program` with `args` and `environment` (shell words) run in `work`, standard input no terminal
// and the state folder in `work`, so that nothing lands under $HOME.
std::string Command(const std::string& program, const std::string& args, const TempFolder& work,
                    const std::string& environment = "") {
    return "cd " + Quote(work.Path()) + " && XDG_STATE_HOME=" + Quote(work.Path() / "state") + " " +
           environment + " exec " + Quote(program) + " " + args + " </dev/null";
}

struct Outcome {
    int Status = -1;
    std::string Out;
    std::string Err;
};

Outcome RunTool(const std::string& command, const TempFolder& work) {
    const int raw = std::system((command + " >out.txt 2>err.txt").c_str());
    return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, work.Read("out.txt"), work.Read("err.txt")};
}

// klarwell-batch on `music` with its log in `work`.
std::string Batch(const TempFolder& music, const TempFolder& work, const std::string& args,
                  const std::string& faults = "") {
    // In a sanitized tree the injector comes before the sanitizer's runtime.
    const std::string preload = "LD_PRELOAD=" + Quote(KLARWELL_FAULT_INJECTOR) +
                                " ASAN_OPTIONS=verify_asan_link_order=0 " + faults;
    return Command(KLARWELL_BATCH_PATH, args + " --log-dir . " + Quote(music.Path()), work,
                   faults.empty() ? "" : preload);
}

// A log line as the program writes it, for a folder without bytes that need escaping.
std::string Logged(const std::string& folder, std::string_view oldName, std::string_view newName) {
    return LogLineText(folder + "/" + std::string(oldName), folder + "/" + std::string(newName));
}

// A box's line; its text as a JSON string holds it: CR LF as \r\n, a quote as \".
std::string Box(std::string_view title, std::string_view text, std::string_view buttons,
                std::string_view answer) {
    const std::string json =
        Replace(Replace(Replace(std::string(text), "\"", R"(\")"), "\r", R"(\r)"), "\n", R"(\n)");
    return R"({"box":{"title":")" + std::string(title) + R"(","text":")" + json +
           R"(","buttons":")" + std::string(buttons) + R"(","icon":"none","answer":)" +
           std::string(answer) + "}}";
}

std::string End(int corrections, const char* cancelled, int handedOut) {
    return R"({"end":{"Corrections":)" + std::to_string(corrections) + R"(,"CancelProcess":)" +
           cancelled + R"(,"CurFileCount":)" + std::to_string(handedOut) + "}}";
}

// The conflict box of b<E9><01> c.mp3, a byte that is not UTF-8 and a control byte.
std::string EscapedConflict(std::string_view answer) {
    return Replace(
        Box(kConflictTitle, ConflictText("b<E> c.mp3", "b<E>_c.mp3"), "YesNoCancel", answer), "<E>",
        R"(\udce9\u0001)");
}

TEST(KlarwellBatch, EscapesBytesAnswersBoxesAndEndsWithItsStatus) {
    const std::string conflict = "b\xe9\x01 c.mp3=new|b\xe9\x01_c.mp3=old";
    const std::string conflictNames = R"({"FileNames":["b\udce9\u0001 c.mp3"]})";
    struct Row {
        const char* why;
        std::string files;  // as Take() writes them
        std::string settings;
        std::string answers;
        int status;
        std::string shown;  // a line that must be printed before the last, or none
        std::string last;   // the last line
        std::string after;
        std::string log = "";  // "<F>" is the folder; none: not looked at
        std::string err = "";
    };
    const Row rows[] = {
        {"audio files are cleaned and logged in --log-dir", "Song One.mp3=1|notes.txt=n", "{}",
         "Yes,Yes,OK", 0, R"({"status":")" + CleanedStatus(1) + "\"}", End(1, "false", 1),
         "Song_One.mp3=1|notes.txt=n", LogLineText("<F>/Song One.mp3", "<F>/Song_One.mp3")},
        {"flags, a negative first index, \\u escapes of one to four bytes, \\udcXX escapes that "
         "together spell UTF-8 but stay bytes",
         "caf\xc3\xa9 x.mp3=s",
         R"({"DiscardOriginalNames":true,"AddPrefix":true,"Prefix":"\u20ac\u0080\ud83c\udfb5#",)"
         R"("IndexNumbering":true,"FileCountChars":2,"FirstIndex":-4,)"
         R"("FileNames":["caf\udcc3\udca9 x.mp3"]})",
         "Yes,Yes,OK", 0, "", End(1, "false", 1), "\xe2\x82\xac\xc2\x80\xf0\x9f\x8e\xb5-4.mp3=s"},
        {"names read from \\udcXX and \\u0001, printed so, renamed byte for byte", conflict,
         conflictNames, "Yes,Yes,Yes,OK", 0, EscapedConflict(R"("Yes")"), End(1, "false", 1),
         "b\xe9\x01_c.mp3=new"},
        {"Close on a box with Cancel answers Cancel", conflict, conflictNames, "Yes,Yes,Close,OK",
         0, EscapedConflict(R"("Cancel")"), End(0, "true", 1), conflict},
        {"Close on a Yes/No box answers No", "a b.mp3=a", "{}", "Close", 0,
         Box(kTitle, kBackupWarning, "YesNo", R"("No")"), End(0, "false", 0), "a b.mp3=a"},
        {"no answer left: null, status 3, the rename made stays", "a b.mp3=a", "{}", "Yes,Yes", 3,
         "", Box(kTitle, FinishedText(1), "OK", "null"), "a_b.mp3=a",
         LogLineText("<F>/a b.mp3", "<F>/a_b.mp3"), std::string(texts::kBatchNoAnswerLeft)},
        {"an answer that is not a button of the box: null, status 2", "a b.mp3=a", "{}", "OK", 2,
         "", Box(kTitle, kBackupWarning, "YesNo", "null"), "a b.mp3=a", "",
         texts::BatchNotAButton(1, "YesNo")},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        TempFolder music;
        TempFolder work;
        Fill(music, row.files);
        work.CreateFile("settings.json", row.settings);

        const Outcome outcome =
            RunTool(Batch(music, work, "--settings settings.json --answers " + row.answers), work);

        EXPECT_EQ(outcome.Status, row.status);
        EXPECT_NE(outcome.Out.find(row.shown + "\n"), std::string::npos) << outcome.Out;
        EXPECT_TRUE(("\n" + outcome.Out).ends_with("\n" + row.last + "\n")) << outcome.Out;
        EXPECT_EQ(outcome.Err, row.err);
        EXPECT_EQ(Take(music), row.after);
        if (!row.log.empty()) {
            EXPECT_EQ(work.Read("cleanup.log"), Replace(row.log, "<F>", music.Path().native()));
        }
    }
}

TEST(KlarwellTools, RefuseBadArgumentsAndSettingsWithStatus2) {
    struct Row {
        const char* why;
        std::string settings;  // in settings.json, beside cleanup.log, in the working folder
        std::string args;      // "<F>" is the music folder
        const char* program = KLARWELL_BATCH_PATH;
    };
    const std::string standard = "--settings settings.json --answers Yes,Yes,OK <F>";
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
        {"an answer word that is no button", "{}", "--answers Yes,Maybe <F>"},
        {"an unknown option", "{}", "--fast <F>"},
        {"an option without its value", "{}", "<F> --answers"},
        {"two folders", "{}", "<F> ."},
        {"no folder", "{}", "--settings settings.json"},
        {"a folder that does not exist", "{}", "missing"},
        {"a settings file that does not exist", "{}", "--settings missing.json <F>"},
        {"undo: a count of 0", "", "--log cleanup.log --last 0 <F>", undo},
        {"undo: a folder that is not there", "", "--log cleanup.log --last 1 <F>/x", undo},
        {"undo: a log that is a folder", "", "--log . --last 1 <F>", undo},
        {"undo: all, without --yes, stdin no terminal", "", "--log cleanup.log <F>", undo},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        TempFolder music;
        TempFolder work;
        music.CreateFile("a b.mp3", "a");
        work.CreateFile("settings.json", row.settings);
        work.CreateFile("cleanup.log", Logged(music.Path(), "x.mp3", "a b.mp3"));

        const Outcome outcome = RunTool(
            Command(row.program, Replace(row.args, "<F>", Quote(music.Path())), work), work);

        EXPECT_EQ(outcome.Status, 2);
        EXPECT_EQ(outcome.Out, "");
        const std::string name = std::filesystem::path(row.program).filename();
        EXPECT_TRUE(outcome.Err.starts_with(name + ": ")) << outcome.Err;
        EXPECT_EQ(Take(music), "a b.mp3=a");
    }
}

TEST(KlarwellUndo, TakesBackWhatItCanNewestFirstAndASecondUndoFromBothLogsRedoesIt) {
    TempFolder music;
    TempFolder work;
    const std::string m = music.Path();
    const std::string files = "a_b.mp3=A|c d.mp3=C new|c_d.mp3=C|e_f.mp3=E|s_t.mp3=S";
    Fill(music, files);
    // The old name of e_f.mp3 as the log holds it and as the tool prints it: a control byte, a
    // backslash, a byte that is not UTF-8, a C1 control character and a euro sign.
    const std::string eLogged = "e\\x01\\x5C\xe9\xc2\x85\xe2\x82\xac.mp3";
    const std::string eShown = "e\\x01\\x5C\\xE9\\xC2\\x85\xe2\x82\xac.mp3";
    // A line of the working folder is none of the music folder's; the last line is torn.
    const std::string log = work.Path() / "cleanup.log";
    work.CreateFile("cleanup.log", Logged(m, "c d.mp3", "c_d.mp3") + Logged(work.Path(), "g", "h") +
                                       LogLineText(m + "/" + eLogged, m + "/e_f.mp3") +
                                       Logged(m, "x y.mp3", "x_y.mp3") +
                                       Logged(m, "a b.mp3", "a_b.mp3") + "Re-named" + m +
                                       "/i j.mp3 as " + m + "/i_");

    const Outcome plan = RunTool(
        Command(KLARWELL_UNDO_PATH, "--dry-run --last 9 --log cleanup.log " + Quote(m + "/"), work),
        work);
    EXPECT_EQ(plan.Status, 1);
    EXPECT_EQ(plan.Out, texts::UndoFewer(4, m, 9) + "\n" + texts::UndoPlan("a b.mp3", "a_b.mp3") +
                            "\n" + texts::UndoPlan("x y.mp3", "x_y.mp3") + "\n" +
                            texts::UndoPlan(eShown, "e_f.mp3") + "\n" +
                            texts::UndoPlan("c d.mp3", "c_d.mp3") + "\n4" +
                            std::string(texts::kUndoPlanned) + "\n");
    EXPECT_EQ(plan.Err, texts::UndoLineSkipped(6, "cleanup.log", texts::kLineTorn) + "\n");
    EXPECT_EQ(Take(music), files);

    const Outcome taken =
        RunTool(Command(KLARWELL_UNDO_PATH, "--yes --log cleanup.log " + Quote(m), work), work);
    EXPECT_EQ(taken.Status, 1);
    EXPECT_EQ(taken.Out, texts::UndoNotFound("x y.mp3", "x_y.mp3") + "\n" +
                             texts::UndoTaken("c d.mp3", "c_d.mp3") + "\n" +
                             texts::UndoSummary(2, 1, 1) + "\n" + std::string(texts::kUndoLost) +
                             "\n");
    EXPECT_EQ(Take(music),
              "a b.mp3=A|c d.mp3=C new|c_d.mp3=C|e\x01\\\xe9\xc2\x85\xe2\x82\xac.mp3=E|s_t.mp3=S");

    // The program's own logs: the one beside it, older, then the state folder's; the folder named
    // through a link, relative to the working folder.
    std::filesystem::copy_file(KLARWELL_UNDO_PATH, work.Path() / "klarwell-undo");
    std::filesystem::last_write_time(
        log, std::filesystem::file_time_type::clock::now() - std::chrono::hours(1));
    std::filesystem::create_directory_symlink(m, work.Path() / "link");
    const std::string stateLog = Logged(m, "s t.mp3", "s_t.mp3");
    std::filesystem::create_directories(work.Path() / "state/klarwell");
    work.CreateFile("state/klarwell/cleanup.log", stateLog);
    const Outcome redo = RunTool(Command("./klarwell-undo", "--last 3 link", work), work);
    EXPECT_EQ(redo.Status, 0);
    EXPECT_EQ(redo.Out, texts::UndoSummary(3, 0, 0) + "\n" + std::string(texts::kUndoLost) + "\n");
    EXPECT_EQ(redo.Err, std::string(texts::kUndoBothLogs) + log + " and " + work.Path().native() +
                            "/state/klarwell/cleanup.log\n");
    EXPECT_EQ(Take(music), "a_b.mp3=A|c d.mp3=C new|c_d.mp3=C|e_f.mp3=E|s t.mp3=S");
    // The renames back went beside the program.
    EXPECT_EQ(work.Read("state/klarwell/cleanup.log"), stateLog);
}

// The rename cannot refuse a replace (EINVAL), so the hard-link fallback runs, and the target
// appears just before the link: the kernel refuses the link, the user is asked, No keeps both.
TEST(FaultInjection, WithoutNoReplaceALateFileIsNeverReplaced) {
    TempFolder music;
    TempFolder work;
    music.CreateFile("a a.mp3", "A");
    const std::string faults =
        "KLARWELL_FAULT_NOREPLACE=22 KLARWELL_FAULT_RACE_DIR=" + Quote(music.Path());
    EXPECT_EQ(RunTool(Batch(music, work, "--answers Yes,Yes,No,OK", faults), work).Status, 0);
    EXPECT_EQ(Take(music), "a a.mp3=A|a_a.mp3=raced");
    EXPECT_EQ(work.Read("cleanup.log"), "<missing>");
}

// SIGKILL at 20 random moments of a 2,000-file run; then a second run finishes the folder on the
// same log. A Yes to a conflict replaces by one rename, which no kill can split, so none is asked.
TEST(KilledRun, NothingLostAndTheLogStaysWholeLines) {
    constexpr int kFiles = 2000;
    std::mt19937 random(20261206);
    for (int round = 0; round < 20; ++round) {
        const int killAt = std::uniform_int_distribution<int>(0, kFiles)(random);
        SCOPED_TRACE("killed after " + std::to_string(killAt) + " reported renames");
        TempFolder music;
        TempFolder work;
        std::string cleaned;
        std::string lines;
        for (int i = 0; i < kFiles; ++i) {
            const std::string stem = "t" + std::to_string(10000 + i);
            music.CreateFile(stem + " x.mp3", stem);
            cleaned += (i == 0 ? "" : "|") + stem + "_x.mp3=" + stem;
            lines += Logged(music.Path(), stem + " x.mp3", stem + "_x.mp3");
        }

        // A status line follows each logged rename. A small pipe keeps the batch at most a few
        // renames ahead of this reader, so the kill lands part-way, at no fixed moment.
        std::FILE* output =
            popen(("echo $$; " + Batch(music, work, "--answers Yes,Yes,OK")).c_str(), "r");
        fcntl(fileno(output), F_SETPIPE_SZ, 4096);
        pid_t pid = 0;
        ASSERT_EQ(std::fscanf(output, "%d", &pid), 1);
        char line[4096];
        for (int reported = 0; reported < killAt && std::fgets(line, sizeof line, output);) {
            reported += std::string_view(line).find(" cleaned\"") != std::string_view::npos ? 1 : 0;
        }
        kill(pid, SIGKILL);
        pclose(output);

        EXPECT_EQ(RunTool(Batch(music, work, "--answers Yes,Yes,OK"), work).Status, 0);
        EXPECT_EQ(Take(music), cleaned);
        // Whole lines of equal length; a kill between a rename and its line may leave that one
        // rename unlogged.
        const std::string logged = work.Read("cleanup.log");
        const std::size_t length = lines.size() / kFiles;
        const auto at = std::mismatch(logged.begin(), logged.end(), lines.begin(), lines.end());
        const auto missed = static_cast<std::size_t>(at.second - lines.begin()) / length * length;
        EXPECT_TRUE(logged == lines || logged == lines.erase(missed, length));
    }
}

}  // namespace
}  // namespace klarwell::testing
