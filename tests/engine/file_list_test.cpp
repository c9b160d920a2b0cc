#include "engine/file_list.h"

#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

#include "engine/posix_file_system.h"
#include "tests/support/temp_folder.h"

namespace klarwell::engine {
namespace {

TEST(MatchesListPattern, FourExtensionsAnyCase) {
    struct Row {
        const char* why;
        std::string_view name;
        bool expected;
    };
    const Row rows[] = {
        {".Mp3", "a.Mp3", true},
        {".krt", "b.krt", true},
        {".Wav", "C.Wav", true},
        {".MP2", "D.MP2", true},
        {"the list does not show .TMC", "TAKE.TMC", false},
        {"an audio extension in the middle", "song.mp3.bak", false},
        {"one letter long", "song.mp33", false},
        {"shorter than an extension", "mp3", false},
        // A view that ends before its text does: the bytes after it are not part of the name.
        {"a view cut before its extension", std::string_view("song.mp3").substr(0, 7), false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        EXPECT_EQ(MatchesListPattern(row.name), row.expected);
    }
}

TEST(NaturalLess, NumbersByValueLettersWithoutCase) {
    struct Row {
        const char* why;
        std::string_view a;
        std::string_view b;
        bool aBeforeB;
        bool bBeforeA;
    };
    const Row rows[] = {
        {"Track 2 before Track 10", "Track 2", "Track 10", true, false},
        {"a later number run decides", "a2b10", "a2b9", false, true},
        {"letter case is ignored", "apple", "Banana", true, false},
        {"a name is not before itself", "a", "a", false, false},
        {"names equal but for case fall back to the bytes", "Song", "song", true, false},
        {"leading zeros do not change the value", "Track 007", "Track 10", true, false},
        {"a larger value with leading zeros still comes later", "Track 02", "Track 1", false, true},
        {"equal values fall back to the bytes", "Track 01", "Track 1", true, false},
        {"digits come before letters", "9", "a", true, false},
        {"a shorter name that begins the other comes first", "Track", "Track 1", true, false},
        {"2^64 does not wrap to 0", "x18446744073709551616", "x18446744073709551615", false, true},
        {"bytes that are not UTF-8 compare as unsigned bytes", "a", "\xff", true, false},
        {"a view's number ends with the view", std::string_view("Track 19").substr(0, 7), "Track 2",
         true, false},
        {"a view ends the name: the shorter comes first", std::string_view("Songs").substr(0, 4),
         "Song!", true, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        EXPECT_EQ(NaturalLess(row.a, row.b), row.aBeforeB);
        EXPECT_EQ(NaturalLess(row.b, row.a), row.bBeforeA);
    }
}

TEST(ListAudioFiles, FilesOfTheListPatternInNaturalOrder) {
    testing::TempFolder folder;
    for (const char* name : {"Track 10.mp3", "Track 2.MP3", "notes.txt", "take.tmc", "b.krt"}) {
        folder.CreateFile(name, "audio");
    }
    folder.CreateFolder("Folder.mp3");
    const PosixFileSystem fs{};

    const FolderListing listing = ListAudioFiles(fs, folder.Path());
    EXPECT_FALSE(listing.Error) << listing.Error.message();
    EXPECT_EQ(listing.Names, (std::vector<std::string>{"b.krt", "Track 2.MP3", "Track 10.mp3"}));

    const FolderListing missing = ListAudioFiles(fs, folder.Path() / "gone");
    EXPECT_TRUE(missing.Error) << "a folder that is not there is reported";
    EXPECT_TRUE(missing.Names.empty());
}

}  // namespace
}  // namespace klarwell::engine
