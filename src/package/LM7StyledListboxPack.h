#pragma once
// The package as a loadable module: what it says about itself, the packages it needs, the
// units it holds, its one start-up and one shut-down entry, and its palette registrations.

#include <span>
#include <string_view>

namespace lm7 {

struct TPackageInfo {
    std::string_view Name;
    std::string_view Description;
    bool DesignTime;  // usable in the form designer
    bool RunTime;     // usable by the tools at run time
    std::string_view FileDescription;
    std::string_view Language;
    int CodePage;
};
const TPackageInfo& PackageInfo();

// The packages that must be loaded first, in the order the module lists them.
std::span<const std::string_view> RequiredPackages();
// The units of the package, in the order of its contents list.
std::span<const std::string_view> ContainedUnits();

// One entry per unit in dependency order: its start-up and shut-down, either may be absent.
struct TUnitEntry {
    std::string_view Unit;
    void (*Initialization)();
    void (*Finalization)();
};
// The start-up table (the classic GetPackageInfoTable).
std::span<const TUnitEntry> GetPackageInfoTable();

// Runs every start-up, first to last; Finalize runs every shut-down, last to first. Each unit
// counts, so a second Initialize does no work twice and only the last Finalize undoes it.
void Initialize();
void Finalize();

// For a program's main: the package runs while the scope lasts and stops on every way out of
// it, so that windows made inside the scope are gone before their image lists are.
class TPackageScope {
public:
    TPackageScope() { Initialize(); }
    ~TPackageScope() { Finalize(); }
    TPackageScope(const TPackageScope&) = delete;
    TPackageScope& operator=(const TPackageScope&) = delete;
};

// Registers the component classes of the package, the vendor packs, the sibling runtime and
// the framework, so that form descriptions can name them. Initialize calls it.
void RegisterPackageClasses();

// Every unit's Register, in the order a designer host calls them: the palette gets the
// package's classes on the page "Samples".
void RegisterAll();

}  // namespace lm7
