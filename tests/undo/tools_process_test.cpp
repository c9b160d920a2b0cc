// What only the tools do: klarwell-batch's JSON lines, answers and exit statuses, the refusals of
// both tools, and klarwell-undo's own rules, each tool run as a child process on real folders.

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "tests/process/tool_process.h"
#include "tests/support/program_texts.h"

namespace klarwell::testing {
namespace {

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
        std::string err = "";
    };
    const Row rows[] = {
        {"audio files are cleaned and logged in --log-dir", "Song One.mp3=1|notes.txt=n", "{}",
         "Yes,Yes,OK", 0, R"({"status":")" + CleanedStatus(1) + "\"}", End(1, false, 1),
         "Song_One.mp3=1|notes.txt=n", LogLineText("<F>/Song One.mp3", "<F>/Song_One.mp3")},
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
         LogLineText("<F>/a b.mp3", "<F>/a_b.mp3"), std::string(texts::kBatchNoAnswerLeft)},
        {"an answer that is not a button of the box: null, status 2", "a b.mp3=a", "{}", "OK", 2,
         "", Box(kTitle, kBackupWarning, "YesNo", "null"), "a b.mp3=a", "<missing>",
         texts::BatchNotAButton(1, "YesNo")},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        TempFolder music;
        TempFolder work;
        Fill(music, row.files);
        work.CreateFile("settings.json", row.settings);
        work.CreateFolder("log");

        const Outcome outcome =
            RunTool(Command(KLARWELL_BATCH_PATH,
                            {"--settings", work.Path() / "settings.json", "--answers", row.answers,
                             "--log-dir", work.Path() / "log", music.Path()},
                            work),
                    work);

        EXPECT_EQ(outcome.Status, row.status);
        if (!row.shown.empty()) {
            EXPECT_THAT(outcome.Out, ::testing::Contains(row.shown));
        }
        EXPECT_EQ(outcome.Out.empty() ? "" : outcome.Out.back(), row.last);
        EXPECT_EQ(outcome.Err, row.err);
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

        const Outcome outcome = RunTool(Command(row.program, args, work), work);

        EXPECT_EQ(outcome.Status, 2);
        EXPECT_TRUE(outcome.Out.empty());
        if (row.program == std::string_view(KLARWELL_BATCH_PATH)) {
            EXPECT_TRUE(outcome.Err.starts_with("klarwell-batch: ")) << outcome.Err;
            EXPECT_EQ(outcome.Err.find('\n'), outcome.Err.size() - 1) << outcome.Err;
        }
        EXPECT_EQ(Take(music), "a b.mp3=a");
    }
}

TEST(KlarwellUndo, TakesBackWhatItCanNewestFirstAndASecondUndoFromBothLogsRedoesIt) {
    TempFolder music;
    TempFolder other;
    TempFolder work;
    const std::string m = music.Path();
    Fill(music, "a_b.mp3=A|c d.mp3=C new|c_d.mp3=C|e_f.mp3=E|s_t.mp3=S");
    other.CreateFile("g_h.mp3", "G");
    // The old name of e_f.mp3, escaped as the log holds it and as the tool prints it: a control
    // byte, a backslash, a byte that is not UTF-8, a C1 control character and a euro sign.
    const std::string eLogged = R"(e\x01\x5C)"
                                "\xe9\xc2\x85\xe2\x82\xac.mp3";
    const std::string eShown = R"(e\x01\x5C\xE9\xC2\x85)"
                               "\xe2\x82\xac.mp3";
    const std::string logText =
        Logged(m, "c d.mp3", "c_d.mp3") + Logged(other.Path(), "g h.mp3", "g_h.mp3") + "Re-named" +
        m + "/" + eLogged + " as " + m + "/e_f.mp3\r\n" + "Re-named" + m + "/k l.mp3 a\r\n" +
        Logged(m, "x y.mp3", "x_y.mp3") + Logged(m, "a b.mp3", "a_b.mp3") + "Re-named" + m +
        "/i j.mp3 as " + m + "/i_";
    work.CreateFolder("bin");
    const std::string log = work.Path() / "bin/cleanup.log";
    work.CreateFile("bin/cleanup.log", logText);
    const std::string notes = texts::UndoLineSkipped(4, log, texts::kLineNoSplit) + "\n";
    const std::string before = Take(music);

    const Outcome plan = RunTool(
        Command(KLARWELL_UNDO_PATH, {"--dry-run", "--last", "9", "--log", log, m + "/"}, work),
        work);
    EXPECT_EQ(plan.Status, 1);
    EXPECT_EQ(
        plan.Out,
        (Lines{texts::UndoFewer(4, m, 9), texts::UndoPlan("a b.mp3", "a_b.mp3"),
               texts::UndoPlan("x y.mp3", "x_y.mp3"), texts::UndoPlan(eShown, "e_f.mp3"),
               texts::UndoPlan("c d.mp3", "c_d.mp3"), "4" + std::string(texts::kUndoPlanned)}));
    EXPECT_EQ(plan.Err, notes + texts::UndoLineSkipped(7, log, texts::kLineTorn) + "\n");
    EXPECT_EQ(Take(music), before);

    const Outcome undo =
        RunTool(Command(KLARWELL_UNDO_PATH, {"--yes", "--log", log, m}, work), work);
    EXPECT_EQ(undo.Status, 1);
    EXPECT_EQ(undo.Out, (Lines{texts::UndoNotFound("x y.mp3", "x_y.mp3"),
                               texts::UndoTaken("c d.mp3", "c_d.mp3"), texts::UndoSummary(2, 1, 1),
                               std::string(texts::kUndoLost)}));
    EXPECT_EQ(Take(music),
              "a b.mp3=A|c d.mp3=C new|c_d.mp3=C|e\x01\\\xe9\xc2\x85\xe2\x82\xac.mp3=E|s_t.mp3=S");
    EXPECT_EQ(Take(other), "g_h.mp3=G");

    // The program's own logs: the one beside it, older, then the state folder's; the folder named
    // through a link, relative to the working folder. The torn line has been ended by now.
    std::filesystem::copy_file(KLARWELL_UNDO_PATH, work.Path() / "bin/klarwell-undo");
    std::filesystem::last_write_time(
        log, std::filesystem::file_time_type::clock::now() - std::chrono::hours(1));
    std::filesystem::create_directory_symlink(m, work.Path() / "link");
    const std::string stateLog = Logged(m, "s t.mp3", "s_t.mp3");
    std::filesystem::create_directories(work.Path() / "state/klarwell");
    work.CreateFile("state/klarwell/cleanup.log", stateLog);
    const Outcome redo =
        RunTool(Command(work.Path() / "bin/klarwell-undo", {"--last", "3", "link"}, work), work,
                work.Path());
    EXPECT_EQ(redo.Status, 0);
    EXPECT_EQ(redo.Out, (Lines{texts::UndoSummary(3, 0, 0), std::string(texts::kUndoLost)}));
    EXPECT_EQ(redo.Err, std::string(texts::kUndoBothLogs) + log + " and " + work.Path().native() +
                            "/state/klarwell/cleanup.log\n" + notes);
    EXPECT_EQ(Take(music), "a_b.mp3=A|c d.mp3=C new|c_d.mp3=C|e_f.mp3=E|s t.mp3=S");
    // The renames back went beside the program.
    EXPECT_EQ(work.Read("state/klarwell/cleanup.log"), stateLog);
}

}  // namespace
}  // namespace klarwell::testing
