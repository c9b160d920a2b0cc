#include "engine/name_rules.h"

#include <algorithm>
#include <cstdint>

#include "engine/internal/name_parts.h"
#include "engine/name_bytes.h"
#include "engine/numeric_text.h"

namespace klarwell::engine {

namespace {

std::string_view LastChars(std::string_view text, std::size_t count) {
    return text.substr(text.size() - std::min(count, text.size()));
}

std::string_view WithoutLastChars(std::string_view text, std::size_t count) {
    return text.substr(0, text.size() - std::min(count, text.size()));
}

std::string RemoveAll(std::string_view text, char unwanted) {
    std::string result;
    result.reserve(text.size());
    for (const char c : text) {
        if (c != unwanted) {
            result += c;
        }
    }
    return result;
}

void ReplaceChar(std::string& text, char from, char to) {
    std::replace(text.begin(), text.end(), from, to);
}

}  // namespace

std::string_view TrimSpaces(std::string_view text) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

std::string ReplaceAll(std::string_view text, std::string_view from, std::string_view to) {
    if (from.empty()) {
        return std::string(text);
    }
    std::string result;
    result.reserve(text.size());
    std::size_t at = 0;
    for (std::size_t hit = text.find(from); hit != std::string_view::npos;
         hit = text.find(from, at)) {
        result.append(text.substr(at, hit - at));
        result.append(to);
        at = hit + from.size();
    }
    result.append(text.substr(at));
    return result;
}

std::string NextIndexString(RunState& state) {
    ++state.CurFileCount;
    // Summed in 64 bits: a first index near the top of its range must not wrap.
    const std::int64_t number = static_cast<std::int64_t>(state.CurFileCount) +
                                static_cast<std::int64_t>(state.FileIndexCountOffset);
    std::string text = DecimalText(number);
    const std::size_t width = PaddingWidth(state.FileCountChars);
    if (width > text.size()) {
        text.insert(0, width - text.size(), '0');
    }
    return text;
}

NewName ComputeNewName(std::string_view listedName, const CleanSettings& settings,
                       RunState& state) {
    NewName result;
    result.FileExtension = std::string(LastChars(TrimSpaces(listedName), kExtensionLength));
    std::string name(TrimSpaces(WithoutLastChars(listedName, kExtensionLength)));
    const std::string index = NextIndexString(state);
    const bool prefix = PrefixInForce(settings);
    const bool suffix = SuffixInForce(settings);

    if (settings.DiscardOriginalNames) {
        if (prefix) {
            result.NewFilename += ReplaceAll(settings.Prefix, "#", index);
        }
        if (suffix) {
            result.NewFilename += ReplaceAll(settings.Suffix, "#", index);
        }
        return result;
    }

    if (settings.RemoveLeadingDigits) {
        const auto first = std::find_if_not(name.begin(), name.end(), IsAsciiDigit);
        name.erase(name.begin(), first);
    }
    if (settings.RemoveTrailingDigits) {
        const auto last = std::find_if_not(name.rbegin(), name.rend(), IsAsciiDigit);
        name.erase(last.base(), name.end());
    }
    if (prefix) {
        name.insert(0, ReplaceAll(settings.Prefix, "#", index));
    }
    if (suffix) {
        name += ReplaceAll(settings.Suffix, "#", index);
    }
    for (const ReplacementPair& pair : settings.Replacements) {
        if (PairInForce(pair)) {
            name = ReplaceAll(name, pair.Keyword, pair.With);
        }
    }
    name = std::string(TrimSpaces(name));
    for (const char unwanted : {'\'', '@', '#', '$', '%', '^'}) {
        name = RemoveAll(name, unwanted);
    }
    name = ReplaceAll(name, "&", "and");
    name = RemoveAll(name, '~');
    switch (settings.SpaceMode) {
        case SpaceUnderscoreMode::SpacesToUnderscores:
            ReplaceChar(name, ' ', '_');
            break;
        case SpaceUnderscoreMode::UnderscoresToSpaces:
            ReplaceChar(name, '_', ' ');
            name = std::string(TrimSpaces(name));
            break;
        case SpaceUnderscoreMode::RemoveSpacesAndUnderscores:
            name = RemoveAll(RemoveAll(name, ' '), '_');
            break;
        case SpaceUnderscoreMode::KeepSpacesAndUnderscores:
            break;
    }
    result.NewFilename = std::move(name);
    return result;
}

}  // namespace klarwell::engine
