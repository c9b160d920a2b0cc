#include "engine/file_list.h"

#include <algorithm>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "engine/internal/name_parts.h"
#include "engine/name_bytes.h"

namespace klarwell::engine {

namespace {

// A byte string whose plain byte order is the natural order of the names: a letter stands as its
// lower case, a run of digits as "0", the run's length without its leading zeros in two bytes, and
// those digits. No other byte of a key lies in the digits' range, so a number meets any other
// character as its first digit would.
void AppendNaturalKey(std::string& key, std::string_view name) {
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
}

std::string NaturalKey(std::string_view name) {
    std::string key;
    AppendNaturalKey(key, name);
    return key;
}

// The positions of the names that match the list pattern, in natural order. Each key is made
// once, not once per comparison, all in one buffer that is gone before the sorted list is built:
// a folder of a million names is a normal day.
std::vector<std::uint32_t> NaturalOrder(const NameList& names) {
    std::size_t keyBytes = 0;
    for (const std::string_view name : names) {
        keyBytes += name.size() + 6;  // two runs of digits, as most names have: one is in ".mp3"
    }
    std::string keys;
    keys.reserve(keyBytes);  // room made once: doubling would hold two copies of the keys at once
    std::vector<std::uint32_t> starts;
    starts.reserve(names.size() + 1);
    std::vector<std::uint32_t> order;
    for (std::uint32_t position = 0; position < names.size(); ++position) {
        starts.push_back(static_cast<std::uint32_t>(keys.size()));
        if (MatchesListPattern(names[position])) {
            order.push_back(position);
            AppendNaturalKey(keys, names[position]);
        }
    }
    starts.push_back(static_cast<std::uint32_t>(keys.size()));
    const auto key = [&](std::uint32_t i) {
        return std::string_view(keys).substr(starts[i], starts[i + 1] - starts[i]);
    };
    std::sort(order.begin(), order.end(), [&](std::uint32_t a, std::uint32_t b) {
        const int byKey = key(a).compare(key(b));
        return byKey != 0 ? byKey < 0 : names[a] < names[b];
    });
    return order;
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
    listing.Names = listing.Names.Picked(NaturalOrder(listing.Names));
    return listing;
}

}  // namespace klarwell::engine
