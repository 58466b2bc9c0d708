#pragma once
// Drawing and icon-file routines the suite's tools share. The icon-file part: which of a set
// of wanted sizes an icon file holds at a colour depth, and an image list of one size built
// from icon files and saved as an image-list file.

#include "framework/graphics/IconFile.h"

#include <cstdint>
#include <string>
#include <vector>

namespace lm7 {

using framework::TIconDirEntry;

struct T2StringAndIntArray {
    std::string icon_fname;
    std::string description;
    std::vector<int> valid_icon_sizes;
};

// The wanted sizes the file holds at BitCount bits, one per matching directory entry, in
// directory order (a wanted 256 matches an entry of width 0). A missing file or a file that is
// not an icon file gives none; a file that cannot be read raises EFOpenError.
std::vector<int> IconsizesInAnIconfile(const std::string& FileName, std::uint16_t BitCount,
                                       const std::vector<int>& WantedSizes);
bool DimensionIsInArrayOfValidIconSizes(int Size, const std::vector<int>& Sizes);
// Builds a list of Size x Size images named "ImageList<Size>", one image per element whose
// file exists and lists Size and whose icon loads, and writes it to FileName when it has any.
// Answers the indexes of the elements taken, ascending.
std::vector<int> SaveImageListFromListOfIconFiles(const std::vector<T2StringAndIntArray>& Icons, int Size,
                                                  const std::string& FileName);

// The directory entries of an icon file, in file order. Only the header and the directory are
// read, so the size of the rest of the file costs nothing.
std::vector<TIconDirEntry> ReadIconDirectory(const std::string& FileName);

}  // namespace lm7
