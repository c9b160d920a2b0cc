#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include <gtest/gtest.h>

namespace {

struct RunResult {
    int Status = -1;
    std::string Stderr;
    std::string Ppm;  // the whole output file
};

std::filesystem::path TempPath(const std::string& name) {
    return std::filesystem::temp_directory_path() /
           ("klarwell-render-bar-" + std::to_string(::getpid()) + "-" + name);
}

std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::string bytes{std::istreambuf_iterator<char>(in), {}};
    std::filesystem::remove(path);
    return bytes;
}

// Runs the tool with the arguments and "--out" a PPM file, when withOut.
RunResult Render(const std::string& arguments, bool withOut = true) {
    const auto err = TempPath("stderr.txt");
    const auto out = TempPath("out.ppm");
    const std::string command = std::string(KLARWELL_RENDER_BAR) + " " + arguments +
                                (withOut ? " --out " + out.string() : "") + " 2>" + err.string();
    const int raw = std::system(command.c_str());
    return RunResult{WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, ReadFile(err), ReadFile(out)};
}

// 0x00BBGGRR at (x, y) of a PPM whose header is "P6\n237 21\n255\n".
unsigned PixelAt(const std::string& ppm, int x, int y) {
    const std::size_t at =
        std::string("P6\n237 21\n255\n").size() + static_cast<std::size_t>((y * 237 + x) * 3);
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(ppm.at(at + i)); };
    return byte(0) | (byte(1) << 8U) | (byte(2) << 16U);
}

TEST(KlarwellRenderBar, WritesWhatTheControlShows) {
    struct Row {
        const char* why;
        std::string sets;
        int x;
        int y;
        unsigned expected;  // 0x00BBGGRR
    };
    const Row rows[] = {
        {"defaults: segmented, 0 %, one block", "", 9, 10, 0xD77800},
        {"hex Color, applied in order", "--set Value=50 --set Color=0xC56A31", 113, 10, 0xC56A31},
        {"Color as a system colour", "--set Color=0x8000000D --set Value=50", 20, 10, 0xD77800},
        {"Scrolling 3, Value: flat fill", "--set Scrolling=3 --set Value=50", 117, 10, 0xF3D7B4},
        {"names without regard to case", "--set scrolling=1 --set VALUE=50", 10, 10, 0xD77800},
        {"a missing picture draws only the border",
         "--set Scrolling=8 --set Image=/nonexistent.png", 2, 2, 0xFFFFFF},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        const RunResult run = Render("--width 237 --height 21 " + row.sets);
        ASSERT_EQ(run.Status, 0) << run.Stderr;
        ASSERT_EQ(run.Ppm.size(), 14U + 237U * 21U * 3U);
        ASSERT_EQ(run.Ppm.substr(0, 14), "P6\n237 21\n255\n");
        EXPECT_EQ(PixelAt(run.Ppm, row.x, row.y), row.expected);
    }
}

// Any size renders; a name that does not end in .ppm gets a PNG file.
TEST(KlarwellRenderBar, AnySizeRendersAndNamesChooseTheFormat) {
    struct Row {
        const char* why;
        std::string arguments;
        const char* file;
        std::string header;
    };
    const Row rows[] = {
        {"zero width", "--width 0 --height 21", "bar.ppm", "P6\n0 21\n255\n"},
        {"zero height", "--width 237 --height 0", "bar.ppm", "P6\n237 0\n255\n"},
        {"one pixel", "--width 1 --height 1", "bar.ppm", "P6\n1 1\n255\n"},
        {"png", "--width 4 --height 3", "bar.png", std::string("\x89PNG\r\n\x1a\n", 8)},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        const auto out = TempPath(row.file);
        const RunResult run = Render(
            row.arguments + " --set Value=100 --set ShowText=1 --out " + out.string(), false);
        ASSERT_EQ(run.Status, 0) << run.Stderr;
        EXPECT_EQ(ReadFile(out).substr(0, row.header.size()), row.header);
    }
}

TEST(KlarwellRenderBar, BadArgumentsExitWithStatus2) {
    struct Row {
        const char* why;
        std::string arguments;
    };
    const Row rows[] = {
        {"no output file", "--width 10 --height 10"},
        {"no width", "--height 10 --out x.ppm"},
        {"width not a number", "--width ten --height 10 --out x.ppm"},
        {"negative height", "--width 10 --height -1 --out x.ppm"},
        {"unknown property", "--width 10 --height 10 --set Colour=1 --out x.ppm"},
        {"ShowText only 0 or 1", "--width 10 --height 10 --set ShowText=2 --out x.ppm"},
        {"value beyond 32 bits", "--width 10 --height 10 --set Value=4294967296 --out x.ppm"},
        {"hex beyond 32 bits", "--width 10 --height 10 --set Color=0x100000000 --out x.ppm"},
        {"set without a value", "--width 10 --height 10 --set Value --out x.ppm"},
        {"unknown option", "--width 10 --height 10 --scale 2 --out x.ppm"},
        {"option without its value", "--width 10 --height 10 --out"},
        {"a size no surface can have", "--width 100000 --height 100000 --out x.ppm"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        const RunResult run = Render(row.arguments, false);
        EXPECT_EQ(run.Status, 2);
        EXPECT_FALSE(run.Stderr.empty());
        EXPECT_EQ(run.Stderr.find('\n'), run.Stderr.size() - 1) << "one line: " << run.Stderr;
    }
}

}  // namespace
