#pragma once
// How the suite's own file dialogs show the files of a folder.

#include <cstdint>

namespace sibling {

enum TDisplayFolderOption : std::uint8_t { dfo_default, dfo_details, dfo_list, dfo_thumbnails };

}  // namespace sibling
