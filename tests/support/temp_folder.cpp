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

std::vector<std::string> TempFolder::Entries() const {
    std::vector<std::string> entries;
    for (const std::string& name : Names()) {
        std::error_code ec;
        const std::filesystem::path path = m_Path / name;
        if (std::filesystem::is_symlink(path, ec)) {
            entries.push_back(name + " -> " + std::filesystem::read_symlink(path, ec).native());
        } else if (std::filesystem::is_directory(path, ec)) {
            entries.push_back(name + "/");
        } else {
            entries.push_back(name + ": " + Read(name));
        }
    }
    return entries;
}

void TempFolder::Create(const std::vector<std::string>& entries) const {
    for (const std::string& entry : entries) {
        std::error_code ec;
        const std::size_t link = entry.find(" -> ");
        const std::size_t hardLink = entry.find(" => ");
        if (entry.back() == '/') {
            CreateFolder(entry.substr(0, entry.size() - 1));
        } else if (link != std::string::npos) {
            std::filesystem::create_symlink(entry.substr(link + 4), m_Path / entry.substr(0, link),
                                            ec);
        } else if (hardLink != std::string::npos) {
            std::filesystem::create_hard_link(m_Path / entry.substr(hardLink + 4),
                                              m_Path / entry.substr(0, hardLink), ec);
        } else {
            const std::size_t colon = entry.find(": ");
            CreateFile(entry.substr(0, colon), entry.substr(colon + 2));
        }
        if (ec) {
            ADD_FAILURE() << "cannot create " << entry << ": " << ec.message();
        }
    }
}

}  // namespace klarwell::testing
