#include "engine/file_list.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/posix_file_system.h"
#include "tests/support/temp_folder.h"

namespace klarwell::engine {
namespace {

using testing::TempFolder;

TEST(MatchesListPattern, FourExtensionsAnyCase) {
    struct Row {
        const char* why;
        std::string name;
        bool expected;
    };
    const Row rows[] = {
        {".Mp3", "a.Mp3", true},
        {".krt", "b.krt", true},
        {".Wav", "C.Wav", true},
        {".MP2", "D.MP2", true},
        {"the last extension counts", "song.wav.mp3", true},
        {"bytes that are not UTF-8 before the extension", "\xff\xfe.mp3", true},
        {"the list does not show .TMC", "TAKE.TMC", false},
        {".flac", "song.flac", false},
        {"an audio extension in the middle", "song.mp3.bak", false},
        {"no dot", "songmp3", false},
        {"one letter long", "song.mp33", false},
        {"an empty name", "", false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        EXPECT_EQ(MatchesListPattern(row.name), row.expected);
    }
}

TEST(NaturalLess, NumbersByValueLettersWithoutCase) {
    struct Row {
        const char* why;
        std::string a;
        std::string b;
        bool aBeforeB;
        bool bBeforeA;
    };
    const Row rows[] = {
        {"Track 2 before Track 10", "Track 2", "Track 10", true, false},
        {"a later number run decides", "a2b10", "a2b9", false, true},
        {"10 after 9 even with a letter after the 9", "a10", "a9b", false, true},
        {"letter case is ignored", "apple", "Banana", true, false},
        {"a name is not before itself", "a", "a", false, false},
        {"names equal but for case fall back to the bytes", "Song", "song", true, false},
        {"leading zeros do not change the value", "Track 007", "Track 10", true, false},
        {"a larger value with leading zeros still comes later", "Track 02", "Track 1", false, true},
        {"equal values fall back to the bytes", "Track 01", "Track 1", true, false},
        {"digits come before letters", "9", "a", true, false},
        {"a shorter name that begins the other comes first", "Track", "Track 1", true, false},
        {"the empty name comes first", "", "a", true, false},
        {"numbers longer than 64 bits", "Track 99999999999999999999", "Track 100000000000000000000",
         true, false},
        {"2^64 does not wrap to 0", "x18446744073709551616", "x18446744073709551615", false, true},
        {"bytes that are not UTF-8 compare as bytes", "\xfe", "\xff", true, false},
        {"numbers after an invalid byte compare by value",
         "\xff"
         "2",
         "\xff"
         "10",
         true, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        EXPECT_EQ(NaturalLess(row.a, row.b), row.aBeforeB);
        EXPECT_EQ(NaturalLess(row.b, row.a), row.bBeforeA);
    }
}

TEST(ListAudioFiles, FilesOfTheListPatternInNaturalOrder) {
    TempFolder folder;
    for (const char* name : {"Track 10.mp3", "Track 2.MP3", "track 1.wav", "notes.txt", "take.tmc",
                             "b.krt", "a.mp2", "\xff\xfe.mp3", "song.MP3", "Song.mp3"}) {
        folder.CreateFile(name, "audio");
    }
    folder.CreateFolder("Folder.mp3");
    folder.CreateFolder("sub");
    const PosixFileSystem fs{};

    const FolderListing listing = ListAudioFiles(fs, folder.Path());

    EXPECT_FALSE(listing.Error) << listing.Error.message();
    const std::vector<std::string> expected = {
        "a.mp2",       "b.krt",       "Song.mp3",     "song.MP3",
        "track 1.wav", "Track 2.MP3", "Track 10.mp3", "\xff\xfe.mp3",
    };
    EXPECT_EQ(listing.Names, expected);
}

TEST(ListAudioFiles, EmptyAndMissingFolders) {
    TempFolder folder;
    folder.CreateFile("notes.txt");
    folder.CreateFolder("sub.wav");
    const PosixFileSystem fs{};

    const FolderListing none = ListAudioFiles(fs, folder.Path());
    EXPECT_FALSE(none.Error) << none.Error.message();
    EXPECT_TRUE(none.Names.empty());

    const FolderListing missing = ListAudioFiles(fs, folder.Path() / "gone");
    EXPECT_TRUE(missing.Error) << "a folder that is not there is reported";
    EXPECT_TRUE(missing.Names.empty());
}

}  // namespace
}  // namespace klarwell::engine
