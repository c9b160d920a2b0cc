#include "engine/name_rules.h"

#include <cstdint>
#include <string>
#include <utility>

#include <gtest/gtest.h>

#include "engine/clean_settings.h"
#include "engine/run_state.h"

namespace klarwell::engine {
namespace {

constexpr SpaceUnderscoreMode kToUnderscores = SpaceUnderscoreMode::SpacesToUnderscores;
constexpr SpaceUnderscoreMode kToSpaces = SpaceUnderscoreMode::UnderscoresToSpaces;
constexpr SpaceUnderscoreMode kRemoveBoth = SpaceUnderscoreMode::RemoveSpacesAndUnderscores;
constexpr SpaceUnderscoreMode kKeep = SpaceUnderscoreMode::KeepSpacesAndUnderscores;

// Builds the options of one row; starts from the program-start values.
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
    Options& Pair(int index, std::string keyword, std::string with, bool enabled = true) {
        m_Settings.Replacements.at(static_cast<std::size_t>(index)) =
            ReplacementPair{enabled, std::move(keyword), std::move(with)};
        return *this;
    }
    Options& Mode(SpaceUnderscoreMode mode) {
        m_Settings.SpaceMode = mode;
        return *this;
    }
    operator CleanSettings() const { return m_Settings; }

private:
    CleanSettings m_Settings;
};

RunState Numbering(int width, std::int32_t offset, std::int32_t handedOut) {
    RunState state;
    state.FileCountChars = width;
    state.FileIndexCountOffset = offset;
    state.CurFileCount = handedOut;
    return state;
}

// Every row takes index number 1 (width 1, first index 1, none handed out yet).
TEST(ComputeNewName, RulesInTheirOrder) {
    struct Row {
        const char* why;
        std::string listed;
        CleanSettings settings;
        std::string newFilename;
        std::string extension;
    };
    const Row rows[] = {
        // Extension and base name.
        {"the extension keeps its letter case", "Song.Mp3", Options(), "Song", ".Mp3"},
        {"a leading space is trimmed from the base", " Song.MP3", Options(), "Song", ".MP3"},
        {"one trailing space: extension from the trimmed name, base from the listed one",
         "song.mp3 ", Options(), "song.", ".mp3"},
        {"two trailing spaces: the base loses the last four bytes as listed", "song.mp3  ",
         Options(), "song.m", ".mp3"},
        {"a space inside the base becomes an underscore by default", "My Song.wav", Options(),
         "My_Song", ".wav"},
        {"only the space is trimmed, a tab stays", "\tSong.krt", Options(), "\tSong", ".krt"},
        {"a name that is only the extension gives an empty base", ".mp2", Options(), "", ".mp2"},
        {"a plain name is left as it is", "Song.TMC", Options(), "Song", ".TMC"},

        // Leading digits.
        {"leading run, then trim, then spaces to underscores", "01 - Intro.mp3",
         Options().Leading(), "-_Intro", ".mp3"},
        {"a name of digits only becomes empty", "1999.mp3", Options().Leading(), "", ".mp3"},
        {"the whole leading run goes", "007Bond.mp3", Options().Leading().Mode(kKeep), "Bond",
         ".mp3"},
        {"the leading run stops at a space; later digits stay", "12 34 Song.mp3",
         Options().Leading().Mode(kKeep), "34 Song", ".mp3"},
        {"digits not at the start stay", "Song 12.mp3", Options().Leading().Mode(kKeep), "Song 12",
         ".mp3"},
        {"the leading run is looked for after the base is trimmed", "  5 Song.mp3",
         Options().Leading().Mode(kKeep), "Song", ".mp3"},
        {"a full-width digit is not a digit", "\xef\xbc\x91Song.mp3",
         Options().Leading().Mode(kKeep), "\xef\xbc\x91Song", ".mp3"},
        {"without the option leading digits stay", "01 Intro.mp3", Options().Mode(kKeep),
         "01 Intro", ".mp3"},

        // Trailing digits.
        {"trailing run, the space it bares is trimmed", "Track 12.wav", Options().Trailing(),
         "Track", ".wav"},
        {"a name of digits only becomes empty from the end", "2024.mp3", Options().Trailing(), "",
         ".mp3"},
        {"only the last run of digits goes", "Song 01 02.mp3", Options().Trailing().Mode(kKeep),
         "Song 01", ".mp3"},
        {"the 3 of .mp3 is no trailing digit", "Song.mp3", Options().Trailing().Mode(kKeep), "Song",
         ".mp3"},
        {"digits right before the extension go", "Take5.mp3", Options().Trailing().Mode(kKeep),
         "Take", ".mp3"},
        {"the trailing run is looked for after the base is trimmed", "Song 7 .mp3",
         Options().Trailing().Mode(kKeep), "Song", ".mp3"},
        {"without the option trailing digits stay", "Take5.mp3", Options().Mode(kKeep), "Take5",
         ".mp3"},

        // Both ends.
        {"both runs go and the spaces left are trimmed", "01 Song 02.mp3",
         Options().Leading().Trailing().Mode(kKeep), "Song", ".mp3"},
        {"digits only with both options becomes empty", "123.mp3",
         Options().Leading().Trailing().Mode(kKeep), "", ".mp3"},
        {"the space between two runs trims to empty", "12 34.mp3",
         Options().Leading().Trailing().Mode(kKeep), "", ".mp3"},
        {"digits go before prefix and suffix arrive", "5.mp3",
         Options().Leading().Trailing().Prefix("#").Suffix("#"), "11", ".mp3"},
        {"digits in the prefix survive", "02 Song.mp3",
         Options().Leading().Prefix("01 ").Mode(kKeep), "01  Song", ".mp3"},
        {"digits in the suffix survive", "Song 1.mp3",
         Options().Trailing().Suffix(" v2").Mode(kKeep), "Song  v2", ".mp3"},
        {"the index number survives leading digits", "5 Song.mp3",
         Options().Leading().Prefix("#").Mode(kKeep), "1 Song", ".mp3"},
        {"a prefix on a name emptied by its digits", "01.mp3",
         Options().Leading().Prefix("Track #"), "Track_1", ".mp3"},

        // Spaces and underscores.
        {"mode 0 turns spaces into underscores", "A_B C.mp3", Options().Mode(kToUnderscores),
         "A_B_C", ".mp3"},
        {"mode 1 turns underscores into spaces", "A_B C.mp3", Options().Mode(kToSpaces), "A B C",
         ".mp3"},
        {"mode 2 removes spaces and underscores", "A_B C.mp3", Options().Mode(kRemoveBoth), "ABC",
         ".mp3"},
        {"mode 3 keeps spaces and underscores", "A_B C.mp3", Options().Mode(kKeep), "A_B C",
         ".mp3"},
        {"mode 1 trims the spaces its underscores made", "_Song_.mp3", Options().Mode(kToSpaces),
         "Song", ".mp3"},
        {"mode 0 keeps underscores at the ends", "_Song_.mp3", Options().Mode(kToUnderscores),
         "_Song_", ".mp3"},
        {"mode 2 on a name full of both", "  A _ B .mp3", Options().Mode(kRemoveBoth), "AB",
         ".mp3"},
        {"mode 3 keeps a double space inside", "A  B.mp3", Options().Mode(kKeep), "A  B", ".mp3"},
        {"mode 0 turns a double space into two underscores", "Two  Spaces.krt", Options(),
         "Two__Spaces", ".krt"},
        {"a space bared by character removal comes after the trim and becomes an underscore",
         "@ Song.mp3", Options(), "_Song", ".mp3"},
        {"mode 1 trims once more after character removal", "~_Song.mp3", Options().Mode(kToSpaces),
         "Song", ".mp3"},
        {"a space a replacement leaves at the end is trimmed, not turned into an underscore",
         "Song-live.mp3", Options().Pair(0, "-live", " "), "Song", ".mp3"},
        {"a space a replacement leaves at the start is trimmed", "-Song.mp3",
         Options().Pair(0, "-", " "), "Song", ".mp3"},
        {"a space a replacement puts inside becomes an underscore", "Rock-Roll.mp3",
         Options().Pair(0, "-", " "), "Rock_Roll", ".mp3"},
        {"an underscore a replacement inserts follows mode 1", "A-B.mp3",
         Options().Pair(0, "-", "_").Mode(kToSpaces), "A B", ".mp3"},
        {"a keyword with a space is found before spaces become underscores", "My Song.mp3",
         Options().Pair(0, "My ", ""), "Song", ".mp3"},

        // Keyword pairs.
        {"one pair replaces every occurrence", "Live and Live.mp3",
         Options().Pair(0, "Live", "Studio").Mode(kKeep), "Studio and Studio", ".mp3"},
        {"occurrences are found left to right without overlap", "aaa.mp3",
         Options().Pair(0, "aa", "b"), "ba", ".mp3"},
        {"two neighbouring occurrences both go", "aaaa.mp3", Options().Pair(0, "aa", "b"), "bb",
         ".mp3"},
        {"inserted text is not searched again by the same pair", "banana.mp3",
         Options().Pair(0, "a", "aa"), "baanaanaa", ".mp3"},
        {"an insertion holding its own keyword does not repeat", "xab.mp3",
         Options().Pair(0, "ab", "abab"), "xabab", ".mp3"},
        {"a later pair sees what an earlier pair inserted", "cat and dog.mp3",
         Options().Pair(0, "cat", "dog").Pair(1, "dog", "wolf").Mode(kKeep), "wolf and wolf",
         ".mp3"},
        {"an earlier pair does not see what a later pair inserts", "cat and dog.mp3",
         Options().Pair(0, "dog", "wolf").Pair(1, "cat", "dog").Mode(kKeep), "dog and wolf",
         ".mp3"},
        {"six pairs chain in index order", "a.mp3",
         Options()
             .Pair(0, "a", "b")
             .Pair(1, "b", "c")
             .Pair(2, "c", "d")
             .Pair(3, "d", "e")
             .Pair(4, "e", "f")
             .Pair(5, "f", "g"),
         "g", ".mp3"},
        {"pairs run from 0 to 5, not backwards", "a.mp3",
         Options()
             .Pair(0, "f", "g")
             .Pair(1, "e", "f")
             .Pair(2, "d", "e")
             .Pair(3, "c", "d")
             .Pair(4, "b", "c")
             .Pair(5, "a", "b"),
         "b", ".mp3"},
        {"an enabled pair with an empty keyword changes nothing", "Song.mp3",
         Options().Pair(0, "", "X"), "Song", ".mp3"},
        {"an empty keyword does not stop the later pairs", "Song.mp3",
         Options().Pair(0, "", "X").Pair(1, "Song", "Tune"), "Tune", ".mp3"},
        {"a pair that is not enabled is ignored", "Song.mp3", Options().Pair(0, "Song", "X", false),
         "Song", ".mp3"},
        {"pair 5 alone applies", "Song.mp3", Options().Pair(5, "o", "0"), "S0ng", ".mp3"},
        {"an empty With deletes the keyword", "Song (Remastered).mp3",
         Options().Pair(0, " (Remastered)", ""), "Song", ".mp3"},
        {"a keyword equal to the whole base empties the name", "Intro.mp3",
         Options().Pair(0, "Intro", ""), "", ".mp3"},
        {"a keyword never touches the extension", "song.mp3", Options().Pair(0, "mp3", "wav"),
         "song", ".mp3"},
        {"a dot in the base is replaced, the extension's dot is not", "a.b.mp3",
         Options().Pair(0, ".", "-"), "a-b", ".mp3"},
        {"a keyword across the extension's dot does not match", "Song.mp3",
         Options().Pair(0, "g.m", "X"), "Song", ".mp3"},
        {"keywords are case-sensitive", "LIVE live.mp3", Options().Pair(0, "live", "X").Mode(kKeep),
         "LIVE X", ".mp3"},
        {"replacements see the prefix", "Song.mp3",
         Options().Prefix("The ").Pair(0, "The", "A").Mode(kKeep), "A Song", ".mp3"},
        {"replacements see the suffix", "Song.mp3",
         Options().Suffix(" (live)").Pair(0, "live", "studio").Mode(kKeep), "Song (studio)",
         ".mp3"},
        {"a keyword can span the prefix and the name", "Song.mp3",
         Options().Prefix("Big ").Pair(0, "g S", "g-S").Mode(kKeep), "Big-Song", ".mp3"},
        {"a replacement acts before the apostrophe is removed", "Don't Stop.mp3",
         Options().Pair(0, "Don't", "Do not"), "Do_not_Stop", ".mp3"},
        {"without the pair the apostrophe is removed", "Don't Stop.mp3", Options(), "Dont_Stop",
         ".mp3"},
        {"a # keyword finds the listed name's # but the prefix's # is already the index",
         "Song#.mp3", Options().Prefix("#.").Pair(0, "#", "No").Mode(kKeep), "1.SongNo", ".mp3"},
        {"characters a replacement inserts are still removed", "xSong.mp3",
         Options().Pair(0, "x", "@").Mode(kKeep), "Song", ".mp3"},
        {"an & a replacement inserts becomes and", "Rock+Roll.mp3",
         Options().Pair(0, "+", "&").Mode(kKeep), "RockandRoll", ".mp3"},
        {"a keyword & is replaced before & becomes and", "Rock & Roll.mp3",
         Options().Pair(0, "&", "n").Mode(kKeep), "Rock n Roll", ".mp3"},
        {"the keyword and is searched before & turns into and", "Rock & Roll.mp3",
         Options().Pair(0, "and", "+").Mode(kKeep), "Rock and Roll", ".mp3"},

        // Prefix and suffix.
        {"the prefix is cleaned together with the name", "Intro.mp3", Options().Prefix("My Song "),
         "My_Song_Intro", ".mp3"},
        {"a ticked prefix with empty text adds nothing", "Song.mp3", Options().Prefix(""), "Song",
         ".mp3"},
        {"an unticked prefix adds nothing", "Song.mp3", Options().Prefix("X-", false), "Song",
         ".mp3"},
        {"a ticked suffix with empty text adds nothing", "Song.mp3", Options().Suffix(""), "Song",
         ".mp3"},
        {"an unticked suffix adds nothing", "Song.mp3", Options().Suffix("-X", false), "Song",
         ".mp3"},
        {"the suffix goes before the extension", "Song.mp3", Options().Suffix(" (#)").Mode(kKeep),
         "Song (1)", ".mp3"},
        {"prefix and suffix both receive the index", "Song.mp3", Options().Prefix("#").Suffix("#"),
         "1Song1", ".mp3"},
        {"every # of the prefix receives the index", "Song.mp3", Options().Prefix("#-#-"),
         "1-1-Song", ".mp3"},
        {"an & in the prefix becomes and", "Song.mp3", Options().Prefix("A&B "), "AandB_Song",
         ".mp3"},
        {"a prefix's leading space is trimmed", "Song.mp3", Options().Prefix(" X").Mode(kKeep),
         "XSong", ".mp3"},
        {"a suffix's trailing space is trimmed, not made an underscore", "Song.mp3",
         Options().Suffix(" "), "Song", ".mp3"},
        {"an apostrophe in the suffix is removed", "Song.mp3", Options().Suffix("'s"), "Songs",
         ".mp3"},

        // Character removal.
        {"the troublesome characters go after the trim, leaving the space they bared",
         "It's @Home $5 100% ^~.mp3", Options(), "Its_Home_5_100_", ".mp3"},
        {"& becomes and after trimming", "Rock & Roll.mp3", Options(), "Rock_and_Roll", ".mp3"},
        {"two & become andand", "A&&B.mp3", Options().Mode(kKeep), "AandandB", ".mp3"},
        {"a trailing & becomes a trailing and", "Salt &.mp3", Options(), "Salt_and", ".mp3"},
        {"a # in the listed name is removed and never becomes an index", "No #1 Hit.mp3",
         Options().Prefix("#-"), "1-No_1_Hit", ".mp3"},
        {"a lone # becomes an empty name", "#.mp3", Options().Mode(kKeep), "", ".mp3"},
        {"other punctuation stays", "Hey! (Live) [2] {x} -+=,;.mp3", Options().Mode(kKeep),
         "Hey! (Live) [2] {x} -+=,;", ".mp3"},
        {"a name of removable characters only becomes empty", "'@#$%^~.mp3", Options().Mode(kKeep),
         "", ".mp3"},
        {"~ around an & leaves and", "~&~.mp3", Options().Mode(kKeep), "and", ".mp3"},

        // Discard mode: no cleaning at all.
        {"discard with neither prefix nor suffix in force gives an empty name", "Old Name.WAV",
         Options().Discard(), "", ".WAV"},
        {"discard joins prefix and suffix", "Old.mp3",
         Options().Discard().Prefix("Song #").Suffix(" (live)"), "Song 1 (live)", ".mp3"},
        {"discard removes no characters", "Song.mp3", Options().Discard().Prefix("A&B's @#~"),
         "A&B's @1~", ".mp3"},
        {"discard ignores leading digits", "Song.mp3", Options().Discard().Leading().Prefix("1#"),
         "11", ".mp3"},
        {"discard ignores trailing digits", "Song.mp3", Options().Discard().Trailing().Suffix("-7"),
         "-7", ".mp3"},
        {"discard ignores replacements", "Song.mp3",
         Options().Discard().Prefix("Song#").Pair(0, "Song", "X"), "Song1", ".mp3"},
        {"discard does not trim", "Song.mp3", Options().Discard().Suffix(" # "), " 1 ", ".mp3"},
        {"discard keeps spaces and underscores whatever the mode", "Song.mp3",
         Options().Discard().Prefix("A B_#").Mode(kRemoveBoth), "A B_1", ".mp3"},
        {"discard with the prefix ticked but empty uses the suffix alone", "Song.mp3",
         Options().Discard().Prefix("").Suffix("_#"), "_1", ".mp3"},
        {"discard with an unticked suffix uses the prefix alone", "Song.mp3",
         Options().Discard().Prefix("P#").Suffix("S#", false), "P1", ".mp3"},

        // Names are bytes.
        {"bytes that are not UTF-8 are cleaned byte for byte", "\xff\xfe song.mp3", Options(),
         "\xff\xfe_song", ".mp3"},
        {"a Latin-1 byte next to an &", "Caf\xe9 & Bar.mp3", Options(), "Caf\xe9_and_Bar", ".mp3"},
        {"UTF-8 letters pass unchanged", "Caf\xc3\xa9 Song.mp3", Options(), "Caf\xc3\xa9_Song",
         ".mp3"},
        {"a Latin-1 no-break space byte is not trimmed", " \xa0Song.mp3", Options().Mode(kKeep),
         "\xa0Song", ".mp3"},
        {"a keyword of invalid bytes", "\xffx\xff.mp3", Options().Pair(0, "\xff", "y"), "yxy",
         ".mp3"},
        {"a cut-off UTF-8 sequence before the extension stays", "\xc3.mp3", Options(), "\xc3",
         ".mp3"},
        {"trailing digits after an invalid byte",
         "\xff"
         "12.mp3",
         Options().Trailing().Mode(kKeep), "\xff", ".mp3"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        RunState state = Numbering(1, 0, 0);
        const NewName result = ComputeNewName(row.listed, row.settings, state);
        EXPECT_EQ(result.NewFilename, row.newFilename);
        EXPECT_EQ(result.FileExtension, row.extension);
        EXPECT_EQ(state.CurFileCount, 1) << "each name takes exactly one index number";
    }
}

TEST(ComputeNewName, IndexNumberFromTheNumberingState) {
    struct Row {
        const char* why;
        std::string listed;
        CleanSettings settings;
        int width;
        std::int32_t offset;
        std::int32_t handedOut;
        std::string newFilename;
    };
    const Row rows[] = {
        {"width 3 pads the index", "Intro.mp3", Options().Prefix("Track#-").Mode(kKeep), 3, 0, 0,
         "Track001-Intro"},
        {"every # receives the whole index string", "X.mp3", Options().Prefix("##-"), 2, 0, 6,
         "0707-X"},
        {"first index 0 gives index 0", "Song.mp3", Options().Prefix("#-"), 1, -1, 0, "0-Song"},
        {"first index 0 with width 3", "Song.mp3", Options().Prefix("#-"), 3, -1, 0, "000-Song"},
        {"the width only pads, it never cuts", "Song.mp3", Options().Prefix("#-"), 1, 11, 0,
         "12-Song"},
        {"numbers past 16 bits", "Song.mp3", Options().Prefix("#-"), 1, 0, 32767, "32768-Song"},
        {"a negative index keeps its minus sign", "Song.mp3", Options().Prefix("#_").Mode(kKeep), 1,
         -5, 0, "-4_Song"},
        {"a negative index is padded in front of its sign", "Song.mp3",
         Options().Prefix("#_").Mode(kKeep), 3, -5, 0, "0-4_Song"},
        {"trailing digits do not eat the suffix's index", "Song 3.mp3",
         Options().Trailing().Suffix("#").Mode(kKeep), 1, 0, 8, "Song 9"},
        {"discard mode pads the index too", "Old.mp3",
         Options().Discard().Prefix("Song #").Suffix(" (live)"), 2, 0, 1, "Song 02 (live)"},
        {"a name that uses no index still takes one", "Song.mp3", Options(), 1, 0, 4, "Song"},
        {"discard without prefix or suffix still takes one", "Song.mp3", Options().Discard(), 1, 0,
         0, ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        RunState state = Numbering(row.width, row.offset, row.handedOut);
        EXPECT_EQ(ComputeNewName(row.listed, row.settings, state).NewFilename, row.newFilename);
        EXPECT_EQ(state.CurFileCount, row.handedOut + 1);
        EXPECT_EQ(state.FileIndexCountOffset, row.offset) << "the offset is only read";
        EXPECT_EQ(state.FileCountChars, row.width) << "the width is only read";
    }
}

TEST(ComputeNewName, ConsecutiveNamesGetConsecutiveNumbers) {
    const CleanSettings prefixed = Options().Prefix("Track#-").Mode(kKeep);
    RunState state = Numbering(3, 0, 0);
    EXPECT_EQ(ComputeNewName("Intro.mp3", prefixed, state).NewFilename, "Track001-Intro");
    EXPECT_EQ(ComputeNewName("Outro.mp3", prefixed, state).NewFilename, "Track002-Outro");
    EXPECT_EQ(ComputeNewName("Skit.mp3", prefixed, state).NewFilename, "Track003-Skit");
    EXPECT_EQ(state.CurFileCount, 3);

    const CleanSettings discard = Options().Discard().Prefix("Song #").Suffix(" (live)");
    RunState discardState = Numbering(1, 0, 0);
    EXPECT_EQ(ComputeNewName("a.mp3", discard, discardState).NewFilename, "Song 1 (live)");
    EXPECT_EQ(ComputeNewName("b.mp3", discard, discardState).NewFilename, "Song 2 (live)");
    EXPECT_EQ(discardState.CurFileCount, 2);
}

TEST(ComputeNewName, AGivenBackNumberIsHandedOutAgain) {
    const CleanSettings prefixed = Options().Prefix("#-");
    RunState state = Numbering(2, 0, 0);
    EXPECT_EQ(ComputeNewName("Song.mp3", prefixed, state).NewFilename, "01-Song");
    --state.CurFileCount;  // the file was not renamed
    EXPECT_EQ(ComputeNewName("Tune.mp3", prefixed, state).NewFilename, "01-Tune");
    EXPECT_EQ(ComputeNewName("Air.mp3", prefixed, state).NewFilename, "02-Air");
    EXPECT_EQ(state.CurFileCount, 2);
}

TEST(NextIndexString, PaddedNumberAndCount) {
    struct Row {
        const char* why;
        int width;
        std::int32_t offset;
        std::int32_t handedOut;
        std::string expected;
    };
    const Row rows[] = {
        {"the first index of a default run", 1, 0, 0, "1"},
        {"width 3 pads with zeros", 3, 0, 0, "001"},
        {"first index 0 with width 3", 3, -1, 0, "000"},
        {"first index 0 with width 1", 1, -1, 0, "0"},
        {"a two-digit number with width 1 is not cut", 1, 11, 0, "12"},
        {"the count before the call adds to the offset", 2, 0, 11, "12"},
        {"count and offset add up", 4, 9, 5, "0015"},
        {"width equal to the length adds nothing", 3, 0, 122, "123"},
        {"width 5 pads a three-digit number", 5, 0, 122, "00123"},
        {"width 0 pads nothing", 0, 0, 4, "5"},
        {"a negative width pads nothing", -1, 0, 0, "1"},
        {"a negative number keeps its sign", 1, -5, 0, "-4"},
        {"a negative number as long as the width", 2, -5, 0, "-4"},
        {"zeros go in front of the minus sign", 3, -5, 0, "0-4"},
        {"past the 16-bit range", 1, 0, 32767, "32768"},
        {"a carry into a new digit", 4, 999, 0, "1000"},
        {"six digits, no grouping", 6, 99999, 0, "100000"},
        {"seven wide around six digits", 7, 99999, 0, "0100000"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        RunState state = Numbering(row.width, row.offset, row.handedOut);
        EXPECT_EQ(NextIndexString(state), row.expected);
        EXPECT_EQ(state.CurFileCount, row.handedOut + 1);
    }
}

TEST(NextIndexString, EachCallAdvancesByOne) {
    RunState state = Numbering(2, 9, 0);
    EXPECT_EQ(NextIndexString(state), "10");
    EXPECT_EQ(NextIndexString(state), "11");
    --state.CurFileCount;  // given back by a file that was not renamed
    EXPECT_EQ(NextIndexString(state), "11");
    EXPECT_EQ(NextIndexString(state), "12");
    EXPECT_EQ(state.CurFileCount, 3);
}

}  // namespace
}  // namespace klarwell::engine
