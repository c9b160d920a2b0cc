#include "engine/taken_entries.h"

#include <bit>
#include <functional>

namespace klarwell::engine {

void TakenEntries::Reset(const NameList& listed) {
    m_Listed = &listed;
    m_Slots.clear();
    m_Taken.clear();
}

// Made at the first rename only, so that a run that renames nothing costs nothing.
void TakenEntries::BuildTable() {
    m_Taken.assign(m_Listed->size(), false);
    // At most half full, so that a search meets a free slot soon.
    m_Slots.assign(std::bit_ceil(2 * m_Listed->size() + 2), 0);
    const std::size_t mask = m_Slots.size() - 1;
    for (std::size_t position = 0; position < m_Listed->size(); ++position) {
        std::size_t slot = std::hash<std::string_view>{}((*m_Listed)[position]) & mask;
        while (m_Slots[slot] != 0) {
            slot = (slot + 1) & mask;
        }
        m_Slots[slot] = static_cast<std::uint32_t>(position + 1);
    }
}

void TakenEntries::Take(std::string_view name) {
    if (m_Slots.empty()) {
        BuildTable();
    }
    const std::size_t mask = m_Slots.size() - 1;
    for (std::size_t slot = std::hash<std::string_view>{}(name)&mask; m_Slots[slot] != 0;
         slot = (slot + 1) & mask) {
        const std::size_t position = m_Slots[slot] - 1;
        if ((*m_Listed)[position] == name) {
            m_Taken[position] = true;
        }
    }
}

}  // namespace klarwell::engine
