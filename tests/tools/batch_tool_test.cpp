#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "tests/support/temp_folder.h"

namespace {

using klarwell::testing::TempFolder;
using Events = std::vector<std::string>;

struct Outcome {
    int Status = -1;
    Events Lines;
    std::string Errors;
};

std::string ReadFile(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        return "<missing>";
    }
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string Replace(std::string text, std::string_view from, std::string_view to) {
    for (std::size_t at = 0; (at = text.find(from, at)) != std::string::npos; at += to.size()) {
        text.replace(at, from.size(), to);
    }
    return text;
}

// Runs klarwell-batch with its state folder redirected, so that nothing lands under $HOME.
Outcome RunTool(const Events& args, const std::filesystem::path& work) {
    const auto quote = [](std::string_view text) {
        return "'" + Replace(std::string(text), "'", R"('\'')") + "'";
    };
    std::string command =
        "XDG_STATE_HOME=" + quote((work / "state").native()) + " " + quote(KLARWELL_BATCH_PATH);
    for (const std::string& arg : args) {
        command += " " + quote(arg);
    }
    command += " >" + quote((work / "stdout.txt").native()) + " 2>" +
               quote((work / "stderr.txt").native());
    const int raw = std::system(command.c_str());
    Outcome outcome;
    outcome.Status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    const std::string out = ReadFile(work / "stdout.txt");
    for (std::size_t start = 0, end = 0; (end = out.find('\n', start)) != std::string::npos;
         start = end + 1) {
        outcome.Lines.push_back(out.substr(start, end - start));
    }
    EXPECT_TRUE(out.empty() || out.back() == '\n') << "the last line is not ended";
    outcome.Errors = ReadFile(work / "stderr.txt");
    return outcome;
}

// Texts below are JSON as the tool prints them: CR LF appears as \r\n, a quote as \".
std::string Box(std::string_view title, std::string_view text, std::string_view buttons,
                std::string_view answer) {
    return std::string(R"({"box":{"title":")") + std::string(title) + R"(","text":")" +
           std::string(text) + R"(","buttons":")" + std::string(buttons) +
           R"(","icon":"none","answer":)" + std::string(answer) + "}}";
}

constexpr std::string_view kBackup =
    R"(Since this process can not be reversed, it is recomended that \r\nyou make a backup of )"
    R"(your source directory before proceeding.\r\n\r\nAre you sure you want to continue?)";
constexpr std::string_view kOpening =
    R"(You are about to remove leading and trailing spaces, as well as remove the characters )"
    R"(', @, #, $, %, ^, and ~ from the file names in your\r\nselected directory)";
constexpr std::string_view kQuestion = R"(\r\n\r\n\r\nAre you sure you want to continue?)";
constexpr std::string_view kConflict =
    R"(The file b\udce9_c.mp3 already exists.  The specified File Clean settings will cause )"
    R"(b\udce9 c.mp3 to be renamed to b\udce9_c.mp3.  Do you want to replace the existing file )"
    R"(with the newly renamed file, destroying the original file?  Click YES to replace the )"
    R"(existing file, NO to skip the current file, or Cancel to stop the File Clean process.)";

const std::string kBackupYes = Box("Klarwell", kBackup, "YesNo", R"("Yes")");
const std::string kBackupUnanswered = Box("Klarwell", kBackup, "YesNo", "null");

std::string Confirm(std::string_view text) {
    return Box("Klarwell Task Confirmation", std::string(text) + std::string(kQuestion), "YesNo",
               R"("Yes")");
}
const std::string kConfirmDefault =
    Confirm(std::string(kOpening) + ", as well as replace spaces with underscores.");

std::string EndOfRun(int corrections, bool cancelled, int handedOut) {
    return R"({"end":{"Corrections":)" + std::to_string(corrections) + R"(,"CancelProcess":)" +
           (cancelled ? "true" : "false") + R"(,"CurFileCount":)" + std::to_string(handedOut) +
           "}}";
}

Events Cat(std::initializer_list<Events> parts) {
    Events all;
    for (const Events& part : parts) {
        all.insert(all.end(), part.begin(), part.end());
    }
    return all;
}

// Both boxes answered Yes, then the bar is shown and the program yields once.
Events Begin(const std::string& confirmation) {
    return {kBackupYes, confirmation, R"({"yield":true})"};
}

// An entry is selected and the bar set; cleaned > 0 is the status after its rename.
Events Entry(int index, int progress, int cleaned = 0) {
    Events lines{R"({"select":)" + std::to_string(index) + "}",
                 R"({"progress":)" + std::to_string(progress) + "}"};
    if (cleaned > 0) {
        lines.push_back(R"({"status":")" + std::to_string(cleaned) + R"( cleaned"})");
    }
    return lines;
}

Events Finish(int corrections, bool cancelled, int handedOut) {
    return {R"({"progress":100})", R"({"reread":true})",
            Box("Klarwell", R"(Finished!\r\n)" + std::to_string(corrections) + " file(s) cleaned",
                "OK", R"("OK")"),
            EndOfRun(corrections, cancelled, handedOut)};
}

// A file of the music folder: its name, then its content.
using File = std::pair<std::string, std::string>;

TEST(KlarwellBatch, RunsTheCleanCommandOnARealFolder) {
    const std::vector<File> conflictFiles{{"b\xe9 c.mp3", "new"}, {"b\xe9_c.mp3", "old"}};
    struct Row {
        const char* why;
        std::vector<File> files;
        std::string settings;
        std::string answers;
        int status;
        Events lines;
        std::vector<File> filesAfter;  // sorted by bytes
        std::string log;               // "<F>" is the folder; "<missing>" when none is written
        bool logDirMissing = false;    // the log then goes to $XDG_STATE_HOME/klarwell
    };
    const Row rows[] = {
        {"a whole run lists the audio files, renames each and logs it",
         {{"Song One.mp3", "1"}, {"Song Two.wav", "2"}, {"notes.txt", "n"}, {"x y.tmc", "t"}},
         "{}",
         "Yes,Yes,OK",
         0,
         Cat({Begin(kConfirmDefault), Entry(0, 0, 1), Entry(1, 100, 2), Finish(2, false, 2)}),
         {{"Song_One.mp3", "1"}, {"Song_Two.wav", "2"}, {"notes.txt", "n"}, {"x y.tmc", "t"}},
         "Re-named<F>/Song One.mp3 as <F>/Song_One.mp3\r\n"
         "Re-named<F>/Song Two.wav as <F>/Song_Two.wav\r\n"},
        {"the listing takes every pattern in any letter case, in natural order; discard mode "
         "numbers the files",
         {{"Track 10.mp3", "10"}, {"Track 2.MP3", "2"}, {"intro.Wav", "i"}, {"readme.txt", "r"}},
         R"({"DiscardOriginalNames":true,"AddPrefix":true,"Prefix":"#-","IndexNumbering":true,)"
         R"("FileCountChars":2,"FirstIndex":1})",
         "Yes,Yes,OK",
         0,
         Cat({Begin(Confirm(R"(You are about to discard all original file names and rename your )"
                            R"(files with the structure\r\n\"00-\".)")),
              Entry(0, 0, 1), Entry(1, 50, 2), Entry(2, 100, 3), Finish(3, false, 3)}),
         {{"01-.Wav", "i"}, {"02-.MP3", "2"}, {"03-.mp3", "10"}, {"readme.txt", "r"}},
         "Re-named<F>/intro.Wav as <F>/01-.Wav\r\nRe-named<F>/Track 2.MP3 as <F>/02-.MP3\r\n"
         "Re-named<F>/Track 10.mp3 as <F>/03-.mp3\r\n"},
        {"replacement pairs and the space mode are read from the settings",
         {{"Other.mp3", "o"}, {"Song Live.mp3", "s"}},
         R"j({"SpaceMode":3,"Replacements":[{"Enabled":true,"Keyword":"Live","With":"(live)"}]})j",
         "Yes,Yes,OK",
         0,
         Cat({Begin(Confirm(std::string(kOpening) +
                            R"(.\r\n\r\nYou have also optionally chosen to replace the keyword )"
                            R"(\"Live\" with \"(live)\".)")),
              Entry(0, 0), Entry(1, 100, 1), Finish(1, false, 1)}),
         {{"Other.mp3", "o"}, {"Song (live).mp3", "s"}},
         "Re-named<F>/Song Live.mp3 as <F>/Song (live).mp3\r\n"},
        {"Yes in the conflict box replaces the other file; a name that is not UTF-8 is read "
         "from \\udcXX, printed as \\udcXX and renamed byte for byte",
         conflictFiles,
         R"({"FileNames":["b\udce9 c.mp3"]})",
         "Yes,Yes,Yes,OK",
         0,
         Cat({Begin(kConfirmDefault),
              Entry(0, 0),
              {Box("File Name Conflict", kConflict, "YesNoCancel", R"("Yes")"),
               R"({"status":"1 cleaned"})"},
              Finish(1, false, 1)}),
         {{"b\xe9_c.mp3", "new"}},
         "Re-named<F>/b\xe9 c.mp3 as <F>/b\xe9_c.mp3\r\n"},
        {"\\udcXX escapes are bytes even where together they spell valid UTF-8",
         {{"caf\xc3\xa9 x.mp3", "c"}},
         R"({"FileNames":["caf\udcc3\udca9 x.mp3"]})",
         "Yes,Yes,OK",
         0,
         Cat({Begin(kConfirmDefault), Entry(0, 0, 1), Finish(1, false, 1)}),
         {{"caf\xc3\xa9_x.mp3", "c"}},
         "Re-named<F>/caf\xc3\xa9 x.mp3 as <F>/caf\xc3\xa9_x.mp3\r\n"},
        {"Close on the conflict box answers Cancel and ends the run before the next entry",
         {{"b\xe9 c.mp3", "new"}, {"b\xe9_c.mp3", "old"}, {"z z.mp3", "z"}},
         R"({"FileNames":["b\udce9 c.mp3","z z.mp3"]})",
         "Yes,Yes,Close,OK",
         0,
         Cat({Begin(kConfirmDefault),
              Entry(0, 0),
              {Box("File Name Conflict", kConflict, "YesNoCancel", R"("Cancel")")},
              Finish(0, true, 1)}),
         {{"b\xe9 c.mp3", "new"}, {"b\xe9_c.mp3", "old"}, {"z z.mp3", "z"}},
         "<missing>"},
        {"Close on a Yes/No box answers No: the backup warning declines the command",
         {{"a b.mp3", "a"}},
         "{}",
         "Close",
         0,
         {Box("Klarwell", kBackup, "YesNo", R"("No")"),
          R"({"status":"File Clean process canceled."})", EndOfRun(0, false, 0)},
         {{"a b.mp3", "a"}},
         "<missing>"},
        {"a box with no answer left is printed with a null answer and ends with status 3",
         {{"a b.mp3", "a"}},
         "{}",
         "",
         3,
         {kBackupUnanswered},
         {{"a b.mp3", "a"}},
         "<missing>"},
        {"an unanswered summary box keeps the rename already made and logged",
         {{"a b.mp3", "a"}},
         "{}",
         "Yes,Yes",
         3,
         Cat({Begin(kConfirmDefault),
              Entry(0, 0, 1),
              {R"({"progress":100})", R"({"reread":true})",
               Box("Klarwell", R"(Finished!\r\n1 file(s) cleaned)", "OK", "null")}}),
         {{"a_b.mp3", "a"}},
         "Re-named<F>/a b.mp3 as <F>/a_b.mp3\r\n"},
        {"an answer that is not a button of the box is a bad argument",
         {{"a b.mp3", "a"}},
         "{}",
         "OK",
         2,
         {kBackupUnanswered},
         {{"a b.mp3", "a"}},
         "<missing>"},
        {"a log folder that cannot be written sends the lines to the state folder",
         {{"a b.mp3", "a"}},
         "{}",
         "Yes,Yes,OK",
         0,
         Cat({Begin(kConfirmDefault), Entry(0, 0, 1), Finish(1, false, 1)}),
         {{"a_b.mp3", "a"}},
         "Re-named<F>/a b.mp3 as <F>/a_b.mp3\r\n",
         true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        TempFolder music;
        TempFolder work;
        for (const auto& [name, content] : row.files) {
            music.CreateFile(name, content);
        }
        work.CreateFile("settings.json", row.settings);
        work.CreateFolder("state");
        if (!row.logDirMissing) {
            work.CreateFolder("log");
        }

        const Outcome outcome = RunTool(
            {"--settings", (work.Path() / "settings.json").native(), "--answers", row.answers,
             "--log-dir", (work.Path() / "log").native(), music.Path().native()},
            work.Path());

        EXPECT_EQ(outcome.Status, row.status);
        EXPECT_EQ(outcome.Lines, row.lines);
        if (row.status == 0) {
            EXPECT_EQ(outcome.Errors, "");
        } else {
            EXPECT_TRUE(outcome.Errors.starts_with("klarwell-batch: ")) << outcome.Errors;
            EXPECT_EQ(outcome.Errors.find('\n'), outcome.Errors.size() - 1) << outcome.Errors;
        }
        std::vector<File> after;
        for (const std::string& name : music.Names()) {
            after.push_back({name, music.Read(name)});
        }
        EXPECT_EQ(after, row.filesAfter);
        const std::filesystem::path logFile = work.Path() / "log" / "cleanup.log";
        const std::filesystem::path stateLog = work.Path() / "state" / "klarwell" / "cleanup.log";
        const std::string expectedLog = Replace(row.log, "<F>", music.Path().native());
        EXPECT_EQ(ReadFile(row.logDirMissing ? stateLog : logFile), expectedLog);
        EXPECT_EQ(ReadFile(row.logDirMissing ? logFile : stateLog), "<missing>");
    }
}

TEST(KlarwellBatch, RefusesBadArgumentsAndSettingsWithStatus2) {
    struct Row {
        const char* why;
        std::string settings;
        std::vector<std::string> args;  // "<S>" settings file, "<F>" the folder, "<W>" work folder
    };
    const std::vector<std::string> standard{"--settings", "<S>", "--answers", "Yes,Yes,OK",
                                            "--log-dir",  "<W>", "<F>"};
    const Row rows[] = {
        {"settings that are not JSON", R"({"Prefix":)", standard},
        {"settings that are not one object", "[]", standard},
        {"a flag of the wrong type", R"({"AddPrefix":"yes"})", standard},
        {"a text of the wrong type", R"({"Prefix":5})", standard},
        {"a space mode above 3", R"({"SpaceMode":4})", standard},
        {"a negative space mode", R"({"SpaceMode":-1})", standard},
        {"a space mode that is not whole", R"({"SpaceMode":1.5})", standard},
        {"seven replacement pairs",
         R"({"Replacements":[{},{},{},{},{},{},{"Enabled":true,"Keyword":"a","With":"b"}]})",
         standard},
        {"a replacement pair that is not an object", R"({"Replacements":[true]})", standard},
        {"a first index beyond 32 bits", R"({"FirstIndex":2147483648})", standard},
        {"a first index whose offset overflows", R"({"FirstIndex":-2147483648})", standard},
        {"a digit count beyond 16 bits", R"({"FileCountChars":32768})", standard},
        {"a listed name holding a slash", R"({"FileNames":["../a b.mp3"]})", standard},
        {"a listed name holding NUL", R"({"FileNames":["a b.mp3\u0000x"]})", standard},
        {"a key that is no setting", R"({"Prefx":"a"})", standard},
        {"a lone surrogate that stands for no byte", R"({"Prefix":"\ud800"})", standard},
        {"an answer word that is no button",
         "{}",
         {"--settings", "<S>", "--answers", "Yes,Maybe", "--log-dir", "<W>", "<F>"}},
        {"an unknown option", "{}", {"--settings", "<S>", "--fast", "<F>"}},
        {"no folder", "{}", {"--settings", "<S>", "--answers", "Yes"}},
        {"a folder that does not exist", "{}", {"--settings", "<S>", "<W>/missing"}},
        {"a settings file that does not exist", "{}", {"--settings", "<W>/missing.json", "<F>"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        TempFolder music;
        TempFolder work;
        music.CreateFile("a b.mp3", "a");
        work.CreateFile("settings.json", row.settings);
        std::vector<std::string> args;
        for (const std::string& arg : row.args) {
            std::string filled = Replace(arg, "<S>", (work.Path() / "settings.json").native());
            filled = Replace(filled, "<W>", work.Path().native());
            args.push_back(Replace(filled, "<F>", music.Path().native()));
        }

        const Outcome outcome = RunTool(args, work.Path());

        EXPECT_EQ(outcome.Status, 2);
        EXPECT_TRUE(outcome.Lines.empty());
        EXPECT_TRUE(outcome.Errors.starts_with("klarwell-batch: ")) << outcome.Errors;
        EXPECT_EQ(outcome.Errors.find('\n'), outcome.Errors.size() - 1) << outcome.Errors;
        EXPECT_EQ(music.Names(), std::vector<std::string>{"a b.mp3"});
        EXPECT_EQ(ReadFile(work.Path() / "cleanup.log"), "<missing>");
    }
}

}  // namespace
