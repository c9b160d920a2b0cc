#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "tests/support/program_texts.h"
#include "tests/support/temp_folder.h"

namespace klarwell::testing {
namespace {

using Lines = std::vector<std::string>;

struct Outcome {
    int Status = -1;
    Lines Out;
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
Outcome RunTool(const Lines& args, const std::filesystem::path& work) {
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
        outcome.Out.push_back(out.substr(start, end - start));
    }
    EXPECT_TRUE(out.empty() || out.back() == '\n') << "the last line is not ended";
    outcome.Errors = ReadFile(work / "stderr.txt");
    return outcome;
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

const std::string kBackupYes = Box(kTitle, kBackupWarning, "YesNo", R"("Yes")");
// The conflict box of b<E9><01> c.mp3: the byte that is not UTF-8 as \udce9, the control byte
// as \u0001.
const std::string kEscapedConflict =
    Replace(Box(kConflictTitle, ConflictText("b<E> c.mp3", "b<E>_c.mp3"), "YesNoCancel", "<A>"),
            "<E>", R"(\udce9\u0001)");

using File = std::pair<std::string, std::string>;  // name and content

TEST(KlarwellBatch, EscapesBytesAnswersBoxesAndEndsWithItsStatus) {
    const std::vector<File> conflict{{"b\xe9\x01 c.mp3", "new"}, {"b\xe9\x01_c.mp3", "old"}};
    struct Row {
        const char* why;
        std::vector<File> files;
        std::string settings;
        std::string answers;
        int status;
        Lines printed;  // lines that must be printed, the last one last
        std::vector<File> filesAfter;
        std::optional<std::string> log = std::nullopt;  // "<F>" is the folder
    };
    const Row rows[] = {
        {"the audio files of the folder are cleaned and logged in --log-dir",
         {{"Song One.mp3", "1"}, {"notes.txt", "n"}},
         "{}",
         "Yes,Yes,OK",
         0,
         {kBackupYes, End(1, false, 1)},
         {{"Song_One.mp3", "1"}, {"notes.txt", "n"}},
         LogLineText("<F>/Song One.mp3", "<F>/Song_One.mp3")},
        {"flags, a negative first index and \\u escapes of one to four bytes are read",
         {{"Song.mp3", "s"}},
         R"({"DiscardOriginalNames":true,"AddPrefix":true,"Prefix":"\u20ac\u0080\ud83c\udfb5#",)"
         R"("IndexNumbering":true,"FileCountChars":2,"FirstIndex":-4})",
         "Yes,Yes,OK",
         0,
         {End(1, false, 1)},
         {{"\xe2\x82\xac\xc2\x80\xf0\x9f\x8e\xb5"
           "-4.mp3",
           "s"}}},
        {"names are read from \\udcXX and \\u0001, printed so and renamed byte for byte",
         conflict,
         R"({"FileNames":["b\udce9\u0001 c.mp3"]})",
         "Yes,Yes,Yes,OK",
         0,
         {Replace(kEscapedConflict, "<A>", R"("Yes")"), End(1, false, 1)},
         {{"b\xe9\x01_c.mp3", "new"}}},
        {"\\udcXX escapes are bytes even where together they spell valid UTF-8",
         {{"caf\xc3\xa9 x.mp3", "c"}},
         R"({"FileNames":["caf\udcc3\udca9 x.mp3"]})",
         "Yes,Yes,OK",
         0,
         {End(1, false, 1)},
         {{"caf\xc3\xa9_x.mp3", "c"}}},
        {"Close on a box with Cancel answers Cancel",
         conflict,
         R"({"FileNames":["b\udce9\u0001 c.mp3"]})",
         "Yes,Yes,Close,OK",
         0,
         {Replace(kEscapedConflict, "<A>", R"("Cancel")"), End(0, true, 1)},
         conflict,
         "<missing>"},
        {"Close on a Yes/No box answers No",
         {{"a b.mp3", "a"}},
         "{}",
         "Close",
         0,
         {Box(kTitle, kBackupWarning, "YesNo", R"("No")"), End(0, false, 0)},
         {{"a b.mp3", "a"}}},
        {"a box with no answer left is printed with null, status 3, the rename made stays",
         {{"a b.mp3", "a"}},
         "{}",
         "Yes,Yes",
         3,
         {Box(kTitle, FinishedText(1), "OK", "null")},
         {{"a_b.mp3", "a"}},
         LogLineText("<F>/a b.mp3", "<F>/a_b.mp3")},
        {"an answer that is not a button of the box: null and status 2",
         {{"a b.mp3", "a"}},
         "{}",
         "OK",
         2,
         {Box(kTitle, kBackupWarning, "YesNo", "null")},
         {{"a b.mp3", "a"}},
         "<missing>"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        TempFolder music;
        TempFolder work;
        for (const auto& [name, content] : row.files) {
            music.CreateFile(name, content);
        }
        work.CreateFile("settings.json", row.settings);
        work.CreateFolder("log");

        const Outcome outcome = RunTool(
            {"--settings", (work.Path() / "settings.json").native(), "--answers", row.answers,
             "--log-dir", (work.Path() / "log").native(), music.Path().native()},
            work.Path());

        EXPECT_EQ(outcome.Status, row.status);
        for (const std::string& line : row.printed) {
            EXPECT_THAT(outcome.Out, ::testing::Contains(line));
        }
        EXPECT_EQ(outcome.Out.empty() ? "" : outcome.Out.back(), row.printed.back());
        EXPECT_EQ(outcome.Errors.empty(), row.status == 0) << outcome.Errors;
        std::vector<File> after;
        for (const std::string& name : music.Names()) {
            after.push_back({name, music.Read(name)});
        }
        EXPECT_EQ(after, row.filesAfter);
        if (row.log) {
            EXPECT_EQ(ReadFile(work.Path() / "log" / "cleanup.log"),
                      Replace(*row.log, "<F>", music.Path().native()));
        }
    }
}

TEST(KlarwellBatch, RefusesBadArgumentsAndSettingsWithStatus2) {
    struct Row {
        const char* why;
        std::string settings;
        Lines args;  // "<S>" settings file, "<F>" the folder, "<W>" work folder
    };
    const Lines standard{"--settings", "<S>", "--answers", "Yes,Yes,OK", "<F>"};
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
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        TempFolder music;
        TempFolder work;
        music.CreateFile("a b.mp3", "a");
        work.CreateFile("settings.json", row.settings);
        Lines args;
        for (const std::string& arg : row.args) {
            std::string filled = Replace(arg, "<S>", (work.Path() / "settings.json").native());
            filled = Replace(filled, "<W>", work.Path().native());
            args.push_back(Replace(filled, "<F>", music.Path().native()));
        }

        const Outcome outcome = RunTool(args, work.Path());

        EXPECT_EQ(outcome.Status, 2);
        EXPECT_TRUE(outcome.Out.empty());
        EXPECT_TRUE(outcome.Errors.starts_with("klarwell-batch: ")) << outcome.Errors;
        EXPECT_EQ(outcome.Errors.find('\n'), outcome.Errors.size() - 1) << outcome.Errors;
        EXPECT_EQ(music.Names(), Lines{"a b.mp3"});
    }
}

}  // namespace
}  // namespace klarwell::testing
