#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

namespace klarwell::engine {

// File names, byte for byte, in one buffer with the end of each name beside it: a folder of a
// million names costs their bytes and four more each, not a heap object per name.
class NameList {
public:
    class Iterator {
    public:
        Iterator(const NameList& list, std::size_t index) : m_List(&list), m_Index(index) {}
        std::string_view operator*() const { return (*m_List)[m_Index]; }
        Iterator& operator++() {
            ++m_Index;
            return *this;
        }
        bool operator==(const Iterator&) const = default;

    private:
        const NameList* m_List;
        std::size_t m_Index;
    };
    using const_iterator = Iterator;  // lets a failing test print the names

    NameList() = default;
    NameList(std::initializer_list<std::string_view> names)
        : NameList(std::span(names.begin(), names.size())) {}
    template <class Names>
    explicit NameList(const Names& names) {
        for (const auto& name : names) {
            push_back(name);
        }
    }

    // Adds the name unless the list would pass 4 GiB, which the 32-bit ends cannot count.
    [[nodiscard]] std::error_code Add(std::string_view name) {
        if (m_Bytes.size() + name.size() > UINT32_MAX) {
            return std::make_error_code(std::errc::value_too_large);
        }
        push_back(name);
        return {};
    }
    void push_back(std::string_view name) {
        m_Bytes.append(name);
        m_Ends.push_back(static_cast<std::uint32_t>(m_Bytes.size()));
    }
    [[nodiscard]] std::size_t size() const { return m_Ends.size(); }
    [[nodiscard]] std::string_view operator[](std::size_t index) const {
        const std::size_t start = index == 0 ? 0 : m_Ends[index - 1];
        return {m_Bytes.data() + start, m_Ends[index] - start};
    }
    // The names at `positions`, in that order.
    [[nodiscard]] NameList Picked(std::span<const std::uint32_t> positions) const {
        NameList picked;
        // Room made once: growing by doubling would hold an old and a new copy of the bytes.
        picked.m_Ends.reserve(positions.size());
        picked.m_Bytes.reserve(m_Bytes.size());
        for (const std::uint32_t position : positions) {
            picked.push_back((*this)[position]);
        }
        return picked;
    }
    [[nodiscard]] Iterator begin() const { return {*this, 0}; }
    [[nodiscard]] Iterator end() const { return {*this, size()}; }

    bool operator==(const NameList&) const = default;

private:
    std::string m_Bytes;
    std::vector<std::uint32_t> m_Ends;
};

}  // namespace klarwell::engine
