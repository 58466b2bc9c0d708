#include "sibling/Colour_utils.h"

#include <cctype>
#include <limits>

namespace sibling {

namespace {

// "clWebFloralWhite" -> "Floral White".
std::string ReadableName(const std::string& Name) {
    std::string bare = Name.rfind("clWeb", 0) == 0 ? Name.substr(5) : Name;
    std::string out;
    for (char c : bare) {
        if (!out.empty() && std::isupper(static_cast<unsigned char>(c)))
            out += ' ';
        out += c;
    }
    return out;
}

framework::TColorArray MakeTable() {
    framework::TColorArray table;
    table.reserve(framework::WebNamedColorsCount);
    for (const auto& e : framework::WebNamedColors())
        table.push_back({e.Value, ReadableName(e.Name)});
    return table;
}

}  // namespace

framework::TColorArray MyColourArray = MakeTable();

int NearestColourIndex(framework::TColor Colour, const framework::TColorArray& Table) {
    const framework::TColor rgb = framework::ColorToRGB(Colour);
    int best = -1;
    long long bestDistance = std::numeric_limits<long long>::max();
    for (std::size_t i = 0; i < Table.size(); ++i) {
        const framework::TColor c = framework::ColorToRGB(Table[i].Value);
        const long long dr = framework::GetRValue(c) - framework::GetRValue(rgb);
        const long long dg = framework::GetGValue(c) - framework::GetGValue(rgb);
        const long long db = framework::GetBValue(c) - framework::GetBValue(rgb);
        const long long d = dr * dr + dg * dg + db * db;
        if (d < bestDistance) {
            bestDistance = d;
            best = static_cast<int>(i);
        }
    }
    return best;
}

}  // namespace sibling
