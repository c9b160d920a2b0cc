#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace klarwell::batch {

[[nodiscard]] bool IsWellFormedUtf8(std::string_view bytes);

// Appends `bytes` as a JSON string literal. A name is bytes, so every byte that is not part of
// well-formed UTF-8 is written as "\udcXX" (the surrogate-escape convention); the text stays valid
// JSON and the bytes can be recovered exactly.
void AppendJsonString(std::string& out, std::string_view bytes);
[[nodiscard]] std::string JsonString(std::string_view bytes);

// The JSON parser only takes well-formed UTF-8, so string literals whose bytes are not (an
// escaped "\udcXX" or a raw byte) are decoded here and stood in for by a placeholder the parser
// accepts. Resolve() turns a parsed string back into its bytes.
class RawStringTable {
public:
    // The JSON text with such literals replaced by placeholders.
    [[nodiscard]] std::string Prepare(std::string_view json);
    [[nodiscard]] std::string Resolve(const std::string& parsed) const;

private:
    std::vector<std::string> m_Strings;
};

// The bytes of the string literal at `json[start]` (a double quote) and the position after its
// closing quote; nothing when the literal is not one this reader can take (the JSON parser then
// reports it).
struct DecodedLiteral {
    std::string Bytes;
    std::size_t End = 0;
};
[[nodiscard]] std::optional<DecodedLiteral> DecodeStringLiteral(std::string_view json,
                                                                std::size_t start);

}  // namespace klarwell::batch
