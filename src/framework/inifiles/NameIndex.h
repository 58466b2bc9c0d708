#pragma once
// Case-insensitive lookup of names kept in a vector (ini sections, keys of a large section):
// an open-addressing table of (hash, position) pairs, at most half full so that a name that is
// not there is soon known not to be. The vector keeps the order for writing; the table only
// finds positions, so the vector may grow and move freely.

#include <cstdint>
#include <string_view>
#include <vector>

namespace framework::inifiles_detail {

// Whether two names are the same but for case: the same byte length and the same text once
// letters are upper-cased (outside ASCII as far as the framework's case tables go).
bool SameName(std::string_view a, std::string_view b);
// A hash that agrees with SameName.
std::uint32_t HashName(std::string_view s);

class NameIndex {
public:
    // The position of the name, or -1. NameAt(position) gives the name stored there.
    template <class NameAt> int Find(std::string_view name, std::uint32_t hash, const NameAt& nameAt) const {
        if (m_slots.empty())
            return -1;
        const std::size_t mask = m_slots.size() - 1;
        for (std::size_t i = hash & mask; m_slots[i].Position >= 0; i = (i + 1) & mask)
            if (m_slots[i].Hash == hash && SameName(nameAt(m_slots[i].Position), name))
                return m_slots[i].Position;
        return -1;
    }
    // Records a position for a name not yet in the table.
    void Add(std::uint32_t hash, int position) {
        if ((m_used + 1) * 2 > m_slots.size())
            Rehash(m_slots.empty() ? 16 : m_slots.size() * 2);
        Place(Slot{hash, position});
        ++m_used;
    }
    void Clear() {
        m_slots.clear();
        m_used = 0;
    }
    // Room for Count names without growing.
    void Reserve(std::size_t count) {
        std::size_t size = m_slots.empty() ? 16 : m_slots.size();
        while ((count + 1) * 2 > size)
            size *= 2;
        if (size > m_slots.size())
            Rehash(size);
    }

private:
    struct Slot {
        std::uint32_t Hash = 0;
        std::int32_t Position = -1;
    };
    void Place(Slot slot) {
        const std::size_t mask = m_slots.size() - 1;
        std::size_t i = slot.Hash & mask;
        while (m_slots[i].Position >= 0)
            i = (i + 1) & mask;
        m_slots[i] = slot;
    }
    void Rehash(std::size_t size) {
        std::vector<Slot> old = std::move(m_slots);
        m_slots.assign(size, Slot{});
        for (const Slot& s : old)
            if (s.Position >= 0)
                Place(s);
    }

    std::vector<Slot> m_slots;
    std::size_t m_used = 0;
};

}  // namespace framework::inifiles_detail
