#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

#include "tests/support/temp_folder.h"

extern char** environ;

namespace {

using klarwell::testing::TempFolder;

struct Outcome {
    int Status = -1;
    std::vector<std::string> Lines;
    std::string Errors;
};

// Runs klarwell-batch with its state folder redirected, so that nothing lands under $HOME.
Outcome RunTool(const std::vector<std::string>& args, const std::filesystem::path& work) {
    Outcome outcome;
    const std::string errorFile = (work / "stderr.txt").native();
    int fds[2];
    if (pipe(fds) != 0) {
        ADD_FAILURE() << "pipe";
        return outcome;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, fds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, fds[0]);
    posix_spawn_file_actions_addclose(&actions, fds[1]);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, errorFile.c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0644);

    std::vector<std::string> argStrings{KLARWELL_BATCH_PATH};
    argStrings.insert(argStrings.end(), args.begin(), args.end());
    std::vector<std::string> envStrings{"XDG_STATE_HOME=" + (work / "state").native()};
    for (char** e = environ; *e != nullptr; ++e) {
        if (!std::string_view(*e).starts_with("XDG_STATE_HOME=")) {
            envStrings.emplace_back(*e);
        }
    }
    std::vector<char*> argv;
    std::vector<char*> envp;
    for (std::string& s : argStrings) {
        argv.push_back(s.data());
    }
    for (std::string& s : envStrings) {
        envp.push_back(s.data());
    }
    argv.push_back(nullptr);
    envp.push_back(nullptr);

    pid_t pid = 0;
    const int spawnError = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    close(fds[1]);
    std::string out;
    char buffer[4096];
    for (ssize_t n = 0; spawnError == 0 && (n = read(fds[0], buffer, sizeof buffer)) > 0;) {
        out.append(buffer, static_cast<std::size_t>(n));
    }
    close(fds[0]);
    if (spawnError != 0) {
        ADD_FAILURE() << "cannot start " << argv[0];
        return outcome;
    }
    int waitStatus = 0;
    if (waitpid(pid, &waitStatus, 0) == pid && WIFEXITED(waitStatus)) {
        outcome.Status = WEXITSTATUS(waitStatus);
    }
    for (std::size_t start = 0, end = 0; (end = out.find('\n', start)) != std::string::npos;
         start = end + 1) {
        outcome.Lines.push_back(out.substr(start, end - start));
    }
    EXPECT_TRUE(out.empty() || out.back() == '\n') << "the last line is not ended";
    std::ifstream errors(errorFile, std::ios::binary);
    outcome.Errors.assign(std::istreambuf_iterator<char>(errors), {});
    return outcome;
}

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
const std::string kConfirmDefault = std::string(kOpening) +
                                    ", as well as replace spaces with underscores." +
                                    std::string(kQuestion);
constexpr std::string_view kConflict =
    R"(The file b\udce9_c.mp3 already exists.  The specified File Clean settings will cause )"
    R"(b\udce9 c.mp3 to be renamed to b\udce9_c.mp3.  Do you want to replace the existing file )"
    R"(with the newly renamed file, destroying the original file?  Click YES to replace the )"
    R"(existing file, NO to skip the current file, or Cancel to stop the File Clean process.)";
constexpr std::string_view kCanceled = R"({"status":"File Clean process canceled."})";

const std::string kBackupYes = Box("Klarwell", kBackup, "YesNo", R"("Yes")");
const std::string kConfirmYes =
    Box("Klarwell Task Confirmation", kConfirmDefault, "YesNo", R"("Yes")");
std::string Finished(std::string_view count) {
    return Box("Klarwell",
               std::string(R"(Finished!\r\n)") + std::string(count) + " file(s) cleaned", "OK",
               R"("OK")");
}

struct File {
    std::string Name;
    std::string Content;
    bool operator==(const File&) const = default;
};

void PrintTo(const File& file, std::ostream* os) {
    *os << file.Name << " = " << file.Content;
}

TEST(KlarwellBatch, RunsTheCleanCommandOnARealFolder) {
    const std::vector<File> conflictFiles{{"b\xe9 c.mp3", "new"}, {"b\xe9_c.mp3", "old"}};
    const std::string twelveNames =
        R"("1.mp3","2.mp3","3.mp3","4.mp3","5.mp3","6.mp3","7.mp3","8.mp3","9.mp3","10.mp3",)"
        R"("11.mp3","12.mp3")";
    struct Row {
        const char* why;
        std::vector<File> files;
        std::string settings;
        std::string answers;
        int status;
        std::vector<std::string> lines;
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
         {kBackupYes, kConfirmYes, R"({"yield":true})", R"({"select":0})", R"({"progress":0})",
          R"({"status":"1 cleaned"})", R"({"select":1})", R"({"progress":100})",
          R"({"status":"2 cleaned"})", R"({"progress":100})", R"({"reread":true})", Finished("2"),
          R"({"end":{"Corrections":2,"CancelProcess":false,"CurFileCount":2}})"},
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
         {kBackupYes,
          Box("Klarwell Task Confirmation",
              R"(You are about to discard all original file names and rename your files with )"
              R"(the structure\r\n\"00-\".)" +
                  std::string(kQuestion),
              "YesNo", R"("Yes")"),
          R"({"yield":true})", R"({"select":0})", R"({"progress":0})", R"({"status":"1 cleaned"})",
          R"({"select":1})", R"({"progress":50})", R"({"status":"2 cleaned"})", R"({"select":2})",
          R"({"progress":100})", R"({"status":"3 cleaned"})", R"({"progress":100})",
          R"({"reread":true})", Finished("3"),
          R"({"end":{"Corrections":3,"CancelProcess":false,"CurFileCount":3}})"},
         {{"01-.Wav", "i"}, {"02-.MP3", "2"}, {"03-.mp3", "10"}, {"readme.txt", "r"}},
         "Re-named<F>/intro.Wav as <F>/01-.Wav\r\nRe-named<F>/Track 2.MP3 as <F>/02-.MP3\r\n"
         "Re-named<F>/Track 10.mp3 as <F>/03-.mp3\r\n"},
        {"replacement pairs and the space mode are read from the settings",
         {{"Other.mp3", "o"}, {"Song Live.mp3", "s"}},
         R"j({"SpaceMode":3,"Replacements":[{"Enabled":true,"Keyword":"Live","With":"(live)"}]})j",
         "Yes,Yes,OK",
         0,
         {kBackupYes,
          Box("Klarwell Task Confirmation",
              std::string(kOpening) +
                  R"(.\r\n\r\nYou have also optionally chosen to replace the keyword \"Live\" )"
                  R"(with \"(live)\".)" +
                  std::string(kQuestion),
              "YesNo", R"("Yes")"),
          R"({"yield":true})", R"({"select":0})", R"({"progress":0})", R"({"select":1})",
          R"({"progress":100})", R"({"status":"1 cleaned"})", R"({"progress":100})",
          R"({"reread":true})", Finished("1"),
          R"({"end":{"Corrections":1,"CancelProcess":false,"CurFileCount":1}})"},
         {{"Other.mp3", "o"}, {"Song (live).mp3", "s"}},
         "Re-named<F>/Song Live.mp3 as <F>/Song (live).mp3\r\n"},
        {"Yes in the conflict box replaces the other file; a name that is not UTF-8 is read "
         "from \\udcXX, printed as \\udcXX and renamed byte for byte",
         conflictFiles,
         R"({"FileNames":["b\udce9 c.mp3"]})",
         "Yes,Yes,Yes,OK",
         0,
         {kBackupYes, kConfirmYes, R"({"yield":true})", R"({"select":0})", R"({"progress":0})",
          Box("File Name Conflict", kConflict, "YesNoCancel", R"("Yes")"),
          R"({"status":"1 cleaned"})", R"({"progress":100})", R"({"reread":true})", Finished("1"),
          R"({"end":{"Corrections":1,"CancelProcess":false,"CurFileCount":1}})"},
         {{"b\xe9_c.mp3", "new"}},
         "Re-named<F>/b\xe9 c.mp3 as <F>/b\xe9_c.mp3\r\n"},
        {"\\udcXX escapes are bytes even where together they spell valid UTF-8",
         {{"caf\xc3\xa9 x.mp3", "c"}},
         R"({"FileNames":["caf\udcc3\udca9 x.mp3"]})",
         "Yes,Yes,OK",
         0,
         {kBackupYes, kConfirmYes, R"({"yield":true})", R"({"select":0})", R"({"progress":0})",
          R"({"status":"1 cleaned"})", R"({"progress":100})", R"({"reread":true})", Finished("1"),
          R"({"end":{"Corrections":1,"CancelProcess":false,"CurFileCount":1}})"},
         {{"caf\xc3\xa9_x.mp3", "c"}},
         "Re-named<F>/caf\xc3\xa9 x.mp3 as <F>/caf\xc3\xa9_x.mp3\r\n"},
        {"Close on the conflict box answers Cancel and ends the run before the next entry",
         {{"b\xe9 c.mp3", "new"}, {"b\xe9_c.mp3", "old"}, {"z z.mp3", "z"}},
         R"({"FileNames":["b\udce9 c.mp3","z z.mp3"]})",
         "Yes,Yes,Close,OK",
         0,
         {kBackupYes, kConfirmYes, R"({"yield":true})", R"({"select":0})", R"({"progress":0})",
          Box("File Name Conflict", kConflict, "YesNoCancel", R"("Cancel")"), R"({"progress":100})",
          R"({"reread":true})", Finished("0"),
          R"({"end":{"Corrections":0,"CancelProcess":true,"CurFileCount":1}})"},
         {{"b\xe9 c.mp3", "new"}, {"b\xe9_c.mp3", "old"}, {"z z.mp3", "z"}},
         "<missing>"},
        {"entries that are not audio files move the bar too; nine entries halve to even",
         {},
         R"({"FileNames":["a b","c d","e","f","g","h","i","j","k.txt"]})",
         "Yes,Yes,OK",
         0,
         {kBackupYes,
          kConfirmYes,
          R"({"yield":true})",
          R"({"select":0})",
          R"({"progress":0})",
          R"({"select":1})",
          R"({"progress":12})",
          R"({"select":2})",
          R"({"progress":25})",
          R"({"select":3})",
          R"({"progress":38})",
          R"({"select":4})",
          R"({"progress":50})",
          R"({"select":5})",
          R"({"progress":62})",
          R"({"select":6})",
          R"({"progress":75})",
          R"({"select":7})",
          R"({"progress":88})",
          R"({"select":8})",
          R"({"progress":100})",
          R"({"progress":100})",
          R"({"reread":true})",
          Finished("0"),
          R"({"end":{"Corrections":0,"CancelProcess":false,"CurFileCount":0}})"},
         {},
         "<missing>"},
        {"Close on a Yes/No box answers No: the backup warning declines the command",
         {{"a b.mp3", "a"}},
         "{}",
         "Close",
         0,
         {Box("Klarwell", kBackup, "YesNo", R"("No")"), std::string(kCanceled),
          R"({"end":{"Corrections":0,"CancelProcess":false,"CurFileCount":0}})"},
         {{"a b.mp3", "a"}},
         "<missing>"},
        {"a width too small for the folder is refused after a declined backup warning",
         {},
         R"({"AddPrefix":true,"Prefix":"#","IndexNumbering":true,"FileNames":[)" + twelveNames +
             "]}",
         "No,OK",
         0,
         {Box("Klarwell", kBackup, "YesNo", R"("No")"),
          Box("Klarwell",
              "There must be at least 2 digits in the index number since your selected folder "
              "contains 12 files.",
              "OK", R"("OK")"),
          std::string(kCanceled),
          R"({"end":{"Corrections":0,"CancelProcess":false,"CurFileCount":0}})"},
         {},
         "<missing>"},
        {"a width too small for the files and the start index names the start index",
         {},
         R"({"AddSuffix":true,"Suffix":"#","IndexNumbering":true,"FileCountChars":2,)"
         R"("FirstIndex":95,"FileNames":["1.mp3","2.mp3","3.mp3","4.mp3","5.mp3","6.mp3",)"
         R"("7.mp3","8.mp3","9.mp3","10.mp3"]})",
         "Yes,OK",
         0,
         {kBackupYes,
          Box("Klarwell",
              "There must be at least 3 digits in the index number since your selected folder "
              "contains 10 files in addition to a start index of 95.",
              "OK", R"("OK")"),
          std::string(kCanceled),
          R"({"end":{"Corrections":0,"CancelProcess":false,"CurFileCount":0}})"},
         {},
         "<missing>"},
        {"a box with no answer left is printed with a null answer and ends with status 3",
         {{"a b.mp3", "a"}},
         "{}",
         "",
         3,
         {Box("Klarwell", kBackup, "YesNo", "null")},
         {{"a b.mp3", "a"}},
         "<missing>"},
        {"an unanswered summary box keeps the rename already made and logged",
         {{"a b.mp3", "a"}},
         "{}",
         "Yes,Yes",
         3,
         {kBackupYes, kConfirmYes, R"({"yield":true})", R"({"select":0})", R"({"progress":0})",
          R"({"status":"1 cleaned"})", R"({"progress":100})", R"({"reread":true})",
          Box("Klarwell", R"(Finished!\r\n1 file(s) cleaned)", "OK", "null")},
         {{"a_b.mp3", "a"}},
         "Re-named<F>/a b.mp3 as <F>/a_b.mp3\r\n"},
        {"an answer that is not a button of the box is a bad argument",
         {{"a b.mp3", "a"}},
         "{}",
         "OK",
         2,
         {Box("Klarwell", kBackup, "YesNo", "null")},
         {{"a b.mp3", "a"}},
         "<missing>"},
        {"a log folder that cannot be written sends the lines to the state folder",
         {{"a b.mp3", "a"}},
         "{}",
         "Yes,Yes,OK",
         0,
         {kBackupYes, kConfirmYes, R"({"yield":true})", R"({"select":0})", R"({"progress":0})",
          R"({"status":"1 cleaned"})", R"({"progress":100})", R"({"reread":true})", Finished("1"),
          R"({"end":{"Corrections":1,"CancelProcess":false,"CurFileCount":1}})"},
         {{"a_b.mp3", "a"}},
         "Re-named<F>/a b.mp3 as <F>/a_b.mp3\r\n",
         true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        TempFolder music;
        TempFolder work;
        for (const File& file : row.files) {
            music.CreateFile(file.Name, file.Content);
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
        {"a first index whose offset would not fit 32 bits", R"({"FirstIndex":-2147483648})",
         standard},
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
