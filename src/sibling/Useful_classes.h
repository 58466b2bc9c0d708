#pragma once
// Small container classes of the suite.

#include "framework/rtl/Exceptions.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace sibling {

// A list of unsigned 32-bit values in the order they were added, until it is sorted.
class TCardinalList {
public:
    int Count() const { return static_cast<int>(m_items.size()); }
    // Raises EListError for an index off the list.
    std::uint32_t Items(int Index) const {
        if (Index < 0 || Index >= Count())
            throw framework::EListError("List index out of bounds (" + std::to_string(Index) + ")");
        return m_items[static_cast<std::size_t>(Index)];
    }
    // Answers the index of the new value.
    int AddOne(std::uint32_t Value) {
        m_items.push_back(Value);
        return Count() - 1;
    }
    void SortAscendingDefault() { std::sort(m_items.begin(), m_items.end()); }
    void Clear() { m_items.clear(); }
    const std::vector<std::uint32_t>& Values() const { return m_items; }

private:
    std::vector<std::uint32_t> m_items;
};

}  // namespace sibling
