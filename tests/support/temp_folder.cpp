#include "tests/support/temp_folder.h"

#include <stdlib.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <system_error>

#include <gtest/gtest.h>

namespace klarwell::testing {

TempFolder::TempFolder() {
    std::error_code ec;
    std::string pattern = (std::filesystem::temp_directory_path(ec) / "klarwell-test-XXXXXX");
    if (mkdtemp(pattern.data()) == nullptr) {
        ADD_FAILURE() << "cannot create a temporary folder";
    }
    m_Path = pattern;
}

TempFolder::~TempFolder() {
    std::error_code ec;
    std::filesystem::remove_all(m_Path, ec);
}

void TempFolder::CreateFile(std::string_view name, std::string_view content) const {
    std::ofstream out(m_Path / std::string(name), std::ios::binary);
    out << content;
    if (!out) {
        ADD_FAILURE() << "cannot create " << name;
    }
}

void TempFolder::CreateFolder(std::string_view name) const {
    std::error_code ec;
    std::filesystem::create_directory(m_Path / std::string(name), ec);
    if (ec) {
        ADD_FAILURE() << "cannot create folder " << name << ": " << ec.message();
    }
}

std::vector<std::string> TempFolder::Names() const {
    std::vector<std::string> names;
    std::error_code ec;
    for (std::filesystem::directory_iterator it(m_Path, ec), end; !ec && it != end;
         it.increment(ec)) {
        names.push_back(it->path().filename().native());
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::string TempFolder::Read(std::string_view name) const {
    std::ifstream in(m_Path / std::string(name), std::ios::binary);
    if (!in) {
        return "<missing>";
    }
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace klarwell::testing
