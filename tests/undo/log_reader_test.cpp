#include "engine/log_reader.h"

#include <optional>
#include <sstream>
#include <string>
#include <string_view>

#include <gtest/gtest.h>

#include "tests/support/program_texts.h"

namespace {

using namespace klarwell::engine;
namespace texts = klarwell::testing::texts;

TEST(ParseLogLine, ReadsBackFolderAndNamesOrSaysWhyALineIsNoRename) {
    struct Row {
        const char* why;
        std::string line;
        std::string_view fault;
        std::optional<LoggedRename> rename = std::nullopt;
    };
    const Row rows[] = {
        {"\" as \" in a name", "Re-named/m/x as y as /m/x_as_y", "",
         LoggedRename{"/m", "x as y", "x_as_y"}},
        {"\" as /\" in the folder", "Re-named/a as /b/x as /a as /b/y", "",
         LoggedRename{"/a as /b", "x", "y"}},
        {"the root folder", "Re-named//a.mp3 as //b.mp3", "", LoggedRename{"/", "a.mp3", "b.mp3"}},
        {"escapes are bytes, other bytes stay", "Re-named/m\\x0A/\\x09\\x5C\xe9 as /m\\x0A/t", "",
         LoggedRename{"/m\n", "\t\\\xe9", "t"}},
        {"a backslash without x, as older logs wrote it", R"(Re-named/m/a\b as /m/a_b)", "",
         LoggedRename{"/m", "a\\b", "a_b"}},
        {"another beginning", "Renamed/m/a.mp3 as /m/b.mp3", texts::kLineNotRenamed},
        {"two folders", "Re-named/m/a.mp3 as /n/a.mp3", texts::kLineNoSplit},
        {"paths without a folder", "Re-named/a.mp3 as /b.mp3", texts::kLineNoSplit},
        {"cut before \" as \"", "Re-named/m/a b.mp3 a", texts::kLineNoSplit},
        {"cut inside an escape", R"(Re-named/m/a.mp3 as /m/b\x0)", texts::kLineBadEscape},
        {"\\x at the very end", R"(Re-named/m/a.mp3 as /m/b\x)", texts::kLineBadEscape},
        {"lower-case hex", R"(Re-named/m/a.mp3 as /m/b\x0a)", texts::kLineBadEscape},
        {"a raw control byte", "Re-named/m/a\tb.mp3 as /m/ab.mp3", texts::kLineControlByte},
        {"an escaped slash", R"(Re-named/m/a.mp3 as /m/..\x2Fx)", texts::kLineBadName},
        {"a name \"..\"", "Re-named/m/.. as /m/x.mp3", texts::kLineBadName},
        {"an escaped zero byte", R"(Re-named/m/a.mp3 as /m/b\x00)", texts::kLineBadName},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        const ParsedLogLine parsed = ParseLogLine(row.line);
        EXPECT_EQ(parsed.Fault, row.fault);
        EXPECT_TRUE(parsed.Rename == row.rename);
    }
}

TEST(LogReader, NumbersEveryLineJoinsLinesAcrossReadsAndReportsBadEndings) {
    // 30,000 lines of 49 bytes outgrow one read of a megabyte, which ends inside a line.
    std::string log;
    for (int i = 100000; i < 130000; ++i) {
        log += "Re-named/music/track " + std::to_string(i) + ".mp3 as /music/t.mp3\r\n";
    }
    const std::string good = "Re-named/m/a.mp3 as /m/b.mp3";
    std::istringstream in(log + good + "\n" + "Re-named/m/" + std::string(70000, 'x') +
                          " as /m/y\r\n" + good + "\r\r\n" + good + "\r\n" + good.substr(0, 20));
    LogReader reader(in);
    LogEntry entry;
    for (int number = 1; number <= 30000; ++number) {
        ASSERT_TRUE(reader.Next(entry) && entry.Line.Rename) << number << entry.Line.Fault;
        ASSERT_EQ(entry.Number, number);
        ASSERT_EQ(entry.Line.Rename->OldName, "track " + std::to_string(99999 + number) + ".mp3");
    }
    const std::string_view expected[] = {
        texts::kLineLfOnly, texts::kLineTooLong, texts::kLineControlByte, {}, texts::kLineTorn};
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        SCOPED_TRACE(i);
        ASSERT_TRUE(reader.Next(entry));
        EXPECT_EQ(entry.Number, static_cast<std::int64_t>(30001 + i));
        EXPECT_EQ(entry.Line.Fault, expected[i]);
    }
    EXPECT_FALSE(reader.Next(entry));
    EXPECT_EQ(reader.BytesRead(), in.str().size());
}

}  // namespace
