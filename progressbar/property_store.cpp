#include "progressbar/property_store.h"

namespace klarwell::progressbar {

std::string PropertyStore::Key(std::string_view name) {
    std::string key(name);
    for (char& c : key) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return key;
}

void PropertyStore::WriteProperty(std::string_view name, const Value& value,
                                  const Value& defaultValue) {
    if (value == defaultValue) {
        m_Values.erase(Key(name));
        return;
    }
    m_Values.insert_or_assign(Key(name), value);
}

bool PropertyStore::SameName(std::string_view a, std::string_view b) {
    return Key(a) == Key(b);
}

std::optional<PropertyStore::Value> PropertyStore::Find(std::string_view name) const {
    const auto found = m_Values.find(Key(name));
    if (found == m_Values.end()) {
        return std::nullopt;
    }
    return found->second;
}

std::int32_t PropertyStore::ReadInt(std::string_view name, std::int32_t defaultValue) const {
    const std::optional<Value> value = Find(name);
    if (!value) {
        return defaultValue;
    }
    if (const auto* number = std::get_if<std::int32_t>(&*value)) {
        return *number;
    }
    if (const auto* flag = std::get_if<bool>(&*value)) {
        return *flag ? -1 : 0;
    }
    return defaultValue;
}

bool PropertyStore::ReadBool(std::string_view name, bool defaultValue) const {
    const std::optional<Value> value = Find(name);
    if (!value) {
        return defaultValue;
    }
    if (const auto* flag = std::get_if<bool>(&*value)) {
        return *flag;
    }
    if (const auto* number = std::get_if<std::int32_t>(&*value)) {
        return *number != 0;
    }
    return defaultValue;
}

Picture PropertyStore::ReadPicture(std::string_view name) const {
    const std::optional<Value> value = Find(name);
    if (!value) {
        return nullptr;
    }
    if (const auto* picture = std::get_if<Picture>(&*value)) {
        return *picture;
    }
    return nullptr;
}

}  // namespace klarwell::progressbar
