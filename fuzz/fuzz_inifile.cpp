// Feeds arbitrary bytes to TMemIniFile as the content of a file, reads every section and key
// back, writes a value, and renders the file. Nothing may crash, the rendered text must be
// UTF-8 (whatever the bytes were: a file that is not UTF-8 is read as Windows-1252) and must
// load again to the same sections.

#include "framework/classes/StringList.h"
#include "framework/inifiles/IniFiles.h"
#include "framework/rtl/Exceptions.h"
#include "framework/rtl/StrUtils.h"
#include "framework/rtl/Unicode.h"

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace framework;
    TMemIniFile ini("");
    ini.LoadFromBytes(std::string(reinterpret_cast<const char*>(data), size));
    TStringList sections, keys;
    ini.ReadSections(sections);
    std::size_t total = 0;
    for (int s = 0; s < sections.Count(); ++s) {
        ini.ReadSection(sections.Strings(s), keys);
        for (int k = 0; k < keys.Count(); ++k) {
            total += ini.ReadString(sections.Strings(s), keys.Strings(k), "").size();
            total += static_cast<std::size_t>(ini.ReadInteger(sections.Strings(s), keys.Strings(k), 0) & 1);
            total += ini.ReadFloat(sections.Strings(s), keys.Strings(k), 0) > 0 ? 1 : 0;
        }
    }
    try {
        // Blanks at the ends would be trimmed by the reload below, so they are left out here.
        ini.WriteString("Fuzz", "key",
                        Trim(std::string_view(reinterpret_cast<const char*>(data), size < 64 ? size : 64)));
    } catch (const EIniFileException&) {
        // Text the layout cannot hold is refused; that is the expected answer.
    }
    const std::string saved = ini.SaveToBytes();
    if (ini.Encoding()->EncodingForm() == TEncoding::Form::UTF8 && !IsValidUtf8(saved))
        std::abort();
    TMemIniFile again("");
    again.LoadFromBytes(saved);
    TStringList sectionsAgain;
    again.ReadSections(sectionsAgain);
    if (again.SaveToBytes() != saved)
        std::abort();
    (void)total;
    return 0;
}
