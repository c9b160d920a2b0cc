#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace {

struct Image {
    std::string Header;
    std::vector<unsigned char> Bytes;
    int Width = 0;
};

struct RunResult {
    int Status = -1;
    std::string Stderr;
};

std::filesystem::path TempPath(const std::string& name) {
    return std::filesystem::temp_directory_path() /
           ("klarwell-render-bar-" + std::to_string(::getpid()) + "-" + name);
}

RunResult Render(const std::string& arguments) {
    const auto err = TempPath("stderr.txt");
    const std::string command =
        std::string(KLARWELL_RENDER_BAR) + " " + arguments + " 2>" + err.string();
    const int raw = std::system(command.c_str());
    RunResult run;
    run.Status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    std::ifstream in(err);
    run.Stderr.assign(std::istreambuf_iterator<char>(in), {});
    std::filesystem::remove(err);
    return run;
}

Image ReadPpm(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    Image image;
    std::string magic;
    int height = 0;
    int maxValue = 0;
    in >> magic >> image.Width >> height >> maxValue;
    in.get();
    image.Header = magic + " " + std::to_string(image.Width) + " " + std::to_string(height) + " " +
                   std::to_string(maxValue);
    image.Bytes.assign(std::istreambuf_iterator<char>(in), {});
    return image;
}

unsigned Pixel(const Image& image, int x, int y) {
    const auto at = static_cast<std::size_t>((y * image.Width + x) * 3);
    return image.Bytes[at] | (image.Bytes[at + 1] << 8) | (image.Bytes[at + 2] << 16);
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
    const auto out = TempPath("out.ppm");
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        const RunResult run =
            Render("--width 237 --height 21 " + row.sets + " --out " + out.string());
        ASSERT_EQ(run.Status, 0) << run.Stderr;
        const Image image = ReadPpm(out);
        ASSERT_EQ(image.Header, "P6 237 21 255");
        ASSERT_EQ(image.Bytes.size(), 237U * 21U * 3U);
        EXPECT_EQ(Pixel(image, row.x, row.y), row.expected);
    }
    std::filesystem::remove(out);
}

TEST(KlarwellRenderBar, AnySizeRenders) {
    struct Row {
        const char* why;
        std::string size;
        const char* header;
    };
    const Row rows[] = {
        {"zero width", "--width 0 --height 21", "P6 0 21 255"},
        {"zero height", "--width 237 --height 0", "P6 237 0 255"},
        {"one pixel", "--width 1 --height 1", "P6 1 1 255"},
    };
    const auto out = TempPath("size.ppm");
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        const RunResult run =
            Render(row.size + " --set Value=100 --set ShowText=1 --out " + out.string());
        ASSERT_EQ(run.Status, 0) << run.Stderr;
        EXPECT_EQ(ReadPpm(out).Header, row.header);
    }
    std::filesystem::remove(out);
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
        {"set without a value", "--width 10 --height 10 --set Value --out x.ppm"},
        {"unknown option", "--width 10 --height 10 --scale 2 --out x.ppm"},
        {"option without its value", "--width 10 --height 10 --out"},
        {"a size no surface can have", "--width 100000 --height 100000 --out x.ppm"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        const RunResult run = Render(row.arguments);
        EXPECT_EQ(run.Status, 2);
        EXPECT_FALSE(run.Stderr.empty());
        EXPECT_EQ(run.Stderr.find('\n'), run.Stderr.size() - 1) << "one line: " << run.Stderr;
    }
}

}  // namespace
