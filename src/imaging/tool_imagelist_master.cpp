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

// Trim as the runtime's Trim does: every character up to ' ' goes at both ends.
std::string_view TrimView(std::string_view s) {
    while (!s.empty() && static_cast<unsigned char>(s.front()) <= ' ')
        s.remove_prefix(1);
    while (!s.empty() && static_cast<unsigned char>(s.back()) <= ' ')
        s.remove_suffix(1);
    return s;
}

// Cuts text into trimmed lines: CR, LF and CRLF each end a line, as the string list reads
// them. Each kind of line end is looked for once per occurrence (not once per line), so the
// cut stays linear whichever kinds a file uses.
std::vector<std::string_view> SplitTrimmedLines(std::string_view text) {
    const auto find = [text](char c, std::size_t from) {
        const void* hit = std::memchr(text.data() + from, c, text.size() - from);
        return hit ? static_cast<std::size_t>(static_cast<const char*>(hit) - text.data()) : text.size();
    };
    std::vector<std::string_view> lines;
    std::size_t lf = find('\n', 0), cr = find('\r', 0);
    for (std::size_t pos = 0; pos < text.size();) {
        if (lf < pos)
            lf = find('\n', pos);
        if (cr < pos)
            cr = find('\r', pos);
        const std::size_t end = std::min(lf, cr);
        lines.push_back(TrimView(text.substr(pos, end - pos)));
        pos = end + 1;
        if (end == cr && end + 1 == lf)
            ++pos;
    }
    return lines;
}

bool IsCommandName(std::string_view s) {
    return s.size() >= 3 && (s[0] == 'c' || s[0] == 'C') && (s[1] == 'm' || s[1] == 'M') && s[2] == '_';
}

// Calls Fn(name) for every command name among the comma-separated parts of Names, in order.
template <class Fn> void ForEachCommandName(std::string_view Names, Fn&& fn) {
    while (true) {
        const std::size_t comma = Names.find(',');
        const std::string_view part = TrimView(Names.substr(0, comma));
        if (IsCommandName(part))
            fn(part);
        if (comma == std::string_view::npos)
            return;
        Names.remove_prefix(comma + 1);
    }
}

// At most one command name per comma-separated part, and each takes at least four bytes ("cm_"
// and a separator): a bound that sizes the result without a second pass over the names, and
// without reserving much for lines of bare commas.
std::size_t MostCommandNames(std::string_view Names) {
    std::size_t parts = 1;
    for (auto comma = Names.find(','); comma != std::string_view::npos; comma = Names.find(',', comma + 1))
        ++parts;
    return std::min(parts, (Names.size() + 1) / 4);
}

std::ptrdiff_t FirstStartingWith(const std::vector<std::string_view>& lines, std::string_view marker) {
    for (std::size_t i = 0; i < lines.size(); ++i)
        if (lines[i].starts_with(marker))
            return static_cast<std::ptrdiff_t>(i);
    return -1;
}

}  // namespace

TStringList* ComputeMASTER_16_ConstsForIcons(const std::string& FileName) {
    const std::int64_t size = FileSize(FileName);
    if (size > kMaxConstsFileSize)
        throw EReadError(Format("Constants file \"%s\" is too large (%d bytes)", {FileName, size}));
    // Plain UTF-8 text (the usual case) is cut into lines in place; anything else (UTF-16, bytes
    // that do not decode) goes through the string list's decoding first.
    std::string bytes = ReadFileToString(FileName);
    std::string_view rest(bytes);
    if (rest.starts_with("\xEF\xBB\xBF"))
        rest.remove_prefix(3);
    TStringList text;
    std::vector<std::string_view> lines;
    if (rest.starts_with("\xFF\xFE") || rest.starts_with("\xFE\xFF") || !IsValidUtf8(rest)) {
        text.LoadFromBytes(bytes);
        lines.reserve(static_cast<std::size_t>(text.Count()));
        for (int i = 0; i < text.Count(); ++i)
            lines.push_back(TrimView(text.StringRef(i)));
    } else {
        lines = SplitTrimmedLines(rest);
    }

    // The end marker goes, with the line before it and everything after.
    if (const auto k = FirstStartingWith(lines, kEndMarker); k >= 1)
        lines.resize(static_cast<std::size_t>(k - 1));
    // Everything up to the head marker is emptied, then every empty line goes.
    if (const auto k = FirstStartingWith(lines, kHeadMarker); k >= 0)
        std::fill(lines.begin(), lines.begin() + k + 1, std::string_view());
    std::erase_if(lines, [](std::string_view s) { return s.empty(); });

    // Spaces before ',' and ':' need no pass of their own: every part is trimmed after the split.
    const auto start = std::max<std::ptrdiff_t>(FirstStartingWith(lines, kFirstEntryMarker), 0);

    // Each entry line is read once: its names are kept in place of the line, with its number
    // beside them, and its pairs bounded, so that the result is sized once and then filled.
    std::vector<int> values;
    std::size_t entries = 0, most = 0;
    for (std::size_t i = static_cast<std::size_t>(start); i < lines.size(); ++i) {
        const std::string_view line = lines[i];
        const std::size_t colon = line.find(':');
        if (colon == std::string_view::npos)
            continue;
        int value = -1;
        // A line whose number does not read is not an entry.
        if (!TryStrToInt(TrimView(line.substr(colon + 1)), value) || value < 0)
            continue;
        lines[entries++] = line.substr(0, colon);
        values.push_back(value);
        most += MostCommandNames(lines[entries - 1]);
    }

    auto result = std::make_unique<TStringList>();
    result->SetCapacity(static_cast<int>(most));
    std::string name;  // one buffer for every name: the list keeps its own copy
    for (std::size_t e = 0; e < entries; ++e)
        ForEachCommandName(lines[e], [&](std::string_view Name) {
            name.assign(Name);
            result->AddObject(name, TStrings::IntToObject(values[e]));
        });
    return result.release();
}

}  // namespace lm7
