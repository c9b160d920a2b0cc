#include "engine/task_confirmation.h"

#include <string_view>

#include "engine/internal/name_parts.h"
#include "engine/name_rules.h"

namespace klarwell::engine {

namespace {

constexpr std::string_view kLineBreak = "\r\n";
constexpr std::string_view kTitle = "Klarwell Task Confirmation";

// "#" is shown as the digit count's worth of zeros.
std::string RenderPlaceholders(std::string_view text, int digitCount) {
    return ReplaceAll(text, "#", std::string(PaddingWidth(digitCount), '0'));
}

std::string Quoted(std::string_view text) {
    return "\"" + std::string(text) + "\"";
}

std::string DigitWord(const CleanSettings& settings) {
    if (settings.RemoveLeadingDigits && settings.RemoveTrailingDigits) {
        return " leading and trailing ";
    }
    return settings.RemoveLeadingDigits ? " leading " : " trailing ";
}

std::string DigitAndSpacesClause(const CleanSettings& settings) {
    const SpaceUnderscoreMode mode = settings.SpaceMode;
    if (settings.RemoveLeadingDigits || settings.RemoveTrailingDigits) {
        const std::string word = DigitWord(settings);
        const std::string tail = " digits from your filenames.";
        switch (mode) {
            case SpaceUnderscoreMode::SpacesToUnderscores:
                return ", as well as replace spaces with underscores and remove all " + word + tail;
            case SpaceUnderscoreMode::UnderscoresToSpaces:
                return ", as well as replace underscores with spaces and remove all " + word + tail;
            case SpaceUnderscoreMode::RemoveSpacesAndUnderscores:
                return ", as well as remove spaces and underscores and remove all " + word + tail;
            default:
                return ", and remove all" + word + "digits from your filenames.";
        }
    }
    switch (mode) {
        case SpaceUnderscoreMode::SpacesToUnderscores:
            return ", as well as replace spaces with underscores.";
        case SpaceUnderscoreMode::UnderscoresToSpaces:
            return ", as well as replace underscores with spaces.";
        case SpaceUnderscoreMode::RemoveSpacesAndUnderscores:
            return ", as well as remove spaces and underscores.";
        default:
            return ".";
    }
}

std::string PrefixSuffixSentence(bool prefix, bool suffix, std::string_view p, std::string_view s) {
    std::string text;
    if (prefix || suffix) {
        text.append(kLineBreak).append(kLineBreak);
    }
    if (prefix && suffix) {
        text += "Additionally, you have chosen to prepend " + Quoted(p) + " and append " +
                Quoted(s) + " to your file names.";
    } else if (prefix) {
        text += "Additionally, you have chosen to prepend " + Quoted(p) + " to your file names.";
    } else if (suffix) {
        text += "Additionally, you have chosen to append " + Quoted(s) + " to your file names.";
    }
    return text;
}

// A ticked pair is listed whatever its texts hold, unlike the renaming, which skips an empty
// keyword.
std::string ReplacementSentence(const CleanSettings& settings) {
    int lastTicked = -1;
    int ticked = 0;
    for (int i = 0; i < kReplacementCount; ++i) {
        if (settings.Replacements[static_cast<std::size_t>(i)].Enabled) {
            lastTicked = i;
            ++ticked;
        }
    }
    if (ticked == 0) {
        return {};
    }
    std::string text;
    text.append(kLineBreak).append(kLineBreak);
    text += "You have also optionally chosen to replace the keyword";
    if (ticked > 1) {
        text += "s";
    }
    bool first = true;
    for (int i = 0; i < kReplacementCount; ++i) {
        const ReplacementPair& pair = settings.Replacements[static_cast<std::size_t>(i)];
        if (!pair.Enabled) {
            continue;
        }
        if (!first) {
            text += i == lastTicked ? ", and" : ",";
        }
        first = false;
        text += " " + Quoted(pair.Keyword) + " with " + Quoted(pair.With);
    }
    text += ".";
    return text;
}

}  // namespace

std::string TaskConfirmationText(const CleanSettings& settings) {
    const bool prefix = PrefixInForce(settings);
    const bool suffix = SuffixInForce(settings);
    const std::string p = RenderPlaceholders(settings.Prefix, settings.FileCountChars);
    const std::string s = RenderPlaceholders(settings.Suffix, settings.FileCountChars);

    std::string text;
    if (settings.DiscardOriginalNames) {
        text +=
            "You are about to discard all original file names and rename your files with the "
            "structure";
        text += kLineBreak;
        if (prefix && suffix) {
            text += Quoted(p + s) + ".";
        } else if (prefix) {
            text += Quoted(p) + ".";
        } else if (suffix) {
            text += Quoted(s) + ".";
        }
    } else {
        text +=
            "You are about to remove leading and trailing spaces, as well as remove the "
            "characters ', @, #, $, %, ^, and ~ from the file names in your";
        text += kLineBreak;
        text += "selected directory";
        text += DigitAndSpacesClause(settings);
        text += PrefixSuffixSentence(prefix, suffix, p, s);
        text += ReplacementSentence(settings);
    }
    text.append(kLineBreak).append(kLineBreak).append(kLineBreak);
    text += "Are you sure you want to continue?";
    return text;
}

bool DisplayStripWarning(const CleanSettings& settings, UserInterface& ui) {
    return ui.ShowMessage(TaskConfirmationText(settings), kTitle, Buttons::YesNo, Icon::None) !=
           Answer::No;
}

}  // namespace klarwell::engine
