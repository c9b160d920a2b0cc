#include "engine/log_reader.h"

#include <sstream>
#include <string>
#include <string_view>

#include <gtest/gtest.h>

#include "tests/support/program_texts.h"

namespace {

using klarwell::engine::LogEntry;
using klarwell::engine::LoggedRename;
using klarwell::engine::LogReader;
using klarwell::engine::ParseLogLine;
namespace texts = klarwell::testing::texts;

TEST(ParseLogLine, ReadsBackFolderAndNames) {
    struct Row {
        const char* why;
        std::string line;
        LoggedRename expected;
    };
    const Row rows[] = {
        {"a plain line", "Re-named/m/a b.mp3 as /m/a_b.mp3", {"/m", "a b.mp3", "a_b.mp3"}},
        {"\" as \" in a name", "Re-named/m/x as y as /m/x_as_y", {"/m", "x as y", "x_as_y"}},
        {"\" as /\" in the folder", "Re-named/a as /b/x as /a as /b/y", {"/a as /b", "x", "y"}},
        {"the root folder", "Re-named//a.mp3 as //b.mp3", {"/", "a.mp3", "b.mp3"}},
        {"escapes are bytes, other bytes stay",
         R"(Re-named/m\x0A/\x09\x5C)"
         "\xe9 as "
         R"(/m\x0A/t)",
         {"/m\n", "\t\\\xe9", "t"}},
        {"a backslash without x, as older logs wrote it",
         R"(Re-named/m/a\b as /m/a_b)",
         {"/m", "a\\b", "a_b"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        const klarwell::engine::ParsedLogLine parsed = ParseLogLine(row.line);
        EXPECT_EQ(parsed.Fault, "");
        EXPECT_TRUE(parsed.Rename == row.expected);
    }
}

TEST(ParseLogLine, SaysWhyALineIsNoRename) {
    struct Row {
        const char* why;
        std::string line;
        std::string_view fault;
    };
    const Row rows[] = {
        {"another beginning", "Renamed/m/a.mp3 as /m/b.mp3", texts::kLineNotRenamed},
        {"two folders", "Re-named/m/a.mp3 as /n/a.mp3", texts::kLineNoSplit},
        {"paths without a folder", "Re-named/a.mp3 as /b.mp3", texts::kLineNoSplit},
        {"cut before \" as \"", "Re-named/m/a b.mp3 a", texts::kLineNoSplit},
        {"cut inside an escape", R"(Re-named/m/a.mp3 as /m/b\x0)", texts::kLineBadEscape},
        {"lower-case hex", R"(Re-named/m/a.mp3 as /m/b\x0a)", texts::kLineBadEscape},
        {"a raw control byte", "Re-named/m/a\tb.mp3 as /m/ab.mp3", texts::kLineControlByte},
        {"an escaped slash", R"(Re-named/m/a.mp3 as /m/..\x2Fx)", texts::kLineBadName},
        {"a name \"..\"", "Re-named/m/.. as /m/x.mp3", texts::kLineBadName},
        {"an escaped zero byte", R"(Re-named/m/a.mp3 as /m/b\x00)", texts::kLineBadName},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        const klarwell::engine::ParsedLogLine parsed = ParseLogLine(row.line);
        EXPECT_EQ(parsed.Fault, row.fault);
        EXPECT_FALSE(parsed.Rename);
    }
}

TEST(LogReader, NumbersEveryLineAndReportsBadEndings) {
    const std::string good = "Re-named/m/a.mp3 as /m/b.mp3";
    std::istringstream in(good + "\r\n" + good + "\n" + "Re-named/m/" + std::string(70000, 'x') +
                          " as /m/y\r\n" + good + "\r\r\n" + good + "\r\n" + good.substr(0, 20));
    LogReader reader(in);
    const std::string_view expected[] = {
        {}, texts::kLineLfOnly, texts::kLineTooLong, texts::kLineControlByte, {}, texts::kLineTorn};
    LogEntry entry;
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        SCOPED_TRACE(i + 1);
        ASSERT_TRUE(reader.Next(entry));
        EXPECT_EQ(entry.Number, static_cast<std::int64_t>(i + 1));
        EXPECT_EQ(entry.Line.Fault, expected[i]);
    }
    EXPECT_FALSE(reader.Next(entry));
}

TEST(LogReader, ALineAcrossTwoReadsComesBackWhole) {
    // 20,000 lines of 50 bytes outgrow one read of a megabyte.
    std::string log;
    for (int i = 100000; i < 120000; ++i) {
        log += "Re-named/music/track " + std::to_string(i) + ".mp3 as /music/t.mp3\r\n";
    }
    std::istringstream in(log);
    LogReader reader(in);
    LogEntry entry;
    int next = 100000;
    while (reader.Next(entry) && entry.Line.Rename &&
           entry.Line.Rename->OldName == "track " + std::to_string(next) + ".mp3") {
        ++next;
    }
    EXPECT_EQ(next, 120000) << "line " << entry.Number << ": " << entry.Line.Fault;
}

}  // namespace
