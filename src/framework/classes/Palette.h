#pragma once
// The designer's component palette: which classes a package offers, on which page, in order.

#include "framework/classes/TypInfo.h"

#include <initializer_list>
#include <string>
#include <vector>

namespace framework {

struct TPaletteEntry {
    std::string Page;
    TClass Class = nullptr;
};

// Records the classes on the page, in order, and registers them for creation by name.
void RegisterComponents(const std::string& Page, std::initializer_list<TClass> Classes);
// Every entry recorded so far, in the order of registration.
const std::vector<TPaletteEntry>& PaletteEntries();
// Forgets the palette (a designer unloading its packages).
void ClearPalette();

}  // namespace framework
