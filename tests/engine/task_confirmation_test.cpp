#include "engine/task_confirmation.h"

#include <string>
#include <string_view>

#include <gtest/gtest.h>

#include "engine/clean_settings.h"
#include "engine/user_interface.h"
#include "tests/engine/engine_fixture.h"
#include "tests/support/scripted_user_interface.h"

namespace klarwell::engine {
namespace {

using testing::ScriptedUserInterface;

using testing::kKeep;
using testing::kRemoveBoth;
using testing::kToSpaces;
using testing::kToUnderscores;
using testing::Options;

const std::string kOpening =
    "You are about to remove leading and trailing spaces, as well as remove the characters ', @, "
    "#, $, %, ^, and ~ from the file names in your\r\nselected directory";
const std::string kQuestion = "\r\n\r\n\r\nAre you sure you want to continue?";

// The text of a run that keeps the names: the opening, the given middle, the question.
std::string Keep(std::string_view middle) {
    return kOpening + std::string(middle) + kQuestion;
}
std::string Adds(std::string_view what) {
    return Keep(".\r\n\r\nAdditionally, you have chosen to " + std::string(what) +
                " to your file names.");
}
std::string Replaces(std::string_view what) {
    return Keep(".\r\n\r\nYou have also optionally chosen to replace the " + std::string(what) +
                ".");
}
std::string Structure(std::string_view quoted) {
    return "You are about to discard all original file names and rename your files with the "
           "structure\r\n\"" +
           std::string(quoted) + "\"." + kQuestion;
}

TEST(TaskConfirmationText, ClausesAndSentencesInTheirPlace) {
    struct Row {
        const char* why;
        CleanSettings settings;
        std::string expected;
    };
    const Row rows[] = {
        {"program-start options: spaces to underscores alone", Options(),
         "You are about to remove leading and trailing spaces, as well as remove the characters "
         "', @, #, $, %, ^, and ~ from the file names in your\r\nselected directory, as well as "
         "replace spaces with underscores.\r\n\r\n\r\nAre you sure you want to continue?"},
        {"underscores to spaces alone", Options().Mode(kToSpaces),
         Keep(", as well as replace underscores with spaces.")},
        {"remove spaces and underscores alone", Options().Mode(kRemoveBoth),
         Keep(", as well as remove spaces and underscores.")},
        {"keep spaces, no digits: only a full stop after the opening", Options().Mode(kKeep),
         "You are about to remove leading and trailing spaces, as well as remove the characters "
         "', @, #, $, %, ^, and ~ from the file names in your\r\nselected "
         "directory.\r\n\r\n\r\nAre you sure you want to continue?"},
        {"mode out of range is keep", Options().Mode(static_cast<SpaceUnderscoreMode>(7)),
         Keep(".")},
        {"leading digits with spaces to underscores: two blanks around the word",
         Options().Leading().Mode(kToUnderscores),
         Keep(", as well as replace spaces with underscores and remove all  leading  digits from "
              "your filenames.")},
        {"both digit options with remove spaces and underscores",
         Options().Leading().Trailing().Mode(kRemoveBoth),
         Keep(", as well as remove spaces and underscores and remove all  leading and trailing  "
              "digits from your filenames.")},
        {"leading digits with keep: single blanks", Options().Leading().Mode(kKeep),
         Keep(", and remove all leading digits from your filenames.")},
        {"trailing digits with keep names the trailing digits", Options().Trailing().Mode(kKeep),
         Keep(", and remove all trailing digits from your filenames.")},
        {"leading digits with an out-of-range space mode read as keep",
         Options().Leading().Mode(static_cast<SpaceUnderscoreMode>(9)),
         Keep(", and remove all leading digits from your filenames.")},

        {"prefix alone, each # shown as three zeros",
         Options().Mode(kKeep).Prefix("Track#-").Width(3),
         Keep(".\r\n\r\nAdditionally, you have chosen to prepend \"Track000-\" to your file "
              "names.")},
        {"every # of the prefix is rendered", Options().Mode(kKeep).Prefix("#x#").Width(2),
         Adds("prepend \"00x00\"")},
        {"prefix shown as typed", Options().Mode(kKeep).Prefix("My "), Adds("prepend \"My \"")},
        {"suffix alone", Options().Mode(kKeep).Suffix(" (live)"), Adds("append \" (live)\"")},
        {"prefix and suffix in one sentence", Options().Mode(kKeep).Prefix("#").Suffix("-#"),
         Keep(".\r\n\r\nAdditionally, you have chosen to prepend \"0\" and append \"-0\" to your "
              "file names.")},
        {"a ticked prefix with empty text leaves only the append sentence",
         Options().Mode(kKeep).Prefix("").Suffix("X"), Adds("append \"X\"")},
        {"a ticked suffix with empty text leaves only the prepend sentence",
         Options().Mode(kKeep).Prefix("P").Suffix(""), Adds("prepend \"P\"")},
        {"unticked prefix and suffix are not mentioned",
         Options().Mode(kKeep).Prefix("P", false).Suffix("S", false), Keep(".")},
        {"the sentence follows the digit clause",
         Options().Trailing().Mode(kToSpaces).Suffix(" #").Width(2),
         Keep(", as well as replace underscores with spaces and remove all  trailing  digits from "
              "your filenames.\r\n\r\nAdditionally, you have chosen to append \" 00\" to your file "
              "names.")},

        {"one ticked pair: keyword stays singular, no separator",
         Options().Mode(kKeep).Pair(3, "Live", "Studio"),
         Replaces("keyword \"Live\" with \"Studio\"")},
        {"pairs 1 and 4: keywords, joined by , and",
         Options().Mode(kKeep).Pair(1, "a", "b").Pair(4, "c", "d"),
         Replaces("keywords \"a\" with \"b\", and \"c\" with \"d\"")},
        {"pairs 0, 2 and 5: a comma, then , and before the last",
         Options().Mode(kKeep).Pair(0, "k0", "w0").Pair(2, "k2", "w2").Pair(5, "k5", "w5"),
         Replaces("keywords \"k0\" with \"w0\", \"k2\" with \"w2\", and \"k5\" with \"w5\"")},
        {"a ticked pair with an empty keyword is listed and counted",
         Options().Mode(kKeep).Pair(0, "", "x").Pair(1, "a", "b"),
         Replaces("keywords \"\" with \"x\", and \"a\" with \"b\"")},
        {"unticked pair not listed", Options().Mode(kKeep).Pair(0, "a", "b", false), Keep(".")},
        {"an unticked higher pair does not turn , and into a comma",
         Options().Mode(kKeep).Pair(0, "a", "b").Pair(1, "c", "d").Pair(5, "e", "f", false),
         Replaces("keywords \"a\" with \"b\", and \"c\" with \"d\"")},
        {"texts are shown exactly as typed, blanks included",
         Options().Mode(kKeep).Pair(0, " a ", " b "), Replaces("keyword \" a \" with \" b \"")},
        {"every sentence in its place",
         Options()
             .Leading()
             .Trailing()
             .Prefix("#-")
             .Suffix("_#")
             .Width(2)
             .Pair(0, "feat.", "ft")
             .Pair(1, "&", "and"),
         Keep(", as well as replace spaces with underscores and remove all  leading and trailing  "
              "digits from your filenames.\r\n\r\nAdditionally, you have chosen to prepend "
              "\"00-\" and append \"_00\" to your file names.\r\n\r\nYou have also optionally "
              "chosen to replace the keywords \"feat.\" with \"ft\", and \"&\" with \"and\".")},

        {"neither prefix nor suffix: the question follows the line break directly",
         Options().Discard(),
         "You are about to discard all original file names and rename your files with the "
         "structure\r\n\r\n\r\n\r\nAre you sure you want to continue?"},
        {"prefix and suffix between one pair of quotes",
         Options().Discard().Prefix("Song #").Suffix(" (live)").Width(2),
         Structure("Song 00 (live)")},
        {"discard with a suffix alone", Options().Discard().Suffix("_#"), Structure("_0")},
        {"ticked empty prefix, suffix", Options().Discard().Prefix("").Suffix("S"), Structure("S")},
        {"an unticked suffix leaves the prefix alone",
         Options().Discard().Prefix("P").Suffix("S", false), Structure("P")},
        {"digit, space and keyword options are not mentioned",
         Options().Discard().Leading().Trailing().Mode(kToSpaces).Pair(0, "a", "b").Prefix("A"),
         Structure("A")},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        EXPECT_EQ(TaskConfirmationText(row.settings), row.expected);
    }
}

TEST(DisplayStripWarning, AsksOnceAndOnlyNoDeclines) {
    struct Row {
        const char* why;
        Answer answer;
        bool expected;
    };
    const Row rows[] = {
        {"Yes goes ahead", Answer::Yes, true},
        {"No declines", Answer::No, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        ScriptedUserInterface ui({row.answer});
        const CleanSettings settings = Options().Mode(kKeep).Suffix("#").Width(2);
        EXPECT_EQ(DisplayStripWarning(settings, ui), row.expected);
        ASSERT_EQ(ui.Boxes().size(), 1U);
        const testing::RecordedBox& box = ui.Boxes().front();
        EXPECT_EQ(box.Title, "Klarwell Task Confirmation");
        EXPECT_EQ(box.Buttons, Buttons::YesNo);
        EXPECT_EQ(box.Icon, Icon::None);
        EXPECT_EQ(box.Text, Adds("append \"00\""));
        EXPECT_TRUE(ui.AllAnswersUsed());
        EXPECT_EQ(ui.Events().size(), 1U) << "nothing but the one box";
    }
}

}  // namespace
}  // namespace klarwell::engine
