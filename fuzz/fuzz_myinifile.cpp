// Feeds arbitrary bytes to the suite's ini file: as the text of a file (every section read as
// a string list, every key as text and as a Boolean), and as values and list items that must
// come back exactly, byte for byte, after a save and a fresh load.

#include "framework/classes/StringList.h"
#include "sibling/Inifilebase.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace framework;
    using sibling::TMyMemIniFile;
    const std::string bytes(reinterpret_cast<const char*>(data), size);

    // The bytes as a damaged file: nothing may crash or read without bound.
    TMyMemIniFile loaded("");
    loaded.LoadFromBytes(bytes);
    TStringList sections, keys, list;
    loaded.ReadSections(sections);
    std::size_t total = 0;
    for (int s = 0; s < sections.Count(); ++s) {
        const std::string section = sections.Strings(s);
        if (loaded.ReadMultiString(section, list))
            total += static_cast<std::size_t>(list.Count());
        loaded.ReadSection(section, keys);
        for (int k = 0; k < keys.Count(); ++k) {
            total += loaded.ReadString(section, keys.Strings(k), "").size();
            total += loaded.ReadBool(section, keys.Strings(k), false) ? 1 : 0;
        }
    }

    // The bytes as values: the whole as one value, and split at '|' into list items.
    if (sibling::UnescapeIniValue(sibling::EscapeIniValue(bytes)) != bytes)
        std::abort();
    TMyMemIniFile out("");
    out.WriteString("Fuzz", "text", bytes);
    TStringList items;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= bytes.size(); ++i)
        if (i == bytes.size() || bytes[i] == '|') {
            items.AddObject(bytes.substr(start, i - start), TStrings::IntToObject(static_cast<int>(i % 3)));
            start = i + 1;
        }
    out.WriteMultiString("Fuzz", items);
    TMyMemIniFile back("");
    back.LoadFromBytes(out.SaveToBytes());
    if (back.ReadString("Fuzz", "text", "<missing>") != bytes)
        std::abort();
    TStringList again;
    if (!back.ReadMultiString("Fuzz", again) || again.Count() != items.Count())
        std::abort();
    for (int i = 0; i < items.Count(); ++i)
        if (again.Strings(i) != items.Strings(i) || again.Objects(i) != items.Objects(i))
            std::abort();
    (void)total;
    return 0;
}
