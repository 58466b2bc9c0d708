#include "framework/classes/Palette.h"

namespace framework {

namespace {
std::vector<TPaletteEntry>& palette() {
    static std::vector<TPaletteEntry> entries;
    return entries;
}
}  // namespace

void RegisterComponents(const std::string& Page, std::initializer_list<TClass> Classes) {
    for (TClass cls : Classes) {
        if (!cls)
            continue;
        RegisterClass(cls);
        palette().push_back(TPaletteEntry{Page, cls});
    }
}

const std::vector<TPaletteEntry>& PaletteEntries() { return palette(); }

void ClearPalette() { palette().clear(); }

}  // namespace framework
