#include "imaging/tool_imagelist_master.h"

#include "framework/controls/Button.h"
#include "framework/controls/ImageListFile.h"
#include "framework/forms/Application.h"
#include "framework/rtl/SysUtils.h"
#include "package/UnitLifetime.h"
#include "sibling/Tool_imagelists.h"
#include "vendor/AdvGlowButton.h"
#include "vendor/AdvToolBtn.h"

#include <algorithm>
#include <bit>
#include <climits>
#include <cmath>
#include <cstring>
#include <memory>
#include <string_view>
#include <vector>

using namespace framework;
using sibling::GlobalImageHeight;
using sibling::TImageDimensions;

namespace lm7 {

std::array<TImageList*, sibling::kImageDimensionCount> ImageLists{};

namespace {

TUnitLifetime& Lifetime() {
    static TUnitLifetime lifetime;
    return lifetime;
}

int MainNum(int Num) { return sibling::ImageListMainNum(Num, GlobalImageHeight); }

void WalkMenuItem(TMenuItem* Item, TList& List) {
    if (!Item->IsLine() && List.IndexOf(Item) < 0)
        List.Add(Item);
    for (int i = 0; i < Item->Count(); ++i)
        WalkMenuItem(Item->Items(i), List);
}

}  // namespace

namespace Tool_imagelist_master {

void initialization() {
    if (!Lifetime().Start())
        return;
    for (TImageList*& list : ImageLists)
        list = Create<TImageList>(nullptr);
}

void Finalization() {
    if (!Lifetime().Stop())
        return;
    for (TImageList*& list : ImageLists)
        FreeAndNil(list);
}

}  // namespace Tool_imagelist_master

TImageList* ImageListMain() {
    sibling::GlobalImageDimension = sibling::IntegerToImageDimension(GlobalImageHeight);
    return ImageLists[sibling::GlobalImageDimension];
}

TImageDimensions IntegerToNearestImageDimension(int N) {
    // The lower end of bands 1 to 7; below 18 is band 0, from 112 on it is band 1 again.
    static constexpr std::array<int, 7> kBandStart{18, 22, 27, 36, 44, 56, 80};
    if (N < 0 || N >= 112)
        return sibling::id20;
    const auto band = std::upper_bound(kBandStart.begin(), kBandStart.end(), N) - kBandStart.begin();
    return static_cast<TImageDimensions>(band);
}

int IntegerToNearestImageHeight(int N) {
    return sibling::ImageDimensionToInteger(IntegerToNearestImageDimension(N));
}

TImageList* ImageListMain_Times(float Factor) {
    const float height = static_cast<float>(GlobalImageHeight) * Factor;
    // A height beyond the int range (or no number at all) is out of range like any other
    // too-large one, rather than an error of the rounding.
    if (!(std::fabs(height) < 2147483520.0f))
        return ImageLists[sibling::id20];
    return ImageLists[IntegerToNearestImageDimension(
        static_cast<int>(RoundHalfEven(static_cast<double>(height))))];
}

TList* AllMenuItemsAsList(TMenu* Menu) {
    auto* list = new TList;
    if (!Menu)
        return list;
    TMenuItem* root = Menu->Items();
    for (int i = 0; i < root->Count(); ++i)
        WalkMenuItem(root->Items(i), *list);
    return list;
}

TList* GetImagesListOfMenuItems(TMenu* Menu) {
    if (!Menu)
        return new TList;
    Menu->SetImages(ImageListMain());
    TList* list = AllMenuItemsAsList(Menu);
    for (int i = 0; i < list->Count(); ++i) {
        auto* item = static_cast<TMenuItem*>(list->Items(i));
        const std::intptr_t tag = item->Tag();
        // |Tag| of the most negative value has no int; such a tag names no icon.
        const std::intptr_t num = tag < 0 ? -tag : tag;
        item->SetImageIndex(num > INT_MAX || tag == INTPTR_MIN ? -1 : MainNum(static_cast<int>(num)));
    }
    return list;
}

void SetImagesForListOfMenuItems(TMenu* Menu) { delete GetImagesListOfMenuItems(Menu); }

bool GetABitmap(int Index, TBitmap* Bitmap) {
    const TImageList* list = ImageListMain();
    return list && list->GetBitmap(Index, Bitmap);
}

void SetImagesAndNumberForToolbarButton(TToolBar* ToolBar, TControl* Control, int Num) {
    auto* button = As<TToolButton>(Control);
    if (!button || !ToolBar)
        return;
    ToolBar->SetImages(ImageListMain());
    button->SetImageIndex(MainNum(Num));
}

void SetImagesAndNumberForStatusBarPanel(vendor::TAdvOfficeStatusBar* StatusBar, int PanelIndex, int Num) {
    if (!StatusBar)
        return;
    StatusBar->SetImages(ImageListMain());
    if (PanelIndex >= 0 && PanelIndex < StatusBar->Panels()->Count())
        StatusBar->Panels()->Items(PanelIndex)->SetImageIndex(MainNum(Num));
}

void SetImagesAndNumberForAdvOfficePager(vendor::TAdvOfficePager* Pager, vendor::TAdvOfficePage* Page,
                                         int Num) {
    if (Pager)
        Pager->SetImages(ImageListMain());
    if (Page)
        Page->SetImageIndex(MainNum(Num));
}

void SetImagesAndNumberForButton(TControl* Control, int Num) {
    if (auto* button = As<TCustomButton>(Control)) {
        button->SetImages(ImageListMain());
        button->SetImageIndex(MainNum(Num));
    } else if (auto* glow = As<vendor::TAdvCustomGlowButton>(Control)) {
        glow->SetImages(ImageListMain());
        glow->SetImageIndex(MainNum(Num));
    } else if (auto* tool = As<vendor::TAdvToolButton>(Control)) {
        tool->SetImages(ImageListMain());
        tool->SetImageIndex(MainNum(Num));
    }
}

void LoadupAllTheImageLists() {
    const std::string folder = IncludeTrailingPathDelimiter(ExtractFilePath(Application->ExeName()));
    for (int d = 0; d < sibling::kImageDimensionCount; ++d) {
        const std::string name =
            Format("ImageListMain%d.res", {sibling::ImageDimensionSizes[static_cast<std::size_t>(d)]});
        const std::string path = folder + name;
        if (ImageLists[static_cast<std::size_t>(d)] && FileExists(path))
            ReadComponentResFile(path, *ImageLists[static_cast<std::size_t>(d)]);
    }
}

// --- The image-number constants ------------------------------------------------------------

namespace {

constexpr std::string_view kEndMarker = "// *** assumes this routine placed just after";
constexpr std::string_view kHeadMarker = "{ Master_ImageListNumbers";
constexpr std::string_view kFirstEntryMarker = "cm_LumoraTag";

bool IsBlank(char c) { return static_cast<unsigned char>(c) <= ' '; }

// Trim as the runtime's Trim does: every character up to ' ' goes at both ends.
std::string_view TrimView(std::string_view s) {
    const char* begin = s.data();
    const char* end = begin + s.size();
    while (begin < end && IsBlank(*begin))
        ++begin;
    while (end > begin && IsBlank(end[-1]))
        --end;
    return {begin, static_cast<std::size_t>(end - begin)};
}

// The last character is compared first: lines that share a marker's first bytes (every entry
// shares "cm_" with the first-entry marker) rarely share its last one as well.
bool StartsWith(std::string_view line, std::string_view marker) {
    return line.size() >= marker.size() && line[marker.size() - 1] == marker.back() &&
           std::memcmp(line.data(), marker.data(), marker.size()) == 0;
}

using Bytes = unsigned char __attribute__((vector_size(16)));

// The index of the first byte that is not zero in eight bytes read from memory.
int FirstSetByte(std::uint64_t bytes) {
    if constexpr (std::endian::native == std::endian::little)
        return std::countr_zero(bytes) / 8;
    else
        return std::countl_zero(bytes) / 8;
}

// The first byte in [from, end) that is a or b, or end. Sixteen bytes are compared at a time;
// a hit is a byte 0xFF in the result, found in the first of its halves that has one.
const char* FindEither(const char* from, const char* end, char a, char b) {
    for (; end - from >= 16; from += 16) {
        Bytes v;
        std::memcpy(&v, from, 16);
        const auto hits = reinterpret_cast<Bytes>((v == a) | (v == b));
        std::uint64_t halves[2];
        std::memcpy(halves, &hits, 16);
        for (std::size_t h = 0; h < 2; ++h)
            if (halves[h])
                return from + 8 * h + FirstSetByte(halves[h]);
    }
    for (; from < end; ++from)
        if (*from == a || *from == b)
            return from;
    return end;
}

// The number of an entry, [from, end) with no blank at either end: plain digits (nearly every
// entry) are read here, anything else as the runtime reads an integer. Negative numbers fail.
bool ReadNumber(const char* from, const char* end, int& value) {
    const auto size = static_cast<std::size_t>(end - from);
    if (size - 1 < 9) {  // one to nine characters: no overflow
        int v = 0;
        const char* p = from;
        for (; p < end; ++p) {
            const unsigned digit = static_cast<unsigned char>(*p) - unsigned{'0'};
            if (digit > 9)
                break;
            v = v * 10 + static_cast<int>(digit);
        }
        if (p == end) {
            value = v;
            return true;
        }
    }
    return TryStrToInt({from, size}, value) && value >= 0;
}

// What one look at every byte tells before the lines are read: whether all bytes are ASCII
// (then the text is UTF-8 without a closer look), and how many ',' and ':' there are. Every
// pair of the result ends its name with one of those, so their count bounds the result.
struct TextCensus {
    bool Ascii = true;
    std::size_t NameEnds = 0;
};

// Sixteen bytes at a time, with a count per lane that is added up before it can wrap.
TextCensus Census(std::string_view text) {
    constexpr std::size_t kLanes = 16, kRun = 255 * kLanes;
    TextCensus census;
    Bytes any{};
    while (text.size() >= kLanes) {
        const std::size_t run = std::min(text.size(), kRun) / kLanes * kLanes;
        Bytes counts{};
        for (std::size_t i = 0; i < run; i += kLanes) {
            Bytes v;
            std::memcpy(&v, text.data() + i, kLanes);
            any |= v;
            counts -= reinterpret_cast<Bytes>((v == ',') | (v == ':'));  // a hit is 0xFF: minus one
        }
        for (std::size_t lane = 0; lane < kLanes; ++lane)
            census.NameEnds += counts[lane];
        text.remove_prefix(run);
    }
    unsigned char all = 0;
    for (std::size_t lane = 0; lane < kLanes; ++lane)
        all |= any[lane];
    for (const char c : text) {
        all |= static_cast<unsigned char>(c);
        census.NameEnds += c == ',' || c == ':';
    }
    census.Ascii = all < 0x80;
    return census;
}

// Reads the constants text into the list in one pass. The rules are those of the text cut
// into trimmed lines: the first end marker, unless it is the first line, drops itself, the
// line before it and all after; the first head marker drops itself and all before it; then
// the first line starting with the first-entry marker drops all before it. Whether a line goes
// with the end marker is known only at the next line, so each line is taken one line late.
class ConstsReader {
public:
    ConstsReader(std::string_view text, TStringList& list) : m_text(text), m_list(list), m_appender(list) {}

    void Read() {
        const char* const begin = m_text.data();
        const char* const end = begin + m_text.size();
        bool lookForEnd = true;
        std::string_view pending;  // the line before, not yet taken
        for (const char* pos = begin; pos < end;) {
            // CR, LF and CRLF each end a line.
            const char* const lineEnd = FindEither(pos, end, '\n', '\r');
            const std::string_view line = TrimView({pos, static_cast<std::size_t>(lineEnd - pos)});
            const bool first = pos == begin;
            pos = lineEnd + 1;
            if (lineEnd < end && *lineEnd == '\r' && pos < end && *pos == '\n')
                ++pos;
            if (lookForEnd && StartsWith(line, kEndMarker)) {
                if (!first)
                    return;
                lookForEnd = false;
            }
            Take(pending);
            pending = line;
        }
        Take(pending);
    }

private:
    // line: trimmed.
    void Take(std::string_view line) {
        if (line.empty())
            return;
        if (!m_headSeen && StartsWith(line, kHeadMarker)) {
            m_headSeen = true;
            m_firstEntrySeen = false;
            DropAll();
            return;
        }
        if (!m_firstEntrySeen && StartsWith(line, kFirstEntryMarker)) {
            m_firstEntrySeen = true;
            DropAll();
        }
        const char* const begin = line.data();
        const char* const end = begin + line.size();
        // The first colon, and the commas before it.
        m_commas.clear();
        const char* colon = begin;
        for (;; ++colon) {
            colon = FindEither(colon, end, ',', ':');
            if (colon == end)
                return;
            if (*colon == ':')
                break;
            m_commas.push_back(colon);
        }
        const char* number = colon + 1;
        while (number < end && IsBlank(*number))
            ++number;
        int value = 0;
        // A line whose number does not read is not an entry.
        if (!ReadNumber(number, end, value))
            return;
        const char* part = begin;
        for (const char* comma : m_commas) {
            AddName(part, comma, value);
            part = comma + 1;
        }
        AddName(part, colon, value);
    }

    // The part [from, to) of an entry, trimmed, when it is a command name ("cm_" in either case;
    // setting bit 5 lower-cases a letter and makes nothing else a 'c' or an 'm').
    void AddName(const char* from, const char* to, int value) {
        while (from < to && IsBlank(*from))
            ++from;
        if (to - from < 3 || (from[0] | 0x20) != 'c' || (from[1] | 0x20) != 'm' || from[2] != '_')
            return;
        while (IsBlank(to[-1]))  // stops at the '_' at the latest
            --to;
        m_appender.Add({from, static_cast<std::size_t>(to - from)}, TStrings::IntToObject(value));
    }

    // From the back, so that the room reserved stays.
    void DropAll() {
        for (int i = m_list.Count() - 1; i >= 0; --i)
            m_list.Delete(i);
    }

    std::string_view m_text;
    TStringList& m_list;
    TStringList::TAppender m_appender;
    std::vector<const char*> m_commas;  // of the line being taken
    bool m_headSeen = false;
    bool m_firstEntrySeen = false;
};

}  // namespace

TStringList* ComputeMASTER_16_ConstsForIcons(const std::string& FileName) {
    const std::int64_t size = FileSize(FileName);
    if (size > kMaxConstsFileSize)
        throw EReadError(Format("Constants file \"%s\" is too large (%d bytes)", {FileName, size}));
    // Plain UTF-8 text (the usual case) is read in place; anything else (UTF-16, bytes that do
    // not decode) is decoded as the string list would load it.
    const std::string bytes = ReadFileToString(FileName, static_cast<std::size_t>(kMaxConstsFileSize));
    std::string_view text(bytes);
    std::size_t preamble = 0;
    const TEncoding* encoding = TEncoding::GetBufferEncoding(text, preamble);
    text.remove_prefix(preamble);
    const bool utf8 = encoding->EncodingForm() == TEncoding::Form::UTF8;
    TextCensus census;
    if (utf8)
        census = Census(text);
    std::string decoded;
    if (!utf8 || (!census.Ascii && !IsValidUtf8(text))) {
        decoded = encoding->GetString(text);
        text = decoded;
        census = Census(text);
    }

    auto result = std::make_unique<TStringList>();
    // A name takes at least four bytes: "cm_" and the separator after it.
    result->SetCapacity(static_cast<int>(std::min(census.NameEnds, (text.size() + 1) / 4)));
    ConstsReader(text, *result).Read();
    // A text with many more commas and colons than names would leave much room unused.
    if (result->Capacity() / 2 > result->Count())
        result->SetCapacity(result->Count());
    return result.release();
}

}  // namespace lm7
