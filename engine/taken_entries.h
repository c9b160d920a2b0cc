#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "engine/name_list.h"

namespace klarwell::engine {

// Which entries of the run's list a rename of this run gave its new name to. The list is read
// before the run, so such an entry now leads to a file that was already renamed. Entries are found
// by name through a table of list positions, so no name is copied.
class TakenEntries {
public:
    // Forgets every mark; `listed` must outlive the marks.
    void Reset(const NameList& listed);
    // Marks every entry that bears `name`.
    void Take(std::string_view name);
    [[nodiscard]] bool IsTaken(std::size_t position) const {
        return position < m_Taken.size() && m_Taken[position];
    }

private:
    void BuildTable();

    static inline const NameList kNothingListed;  // before the first run
    const NameList* m_Listed = &kNothingListed;
    std::vector<std::uint32_t> m_Slots;  // list position + 1 by name hash; 0 is a free slot
    std::vector<bool> m_Taken;
};

}  // namespace klarwell::engine
