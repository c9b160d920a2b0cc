#include "engine/file_list.h"

#include <algorithm>
#include <array>

namespace klarwell::engine {

namespace {

constexpr std::array<std::string_view, 4> kListedExtensions = {".mp3", ".krt", ".wav", ".mp2"};

bool IsDigit(unsigned char c) {
    return c >= '0' && c <= '9';
}

unsigned char AsciiLower(unsigned char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<unsigned char>(c - 'A' + 'a') : c;
}

unsigned char At(std::string_view text, std::size_t i) {
    return static_cast<unsigned char>(text[i]);
}

// Compares the digit runs starting at a[i] and b[j] by value and moves both past their run.
int CompareNumbers(std::string_view a, std::size_t& i, std::string_view b, std::size_t& j) {
    while (i < a.size() && At(a, i) == '0') {
        ++i;
    }
    while (j < b.size() && At(b, j) == '0') {
        ++j;
    }
    const std::size_t startA = i;
    const std::size_t startB = j;
    while (i < a.size() && IsDigit(At(a, i))) {
        ++i;
    }
    while (j < b.size() && IsDigit(At(b, j))) {
        ++j;
    }
    const std::size_t lengthA = i - startA;
    const std::size_t lengthB = j - startB;
    if (lengthA != lengthB) {
        return lengthA < lengthB ? -1 : 1;
    }
    const int digits = a.substr(startA, lengthA).compare(b.substr(startB, lengthB));
    return digits < 0 ? -1 : (digits > 0 ? 1 : 0);
}

int NaturalCompare(std::string_view a, std::string_view b) {
    std::size_t i = 0;
    std::size_t j = 0;
    while (i < a.size() && j < b.size()) {
        if (IsDigit(At(a, i)) && IsDigit(At(b, j))) {
            if (const int numbers = CompareNumbers(a, i, b, j); numbers != 0) {
                return numbers;
            }
            continue;
        }
        const unsigned char ca = AsciiLower(At(a, i));
        const unsigned char cb = AsciiLower(At(b, j));
        if (ca != cb) {
            return ca < cb ? -1 : 1;
        }
        ++i;
        ++j;
    }
    if (i < a.size()) {
        return 1;
    }
    return j < b.size() ? -1 : 0;
}

}  // namespace

bool MatchesListPattern(std::string_view name) {
    for (const std::string_view extension : kListedExtensions) {
        if (name.size() >= extension.size() &&
            std::equal(extension.begin(), extension.end(), name.end() - extension.size(),
                       [](char e, char n) {
                           return static_cast<unsigned char>(e) ==
                                  AsciiLower(static_cast<unsigned char>(n));
                       })) {
            return true;
        }
    }
    return false;
}

bool NaturalLess(std::string_view a, std::string_view b) {
    const int order = NaturalCompare(a, b);
    if (order != 0) {
        return order < 0;
    }
    return a < b;  // names equal but for case or leading zeros still get one fixed order
}

FolderListing ListAudioFiles(const FileSystem& fs, const std::filesystem::path& folder) {
    FolderListing listing = fs.ListFiles(folder);
    std::erase_if(listing.Names, [](const std::string& name) { return !MatchesListPattern(name); });
    std::sort(listing.Names.begin(), listing.Names.end(),
              [](const std::string& a, const std::string& b) { return NaturalLess(a, b); });
    return listing;
}

}  // namespace klarwell::engine
