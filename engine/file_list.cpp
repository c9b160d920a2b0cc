#include "engine/file_list.h"

#include <algorithm>
#include <span>

#include "engine/internal/name_parts.h"
#include "engine/name_bytes.h"

namespace klarwell::engine {

namespace {

// Letters without regard to case, every other byte by its unsigned value.
unsigned char Folded(std::string_view text, std::size_t i) {
    return static_cast<unsigned char>(AsciiLower(text[i]));
}

// Compares the digit runs starting at a[i] and b[j] by value and moves both past their run.
int CompareNumbers(std::string_view a, std::size_t& i, std::string_view b, std::size_t& j) {
    while (i < a.size() && a[i] == '0') {
        ++i;
    }
    while (j < b.size() && b[j] == '0') {
        ++j;
    }
    const std::size_t startA = i;
    const std::size_t startB = j;
    while (i < a.size() && IsAsciiDigit(a[i])) {
        ++i;
    }
    while (j < b.size() && IsAsciiDigit(b[j])) {
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
        if (IsAsciiDigit(a[i]) && IsAsciiDigit(b[j])) {
            if (const int numbers = CompareNumbers(a, i, b, j); numbers != 0) {
                return numbers;
            }
            continue;
        }
        const unsigned char ca = Folded(a, i);
        const unsigned char cb = Folded(b, j);
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
    return name.size() >= kExtensionLength &&
           IsExtensionIn(name.substr(name.size() - kExtensionLength),
                         std::span(kAudioExtensions).first(kListedExtensionCount));
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
