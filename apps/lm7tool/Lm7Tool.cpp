#include "lm7tool/Lm7Tool.h"

#include "framework/controls/ImageListFile.h"
#include "framework/graphics/FontEngine.h"
#include "framework/rtl/SysUtils.h"
#include "host/Broadcast.h"
#include "imaging/graphics_utilities.h"
#include "imaging/tool_imagelist_master.h"
#include "vendor/Advstyleif.h"

#include <algorithm>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

using namespace framework;

namespace {

constexpr const char* kUsage =
    "usage: lm7tool COMMAND ...\n"
    "  icon-sizes FILE [--bits N] [--sizes A,B,...]\n"
    "      the wanted sizes (default 16,32,48,256) that FILE holds at N bits (default 32;\n"
    "      0 takes the entries whose directory gives no bit count)\n"
    "  export-imagelist --size N --out FILE [--bits N] ICON...\n"
    "      an image list of NxN images from the icons that offer that size\n"
    "  imagelist-show FILE --png OUT\n"
    "      a contact sheet of the images of an image-list file, as a PNG\n"
    "  icon-consts FILE\n"
    "      the command names and master icon numbers of a constants source, tab-separated\n"
    "  broadcast-style N\n"
    "      every open window of the suite in this session takes colour style N (0 to 5)\n"
    "  to-emf IMAGE.png OUT.emf\n"
    "      the image as an enhanced metafile\n"
    "  fonts-for TEXT\n"
    "      the installed fonts that show every character of TEXT, then those that show some,\n"
    "      most first, and the characters no font shows; status 1 when no font shows them all\n";

// Bad arguments: the message goes to stderr and the program stops with status 2.
struct UsageError {
    std::string Message;
};

int ParseInt(const std::string& text, const std::string& what) {
    int value = 0;
    if (!TryStrToInt(text, value))
        throw UsageError{Format("%s must be a whole number, not \"%s\"", {what, text})};
    return value;
}

std::vector<int> ParseSizes(const std::string& text) {
    std::vector<int> sizes;
    std::size_t from = 0;
    while (from <= text.size()) {
        const std::size_t comma = std::min(text.find(',', from), text.size());
        sizes.push_back(ParseInt(text.substr(from, comma - from), "--sizes"));
        from = comma + 1;
    }
    return sizes;
}

// Options of the form --name VALUE, and the plain arguments in order.
struct Args {
    std::vector<std::pair<std::string, std::string>> Options;
    std::vector<std::string> Plain;

    Args(const std::vector<std::string>& args, std::initializer_list<const char*> known) {
        for (std::size_t i = 1; i < args.size(); ++i) {
            const std::string& a = args[i];
            if (a.starts_with("--")) {
                if (std::find_if(known.begin(), known.end(), [&](const char* k) { return a == k; }) ==
                    known.end())
                    throw UsageError{Format("unknown option %s", {a})};
                if (i + 1 >= args.size())
                    throw UsageError{Format("%s needs a value", {a})};
                Options.emplace_back(a, args[++i]);
            } else {
                Plain.push_back(a);
            }
        }
    }
    const std::string* Find(const std::string& name) const {
        for (const auto& [k, v] : Options)
            if (k == name)
                return &v;
        return nullptr;
    }
    std::string Need(const std::string& name) const {
        if (const std::string* v = Find(name))
            return *v;
        throw UsageError{Format("%s is required", {name})};
    }
};

std::uint16_t Bits(const Args& args) {
    const std::string* text = args.Find("--bits");
    const int bits = text ? ParseInt(*text, "--bits") : 32;
    if (bits < 0 || bits > 32)
        throw UsageError{"--bits must be between 0 and 32"};
    return static_cast<std::uint16_t>(bits);
}

int IconSizes(const Args& args, std::ostream& out) {
    if (args.Plain.size() != 1)
        throw UsageError{"icon-sizes takes one icon file"};
    if (!FileExists(args.Plain[0]))
        throw Exception(Format("Icon file \"%s\" does not exist", {args.Plain[0]}));
    const std::string* sizes = args.Find("--sizes");
    const auto found = lm7::IconsizesInAnIconfile(
        args.Plain[0], Bits(args), sizes ? ParseSizes(*sizes) : std::vector<int>{16, 32, 48, 256});
    std::string line;
    for (int s : found)
        line += (line.empty() ? "" : ",") + IntToStr(s);
    out << line << '\n';
    return 0;
}

int ExportImageList(const Args& args, std::ostream& out, std::ostream& err) {
    const int size = ParseInt(args.Need("--size"), "--size");
    const std::string target = args.Need("--out");
    if (args.Plain.empty())
        throw UsageError{"export-imagelist needs at least one icon file"};
    const std::vector<int> offered{16, 20, 24, 32, 40, 48, 64, 96, 128, 256};
    std::vector<lm7::T2StringAndIntArray> icons;
    for (const std::string& file : args.Plain)
        icons.push_back({file, "", lm7::IconsizesInAnIconfile(file, Bits(args), offered)});
    const auto taken = lm7::SaveImageListFromListOfIconFiles(icons, size, target);
    for (std::size_t i = 0; i < icons.size(); ++i) {
        const bool in = std::find(taken.begin(), taken.end(), static_cast<int>(i)) != taken.end();
        out << (in ? "added\t" : "skipped\t") << icons[i].icon_fname << '\n';
    }
    if (taken.empty()) {
        err << "lm7tool: no icon offers " << size << "x" << size << " pixels; nothing written\n";
        return 1;
    }
    out << Format("%d images of %dx%d written to %s", {static_cast<int>(taken.size()), size, size, target})
        << '\n';
    return 0;
}

int ImageListShow(const Args& args, std::ostream& out) {
    if (args.Plain.size() != 1)
        throw UsageError{"imagelist-show takes one image-list file"};
    const std::string png = args.Need("--png");
    std::unique_ptr<TImageList, TFreeDeleter> list(Create<TImageList>(nullptr));
    ReadComponentResFile(args.Plain[0], *list);
    // Images on a light checkerboard, so transparency shows.
    const int cell = std::max(list->Width(), list->Height()) + kSheetGap;
    const SheetGrid grid = ContactSheetGrid(list->Count(), cell);
    TBitmap sheet(grid.Columns * cell + kSheetGap, grid.Rows * cell + kSheetGap);
    TCanvas& canvas = *sheet.Canvas();
    for (int y = 0; y < sheet.Height(); y += 4)
        for (int x = 0; x < sheet.Width(); x += 4) {
            canvas.Brush()->SetColor(((x + y) / 4) % 2 ? TColor(0xE8E8E8) : clWhite);
            canvas.FillRect(Bounds(x, y, 4, 4));
        }
    for (int i = 0; i < list->Count(); ++i)
        list->Draw(&canvas, kSheetGap + (i % grid.Columns) * cell, kSheetGap + (i / grid.Columns) * cell, i);
    sheet.SaveToFile(png);
    out << Format("%s: %d images of %dx%d, named \"%s\"",
                  {args.Plain[0], list->Count(), list->Width(), list->Height(), list->Name()})
        << '\n';
    return 0;
}

int IconConsts(const Args& args, std::ostream& out) {
    if (args.Plain.size() != 1)
        throw UsageError{"icon-consts takes one source file"};
    std::unique_ptr<TStringList> pairs(lm7::ComputeMASTER_16_ConstsForIcons(args.Plain[0]));
    for (int i = 0; i < pairs->Count(); ++i)
        out << pairs->StringRef(i) << '\t' << TStrings::ObjectToInt(pairs->Objects(i)) << '\n';
    return 0;
}

// The style-change command of the suite's broadcast; its value is the style's ordinal.
constexpr std::uint32_t kStyleChangeCommand = 703;

int BroadcastStyle(const Args& args) {
    if (args.Plain.size() != 1)
        throw UsageError{"broadcast-style takes one style number"};
    const int style = ParseInt(args.Plain[0], "the style");
    if (style < 0 || style >= vendor::kTMSStyleCount)
        throw UsageError{Format("the style must be between 0 and %d", {vendor::kTMSStyleCount - 1})};
    host::SendBroadcast(kStyleChangeCommand, style);
    return 0;
}

int ToEmf(const Args& args, std::ostream& out) {
    if (args.Plain.size() != 2)
        throw UsageError{"to-emf takes an image file and the metafile to write"};
    TBitmap bitmap;
    bitmap.LoadFromFile(args.Plain[0]);
    lm7::ConvertBitmapToWindowsMetafile(bitmap)->SaveToFile(args.Plain[1]);
    out << Format("%s: %dx%d written as a metafile to %s",
                  {args.Plain[0], bitmap.Width(), bitmap.Height(), args.Plain[1]})
        << '\n';
    return 0;
}

int FontsFor(const Args& args, std::ostream& out) {
    if (args.Plain.size() != 1)
        throw UsageError{"fonts-for takes one text (quote it)"};
    const TTextCoverage coverage = FontsForText(args.Plain[0]);
    if (coverage.Characters.empty())
        throw UsageError{"fonts-for needs a text with visible characters"};
    const int total = static_cast<int>(coverage.Characters.size());
    for (const TFontCoverage& font : coverage.Fonts)
        out << font.Family << '\t' << font.Shown << '/' << total << '\n';
    if (!coverage.Unshown.empty()) {
        std::string line = "shown by no installed font:";
        for (char32_t c : coverage.Unshown)
            line += Format(" U+%.4x", {static_cast<int>(c)});
        out << line << '\n';
    }
    return coverage.Complete().empty() ? 1 : 0;
}

}  // namespace

SheetGrid ContactSheetGrid(int Count, int Cell) {
    // Rows of eight; as many more columns as it takes to stay within the highest bitmap.
    constexpr int kColumns = 8;
    const int maxRows = std::max(1, (TBitmap::kMaxDimension - kSheetGap) / Cell);
    const int count = std::max(Count, 1);
    const int columns = std::max(std::min(kColumns, count), (count + maxRows - 1) / maxRows);
    if (columns * Cell + kSheetGap > TBitmap::kMaxDimension)
        throw Exception(Format("%d images of this size do not fit on one contact sheet", {Count}));
    return SheetGrid{columns, (count + columns - 1) / columns};
}

int RunLm7Tool(const std::vector<std::string>& Arguments, std::ostream& Out, std::ostream& Err) {
    const std::string command = Arguments.empty() ? "" : Arguments[0];
    if (command == "--help" || command == "-h" || command == "help") {
        Out << kUsage;
        return 0;
    }
    try {
        if (command == "icon-sizes")
            return IconSizes(Args(Arguments, {"--bits", "--sizes"}), Out);
        if (command == "export-imagelist")
            return ExportImageList(Args(Arguments, {"--size", "--out", "--bits"}), Out, Err);
        if (command == "imagelist-show")
            return ImageListShow(Args(Arguments, {"--png"}), Out);
        if (command == "icon-consts")
            return IconConsts(Args(Arguments, {}), Out);
        if (command == "broadcast-style")
            return BroadcastStyle(Args(Arguments, {}));
        if (command == "to-emf")
            return ToEmf(Args(Arguments, {}), Out);
        if (command == "fonts-for")
            return FontsFor(Args(Arguments, {}), Out);
        throw UsageError{command.empty() ? "a command is needed (see --help)"
                                         : Format("unknown command \"%s\" (see --help)", {command})};
    } catch (const UsageError& e) {
        Err << "lm7tool: " << e.Message << '\n';
        return 2;
    } catch (const std::exception& e) {
        Err << "lm7tool: " << e.what() << '\n';
        return 1;
    }
}
