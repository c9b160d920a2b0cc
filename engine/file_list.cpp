#include "engine/file_list.h"

#include <algorithm>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "engine/internal/name_parts.h"
#include "engine/name_bytes.h"

namespace klarwell::engine {

namespace {

// A byte string whose plain byte order is the natural order of the names: a letter stands as its
// lower case, a run of digits as "0", the run's length without its leading zeros in two bytes, and
// those digits. No other byte of a key lies in the digits' range, so a number meets any other
// character as its first digit would.
std::string NaturalKey(std::string_view name) {
    std::string key;
    key.reserve(name.size() + 8);
    for (std::size_t i = 0; i < name.size();) {
        if (!IsAsciiDigit(name[i])) {
            key += AsciiLower(name[i]);
            ++i;
            continue;
        }
        while (i < name.size() && name[i] == '0') {
            ++i;
        }
        const std::size_t start = i;
        while (i < name.size() && IsAsciiDigit(name[i])) {
            ++i;
        }
        const std::size_t length = std::min<std::size_t>(i - start, 0xFFFF);
        key += '0';
        key += static_cast<char>(length >> 8);
        key += static_cast<char>(length & 0xFF);
        key.append(name.substr(start, i - start));
    }
    return key;
}

}  // namespace

bool MatchesListPattern(std::string_view name) {
    return name.size() >= kExtensionLength &&
           IsExtensionIn(name.substr(name.size() - kExtensionLength),
                         std::span(kAudioExtensions).first(kListedExtensionCount));
}

bool NaturalLess(std::string_view a, std::string_view b) {
    const int order = NaturalKey(a).compare(NaturalKey(b));
    if (order != 0) {
        return order < 0;
    }
    return a < b;  // names equal but for case or leading zeros still get one fixed order
}

FolderListing ListAudioFiles(const FileSystem& fs, const std::filesystem::path& folder) {
    FolderListing listing = fs.ListFiles(folder);
    std::erase_if(listing.Names, [](const std::string& name) { return !MatchesListPattern(name); });
    // Each key made once, not once per comparison: a folder of a million names is a normal day.
    std::vector<std::pair<std::string, std::string>> keyed;
    keyed.reserve(listing.Names.size());
    for (std::string& name : listing.Names) {
        std::string key = NaturalKey(name);
        keyed.emplace_back(std::move(key), std::move(name));
    }
    std::sort(keyed.begin(), keyed.end());
    for (std::size_t i = 0; i < keyed.size(); ++i) {
        listing.Names[i] = std::move(keyed[i].second);
    }
    return listing;
}

}  // namespace klarwell::engine
