#include "tools/batch/settings_json.h"

#include <cstddef>
#include <cstdint>
#include <limits>
#include <nlohmann/json.hpp>
#include <optional>

#include "tools/batch/json_text.h"

namespace klarwell::batch {

namespace {

using nlohmann::json;

class SettingsReader {
public:
    explicit SettingsReader(RawStringTable& table) : m_Table(table) {}

    [[nodiscard]] const std::string& Error() const { return m_Error; }

    bool Flag(const json& value, std::string_view key, bool& field) {
        if (!value.is_boolean()) {
            return Fail(std::string(key) + " must be true or false");
        }
        field = value.get<bool>();
        return true;
    }

    bool Text(const json& value, std::string_view key, std::string& field) {
        if (!value.is_string()) {
            return Fail(std::string(key) + " must be a text");
        }
        field = m_Table.Resolve(value.get_ref<const std::string&>());
        return true;
    }

    bool Whole(const json& value, std::string_view key, std::int64_t low, std::int64_t high,
               std::int64_t& field) {
        const std::string reason = std::string(key) + " must be a whole number from " +
                                   std::to_string(low) + " to " + std::to_string(high);
        if (!value.is_number_integer()) {
            return Fail(reason);
        }
        if (value.is_number_unsigned()) {
            const auto unsignedValue = value.get<std::uint64_t>();
            if (unsignedValue > static_cast<std::uint64_t>(high)) {
                return Fail(reason);
            }
            field = static_cast<std::int64_t>(unsignedValue);
            return true;
        }
        const auto signedValue = value.get<std::int64_t>();
        if (signedValue < low || signedValue > high) {
            return Fail(reason);
        }
        field = signedValue;
        return true;
    }

    bool Pair(const json& value, std::size_t index, engine::ReplacementPair& pair) {
        const std::string where = "Replacements[" + std::to_string(index) + "]";
        if (!value.is_object()) {
            return Fail(where + " must be an object with Enabled, Keyword and With");
        }
        for (const auto& [key, item] : value.items()) {
            bool ok = false;
            if (key == "Enabled") {
                ok = Flag(item, where + ".Enabled", pair.Enabled);
            } else if (key == "Keyword") {
                ok = Text(item, where + ".Keyword", pair.Keyword);
            } else if (key == "With") {
                ok = Text(item, where + ".With", pair.With);
            } else {
                ok = Fail(where + " has the unknown key " + JsonString(m_Table.Resolve(key)));
            }
            if (!ok) {
                return false;
            }
        }
        return true;
    }

    bool Pairs(const json& value, engine::CleanSettings& settings) {
        if (!value.is_array() || value.size() > settings.Replacements.size()) {
            return Fail("Replacements must be an array of at most " +
                        std::to_string(settings.Replacements.size()) + " pairs");
        }
        for (std::size_t i = 0; i < value.size(); ++i) {
            if (!Pair(value[i], i, settings.Replacements[i])) {
                return false;
            }
        }
        return true;
    }

    bool Names(const json& value, engine::NameList& names) {
        if (!value.is_array()) {
            return Fail("FileNames must be an array of texts");
        }
        for (std::size_t i = 0; i < value.size(); ++i) {
            const std::string where = "FileNames[" + std::to_string(i) + "]";
            std::string name;
            if (!Text(value[i], where, name)) {
                return false;
            }
            // A bare name only: anything else could rename a file outside the folder.
            if (name.find('/') != std::string::npos) {
                return Fail(where + " holds \"/\"");
            }
            if (name.find('\0') != std::string::npos) {
                return Fail(where + " holds a NUL character");
            }
            names.push_back(name);
        }
        return true;
    }

    bool Setting(const std::string& key, const json& value, SettingsReading& reading) {
        engine::CleanSettings& s = reading.Settings;
        if (key == "RemoveLeadingDigits") {
            return Flag(value, key, s.RemoveLeadingDigits);
        }
        if (key == "RemoveTrailingDigits") {
            return Flag(value, key, s.RemoveTrailingDigits);
        }
        if (key == "AddPrefix") {
            return Flag(value, key, s.AddPrefix);
        }
        if (key == "Prefix") {
            return Text(value, key, s.Prefix);
        }
        if (key == "AddSuffix") {
            return Flag(value, key, s.AddSuffix);
        }
        if (key == "Suffix") {
            return Text(value, key, s.Suffix);
        }
        if (key == "DiscardOriginalNames") {
            return Flag(value, key, s.DiscardOriginalNames);
        }
        if (key == "Replacements") {
            return Pairs(value, s);
        }
        if (key == "IndexNumbering") {
            return Flag(value, key, s.IndexNumbering);
        }
        std::int64_t number = 0;
        if (key == "SpaceMode") {
            const bool ok = Whole(value, key, 0, 3, number);
            s.SpaceMode = static_cast<engine::SpaceUnderscoreMode>(number);
            return ok;
        }
        if (key == "FileCountChars") {
            // The window keeps the digit count in 16 bits.
            const bool ok = Whole(value, key, std::numeric_limits<std::int16_t>::min(),
                                  std::numeric_limits<std::int16_t>::max(), number);
            s.FileCountChars = static_cast<int>(number);
            return ok;
        }
        if (key == "FirstIndex") {
            // The offset, first index minus one, must fit 32 bits as well.
            const bool ok = Whole(value, key, std::numeric_limits<std::int32_t>::min() + 1,
                                  std::numeric_limits<std::int32_t>::max(), number);
            s.FirstIndex = static_cast<std::int32_t>(number);
            return ok;
        }
        if (key == "FileNames") {
            reading.HasFileNames = true;
            return Names(value, s.FileNames);
        }
        return Fail("unknown setting " + JsonString(m_Table.Resolve(key)));
    }

private:
    bool Fail(std::string reason) {
        m_Error = "settings: " + std::move(reason);
        return false;
    }

    RawStringTable& m_Table;
    std::string m_Error;
};

}  // namespace

SettingsReading ReadSettings(std::string_view text) {
    SettingsReading reading;
    RawStringTable table;
    // Parsed without exceptions: a text that is not JSON comes back discarded.
    const json root = json::parse(table.Prepare(text), nullptr, false);
    if (root.is_discarded()) {
        reading.Error = "settings: not valid JSON";
        return reading;
    }
    if (!root.is_object()) {
        reading.Error = "settings: must be one JSON object";
        return reading;
    }
    SettingsReader reader(table);
    for (const auto& [key, value] : root.items()) {
        if (!reader.Setting(key, value, reading)) {
            reading.Error = reader.Error();
            return reading;
        }
    }
    return reading;
}

}  // namespace klarwell::batch
