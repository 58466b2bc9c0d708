#pragma once
// Case-insensitive lookup of names kept in a vector (ini sections, keys of a large section):
// an open-addressing table of (hash, position) pairs, at most half full so that a name that is
// not there is soon known not to be. The vector keeps the order for writing;
// the table only finds positions, so the vector may grow and move freely.

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string_view>
#include <vector>

namespace framework::inifiles_detail {

// Whether a and b, the same up to From, are the same case-folded text from there on.
bool SameFoldedFrom(std::string_view a, std::string_view b, std::size_t From);

// Names are short and mostly plain ASCII: they are compared and hashed eight bytes at a time,
// by helpers small enough to be worth inlining wherever a name is looked at.
inline constexpr std::uint64_t kOnes = 0x0101010101010101ull;
inline constexpr std::uint64_t kHigh = 0x8080808080808080ull;

// A word made only of bytes of p[0, n) that holds every one of them, 1 <= n <= 8. Two texts of
// the same length give words whose bytes correspond position by position.
[[gnu::always_inline]] inline std::uint64_t CoveringWord(const char* p, std::size_t n) {
    if (n >= 4) {
        std::uint32_t lo, hi;
        std::memcpy(&lo, p, 4);
        std::memcpy(&hi, p + n - 4, 4);
        return lo | std::uint64_t{hi} << 32;
    }
    const auto byte = [p](std::size_t i) { return std::uint64_t{static_cast<unsigned char>(p[i])}; };
    const std::uint64_t w = byte(0) | byte(n / 2) << 8 | byte(n - 1) << 16 | byte(0) << 24;
    return w | w << 32;
}
[[gnu::always_inline]] inline std::uint64_t Word(const char* p) {
    std::uint64_t w;
    std::memcpy(&w, p, 8);
    return w;
}
// ASCII lower-case letters of an ASCII word upper-cased.
[[gnu::always_inline]] inline std::uint64_t UpperAscii(std::uint64_t w) {
    const std::uint64_t atLeastA = w + (0x80 - 'a') * kOnes;
    const std::uint64_t aboveZ = w + (0x80 - 'z' - 1) * kOnes;
    return w ^ (((atLeastA & ~aboveZ) & kHigh) >> 2);
}
// 1 when two words hold the same ASCII text but for the case of letters, 0 when they do not,
// -1 when either holds bytes outside ASCII.
[[gnu::always_inline]] inline int CompareWords(std::uint64_t x, std::uint64_t y) {
    if (x == y)
        return 1;
    if ((x | y) & kHigh)
        return -1;
    return UpperAscii(x) == UpperAscii(y) ? 1 : 0;
}

// Equality and hash that agree: the same byte length and the same case-folded text. Names
// are compared a word at a time: at 0, 8, 16... and a last word that may overlap the one
// before it.
[[gnu::always_inline]] inline bool SameName(std::string_view a, std::string_view b) {
    const std::size_t n = a.size();
    if (n != b.size())
        return false;
    if (n == 0)
        return true;
    int same;
    if (n <= 8) {
        same = CompareWords(CoveringWord(a.data(), n), CoveringWord(b.data(), n));
    } else {
        same = 1;
        for (std::size_t i = 0; i + 8 < n && same == 1; i += 8)
            same = CompareWords(Word(a.data() + i), Word(b.data() + i));
        if (same == 1)
            same = CompareWords(Word(a.data() + n - 8), Word(b.data() + n - 8));
    }
    return same < 0 ? SameFoldedFrom(a, b, 0) : same == 1;
}
std::size_t HashName(std::string_view s);

// A summary that names SameName takes as equal share: the first eight bytes upper-cased for a
// plain ASCII name, 0 for any other. Cheap to compare, and for an ASCII name of up to eight
// bytes it is the whole name.
[[gnu::always_inline]] inline std::uint64_t NameTag(std::string_view s) {
    const std::size_t n = s.size();
    if (n == 0)
        return 1;
    if (n <= 8) {
        const std::uint64_t w = CoveringWord(s.data(), n);
        return (w & kHigh) ? 0 : UpperAscii(w);
    }
    std::uint64_t any = 0;
    for (std::size_t i = 0; i + 8 < n; i += 8)
        any |= Word(s.data() + i);
    any |= Word(s.data() + n - 8);
    return (any & kHigh) ? 0 : UpperAscii(Word(s.data()));
}
// Whether names of this tag and length are equal when their tags are.
[[gnu::always_inline]] inline bool TagIsName(std::uint64_t tag, std::size_t length) {
    return length <= 8 && tag != 0;
}

class NameIndex {
public:
    // The position of the name, or -1. NameAt(position) gives the name stored there.
    template <class NameAt> int Find(std::string_view name, std::size_t hash, const NameAt& nameAt) const {
        if (m_slots.empty())
            return -1;
        const std::size_t mask = m_slots.size() - 1;
        const auto h32 = static_cast<std::uint32_t>(hash);
        for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
            const Slot& s = m_slots[i];
            if (s.Position < 0)
                return -1;
            if (s.Hash == h32 && SameName(nameAt(s.Position), name))
                return s.Position;
        }
    }
    // The position of the name when it is there; otherwise Position is recorded for it and
    // -1 is the answer. One probe instead of a lookup and then an addition.
    template <class NameAt>
    int FindOrAdd(std::string_view name, std::size_t hash, int position, const NameAt& nameAt) {
        if ((m_used + 1) * 2 > m_slots.size())
            Grow();
        const std::size_t mask = m_slots.size() - 1;
        const auto h32 = static_cast<std::uint32_t>(hash);
        for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
            Slot& s = m_slots[i];
            if (s.Position < 0) {
                s = Slot{h32, position};
                ++m_used;
                return -1;
            }
            if (s.Hash == h32 && SameName(nameAt(s.Position), name))
                return s.Position;
        }
    }
    // Records a position for a name not yet in the table.
    void Add(std::size_t hash, int position) {
        if ((m_used + 1) * 2 > m_slots.size())
            Grow();
        Place(Slot{static_cast<std::uint32_t>(hash), position});
        ++m_used;
    }
    // Asks for the slot a name of this hash is looked for first, ahead of the lookup.
    void Prefetch(std::size_t hash) const {
        if (!m_slots.empty())
            __builtin_prefetch(&m_slots[hash & (m_slots.size() - 1)]);
    }
    std::size_t RoomBytes() const { return m_slots.capacity() * sizeof(Slot); }
    void Clear() {
        m_slots.clear();
        m_used = 0;
    }
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
    void Grow() { Rehash(m_slots.empty() ? 16 : m_slots.size() * 2); }
    void Rehash(std::size_t size) {
        if (m_used == 0) {
            m_slots.assign(size, Slot{});  // in the room there is, when it is enough
            return;
        }
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
