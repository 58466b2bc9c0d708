#include "imaging/graphics_utilities.h"

#include "framework/controls/ImageListFile.h"
#include "framework/platform/Platform.h"
#include "framework/rtl/SysUtils.h"

#include <algorithm>
#include <memory>

using namespace framework;

namespace lm7 {

namespace {

std::string ReadRangeOrRaise(const std::string& fileName, std::uint64_t offset, std::size_t count) {
    platform::IoError err;
    auto bytes = platform::Platform().ReadFileRange(fileName, offset, count, &err);
    if (!bytes)
        throw EFOpenError(Format("Cannot open file \"%s\". %s", {fileName, err.Text}));
    return std::move(*bytes);
}

}  // namespace

std::vector<TIconDirEntry> ReadIconDirectory(const std::string& FileName) {
    if (!FileExists(FileName))
        return {};
    std::uint16_t type = 0, count = 0;
    if (!ParseIconHeader(ReadRangeOrRaise(FileName, 0, kIconHeaderSize), type, count) || type != 1)
        return {};
    // Entries that would reach beyond the end of the file are not read: a short read gives them.
    const std::string directory =
        ReadRangeOrRaise(FileName, kIconHeaderSize, std::size_t{count} * kIconDirEntrySize);
    return ParseIconDirectory(directory, count);
}

std::vector<int> IconsizesInAnIconfile(const std::string& FileName, std::uint16_t BitCount,
                                       const std::vector<int>& WantedSizes) {
    std::vector<int> result;
    if (!FileExists(FileName))
        return result;
    for (const TIconDirEntry& entry : ReadIconDirectory(FileName)) {
        if (entry.bitcount != BitCount)
            continue;
        for (int size : WantedSizes)
            if (size == entry.w || (size == 256 && entry.w == 0)) {
                result.push_back(size);
                break;
            }
    }
    return result;
}

bool DimensionIsInArrayOfValidIconSizes(int Size, const std::vector<int>& Sizes) {
    return std::find(Sizes.begin(), Sizes.end(), Size) != Sizes.end();
}

std::vector<int> SaveImageListFromListOfIconFiles(const std::vector<T2StringAndIntArray>& Icons, int Size,
                                                  const std::string& FileName) {
    std::vector<int> result;
    std::unique_ptr<TImageList, TFreeDeleter> list(Create<TImageList>(nullptr));
    list->SetName(Format("ImageList%d", {Size}));
    list->SetDrawingStyle(dsTransparent);
    list->SetSize(Size, Size);  // raises EInvalidOperation for a size no list can have
    for (std::size_t i = 0; i < Icons.size(); ++i) {
        const T2StringAndIntArray& icon = Icons[i];
        if (!FileExists(icon.icon_fname) || !DimensionIsInArrayOfValidIconSizes(Size, icon.valid_icon_sizes))
            continue;
        auto image = LoadIconFromFile(icon.icon_fname, Size, Size);
        if (!image)
            continue;
        list->Add(*image);
        result.push_back(static_cast<int>(i));
    }
    if (!result.empty())
        WriteComponentResFile(FileName, *list);
    return result;
}

}  // namespace lm7
