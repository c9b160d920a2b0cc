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
    // Character removal, "&" to "and", and spaces and underscores in one pass over the trimmed
    // name: none of these rules makes or removes a character another one looks for.
    const SpaceUnderscoreMode mode = settings.SpaceMode;
    std::string cleaned;
    cleaned.reserve(name.size() + 8);
    for (const char c : TrimSpaces(name)) {
        switch (c) {
            case '\'':
            case '@':
            case '#':
            case '$':
            case '%':
            case '^':
            case '~':
                break;
            case '&':
                cleaned += "and";
                break;
            case ' ':
            case '_':
                if (mode == SpaceUnderscoreMode::SpacesToUnderscores) {
                    cleaned += '_';
                } else if (mode == SpaceUnderscoreMode::UnderscoresToSpaces) {
                    cleaned += ' ';
                } else if (mode == SpaceUnderscoreMode::KeepSpacesAndUnderscores) {
                    cleaned += c;
                }
                break;
            default:
                cleaned += c;
        }
    }
    result.NewFilename = mode == SpaceUnderscoreMode::UnderscoresToSpaces
                             ? std::string(TrimSpaces(cleaned))
                             : std::move(cleaned);
    return result;
}

}  // namespace klarwell::engine
