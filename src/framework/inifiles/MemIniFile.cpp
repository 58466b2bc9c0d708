#include "framework/inifiles/MemIniFile.h"

#include "framework/classes/Strings.h"
#include "framework/classes/TypInfo.h"
#include "framework/inifiles/NameIndex.h"
#include "framework/platform/Platform.h"
#include "framework/rtl/Exceptions.h"
#include "framework/rtl/StrUtils.h"
#include "framework/rtl/Unicode.h"

#include <algorithm>
#include <atomic>
#include <bit>
#include <cerrno>
#include <cstring>
#include <mutex>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace framework {

using inifiles_detail::HashName;
using inifiles_detail::Line;
using inifiles_detail::NameIndex;
using inifiles_detail::NameTag;
using inifiles_detail::SameName;
using inifiles_detail::Span;
using inifiles_detail::TagIsName;

namespace {

// A section's keys are searched one by one up to this many; beyond it a section keeps an index.
constexpr std::size_t kLinearKeys = 12;

bool IsBlank(char c) { return static_cast<unsigned char>(c) <= ' '; }

using inifiles_detail::CoveringWord;
using inifiles_detail::kHigh;
using inifiles_detail::kOnes;
using inifiles_detail::Word;

// Whether Test holds for some word of s, the words taken as SameName takes them: eight bytes at
// a time, the last word overlapping the one before it.
template <class Test> bool AnyWord(std::string_view s, const Test& test) {
    const std::size_t n = s.size();
    if (n == 0)
        return false;
    if (n <= 8)
        return test(CoveringWord(s.data(), n));
    for (std::size_t i = 0; i + 8 < n; i += 8)
        if (test(Word(s.data() + i)))
            return true;
    return test(Word(s.data() + n - 8));
}

// Whether some byte of the word is c.
constexpr bool HasByte(std::uint64_t w, unsigned char c) {
    const std::uint64_t v = w ^ (c * kOnes);
    return ((v - kOnes) & ~v & kHigh) != 0;
}

bool HasHighBytes(std::string_view s) {
#if defined(__SSE2__)
    // A whole file is looked at 64 bytes at a time: the top bits of four loads together.
    const auto load = [&s](std::size_t at) {
        return _mm_loadu_si128(reinterpret_cast<const __m128i*>(s.data() + at));
    };
    for (; s.size() >= 64; s.remove_prefix(64))
        if (_mm_movemask_epi8(
                _mm_or_si128(_mm_or_si128(load(0), load(16)), _mm_or_si128(load(32), load(48)))))
            return true;
#endif
    return AnyWord(s, [](std::uint64_t w) { return (w & kHigh) != 0; });
}

// Where the lines of a text end and where it holds '=', one bit per byte and 64 bytes to a
// word, with the number of line ends and of '['. The text is looked at once, sixteen bytes at
// a time; the parse then finds line ends and the '=' of a line by scanning bits, not bytes.
class TextMarks {
public:
    // Line ends are LF and CR: a CR LF pair ends a line and an empty one, and empty lines are
    // dropped anyway.
    void Mark(std::string_view text) {
        m_size = text.size();
        const std::size_t blocks = (m_size + 63) / 64;
        m_ends.resize(blocks);
        m_equals.resize(blocks);
        Counter ends, brackets;
        HighBits high;
        std::size_t b = 0;
        for (; (b + 1) * 64 <= m_size; ++b)
            MarkBlock(text.data() + b * 64, b, ends, brackets, high);
        if (b < blocks) {
            // The last, partial block from a copy padded with NUL, which marks nothing.
            char tail[64] = {};
            std::memcpy(tail, text.data() + b * 64, m_size - b * 64);
            MarkBlock(tail, b, ends, brackets, high);
        }
        LineEnds = ends.Total();
        Brackets = brackets.Total();
        HighBytes = high.Any();
    }
    // The first line end at or after From (< the text's size), or the text's size.
    std::size_t NextEnd(std::size_t From) const {
        std::size_t block = From / 64;
        std::uint64_t bits = m_ends[block] & (~std::uint64_t{0} << (From % 64));
        while (bits == 0) {
            if (++block == m_ends.size())
                return m_size;
            bits = m_ends[block];
        }
        return block * 64 + static_cast<std::size_t>(std::countr_zero(bits));
    }
    // The first '=' in [From, Stop), or Stop; From < Stop <= the text's size.
    std::size_t FirstEquals(std::size_t From, std::size_t Stop) const {
        std::size_t block = From / 64;
        std::uint64_t bits = m_equals[block] & (~std::uint64_t{0} << (From % 64));
        while (bits == 0) {
            if (++block * 64 >= Stop)
                return Stop;
            bits = m_equals[block];
        }
        return std::min(Stop, block * 64 + static_cast<std::size_t>(std::countr_zero(bits)));
    }
    std::size_t RoomBytes() const { return (m_ends.capacity() + m_equals.capacity()) * 8; }
    void Clear() {
        m_ends.clear();
        m_equals.clear();
        m_size = 0;
    }

    std::size_t LineEnds = 0;
    std::size_t Brackets = 0;
    bool HighBytes = false;  // whether some byte is above 0x7F

private:
#if defined(__SSE2__)
    // Counts matches per byte lane (a match compares as -1); the lanes are added up before
    // any of them can wrap.
    class Counter {
    public:
        void Add(__m128i matches) {
            m_lanes = _mm_sub_epi8(m_lanes, matches);
            if (++m_rounds == 255)
                Flush();
        }
        std::size_t Total() {
            Flush();
            return m_total;
        }

    private:
        void Flush() {
            const __m128i halves = _mm_sad_epu8(m_lanes, _mm_setzero_si128());
            m_total += static_cast<std::size_t>(_mm_cvtsi128_si64(halves) +
                                                _mm_cvtsi128_si64(_mm_srli_si128(halves, 8)));
            m_lanes = _mm_setzero_si128();
            m_rounds = 0;
        }
        __m128i m_lanes = _mm_setzero_si128();
        int m_rounds = 0;
        std::size_t m_total = 0;
    };

    // The top bits of all bytes seen.
    class HighBits {
    public:
        void Add(__m128i bytes) { m_bits = _mm_or_si128(m_bits, bytes); }
        bool Any() const { return _mm_movemask_epi8(m_bits) != 0; }

    private:
        __m128i m_bits = _mm_setzero_si128();
    };

    void MarkBlock(const char* p, std::size_t block, Counter& endCount, Counter& bracketCount,
                   HighBits& high) {
        std::uint64_t ends = 0, equals = 0;
        for (int part = 0; part < 4; ++part) {
            const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 16 * part));
            high.Add(bytes);
            const auto matches = [&bytes](char c) { return _mm_cmpeq_epi8(bytes, _mm_set1_epi8(c)); };
            const __m128i end = _mm_or_si128(matches('\n'), matches('\r'));
            endCount.Add(end);
            bracketCount.Add(matches('['));
            const int shift = 16 * part;
            ends |= std::uint64_t{static_cast<unsigned>(_mm_movemask_epi8(end))} << shift;
            equals |= std::uint64_t{static_cast<unsigned>(_mm_movemask_epi8(matches('=')))} << shift;
        }
        m_ends[block] = ends;
        m_equals[block] = equals;
    }
#else
    struct Counter {
        std::size_t Count = 0;
        std::size_t Total() const { return Count; }
    };

    struct HighBits {
        unsigned char Bits = 0;
        bool Any() const { return Bits & 0x80; }
    };

    void MarkBlock(const char* p, std::size_t block, Counter& endCount, Counter& bracketCount,
                   HighBits& high) {
        std::uint64_t ends = 0, equals = 0;
        for (int i = 0; i < 64; ++i) {
            high.Bits |= static_cast<unsigned char>(p[i]);
            const bool end = p[i] == '\n' || p[i] == '\r';
            endCount.Count += end;
            bracketCount.Count += p[i] == '[';
            ends |= std::uint64_t{end} << i;
            equals |= std::uint64_t{p[i] == '='} << i;
        }
        m_ends[block] = ends;
        m_equals[block] = equals;
    }
#endif

    std::vector<std::uint64_t> m_ends, m_equals;
    std::size_t m_size = 0;
};

// Text as it will be stored: ill-formed UTF-8 repaired now, so memory, file and a fresh load agree.
// Repaired is where a repaired copy goes.
std::string_view Stored(std::string_view s, std::string& repaired) {
    if (!HasHighBytes(s))
        return s;
    repaired = Utf8Repair(s);
    return repaired;
}

[[noreturn]] void Refuse(std::string_view what, std::string_view name, std::string_view why) {
    throw EIniFileException("Cannot write ini " + std::string(what) + " \"" + std::string(name) +
                            "\": " + std::string(why));
}

bool LineBreakOrNul(std::uint64_t w) { return HasByte(w, '\0') || HasByte(w, '\n') || HasByte(w, '\r'); }

bool HasLineBreakOrNul(std::string_view s) { return AnyWord(s, LineBreakOrNul); }

// Whether some byte of the word is below 0x0E: line breaks and NUL are, and few others.
constexpr bool HasLowByte(std::uint64_t w) { return ((w - 0x0E * kOnes) & ~w & kHigh) != 0; }

// Whether the name has bytes above 0x7F, found in the same look.
bool CheckSectionName(std::string_view name) {
    // Most names are fine: one look at every word tells.
    std::uint64_t any = 0;
    const bool suspect = AnyWord(name, [&any](std::uint64_t w) {
        any |= w;
        return HasLowByte(w) || HasByte(w, ']');
    });
    if (!suspect && (name.empty() || (!IsBlank(name.front()) && !IsBlank(name.back()))))
        return (any & kHigh) != 0;
    if (HasLineBreakOrNul(name))
        Refuse("section", name, "it contains a line break or NUL");
    if (name.find(']') != name.npos)
        Refuse("section", name, "it contains ']'");
    if (!name.empty() && (IsBlank(name.front()) || IsBlank(name.back())))
        Refuse("section", name, "it starts or ends with a blank");
    return HasHighBytes(name);
}

// Why the key cannot be written, or null when it can.
// Plain is set when the key is fine and plain ASCII, which most keys are.
const char* KeyFault(std::string_view key, bool& plain) {
    // One look at every word tells.
    std::uint64_t any = 0;
    const bool suspect = AnyWord(key, [&any](std::uint64_t w) {
        any |= w;
        return HasLowByte(w) || HasByte(w, '=');
    });
    plain = !suspect && !(any & kHigh);
    if (!suspect && !key.empty() && !IsBlank(key.front()) && !IsBlank(key.back()) && key.front() != ';' &&
        key.front() != '[')
        return nullptr;
    if (HasLineBreakOrNul(key))
        return "it contains a line break or NUL";
    if (key.find('=') != key.npos)
        return "it contains '='";
    if (!key.empty() && (IsBlank(key.front()) || IsBlank(key.back())))
        return "it starts or ends with a blank";
    if (!key.empty() && (key.front() == ';' || key.front() == '['))
        return "it starts with ';' or '['";
    return nullptr;
}

std::string KeyInSection(std::string_view section, std::string_view key) {
    return std::string(key) + "\" in section \"" + std::string(section);
}

// Whether the key is plain ASCII, found in the same look.
bool CheckKeyName(std::string_view section, std::string_view key) {
    bool plain = false;
    if (const char* fault = KeyFault(key, plain))
        Refuse("key", KeyInSection(section, key), fault);
    return plain;
}

// Whether the value has bytes above 0x7F, found in the same look.
bool CheckValue(std::string_view section, std::string_view key, std::string_view value) {
    std::uint64_t low = 0, any = 0;
    AnyWord(value, [&](std::uint64_t w) {
        low |= (w - 0x0E * kOnes) & ~w;
        any |= w;
        return false;
    });
    if ((low & kHigh) && HasLineBreakOrNul(value))
        Refuse("value", KeyInSection(section, key), "it contains a line break or NUL");
    return (any & kHigh) != 0;
}

}  // namespace

namespace inifiles_detail {

namespace {

// The hash of a name with letters outside ASCII: over its upper-cased code points.
// Out of line, so that the common hash saves fewer registers.
[[gnu::noinline]] std::size_t HashFolded(std::string_view s) {
    std::uint64_t h = 1469598103934665603ull;
    for (std::size_t i = 0; i < s.size();)
        h = (h ^ UnicodeToUpper(Utf8Decode(s, i))) * 1099511628211ull;
    return static_cast<std::size_t>(h ^ (h >> 32));
}

}  // namespace

bool SameFoldedFrom(std::string_view a, std::string_view b, std::size_t From) {
    for (std::size_t i = From; i < a.size(); ++i) {
        auto x = static_cast<unsigned char>(a[i]), y = static_cast<unsigned char>(b[i]);
        if ((x | y) >= 0x80) {
            // Letters outside ASCII: compare code point by code point from here, starting at
            // the beginning of the character that holds byte i.
            std::size_t p = i, q = i;
            while (p > 0 && (static_cast<unsigned char>(a[p]) & 0xC0) == 0x80)
                --p;
            q = p;
            while (p < a.size() && q < b.size())
                if (UnicodeToUpper(Utf8Decode(a, p)) != UnicodeToUpper(Utf8Decode(b, q)))
                    return false;
            return p == a.size() && q == b.size();
        }
        if (x != y && ((x | 0x20) != (y | 0x20) || (x | 0x20) < 'a' || (x | 0x20) > 'z'))
            return false;
    }
    return true;
}

std::size_t HashName(std::string_view s) {
    constexpr std::uint64_t kPrime = 0x9E3779B97F4A7C15ull;
    const std::size_t n = s.size();
    std::uint64_t h = n * kPrime, any = 0;
    // In the words SameName compares, upper-cased: right for plain ASCII, which nearly every
    // name is; any other is hashed over its code points.
    const auto mix = [&](std::uint64_t word) {
        any |= word;
        h = (h ^ UpperAscii(word)) * kPrime;
        h ^= h >> 29;
    };
    if (n > 8) {
        for (std::size_t i = 0; i + 8 < n; i += 8)
            mix(Word(s.data() + i));
        mix(Word(s.data() + n - 8));
    } else if (n > 0) {
        mix(CoveringWord(s.data(), n));
    }
    if (any & kHigh)
        return HashFolded(s);
    // Every bit of the names reaches the low bits, which pick the slot.
    h = (h ^ (h >> 33)) * 0xFF51AFD7ED558CCDull;
    return static_cast<std::size_t>(h ^ (h >> 33));
}

}  // namespace inifiles_detail

// Text that grows at its end, a piece at a time: an append is a copy and little more, and room
// for a piece can be asked for and filled in place.
class TextBuffer {
public:
    const char* data() const { return m_data.get(); }
    std::size_t size() const { return m_size; }
    std::size_t capacity() const { return m_capacity; }
    void clear() { m_size = 0; }
    // Takes Bytes off the end.
    void Drop(std::size_t bytes) { m_size -= std::min(bytes, m_size); }
    void reserve(std::size_t bytes) {
        if (bytes > m_capacity)
            Regrow(bytes);
    }
    // Bytes more at the end, for the caller to fill.
    [[gnu::always_inline]] char* Extend(std::size_t bytes) {
        if (bytes > m_capacity - m_size) [[unlikely]]
            Regrow(std::max({m_size + bytes, 2 * m_capacity, std::size_t{4096}}));
        char* at = m_data.get() + m_size;
        m_size += bytes;
        return at;
    }
    void Append(std::string_view piece) { Copy(Extend(piece.size()), piece); }
    // Copies Piece to To: short pieces, as most names and values are, in a few moves.
    [[gnu::always_inline]] static void Copy(char* To, std::string_view Piece) {
        const char* from = Piece.data();
        const std::size_t n = Piece.size();
        if (n >= 8 && n <= 16) {
            std::uint64_t head, tail;
            std::memcpy(&head, from, 8);
            std::memcpy(&tail, from + n - 8, 8);
            std::memcpy(To, &head, 8);
            std::memcpy(To + n - 8, &tail, 8);
        } else if (n >= 4 && n < 8) {
            std::uint32_t head, tail;
            std::memcpy(&head, from, 4);
            std::memcpy(&tail, from + n - 4, 4);
            std::memcpy(To, &head, 4);
            std::memcpy(To + n - 4, &tail, 4);
        } else if (n > 16) {
            std::memcpy(To, from, n);
        } else {
            for (std::size_t i = 0; i < n; ++i)
                To[i] = from[i];
        }
    }

private:
    [[gnu::noinline]] void Regrow(std::size_t capacity) {
        auto grown = std::make_unique_for_overwrite<char[]>(capacity);
        if (m_size > 0)
            std::memcpy(grown.get(), m_data.get(), m_size);
        m_data = std::move(grown);
        m_capacity = capacity;
    }
    std::unique_ptr<char[]> m_data;
    std::size_t m_size = 0;
    std::size_t m_capacity = 0;
};

struct IniSection {
    Span Name;
    int First = -1;
    int Last = -1;
    int Count = 0;
    std::unique_ptr<NameIndex> Keys;  // once the section has more than kLinearKeys keys
    bool NameChecked = false;         // a name in any spelling of it may be written
    bool Merged = false;              // a repeat of an earlier section, while a load merges it
};

// Every line of every section sits in one vector, each section chaining its own, and every
// text written since the load sits in one string: a file of thousands of small sections costs
// a few allocations rather than thousands.
struct TMemIniFile::Store {
    std::string Text;                // the loaded text
    TextBuffer Written;              // texts written since, one after the other
    std::size_t WrittenGarbage = 0;  // bytes of Written that no line uses any more
    std::vector<Line> Lines;
    std::size_t DeadLines = 0;  // removed lines still taking room in Lines
    std::vector<IniSection> Sections;
    NameIndex Index;                        // sections by name
    TextMarks Marks;                        // of Text, while it is parsed
    std::vector<std::size_t> LoadedHashes;  // of the sections' names, while Text is parsed
    // Readers mostly ask for one section several times, then for the next one in the file.
    mutable std::atomic<int> LastFound{-1};

    // A fresh ini written one section after another, each key once, as a save of a whole form
    // writes it, is kept as the file text itself: Written grows by "Key=Value" lines and is
    // written out as it stands. Sections and Index are kept as usual, so sections are found;
    // anything that needs more turns the text into lines first (Structure).
    std::atomic<bool> Appending{true};
    std::mutex Structuring;  // readers of a shared const ini may structure it at the same time
    struct AppendedKey {
        std::uint64_t Tag = 0;
        Span Key;
    };
    std::vector<AppendedKey> CurrentKeys;  // of the last section, while appending

    // Replaces the content with the ini text.
    void Load(std::string text);
    [[gnu::always_inline]] void Structure() {
        if (Appending.load(std::memory_order_acquire)) [[unlikely]]
            StructureText();
    }
    [[gnu::noinline]] void StructureText() {
        const std::lock_guard<std::mutex> lock(Structuring);
        if (Appending.load(std::memory_order_relaxed))
            Load(std::string(Written.data(), Written.size()));
    }
    // Appends Key=Value as a new key of the section named Name, whose position is S or -1 when
    // Guess did not find it; all three texts as they are stored. False, with nothing changed,
    // when that cannot be done by appending: the section is an earlier one, the key is there
    // already, or the value has blanks at its ends (kept in memory, but a load of the text
    // would trim them).
    [[gnu::always_inline]] bool TryAppend(std::string_view name, int s, std::string_view key,
                                          std::string_view value) {
        if (!value.empty() && (IsBlank(value.front()) || IsBlank(value.back())))
            return false;
        const int last = static_cast<int>(Sections.size()) - 1;
        std::size_t hash = 0;
        if (s < 0) {
            hash = HashName(name);
            s = FindHashed(name, hash);
        }
        if (s >= 0 && s != last)
            return false;
        const std::uint64_t tag = NameTag(key);
        if (s >= 0) {
            const bool tagIsKey = TagIsName(tag, key.size());
            for (const AppendedKey& k : CurrentKeys)
                if (k.Tag == tag && k.Key.Length == key.size() && (tagIsKey || SameName(View(k.Key), key)))
                    return false;
        } else {
            // An empty line ends the section before.
            const std::size_t gap = Sections.empty() ? 0 : 1;
            char* out = Extend(gap + name.size() + 3);
            if (gap)
                *out++ = '\n';
            *out++ = '[';
            const Span at = SpanAt(out, name.size());
            TextBuffer::Copy(out, name);
            std::memcpy(out + name.size(), "]\n", 2);
            s = AddHashed(at, hash);
            SectionAt(s).NameChecked = true;
            CurrentKeys.clear();
        }
        char* out = Extend(key.size() + value.size() + 2);
        CurrentKeys.push_back(AppendedKey{tag, SpanAt(out, key.size())});
        TextBuffer::Copy(out, key);
        out[key.size()] = '=';
        TextBuffer::Copy(out + key.size() + 1, value);
        out[key.size() + value.size() + 1] = '\n';
        return true;
    }

    std::string_view View(Span s) const {
        const char* text = (s.At & Span::kWritten) ? Written.data() : Text.data();
        return {text + (s.At & ~Span::kWritten), s.Length};
    }
    Span TextSpan(std::string_view part) const {
        return Span{static_cast<std::uint32_t>(part.data() - Text.data()),
                    static_cast<std::uint32_t>(part.size())};
    }
    std::string_view NameOf(int section) const { return View(SectionAt(section).Name); }
    std::string_view KeyOf(int line) const { return View(LineAt(line).Key); }
    std::string_view ValueOf(int line) const { return View(LineAt(line).Value); }
    const IniSection& SectionAt(int i) const { return Sections[static_cast<std::size_t>(i)]; }
    IniSection& SectionAt(int i) { return Sections[static_cast<std::size_t>(i)]; }
    const Line& LineAt(int i) const { return Lines[static_cast<std::size_t>(i)]; }
    Line& LineAt(int i) { return Lines[static_cast<std::size_t>(i)]; }

    [[gnu::always_inline]] int FindSection(std::string_view name) const {
        const int guessed = Guess(name);
        return guessed >= 0 ? guessed : FindHashed(name, HashName(name));
    }
    // The section found last or the one after it, when it has that name; else -1.
    [[gnu::always_inline]] int Guess(std::string_view name) const {
        const int last = LastFound.load(std::memory_order_relaxed);
        const int size = static_cast<int>(Sections.size());
        if (last >= 0 && last < size && SameName(NameOf(last), name))
            return last;
        if (last + 1 < size && SameName(NameOf(last + 1), name)) {
            LastFound.store(last + 1, std::memory_order_relaxed);
            PrefetchBeyond(last + 1);
            return last + 1;
        }
        return -1;
    }
    // A reader that goes through the sections in file order, as a form is restored, asks for
    // what the sections a few ahead keep while it reads this one: the section, its lines and
    // its text lie ahead in their arrays, and waiting on memory for each in turn costs more
    // than reading it.
    [[gnu::always_inline]] void PrefetchBeyond(int s) const {
        constexpr std::size_t kSections = 8, kLines = 16, kText = 512;
        const auto at = static_cast<std::size_t>(s);
        if (at + kSections < Sections.size())
            __builtin_prefetch(&Sections[at + kSections]);
        const IniSection& section = Sections[at];
        if (const std::size_t line = static_cast<std::size_t>(section.Last) + kLines;
            section.Last >= 0 && line + 3 < Lines.size()) {
            __builtin_prefetch(&Lines[line]);
            __builtin_prefetch(&Lines[line + 3]);
        }
        // A name written since the load is not followed by the loaded text.
        if (const std::size_t text = section.Name.At + kText;
            !(section.Name.At & Span::kWritten) && text + 64 < Text.size()) {
            __builtin_prefetch(Text.data() + text);
            __builtin_prefetch(Text.data() + text + 64);
        }
    }
    int FindHashed(std::string_view name, std::size_t hash) const {
        const int found = Index.Find(name, hash, [this](int p) { return NameOf(p); });
        if (found >= 0)
            LastFound.store(found, std::memory_order_relaxed);
        return found;
    }
    // A section of a name already kept in the text or in Written.
    int AddHashed(Span name, std::size_t hash) {
        const int pos = AddSection(name);
        Index.Add(hash, pos);
        LastFound.store(pos, std::memory_order_relaxed);
        return pos;
    }
    void IndexSections() {
        Index.Clear();
        Index.Reserve(Sections.size());
        for (std::size_t i = 0; i < Sections.size(); ++i)
            Index.Add(HashName(View(Sections[i].Name)), static_cast<int>(i));
    }
    // Indexes the sections of a load, merging each repeated section into the first one of its
    // name: keys it does not have yet are moved over in order, the others dropped. The table
    // is filled in file order with its slots asked for some sections ahead: a file of thousands
    // of sections would otherwise wait on memory for each one.
    // Hashes holds the hash of every section's name, in order.
    void IndexLoadedSections(const std::vector<std::size_t>& hashes) {
        constexpr std::size_t kAhead = 8;
        const std::size_t count = Sections.size();
        Index.Clear();
        Index.Reserve(count);
        bool repeated = false;
        for (std::size_t i = 0; i < count; ++i) {
            if (i + kAhead < count)
                Index.Prefetch(hashes[i + kAhead]);
            const int first = Index.FindOrAdd(View(Sections[i].Name), hashes[i], static_cast<int>(i),
                                              [this](int p) { return NameOf(p); });
            if (first < 0)
                continue;
            MergeInto(first, static_cast<int>(i));
            repeated = true;
        }
        if (repeated) {
            std::erase_if(Sections, [](const IniSection& s) { return s.Merged; });
            IndexSections();
        }
        LastFound.store(-1, std::memory_order_relaxed);  // a reader starts at the first section
    }
    // Moves the lines of section From whose keys section To lacks to the end of To.
    void MergeInto(int to, int from) {
        IniSection& source = SectionAt(from);
        for (int i = source.First; i >= 0;) {
            const int next = LineAt(i).Next;
            if (FindKey(SectionAt(to), KeyOf(i)) >= 0)
                Kill(LineAt(i));
            else
                Chain(to, i);
            i = next;
        }
        source = IniSection{};
        source.Merged = true;
    }
    int AddSection(Span name) {
        Sections.emplace_back().Name = name;
        return static_cast<int>(Sections.size() - 1);
    }

    // The first line of the section with that key, or -1. Most sections are small: their
    // keys are compared in place, those of a large section looked up out of line.
    [[gnu::always_inline]] int FindKey(const IniSection& s, std::string_view key) const {
        if (s.Keys) [[unlikely]]
            return FindIndexedKey(s, key);
        for (int i = s.First; i >= 0;) {
            const Line& line = LineAt(i);
            if (line.Key.Length == key.size() && SameName(View(line.Key), key))
                return i;
            i = line.Next;
        }
        return -1;
    }
    [[gnu::noinline]] int FindIndexedKey(const IniSection& s, std::string_view key) const {
        return s.Keys->Find(key, HashName(key), [this](int i) { return KeyOf(i); });
    }
    void Append(int section, const Line& line) {
        Lines.push_back(line);
        Chain(section, static_cast<int>(Lines.size() - 1));
    }
    // Puts a line of Lines at the end of the section's chain.
    [[gnu::always_inline]] void Chain(int section, int line) {
        IniSection& s = SectionAt(section);
        LineAt(line).Next = -1;
        if (s.Last >= 0)
            LineAt(s.Last).Next = line;
        else
            s.First = line;
        s.Last = line;
        ++s.Count;
        if (s.Keys || static_cast<std::size_t>(s.Count) > kLinearKeys) [[unlikely]]
            KeepKeysIndexed(s, line);
    }
    // A section that has grown past kLinearKeys keeps an index of its keys.
    [[gnu::noinline]] void KeepKeysIndexed(IniSection& s, int line) {
        if (!s.Keys) {
            IndexKeys(s);
            return;
        }
        const std::string_view key = KeyOf(line);
        const std::size_t h = HashName(key);
        if (s.Keys->Find(key, h, [this](int i) { return KeyOf(i); }) < 0)
            s.Keys->Add(h, line);
    }
    void IndexKeys(IniSection& s) {
        s.Keys.reset();
        if (static_cast<std::size_t>(s.Count) <= kLinearKeys)
            return;
        auto keys = std::make_unique<NameIndex>();
        keys->Reserve(static_cast<std::size_t>(s.Count));
        auto keyAt = [this](int i) { return KeyOf(i); };
        for (int i = s.First; i >= 0; i = LineAt(i).Next) {
            const std::size_t h = HashName(KeyOf(i));
            if (keys->Find(KeyOf(i), h, keyAt) < 0)
                keys->Add(h, i);
        }
        s.Keys = std::move(keys);
    }

    // Whether any of the texts starts in Written, which moves as it grows: one test for all,
    // without a branch for each. An empty text may be said to; it is then only copied needlessly.
    bool AnyInWritten(std::string_view a, std::string_view b, std::string_view c) const {
        const auto in = [this](std::string_view text) {
            return static_cast<unsigned>(reinterpret_cast<std::uintptr_t>(text.data()) -
                                             reinterpret_cast<std::uintptr_t>(Written.data()) <
                                         Written.size());
        };
        return (in(a) | in(b) | in(c)) != 0;
    }
    // Room for Bytes more at the end of Written, while its offsets still fit a Span.
    [[gnu::always_inline]] char* Extend(std::size_t bytes) {
        if (bytes >= Span::kWritten - Written.size()) [[unlikely]]
            TooMuchText();
        return Written.Extend(bytes);
    }
    [[noreturn, gnu::noinline]] static void TooMuchText() {
        throw EIniFileException("Cannot write ini value: the ini holds too much text");
    }
    // The span of Length bytes at At in Written.
    Span SpanAt(const char* at, std::size_t length) const {
        return Span{static_cast<std::uint32_t>(at - Written.data()) | Span::kWritten,
                    static_cast<std::uint32_t>(length)};
    }
    // Keeps a copy of text, which does not lie in Written, in Written.
    Span Write(std::string_view text) {
        char* at = Extend(text.size());
        TextBuffer::Copy(at, text);
        return SpanAt(at, text.size());
    }
    void Forget(Span s) {
        if (s.At & Span::kWritten)
            WrittenGarbage += s.Length;
    }
    void Kill(Line& line) {
        Forget(line.Key);
        Forget(line.Value);
        line = Line{};
        ++DeadLines;
    }
    // Room held, in bytes, not counting the loaded text.
    std::size_t RoomBytes() const {
        return Written.capacity() + Lines.capacity() * sizeof(Line) +
               Sections.capacity() * sizeof(IniSection) + Index.RoomBytes() + Marks.RoomBytes() +
               LoadedHashes.capacity() * sizeof(std::size_t);
    }
    // Empty again, keeping the room of everything but the loaded text.
    void Empty() noexcept {
        Appending.store(true, std::memory_order_relaxed);
        CurrentKeys.clear();
        Text = std::string();
        Written.clear();
        WrittenGarbage = 0;
        Lines.clear();
        DeadLines = 0;
        Sections.clear();
        Index.Clear();
        Marks.Clear();
        LastFound.store(-1, std::memory_order_relaxed);
    }
    // Once most of Lines or of Written is no longer used, what is used moves together again.
    void CompactIfSparse() {
        if ((DeadLines >= 1024 && DeadLines * 2 >= Lines.size()) ||
            (WrittenGarbage >= 65536 && WrittenGarbage * 2 >= Written.size()))
            Compact();
    }
    void Compact() {
        if (DeadLines >= 1024 && DeadLines * 2 >= Lines.size()) {
            std::vector<Line> live;
            live.reserve(Lines.size() - DeadLines);
            for (IniSection& s : Sections) {
                const int first = static_cast<int>(live.size());
                for (int i = s.First; i >= 0; i = LineAt(i).Next) {
                    live.push_back(LineAt(i));
                    live.back().Next = static_cast<int>(live.size());
                }
                s.First = s.Count > 0 ? first : -1;
                s.Last = s.Count > 0 ? static_cast<int>(live.size()) - 1 : -1;
                if (s.Last >= 0)
                    live.back().Next = -1;
            }
            Lines = std::move(live);
            DeadLines = 0;
            for (IniSection& s : Sections)
                if (s.Keys)
                    IndexKeys(s);
        }
        if (WrittenGarbage >= 65536 && WrittenGarbage * 2 >= Written.size()) {
            TextBuffer kept;
            kept.reserve(Written.size() - WrittenGarbage);
            auto move = [&](Span& s) {
                if (!(s.At & Span::kWritten))
                    return;
                const std::size_t start = kept.size();
                kept.Append(View(s));
                s.At = static_cast<std::uint32_t>(start) | Span::kWritten;
            };
            for (IniSection& s : Sections) {
                move(s.Name);
                for (int i = s.First; i >= 0; i = LineAt(i).Next) {
                    move(LineAt(i).Key);
                    move(LineAt(i).Value);
                }
            }
            Written = std::move(kept);
            WrittenGarbage = 0;
        }
    }
};

// --- Construction and loading ----------------------------------------------------------------

const TClassInfo& TMemIniFile::ClassInfo() {
    static const TClassInfo info = TClassInfo::Derive<TMemIniFile, TCustomIniFile>("TMemIniFile");
    return info;
}

namespace {

// The most room a kept store may hold: enough for forms of tens of thousands of controls.
constexpr std::size_t kSpareRoomBytes = std::size_t{16} << 20;

// Set once this thread's kept store is gone (at thread exit): inis freed after that free theirs.
thread_local bool t_spareGone = false;

}  // namespace

// Tool windows save and restore their state over and over. A store made anew each time takes
// fresh memory from the system, and every page of it costs a fault on first touch; a kept
// one has its room ready.
std::unique_ptr<TMemIniFile::Store>* TMemIniFile::SpareSlot() {
    struct Holder {
        std::unique_ptr<Store> Kept;
        Holder() = default;
        Holder(const Holder&) = delete;
        Holder& operator=(const Holder&) = delete;
        ~Holder() { t_spareGone = true; }
    };
    if (t_spareGone)
        return nullptr;
    thread_local Holder holder;
    return &holder.Kept;
}

std::unique_ptr<TMemIniFile::Store> TMemIniFile::NewStore() {
    std::unique_ptr<Store>* spare = SpareSlot();
    return spare && *spare ? std::move(*spare) : std::make_unique<Store>();
}

void TMemIniFile::Recycle(std::unique_ptr<Store> Old) noexcept {
    std::unique_ptr<Store>* spare = SpareSlot();
    if (!Old || !spare || *spare || Old->RoomBytes() > kSpareRoomBytes)
        return;
    Old->Empty();
    *spare = std::move(Old);
}

TMemIniFile::TMemIniFile(std::string FileName, const TEncoding* Encoding)
    : TCustomIniFile(std::move(FileName)), m_data(NewStore()), m_encoding(Encoding),
      m_requestedEncoding(Encoding) {
    LoadFile();
}

TMemIniFile::~TMemIniFile() {
    SaveIfModified();
    Recycle(std::move(m_data));
}

void TMemIniFile::BeforeDestruction() {
    // Here a descendant's UpdateFile is still reached; the destructor is the fallback for
    // objects that are simply deleted or go out of scope.
    if (m_autoSave && m_modified) {
        try {
            UpdateFile();
        } catch (...) {
            // Swallowed: freeing must not fail. The old file is still intact.
        }
        m_modified = false;
    }
    TCustomIniFile::BeforeDestruction();
}

void TMemIniFile::SaveIfModified() noexcept {
    if (!m_autoSave || !m_modified)
        return;
    try {
        TMemIniFile::UpdateFile();
    } catch (...) {
        // Swallowed: a destructor must not throw. The old file is still intact.
    }
}

void TMemIniFile::LoadFile() {
    Clear();
    m_modified = false;
    if (FileName().empty())
        return;
    platform::IPlatform& os = platform::Platform();
    const platform::FileStat st = os.Stat(FileName());
    if (!st.Exists)
        return;
    if (st.IsDirectory)
        throw EFOpenError("Cannot open file \"" + FileName() + "\". Is a directory");
    if (st.Size > MaxFileSize())
        throw EIniFileException("Cannot load ini file \"" + FileName() + "\": it is larger than " +
                                std::to_string(MaxFileSize()) + " bytes");
    platform::IoError err;
    std::optional<std::string> bytes = os.ReadFile(FileName(), &err);
    if (!bytes) {
        if (err.Code == ENOENT)
            return;  // removed between the two looks: the same as missing
        throw EFOpenError("Cannot open file \"" + FileName() + "\". " + err.Text);
    }
    LoadFromBytes(std::move(*bytes));
}

void TMemIniFile::LoadFromBytes(std::string Bytes) {
    std::size_t preamble = 0;
    const TEncoding* found = TEncoding::GetBufferEncoding(Bytes, preamble);
    const TEncoding* used = m_requestedEncoding ? m_requestedEncoding : found;
    if (used->EncodingForm() != found->EncodingForm())
        preamble = 0;  // the caller's encoding wins; a mark of another one is just data
    if (used->EncodingForm() != TEncoding::Form::UTF8)
        Bytes = used->GetString(std::string_view(Bytes).substr(preamble));
    else if (preamble > 0)
        Bytes.erase(0, preamble);
    m_encoding = used;
    Parse(std::move(Bytes));
    m_modified = false;
}

void TMemIniFile::Store::Load(std::string text) {
    const auto checkSize = [](const std::string& checked) {
        if (checked.size() >= Span::kWritten)
            throw EIniFileException("Cannot load ini text: it is larger than " +
                                    std::to_string(Span::kWritten - 1) + " bytes");
    };
    checkSize(text);
    Empty();
    Text = std::move(text);
    // Each of LF, CR and CR LF ends a line.
    TextMarks& marks = Marks;
    marks.Mark(Text);
    // Text that is not UTF-8 is repaired, so that memory, file and a fresh load agree; the
    // marks tell whether there is anything to look at.
    if (marks.HighBytes && !IsValidUtf8(Text)) [[unlikely]] {
        std::string repaired = Utf8Repair(Text);
        checkSize(repaired);
        Text = std::move(repaired);
        marks.Mark(Text);
    }
    const char* const t = Text.data();
    const std::size_t size = Text.size();
    // Room for as many lines as there are line ends and as many sections as there are '[',
    // up to a bound: beyond it, growing costs little next to reading that much.
    Lines.reserve(std::min<std::size_t>(marks.LineEnds + 1, 1u << 20));
    Sections.reserve(std::min<std::size_t>(marks.Brackets, 1u << 18));
    LoadedHashes.clear();
    LoadedHashes.reserve(Sections.capacity());
    int current = -1;
    for (std::size_t at = 0; at < size;) {
        std::size_t begin = at, last = marks.NextEnd(at);
        at = last + 1;
        while (begin < last && IsBlank(t[begin]))
            ++begin;
        while (last > begin && IsBlank(t[last - 1]))
            --last;
        if (begin == last || t[begin] == ';')
            continue;
        if (t[begin] == '[' && t[last - 1] == ']') {
            const std::string_view name = TrimView(std::string_view(t + begin + 1, last - begin - 2));
            current = AddSection(TextSpan(name));  // repeats are merged once all is read
            LoadedHashes.push_back(HashName(name));
            continue;
        }
        if (current < 0)
            continue;  // lines before the first section
        const std::size_t eq = marks.FirstEquals(begin, last);
        std::size_t keyEnd = eq;
        while (keyEnd > begin && IsBlank(t[keyEnd - 1]))
            --keyEnd;
        const std::string_view key(t + begin, keyEnd - begin);
        Span value;
        if (eq != last) {
            std::size_t from = eq + 1;
            while (from < last && IsBlank(t[from]))
                ++from;
            value = TextSpan(std::string_view(t + from, last - from));
        }
        // Made in its place: a line built aside and copied in is read back while its parts
        // are still being stored, and the copy waits for them.
        Lines.emplace_back(TextSpan(key), value, eq != last);
        Chain(current, static_cast<int>(Lines.size() - 1));
    }
    marks.Clear();
    IndexLoadedSections(LoadedHashes);
    Appending.store(false, std::memory_order_release);
}

void TMemIniFile::Parse(std::string Text) { m_data->Load(std::move(Text)); }

TMemIniFile::Store& TMemIniFile::Structured() const {
    m_data->Structure();
    return *m_data;
}

// --- Reading -------------------------------------------------------------------------------

std::string_view TMemIniFile::ValueOrNull(std::string_view Section, std::string_view Ident) const {
    const Store& d = Structured();
    const int s = d.FindSection(Section);
    if (s < 0)
        return {};
    const int i = d.FindKey(d.SectionAt(s), Ident);
    if (i < 0 || !d.LineAt(i).HasValue)
        return {};
    const std::string_view value = d.ValueOf(i);
    return value.data() ? value : std::string_view("");  // an empty value in text not yet allocated
}

TMemIniFile::LineCursor TMemIniFile::SectionLines(std::string_view Section) const {
    LineCursor cursor;
    const Store& d = Structured();
    if (const int s = d.FindSection(Section); s >= 0) {
        cursor.m_lines = d.Lines.data();
        cursor.m_text = d.Text.data();
        if (d.Written.data())
            cursor.m_written = d.Written.data();
        cursor.m_line = d.SectionAt(s).First;
        cursor.m_count = d.SectionAt(s).Count;
    }
    return cursor;
}

std::string TMemIniFile::ReadString(std::string_view Section, std::string_view Ident,
                                    std::string_view Default) const {
    return std::string(FindValue(Section, Ident).value_or(Default));
}

// Fills Strings with one string per line of the section (none when it is missing).
template <class Text>
void TMemIniFile::ListSection(std::string_view Section, TStrings& Strings, const Text& text) const {
    Strings.BeginUpdate();
    try {
        Strings.Clear();
        const Store& d = Structured();
        if (const int s = d.FindSection(Section); s >= 0)
            for (int i = d.SectionAt(s).First; i >= 0; i = d.LineAt(i).Next)
                Strings.Add(text(i));
    } catch (...) {
        Strings.EndUpdate();
        throw;
    }
    Strings.EndUpdate();
}

std::string TMemIniFile::LineText(int Line) const {
    std::string text(m_data->KeyOf(Line));
    if (m_data->LineAt(Line).HasValue)
        text.append(1, '=').append(m_data->ValueOf(Line));
    return text;
}

void TMemIniFile::ReadSection(std::string_view Section, TStrings& Strings) const {
    ListSection(Section, Strings, [this](int i) { return std::string(m_data->KeyOf(i)); });
}

void TMemIniFile::ReadSectionValues(std::string_view Section, TStrings& Strings) const {
    ListSection(Section, Strings, [this](int i) { return LineText(i); });
}

void TMemIniFile::ReadSections(TStrings& Strings) const {
    Strings.BeginUpdate();
    try {
        Strings.Clear();
        const Store& d = Structured();
        for (const IniSection& s : d.Sections)
            Strings.Add(std::string(d.View(s.Name)));
    } catch (...) {
        Strings.EndUpdate();
        throw;
    }
    Strings.EndUpdate();
}

// Sections are found in either form of the store: a writer asking whether a section is new
// keeps the text form. Readers sharing the ini wait while another one structures it.
bool TMemIniFile::SectionExists(std::string_view Section) const {
    Store& d = *m_data;
    if (d.Appending.load(std::memory_order_acquire)) {
        const std::lock_guard<std::mutex> lock(d.Structuring);
        return d.FindSection(Section) >= 0;
    }
    return d.FindSection(Section) >= 0;
}

bool TMemIniFile::SectionExistsWhileWriting(std::string_view Section) {
    return m_data->FindSection(Section) >= 0;
}

bool TMemIniFile::ValueExists(std::string_view Section, std::string_view Ident) const {
    const Store& d = Structured();
    const int s = d.FindSection(Section);
    return s >= 0 && d.FindKey(d.SectionAt(s), Ident) >= 0;
}

// --- Writing -------------------------------------------------------------------------------

void TMemIniFile::Put(int s, std::string_view Section, std::string_view Ident, std::string_view Value) {
    Store& d = *m_data;
    if (d.Appending.load(std::memory_order_relaxed) && d.TryAppend(Section, s, Ident, Value)) {
        m_modified = true;
        return;
    }
    PutInLines(s, Section, Ident, Value);
}

void TMemIniFile::PutInLines(int s, std::string_view Section, std::string_view Ident,
                             std::string_view Value) {
    Store& d = *m_data;
    if (d.Appending.load(std::memory_order_relaxed)) {
        d.Structure();
        s = -1;  // the sections keep their places, but a fresh lookup is simpler
    }
    if (s < 0) {
        const std::size_t hash = HashName(Section);
        s = d.FindHashed(Section, hash);
        if (s < 0)
            s = d.AddHashed(d.Write(Section), hash);
    }
    IniSection& section = d.SectionAt(s);
    section.NameChecked = true;
    const int i = section.Count > 0 ? d.FindKey(section, Ident) : -1;
    // The key keeps the spelling it has in the file; the index stays right.
    const Span stored = d.Write(Value);
    if (i >= 0) {
        Line& line = d.LineAt(i);
        d.Forget(line.Value);
        line.Value = stored;
        line.HasValue = true;
    } else {
        d.Append(s, Line(d.Write(Ident), stored, true));
    }
    d.CompactIfSparse();
    m_modified = true;
}

void TMemIniFile::WriteString(std::string_view Section, std::string_view Ident, std::string_view Value) {
    Store& d = *m_data;
    if (d.AnyInWritten(Section, Ident, Value)) [[unlikely]] {
        WriteCopies(Section, Ident, Value);
        return;
    }
    // Writers mostly write several keys of one section in a row: its name is checked once.
    const int s = d.Guess(Section);
    bool nameHasHighBytes = false;
    if (s < 0 || !d.SectionAt(s).NameChecked)
        nameHasHighBytes = CheckSectionName(Section);
    const bool plainKey = CheckKeyName(Section, Ident);
    const bool valueHasHighBytes = CheckValue(Section, Ident, Value);
    // A section found is stored already: only a new one's name may need repairing.
    if ((s < 0 && nameHasHighBytes) || !plainKey || valueHasHighBytes) [[unlikely]] {
        PutRepaired(s, Section, Ident, Value, s < 0, !plainKey, valueHasHighBytes);
        return;
    }
    Put(s, Section, Ident, Value);
}

void TMemIniFile::WriteCopies(std::string_view Section, std::string_view Ident, std::string_view Value) {
    TMemIniFile::WriteString(std::string(Section), std::string(Ident), std::string(Value));
}

void TMemIniFile::PutRepaired(int s, std::string_view Section, std::string_view Ident, std::string_view Value,
                              bool RepairName, bool RepairKey, bool RepairValue) {
    // Text that is not UTF-8 is stored repaired, and names are looked for as they are stored:
    // a name written twice is then found the second time.
    std::string repairedName, repairedKey, repairedValue;
    Put(s, RepairName ? Stored(Section, repairedName) : Section,
        RepairKey ? Stored(Ident, repairedKey) : Ident, RepairValue ? Stored(Value, repairedValue) : Value);
}

void TMemIniFile::EraseSection(std::string_view Section) {
    Store& d = Structured();
    const int s = d.FindSection(Section);
    if (s < 0)
        return;
    for (int i = d.SectionAt(s).First; i >= 0;) {
        const int next = d.LineAt(i).Next;
        d.Kill(d.LineAt(i));
        i = next;
    }
    d.Forget(d.SectionAt(s).Name);
    d.Sections.erase(d.Sections.begin() + s);
    d.IndexSections();
    d.CompactIfSparse();
    m_modified = true;
}

void TMemIniFile::DeleteKey(std::string_view Section, std::string_view Ident) {
    Store& d = Structured();
    const int s = d.FindSection(Section);
    const int i = s >= 0 ? d.FindKey(d.SectionAt(s), Ident) : -1;
    if (i < 0)
        return;
    IniSection& sec = d.SectionAt(s);
    int before = -1;
    for (int k = sec.First; k != i; k = d.LineAt(k).Next)
        before = k;
    const int next = d.LineAt(i).Next;
    (before < 0 ? sec.First : d.LineAt(before).Next) = next;
    if (sec.Last == i)
        sec.Last = before;
    --sec.Count;
    d.Kill(d.LineAt(i));
    if (sec.Keys)
        d.IndexKeys(sec);
    d.CompactIfSparse();
    m_modified = true;
}

void TMemIniFile::Clear() {
    m_data->Empty();
    m_modified = true;
}

void TMemIniFile::PrefetchSection(std::string_view Section) const {
    m_data->Index.Prefetch(HashName(Section));
}

void TMemIniFile::Reserve(std::size_t Sections, std::size_t Lines, std::size_t TextBytes) {
    Store& d = *m_data;
    d.Sections.reserve(d.Sections.size() + Sections);
    d.Index.Reserve(d.Sections.size() + Sections);
    d.Written.reserve(d.Written.size() + TextBytes);
    if (!d.Appending.load(std::memory_order_relaxed))  // text kept as it is written has no lines
        d.Lines.reserve(d.Lines.size() + Lines);
}

void TMemIniFile::GetStrings(TStrings& List) const {
    List.BeginUpdate();
    try {
        List.Clear();
        const Store& d = Structured();
        for (const IniSection& s : d.Sections) {
            List.Add("[" + std::string(d.View(s.Name)) + "]");
            for (int i = s.First; i >= 0; i = d.LineAt(i).Next)
                List.Add(LineText(i));
            List.Add("");
        }
    } catch (...) {
        List.EndUpdate();
        throw;
    }
    List.EndUpdate();
}

void TMemIniFile::SetStrings(const TStrings& List) {
    std::string text;
    for (int i = 0, n = List.Count(); i < n; ++i) {
        text += List.Strings(i);
        text += '\n';
    }
    Parse(std::move(text));
    m_modified = true;
}

std::string TMemIniFile::SaveToBytes() const {
    const TEncoding* enc = m_encoding ? m_encoding : TEncoding::Default();
    const std::string_view preamble = enc->Preamble();
    const bool utf8 = enc->EncodingForm() == TEncoding::Form::UTF8;
    if (Store& w = *m_data; w.Appending.load(std::memory_order_acquire)) {
        // The text is the file but for the empty line that ends the last section. Another
        // reader may be structuring it meanwhile.
        const std::lock_guard<std::mutex> lock(w.Structuring);
        if (w.Appending.load(std::memory_order_relaxed)) {
            std::string_view text(w.Written.data(), w.Written.size());
            if (!utf8)
                return std::string(preamble) +
                       enc->GetBytes(w.Sections.empty() ? std::string() : std::string(text) + '\n');
            std::string bytes;
            bytes.reserve(preamble.size() + text.size() + 1);
            bytes.append(preamble).append(text);
            if (!w.Sections.empty())
                bytes += '\n';
            return bytes;
        }
    }
    const Store& d = *m_data;
    std::size_t size = 0;
    for (const IniSection& s : d.Sections) {
        size += s.Name.Length + 4;
        for (int i = s.First; i >= 0; i = d.LineAt(i).Next)
            size += d.LineAt(i).Key.Length + d.LineAt(i).Value.Length + 2;
    }
    // Sized once, then filled piece by piece.
    std::string text(size, '\0');
    char* out = text.data();
    auto put = [&out](std::string_view piece) {
        std::memcpy(out, piece.data(), piece.size());
        out += piece.size();
    };
    for (const IniSection& s : d.Sections) {
        *out++ = '[';
        put(d.View(s.Name));
        put("]\n");
        for (int i = s.First; i >= 0; i = d.LineAt(i).Next) {
            put(d.KeyOf(i));
            if (d.LineAt(i).HasValue) {
                *out++ = '=';
                put(d.ValueOf(i));
            }
            *out++ = '\n';
        }
        *out++ = '\n';
    }
    text.resize(static_cast<std::size_t>(out - text.data()));  // lines without '=' took less
    if (utf8) {
        text.insert(0, preamble);
        return text;
    }
    return std::string(preamble) + enc->GetBytes(text);
}

void TMemIniFile::UpdateFile() {
    platform::IoError err;
    Store& d = *m_data;
    const TEncoding* enc = m_encoding ? m_encoding : TEncoding::Default();
    bool written;
    if (d.Appending.load(std::memory_order_relaxed) && !d.Sections.empty() &&
        enc->EncodingForm() == TEncoding::Form::UTF8 && enc->Preamble().empty()) {
        // Text kept as it is written is the file but for the empty line that ends the last
        // section: that line is added for the write, so that the text is not copied.
        *d.Written.Extend(1) = '\n';
        const struct DropEnd {
            TextBuffer& Text;
            ~DropEnd() { Text.Drop(1); }
        } dropEnd{d.Written};
        written =
            platform::Platform().WriteFileAtomic(FileName(), {d.Written.data(), d.Written.size()}, &err);
    } else {
        written = platform::Platform().WriteFileAtomic(FileName(), SaveToBytes(), &err);
    }
    if (!written)
        throw EFCreateError("Cannot create file \"" + FileName() + "\". " + err.Text);
    m_modified = false;
}

void TMemIniFile::Rename(std::string FileName, bool Reload) {
    SetFileName(std::move(FileName));
    if (Reload)
        LoadFile();
}

// --- TIniFile ------------------------------------------------------------------------------

const TClassInfo& TIniFile::ClassInfo() {
    static const TClassInfo info = TClassInfo::Derive<TIniFile, TMemIniFile>("TIniFile");
    return info;
}

TIniFile::TIniFile(std::string FileName, const TEncoding* Encoding)
    : TMemIniFile(std::move(FileName), Encoding) {
    SetAutoSave(true);
}

}  // namespace framework
