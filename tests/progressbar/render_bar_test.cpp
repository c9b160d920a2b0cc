#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include <gtest/gtest.h>

namespace {

// Runs the tool with the arguments, OUT standing for a file of the given name; returns the exit
// status and, in written, what the file holds.
int Render(std::string arguments, const std::string& name, std::string& written) {
    const auto out = std::filesystem::temp_directory_path() /
                     ("klarwell-render-bar-" + std::to_string(::getpid()) + "-" + name);
    if (const auto at = arguments.find("OUT"); at != std::string::npos) {
        arguments.replace(at, 3, out.string());
    }
    const int raw = std::system((KLARWELL_RENDER_BAR " " + arguments + " 2>/dev/null").c_str());
    std::ifstream in(out, std::ios::binary);
    written.assign(std::istreambuf_iterator<char>(in), {});
    std::filesystem::remove(out);
    return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
}

// What only the tool does: --set parsed and applied in order, the format chosen by the file name,
// and refusals with status 2 before anything is written.
TEST(KlarwellRenderBar, ArgumentsStatusesAndFormats) {
    struct Row {
        const char* why;
        const char* arguments;
        const char* name;
        int status;
        std::string header;  // the file's first bytes; then, for a 237 x 21 PPM, pixel (113, 10)
    };
    const std::string ppm = "P6\n237 21\n255\n";
    const Row rows[] = {
        {"hex Color, names without regard to case, in order",
         "--width 237 --height 21 --set value=50 --set COLOR=0xC56A31 --out OUT", "a.ppm", 0,
         ppm + "\x31\x6A\xC5"},
        {"a missing picture draws only the border",
         "--width 237 --height 21 --set Scrolling=8 "
         "--set Image=/nonexistent.png --out OUT",
         "b.ppm", 0, ppm + "\xFF\xFF\xFF"},
        {"PNG by name", "--width 4 --height 3 --out OUT", "d.png", 0,
         std::string("\x89PNG\r\n\x1a\n", 8)},
        {"no output file", "--width 10 --height 10", "e.ppm", 2, ""},
        {"unknown property", "--width 1 --height 1 --set Colour=1 --out OUT", "h.ppm", 2, ""},
        {"ShowText only 0 or 1", "--width 1 --height 1 --set ShowText=2 --out OUT", "i.ppm", 2, ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        std::string written;
        ASSERT_EQ(Render(row.arguments, row.name, written), row.status);
        if (row.header.size() > ppm.size()) {
            ASSERT_EQ(written.size(), ppm.size() + 237U * 21U * 3U);
            written = written.substr(0, ppm.size()) + written.substr(ppm.size() + 3 * 2483, 3);
        }
        EXPECT_EQ(written.substr(0, row.header.size()), row.header);
    }
}

}  // namespace
