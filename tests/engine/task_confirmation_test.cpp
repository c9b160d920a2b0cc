#include "engine/task_confirmation.h"

#include <string>
#include <string_view>

#include <gtest/gtest.h>

#include "engine/clean_settings.h"
#include "tests/engine/engine_fixture.h"

namespace klarwell::engine {
namespace {

using namespace testing;

// The text of a run that keeps the names: the opening, the given middle, the question.
std::string Keep(std::string_view middle) {
    return std::string(kKeepOpening) + std::string(middle) + std::string(kQuestion);
}
std::string Adds(std::string_view what) {
    return Keep(".\r\n\r\nAdditionally, you have chosen to " + std::string(what) +
                " to your file names.");
}
std::string Replaces(std::string_view what) {
    return Keep(".\r\n\r\nYou have also optionally chosen to replace the " + std::string(what) +
                ".");
}
std::string Structure(std::string_view structure) {
    return std::string(kDiscardOpening) + std::string(structure) + std::string(kQuestion);
}

TEST(TaskConfirmationText, ClausesAndSentencesInTheirPlace) {
    struct Row {
        const char* why;
        CleanSettings settings;
        std::string expected;
    };
    const Row rows[] = {
        {"spaces to underscores alone", Options(),
         Keep(", as well as replace spaces with underscores.")},
        {"underscores to spaces alone", Options().Mode(kToSpaces),
         Keep(", as well as replace underscores with spaces.")},
        {"remove spaces and underscores alone", Options().Mode(kRemoveBoth),
         Keep(", as well as remove spaces and underscores.")},
        {"keep spaces, no digits: only a full stop after the opening", Options().Mode(kKeep),
         Keep(".")},
        {"leading digits with spaces to underscores: two blanks around the word",
         Options().Leading().Mode(kToUnderscores),
         Keep(", as well as replace spaces with underscores and remove all  leading  digits from "
              "your filenames.")},
        {"trailing digits with underscores to spaces", Options().Trailing().Mode(kToSpaces),
         Keep(", as well as replace underscores with spaces and remove all  trailing  digits from "
              "your filenames.")},
        {"both digit options with remove spaces and underscores",
         Options().Leading().Trailing().Mode(kRemoveBoth),
         Keep(", as well as remove spaces and underscores and remove all  leading and trailing  "
              "digits from your filenames.")},
        {"trailing digits with keep: single blanks", Options().Trailing().Mode(kKeep),
         Keep(", and remove all trailing digits from your filenames.")},
        {"prefix alone, each # shown as the digit count's zeros",
         Options().Mode(kKeep).Prefix("#x#").Width(2), Adds("prepend \"00x00\"")},
        {"suffix alone", Options().Mode(kKeep).Suffix(" (live)"), Adds("append \" (live)\"")},
        {"a digit count below 1 shows # as nothing", Options().Mode(kKeep).Prefix("#-").Width(-2),
         Adds("prepend \"-\"")},
        {"prefix and suffix in one sentence", Options().Mode(kKeep).Prefix("#").Suffix("-#"),
         Adds("prepend \"0\" and append \"-0\"")},
        {"one ticked pair: keyword stays singular, no separator",
         Options().Mode(kKeep).Pair(3, "Live", "Studio"),
         Replaces("keyword \"Live\" with \"Studio\"")},
        {"pairs 1 and 4: keywords, joined by , and",
         Options().Mode(kKeep).Pair(1, "a", "b").Pair(4, "c", "d"),
         Replaces("keywords \"a\" with \"b\", and \"c\" with \"d\"")},
        {"pairs 0, 2 and 5: a comma, then , and before the last; an empty keyword is listed",
         Options().Mode(kKeep).Pair(0, "", "w0").Pair(2, "k2", "w2").Pair(5, "k5", "w5"),
         Replaces("keywords \"\" with \"w0\", \"k2\" with \"w2\", and \"k5\" with \"w5\"")},
        {"an unticked higher pair does not turn , and into a comma",
         Options().Mode(kKeep).Pair(0, "a", "b").Pair(1, "c", "d").Pair(5, "e", "f", false),
         Replaces("keywords \"a\" with \"b\", and \"c\" with \"d\"")},
        {"every sentence in its place",
         Options().Leading().Prefix("#-").Suffix("_#").Width(2).Pair(0, "feat.", "ft"),
         Keep(", as well as replace spaces with underscores and remove all  leading  digits from "
              "your filenames.\r\n\r\nAdditionally, you have chosen to prepend \"00-\" and append "
              "\"_00\" to your file names.\r\n\r\nYou have also optionally chosen to replace the "
              "keyword \"feat.\" with \"ft\".")},
        {"discard with neither prefix nor suffix: the question follows the line break",
         Options().Discard(), Structure("")},
        {"discard: prefix and suffix between one pair of quotes, other options not mentioned",
         Options().Discard().Leading().Pair(0, "a", "b").Prefix("Song #").Suffix(" (live)"),
         Structure("\"Song 0 (live)\".")},
        {"discard with a suffix alone", Options().Discard().Prefix("").Suffix("_#"),
         Structure("\"_0\".")},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        EXPECT_EQ(TaskConfirmationText(row.settings), row.expected);
    }
}

}  // namespace
}  // namespace klarwell::engine
