#pragma once

#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>

namespace klarwell::bench {

// A folder under the system temp folder holding a music folder and a log folder, removed with
// everything in it at the end.
class BenchRoot {
public:
    BenchRoot() {
        std::error_code ec;
        std::string pattern =
            (std::filesystem::temp_directory_path(ec) / "klarwell-bench-XXXXXX").native();
        if (mkdtemp(pattern.data()) != nullptr) {
            m_Root = pattern;
        }
        std::filesystem::create_directory(Music(), ec);
        std::filesystem::create_directory(LogFolder(), ec);
    }
    ~BenchRoot() {
        std::error_code ec;
        std::filesystem::remove_all(m_Root, ec);
    }
    BenchRoot(const BenchRoot&) = delete;
    BenchRoot& operator=(const BenchRoot&) = delete;

    [[nodiscard]] std::filesystem::path Music() const { return m_Root / "music"; }
    [[nodiscard]] std::filesystem::path LogFolder() const { return m_Root / "log"; }

    static void CreateEmptyFile(const std::filesystem::path& file) {
        const int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
        if (fd >= 0) {
            ::close(fd);
        }
    }

    // The lines of the rename log, so that a run is seen to have logged every rename.
    [[nodiscard]] std::size_t LoggedLines() const {
        std::ifstream in(LogFolder() / "cleanup.log", std::ios::binary);
        std::size_t lines = 0;
        for (std::string line; std::getline(in, line);) {
            ++lines;
        }
        return lines;
    }

private:
    std::filesystem::path m_Root;
};

}  // namespace klarwell::bench
