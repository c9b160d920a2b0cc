#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include "progressbar/pixel_surface.h"

namespace klarwell::progressbar {

// The container's store of named values. Names match without regard to letter case; a write whose
// value equals its default stores nothing (and forgets an earlier value), a read of an absent name
// yields the default.
class PropertyStore {
public:
    using Value = std::variant<std::int32_t, bool, Picture>;

    // Whether two names stand for the same property.
    [[nodiscard]] static bool SameName(std::string_view a, std::string_view b);

    void WriteProperty(std::string_view name, const Value& value, const Value& defaultValue);

    // Typed reads: a stored value of another kind converts as the container would (True is -1,
    // any non-zero number is True, a number is no picture).
    [[nodiscard]] std::int32_t ReadInt(std::string_view name, std::int32_t defaultValue) const;
    [[nodiscard]] bool ReadBool(std::string_view name, bool defaultValue) const;
    [[nodiscard]] Picture ReadPicture(std::string_view name) const;

    [[nodiscard]] bool Contains(std::string_view name) const { return Find(name).has_value(); }
    [[nodiscard]] std::size_t Count() const { return m_Values.size(); }

private:
    static std::string Key(std::string_view name);
    [[nodiscard]] std::optional<Value> Find(std::string_view name) const;

    std::map<std::string, Value> m_Values;
};

}  // namespace klarwell::progressbar
