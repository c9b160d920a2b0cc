#include "tools/batch/json_text.h"

#include <charconv>
#include <cstdint>

#include "engine/name_bytes.h"

namespace klarwell::batch {

namespace {

using engine::HexLetters;
using engine::Utf8SequenceLength;

std::optional<std::uint32_t> ReadHex4(std::string_view json, std::size_t pos) {
    if (pos + 4 > json.size()) {
        return std::nullopt;
    }
    std::uint32_t value = 0;
    for (std::size_t i = pos; i < pos + 4; ++i) {
        const char c = json[i];
        std::uint32_t digit = 0;
        if (engine::IsAsciiDigit(c)) {
            digit = static_cast<std::uint32_t>(c - '0');
        } else if (c >= 'a' && c <= 'f') {
            digit = static_cast<std::uint32_t>(c - 'a' + 10);
        } else if (c >= 'A' && c <= 'F') {
            digit = static_cast<std::uint32_t>(c - 'A' + 10);
        } else {
            return std::nullopt;
        }
        value = value * 16 + digit;
    }
    return value;
}

void AppendUtf8(std::string& out, std::uint32_t codePoint) {
    if (codePoint < 0x80) {
        out += static_cast<char>(codePoint);
    } else if (codePoint < 0x800) {
        out += static_cast<char>(0xC0 | (codePoint >> 6));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else if (codePoint < 0x10000) {
        out += static_cast<char>(0xE0 | (codePoint >> 12));
        out += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (codePoint >> 18));
        out += static_cast<char>(0x80 | ((codePoint >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    }
}

}  // namespace

bool IsWellFormedUtf8(std::string_view bytes) {
    while (!bytes.empty()) {
        const std::size_t length = Utf8SequenceLength(bytes);
        if (length == 0) {
            return false;
        }
        bytes.remove_prefix(length);
    }
    return true;
}

void AppendJsonString(std::string& out, std::string_view bytes) {
    out += '"';
    while (!bytes.empty()) {
        const std::size_t length = Utf8SequenceLength(bytes);
        const auto byte = static_cast<unsigned char>(bytes.front());
        if (length == 0) {
            engine::AppendHexEscape(out, "\\udc", byte, HexLetters::Lower);
            bytes.remove_prefix(1);
            continue;
        }
        switch (byte) {
            case '"':
                out += "\\\"";
                break;
            case '\\':
                out += "\\\\";
                break;
            case '\b':
                out += "\\b";
                break;
            case '\f':
                out += "\\f";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\t':
                out += "\\t";
                break;
            default:
                if (byte < 0x20) {
                    engine::AppendHexEscape(out, "\\u00", byte, HexLetters::Lower);
                } else {
                    out += bytes.substr(0, length);
                }
                break;
        }
        bytes.remove_prefix(length);
    }
    out += '"';
}

std::string JsonString(std::string_view bytes) {
    std::string out;
    AppendJsonString(out, bytes);
    return out;
}

std::optional<DecodedLiteral> DecodeStringLiteral(std::string_view json, std::size_t start) {
    DecodedLiteral literal;
    std::size_t pos = start + 1;
    while (pos < json.size()) {
        const char c = json[pos];
        if (c == '"') {
            literal.End = pos + 1;
            return literal;
        }
        if (static_cast<unsigned char>(c) < 0x20) {
            return std::nullopt;
        }
        if (c != '\\') {
            literal.Bytes += c;
            ++pos;
            continue;
        }
        if (pos + 1 >= json.size()) {
            return std::nullopt;
        }
        const char escape = json[pos + 1];
        pos += 2;
        switch (escape) {
            case '"':
            case '\\':
            case '/':
                literal.Bytes += escape;
                continue;
            case 'b':
                literal.Bytes += '\b';
                continue;
            case 'f':
                literal.Bytes += '\f';
                continue;
            case 'n':
                literal.Bytes += '\n';
                continue;
            case 'r':
                literal.Bytes += '\r';
                continue;
            case 't':
                literal.Bytes += '\t';
                continue;
            case 'u':
                break;
            default:
                return std::nullopt;
        }
        const std::optional<std::uint32_t> unit = ReadHex4(json, pos);
        if (!unit) {
            return std::nullopt;
        }
        pos += 4;
        if (*unit >= 0xD800 && *unit <= 0xDBFF) {
            const bool lowFollows =
                pos + 1 < json.size() && json[pos] == '\\' && json[pos + 1] == 'u';
            const std::optional<std::uint32_t> low =
                lowFollows ? ReadHex4(json, pos + 2) : std::nullopt;
            if (!low || *low < 0xDC00 || *low > 0xDFFF) {
                return std::nullopt;
            }
            pos += 6;
            AppendUtf8(literal.Bytes, 0x10000 + ((*unit - 0xD800) << 10) + (*low - 0xDC00));
        } else if (*unit >= 0xDC80 && *unit <= 0xDCFF) {
            // An escaped byte of a name that is not UTF-8.
            literal.Bytes += static_cast<char>(*unit & 0xFF);
        } else if (*unit >= 0xDC00 && *unit <= 0xDFFF) {
            return std::nullopt;
        } else {
            AppendUtf8(literal.Bytes, *unit);
        }
    }
    return std::nullopt;
}

namespace {

// Whether a string literal (quotes included) holds a lone low surrogate escape, which the parser
// refuses even when the bytes it stands for happen to form valid UTF-8.
bool HoldsByteEscape(std::string_view literal) {
    for (std::size_t i = 0; i + 1 < literal.size(); ++i) {
        if (literal[i] != '\\') {
            continue;
        }
        if (literal[i + 1] == 'u' && i + 3 < literal.size() &&
            (literal[i + 2] == 'd' || literal[i + 2] == 'D') &&
            std::string_view("cdefCDEF").find(literal[i + 3]) != std::string_view::npos) {
            return true;
        }
        ++i;  // an escaped backslash followed by "udc" is plain text
    }
    return false;
}

}  // namespace

std::string RawStringTable::Prepare(std::string_view json) {
    std::string out;
    out.reserve(json.size());
    std::size_t pos = 0;
    while (pos < json.size()) {
        if (json[pos] != '"') {
            out += json[pos];
            ++pos;
            continue;
        }
        const std::optional<DecodedLiteral> literal = DecodeStringLiteral(json, pos);
        if (!literal) {
            // Left as it is, for the parser to report.
            out += json.substr(pos);
            break;
        }
        // A text that begins with NUL goes through the table too, so that no text of the
        // settings can pass for a placeholder.
        const bool parserTakesIt = IsWellFormedUtf8(literal->Bytes) &&
                                   !HoldsByteEscape(json.substr(pos, literal->End - pos)) &&
                                   (literal->Bytes.empty() || literal->Bytes.front() != '\0');
        if (parserTakesIt) {
            out += json.substr(pos, literal->End - pos);
        } else {
            out += "\"\\u0000" + std::to_string(m_Strings.size()) + '"';
            m_Strings.push_back(literal->Bytes);
        }
        pos = literal->End;
    }
    return out;
}

std::string RawStringTable::Resolve(const std::string& parsed) const {
    if (parsed.empty() || parsed.front() != '\0') {
        return parsed;
    }
    std::size_t index = 0;
    const char* first = parsed.data() + 1;
    const char* last = parsed.data() + parsed.size();
    const auto [end, error] = std::from_chars(first, last, index);
    if (error != std::errc{} || end != last || index >= m_Strings.size()) {
        return parsed;
    }
    return m_Strings[index];
}

}  // namespace klarwell::batch
