#pragma once
// File-dialog filter pairs of the suite's runtime.

#include <string_view>

namespace sibling {

// A file-dialog filter: the name a user reads and the mask that selects the files.
struct TFilterPair {
    std::string_view Name;
    std::string_view Mask;
};

inline constexpr TFilterPair TXT_FileTypes{"Text files", "*.txt"};
inline constexpr TFilterPair All_FileTypes{"All files", "*.*"};
inline constexpr TFilterPair XML_Filetypes{"XML files", "*.xml"};
inline constexpr TFilterPair Tessel_Filetypes{"Tessellation files", "*.tsl"};
inline constexpr TFilterPair Orvane_Filetypes{"Orvane files", "*.orv"};
inline constexpr TFilterPair Batch_Filetypes{"Batch archives", "*.zip"};
inline constexpr TFilterPair RTF_Filetypes{"Rich text files", "*.rtf"};
inline constexpr TFilterPair WebText_Filetypes{"Web pages", "*.htm;*.html"};

}  // namespace sibling
