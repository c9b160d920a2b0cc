#include "engine/task_confirmation.h"

#include <string>
#include <utility>

#include <gtest/gtest.h>

#include "engine/clean_settings.h"
#include "engine/user_interface.h"
#include "tests/support/scripted_user_interface.h"

namespace klarwell::engine {
namespace {

using testing::ScriptedUserInterface;

constexpr SpaceUnderscoreMode kToUnderscores = SpaceUnderscoreMode::SpacesToUnderscores;
constexpr SpaceUnderscoreMode kToSpaces = SpaceUnderscoreMode::UnderscoresToSpaces;
constexpr SpaceUnderscoreMode kRemoveBoth = SpaceUnderscoreMode::RemoveSpacesAndUnderscores;
constexpr SpaceUnderscoreMode kKeep = SpaceUnderscoreMode::KeepSpacesAndUnderscores;

const std::string kOpening =
    "You are about to remove leading and trailing spaces, as well as remove the characters ', @, "
    "#, $, %, ^, and ~ from the file names in your\r\nselected directory";
const std::string kQuestion = "\r\n\r\n\r\nAre you sure you want to continue?";

class Options {
public:
    Options& Leading() {
        m_Settings.RemoveLeadingDigits = true;
        return *this;
    }
    Options& Trailing() {
        m_Settings.RemoveTrailingDigits = true;
        return *this;
    }
    Options& Prefix(std::string text, bool ticked = true) {
        m_Settings.AddPrefix = ticked;
        m_Settings.Prefix = std::move(text);
        return *this;
    }
    Options& Suffix(std::string text, bool ticked = true) {
        m_Settings.AddSuffix = ticked;
        m_Settings.Suffix = std::move(text);
        return *this;
    }
    Options& Discard() {
        m_Settings.DiscardOriginalNames = true;
        return *this;
    }
    Options& Pair(int index, std::string keyword, std::string with, bool ticked = true) {
        m_Settings.Replacements.at(static_cast<std::size_t>(index)) =
            ReplacementPair{ticked, std::move(keyword), std::move(with)};
        return *this;
    }
    Options& Mode(SpaceUnderscoreMode mode) {
        m_Settings.SpaceMode = mode;
        return *this;
    }
    Options& Width(int digits) {
        m_Settings.FileCountChars = digits;
        return *this;
    }
    operator CleanSettings() const { return m_Settings; }

private:
    CleanSettings m_Settings;
};

TEST(TaskConfirmationText, KeepNamesDigitAndSpaceClause) {
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
         kOpening + ", as well as replace underscores with spaces." + kQuestion},
        {"remove spaces and underscores alone", Options().Mode(kRemoveBoth),
         kOpening + ", as well as remove spaces and underscores." + kQuestion},
        {"keep spaces, no digits: only a full stop after the opening", Options().Mode(kKeep),
         "You are about to remove leading and trailing spaces, as well as remove the characters "
         "', @, #, $, %, ^, and ~ from the file names in your\r\nselected "
         "directory.\r\n\r\n\r\nAre you sure you want to continue?"},
        {"a space mode out of range counts as keep",
         Options().Mode(static_cast<SpaceUnderscoreMode>(7)), kOpening + "." + kQuestion},
        {"leading digits with spaces to underscores: two blanks around the word",
         Options().Leading().Mode(kToUnderscores),
         kOpening +
             ", as well as replace spaces with underscores and remove all  leading  digits from "
             "your filenames." +
             kQuestion},
        {"trailing digits with spaces to underscores", Options().Trailing().Mode(kToUnderscores),
         kOpening +
             ", as well as replace spaces with underscores and remove all  trailing  digits from "
             "your filenames." +
             kQuestion},
        {"both digit options with spaces to underscores", Options().Leading().Trailing(),
         kOpening +
             ", as well as replace spaces with underscores and remove all  leading and trailing  "
             "digits from your filenames." +
             kQuestion},
        {"leading digits with underscores to spaces", Options().Leading().Mode(kToSpaces),
         kOpening +
             ", as well as replace underscores with spaces and remove all  leading  digits from "
             "your filenames." +
             kQuestion},
        {"trailing digits with underscores to spaces", Options().Trailing().Mode(kToSpaces),
         kOpening +
             ", as well as replace underscores with spaces and remove all  trailing  digits from "
             "your filenames." +
             kQuestion},
        {"both digit options with remove spaces and underscores",
         Options().Leading().Trailing().Mode(kRemoveBoth),
         kOpening +
             ", as well as remove spaces and underscores and remove all  leading and trailing  "
             "digits from your filenames." +
             kQuestion},
        {"trailing digits with remove spaces and underscores",
         Options().Trailing().Mode(kRemoveBoth),
         kOpening +
             ", as well as remove spaces and underscores and remove all  trailing  digits from "
             "your filenames." +
             kQuestion},
        {"leading digits with keep: single blanks", Options().Leading().Mode(kKeep),
         kOpening + ", and remove all leading digits from your filenames." + kQuestion},
        {"trailing digits with keep names the trailing digits", Options().Trailing().Mode(kKeep),
         kOpening + ", and remove all trailing digits from your filenames." + kQuestion},
        {"both digit options with keep", Options().Leading().Trailing().Mode(kKeep),
         kOpening + ", and remove all leading and trailing digits from your filenames." +
             kQuestion},
        {"leading digits with an out-of-range space mode read as keep",
         Options().Leading().Mode(static_cast<SpaceUnderscoreMode>(9)),
         kOpening + ", and remove all leading digits from your filenames." + kQuestion},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        EXPECT_EQ(TaskConfirmationText(row.settings), row.expected);
    }
}

TEST(TaskConfirmationText, KeepNamesPrefixAndSuffixSentence) {
    struct Row {
        const char* why;
        CleanSettings settings;
        std::string expected;
    };
    const Row rows[] = {
        {"prefix alone, each # shown as three zeros",
         Options().Mode(kKeep).Prefix("Track#-").Width(3),
         kOpening +
             ".\r\n\r\nAdditionally, you have chosen to prepend \"Track000-\" to your file names." +
             kQuestion},
        {"prefix # with digit count 1 is one zero", Options().Mode(kKeep).Prefix("#").Width(1),
         kOpening + ".\r\n\r\nAdditionally, you have chosen to prepend \"0\" to your file names." +
             kQuestion},
        {"prefix # with digit count 4 is four zeros", Options().Mode(kKeep).Prefix("#").Width(4),
         kOpening +
             ".\r\n\r\nAdditionally, you have chosen to prepend \"0000\" to your file names." +
             kQuestion},
        {"every # of the prefix is rendered", Options().Mode(kKeep).Prefix("#x#").Width(2),
         kOpening +
             ".\r\n\r\nAdditionally, you have chosen to prepend \"00x00\" to your file names." +
             kQuestion},
        {"a prefix without # is shown unchanged, blanks kept", Options().Mode(kKeep).Prefix("My "),
         kOpening +
             ".\r\n\r\nAdditionally, you have chosen to prepend \"My \" to your file names." +
             kQuestion},
        {"suffix alone", Options().Mode(kKeep).Suffix(" (live)"),
         kOpening +
             ".\r\n\r\nAdditionally, you have chosen to append \" (live)\" to your file names." +
             kQuestion},
        {"suffix # rendered with the digit count", Options().Mode(kKeep).Suffix("-#").Width(2),
         kOpening + ".\r\n\r\nAdditionally, you have chosen to append \"-00\" to your file names." +
             kQuestion},
        {"prefix and suffix in one sentence", Options().Mode(kKeep).Prefix("#").Suffix("-#"),
         kOpening +
             ".\r\n\r\nAdditionally, you have chosen to prepend \"0\" and append \"-0\" to your "
             "file names." +
             kQuestion},
        {"a ticked prefix with empty text leaves only the append sentence",
         Options().Mode(kKeep).Prefix("").Suffix("X"),
         kOpening + ".\r\n\r\nAdditionally, you have chosen to append \"X\" to your file names." +
             kQuestion},
        {"a ticked suffix with empty text leaves only the prepend sentence",
         Options().Mode(kKeep).Prefix("P").Suffix(""),
         kOpening + ".\r\n\r\nAdditionally, you have chosen to prepend \"P\" to your file names." +
             kQuestion},
        {"unticked prefix and suffix are not mentioned",
         Options().Mode(kKeep).Prefix("P", false).Suffix("S", false), kOpening + "." + kQuestion},
        {"the sentence follows the digit clause",
         Options().Trailing().Mode(kToSpaces).Suffix(" #").Width(2),
         kOpening +
             ", as well as replace underscores with spaces and remove all  trailing  digits from "
             "your filenames.\r\n\r\nAdditionally, you have chosen to append \" 00\" to your file "
             "names." +
             kQuestion},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        EXPECT_EQ(TaskConfirmationText(row.settings), row.expected);
    }
}

TEST(TaskConfirmationText, KeepNamesKeywordSentence) {
    struct Row {
        const char* why;
        CleanSettings settings;
        std::string expected;
    };
    const Row rows[] = {
        {"one ticked pair: keyword stays singular, no separator",
         Options().Mode(kKeep).Pair(3, "Live", "Studio"),
         kOpening +
             ".\r\n\r\nYou have also optionally chosen to replace the keyword \"Live\" with "
             "\"Studio\"." +
             kQuestion},
        {"pairs 1 and 4: keywords, joined by , and",
         Options().Mode(kKeep).Pair(1, "a", "b").Pair(4, "c", "d"),
         kOpening +
             ".\r\n\r\nYou have also optionally chosen to replace the keywords \"a\" with \"b\", "
             "and \"c\" with \"d\"." +
             kQuestion},
        {"pairs 0, 2 and 5: a comma, then , and before the last",
         Options().Mode(kKeep).Pair(0, "k0", "w0").Pair(2, "k2", "w2").Pair(5, "k5", "w5"),
         kOpening +
             ".\r\n\r\nYou have also optionally chosen to replace the keywords \"k0\" with "
             "\"w0\", \"k2\" with \"w2\", and \"k5\" with \"w5\"." +
             kQuestion},
        {"all six pairs in index order",
         Options()
             .Mode(kKeep)
             .Pair(0, "a", "A")
             .Pair(1, "b", "B")
             .Pair(2, "c", "C")
             .Pair(3, "d", "D")
             .Pair(4, "e", "E")
             .Pair(5, "f", "F"),
         kOpening +
             ".\r\n\r\nYou have also optionally chosen to replace the keywords \"a\" with \"A\", "
             "\"b\" with \"B\", \"c\" with \"C\", \"d\" with \"D\", \"e\" with \"E\", and \"f\" "
             "with \"F\"." +
             kQuestion},
        {"a ticked pair with both texts empty is still listed",
         Options().Mode(kKeep).Pair(2, "", ""),
         kOpening +
             ".\r\n\r\nYou have also optionally chosen to replace the keyword \"\" with \"\"." +
             kQuestion},
        {"a ticked pair with an empty keyword is listed and counted",
         Options().Mode(kKeep).Pair(0, "", "x").Pair(1, "a", "b"),
         kOpening +
             ".\r\n\r\nYou have also optionally chosen to replace the keywords \"\" with \"x\", "
             "and \"a\" with \"b\"." +
             kQuestion},
        {"an unticked pair is not listed", Options().Mode(kKeep).Pair(0, "a", "b", false),
         kOpening + "." + kQuestion},
        {"an unticked higher pair does not turn , and into a comma",
         Options().Mode(kKeep).Pair(0, "a", "b").Pair(1, "c", "d").Pair(5, "e", "f", false),
         kOpening +
             ".\r\n\r\nYou have also optionally chosen to replace the keywords \"a\" with \"b\", "
             "and \"c\" with \"d\"." +
             kQuestion},
        {"texts are shown exactly as typed, blanks included",
         Options().Mode(kKeep).Pair(0, " a ", " b "),
         kOpening +
             ".\r\n\r\nYou have also optionally chosen to replace the keyword \" a \" with \" b "
             "\"." +
             kQuestion},
        {"every sentence in its place",
         Options()
             .Leading()
             .Trailing()
             .Prefix("#-")
             .Suffix("_#")
             .Width(2)
             .Pair(0, "feat.", "ft")
             .Pair(1, "&", "and"),
         kOpening +
             ", as well as replace spaces with underscores and remove all  leading and trailing  "
             "digits from your filenames.\r\n\r\nAdditionally, you have chosen to prepend "
             "\"00-\" and append \"_00\" to your file names.\r\n\r\nYou have also optionally "
             "chosen to replace the keywords \"feat.\" with \"ft\", and \"&\" with \"and\"." +
             kQuestion},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        EXPECT_EQ(TaskConfirmationText(row.settings), row.expected);
    }
}

TEST(TaskConfirmationText, DiscardModeStructure) {
    const std::string discardOpening =
        "You are about to discard all original file names and rename your files with the "
        "structure\r\n";
    struct Row {
        const char* why;
        CleanSettings settings;
        std::string expected;
    };
    const Row rows[] = {
        {"neither prefix nor suffix: the question follows the line break directly",
         Options().Discard(),
         "You are about to discard all original file names and rename your files with the "
         "structure\r\n\r\n\r\n\r\nAre you sure you want to continue?"},
        {"prefix and suffix between one pair of quotes",
         Options().Discard().Prefix("Song #").Suffix(" (live)").Width(2),
         discardOpening + "\"Song 00 (live)\"." + kQuestion},
        {"prefix alone", Options().Discard().Prefix("#-").Width(3),
         discardOpening + "\"000-\"." + kQuestion},
        {"suffix alone", Options().Discard().Suffix("_#"), discardOpening + "\"_0\"." + kQuestion},
        {"a ticked empty prefix leaves the suffix alone",
         Options().Discard().Prefix("").Suffix("S"), discardOpening + "\"S\"." + kQuestion},
        {"an unticked suffix leaves the prefix alone",
         Options().Discard().Prefix("P").Suffix("S", false), discardOpening + "\"P\"." + kQuestion},
        {"digit, space and keyword options are not mentioned",
         Options().Discard().Leading().Trailing().Mode(kToSpaces).Pair(0, "a", "b").Prefix("A"),
         discardOpening + "\"A\"." + kQuestion},
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
        EXPECT_EQ(box.Text,
                  "You are about to remove leading and trailing spaces, as well as remove the "
                  "characters ', @, #, $, %, ^, and ~ from the file names in your\r\nselected "
                  "directory.\r\n\r\nAdditionally, you have chosen to append \"00\" to your file "
                  "names.\r\n\r\n\r\nAre you sure you want to continue?");
        EXPECT_TRUE(ui.AllAnswersUsed());
        EXPECT_EQ(ui.Events().size(), 1U) << "nothing but the one box";
    }
}

}  // namespace
}  // namespace klarwell::engine
