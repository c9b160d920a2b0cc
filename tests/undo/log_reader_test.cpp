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

TEST(ParseLogLine, ReadsBackFolderAndNamesOrSaysWhyNot) {
    struct Row {
        const char* why;
        std::string line;
        LoggedRename rename;  // expected when fault is empty
        std::string_view fault;
    };
    const Row rows[] = {
        {"a plain line", "Re-named/m/a b.mp3 as /m/a_b.mp3", {"/m", "a b.mp3", "a_b.mp3"}, {}},
        {"a name holding \" as \" splits where both sides lie in one folder",
         "Re-named/m/x as y.mp3 as /m/x_as_y.mp3",
         {"/m", "x as y.mp3", "x_as_y.mp3"},
         {}},
        {"a folder holding \" as /\" too",
         "Re-named/a as /b/x.mp3 as /a as /b/y.mp3",
         {"/a as /b", "x.mp3", "y.mp3"},
         {}},
        {"the root folder is logged with two slashes",
         "Re-named//a.mp3 as //b.mp3",
         {"/", "a.mp3", "b.mp3"},
         {}},
        {"escapes turn back into bytes; other bytes stay as they are",
         R"(Re-named/m\x0A/t\x09\x5C)"
         "\xe9.mp3 as "
         R"(/m\x0A/t.mp3)",
         {"/m\n", "t\t\\\xe9.mp3", "t.mp3"},
         {}},
        {"a backslash that starts no escape is itself, as older logs wrote it",
         R"(Re-named/m/a\b.mp3 as /m/a_b.mp3)",
         {"/m", "a\\b.mp3", "a_b.mp3"},
         {}},
        {"another beginning", "Renamed/m/a.mp3 as /m/b.mp3", {}, texts::kLineNotRenamed},
        {"two folders", "Re-named/m/a.mp3 as /n/a.mp3", {}, texts::kLineNoSplit},
        {"paths without a folder", "Re-named/a.mp3 as /b.mp3", {}, texts::kLineNoSplit},
        {"a fragment cut before \" as \"", "Re-named/m/a b.mp3 a", {}, texts::kLineNoSplit},
        {"a fragment cut inside an escape",
         R"(Re-named/m/a.mp3 as /m/b\x0)",
         {},
         texts::kLineBadEscape},
        {"lower-case hex is never written",
         R"(Re-named/m/a.mp3 as /m/b\x0a)",
         {},
         texts::kLineBadEscape},
        {"a raw control byte", "Re-named/m/a\tb.mp3 as /m/ab.mp3", {}, texts::kLineControlByte},
        {"an escaped slash would leave the folder",
         R"(Re-named/m/a.mp3 as /m/..\x2Fx)",
         {},
         texts::kLineBadName},
        {"a name \"..\"", "Re-named/m/.. as /m/x.mp3", {}, texts::kLineBadName},
        {"an escaped zero byte", R"(Re-named/m/a.mp3 as /m/b\x00)", {}, texts::kLineBadName},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        const klarwell::engine::ParsedLogLine parsed = ParseLogLine(row.line);
        EXPECT_EQ(parsed.Fault, row.fault);
        ASSERT_EQ(parsed.Rename.has_value(), row.fault.empty());
        if (parsed.Rename) {
            EXPECT_EQ(parsed.Rename->Folder, row.rename.Folder);
            EXPECT_EQ(parsed.Rename->OldName, row.rename.OldName);
            EXPECT_EQ(parsed.Rename->NewName, row.rename.NewName);
        }
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
    EXPECT_TRUE(reader.EndsTorn());
}

TEST(LogReader, ALineAcrossTwoReadsComesBackWhole) {
    // 20,000 lines of 60 bytes outgrow one read of a megabyte.
    std::string log;
    for (int i = 0; i < 20000; ++i) {
        const std::string number = std::to_string(100000 + i);
        log += "Re-named/music/track " + number + ".mp3 as /music/track_" + number + ".mp3\r\n";
    }
    std::istringstream in(log);
    LogReader reader(in);
    LogEntry entry;
    int read = 0;
    while (reader.Next(entry)) {
        const std::string number = std::to_string(100000 + read);
        ++read;
        ASSERT_TRUE(entry.Line.Rename) << "line " << read << ": " << entry.Line.Fault;
        ASSERT_EQ(entry.Line.Rename->OldName, "track " + number + ".mp3");
        ASSERT_EQ(entry.Line.Rename->NewName, "track_" + number + ".mp3");
    }
    EXPECT_EQ(read, 20000);
    EXPECT_FALSE(reader.EndsTorn());
}

}  // namespace
