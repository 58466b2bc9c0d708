#pragma once
// Image-list files: one image list stored with its name, image size, drawing style and images
// (32-bit RGBA, each a PNG stream). The layout is in docs/image-list-format.md. These play the
// part of the classic component resource files for image lists.

#include "framework/controls/ImageList.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace framework {

inline constexpr std::string_view kImageListMagic{"LM7IMGL\x1A", 8};
inline constexpr std::uint16_t kImageListVersion = 1;
// Bounds a reader keeps to, so that no file can make it allocate without limit.
inline constexpr std::int64_t kImageListMaxFileSize = std::int64_t{256} << 20;
inline constexpr std::int64_t kImageListMaxPixels = std::int64_t{1} << 25;
inline constexpr std::size_t kImageListMaxNameLength = 63;

// The list as the bytes of an image-list file.
std::string ImageListToBytes(const TCustomImageList& Instance);
// Replaces the name, size, drawing style and images of Instance with those stored in Bytes.
// A damaged or hostile stream raises EInvalidImage naming Source and leaves Instance as it was.
void ImageListFromBytes(std::string_view Bytes, TCustomImageList& Instance, const std::string& Source);

// Writes the list to FileName atomically (errors as WriteFileAtomic raises them).
void WriteComponentResFile(const std::string& FileName, const TCustomImageList& Instance);
// Reads FileName into Instance: EFOpenError when it cannot be read, EInvalidImage when it is
// damaged or larger than kImageListMaxFileSize.
void ReadComponentResFile(const std::string& FileName, TCustomImageList& Instance);

}  // namespace framework
