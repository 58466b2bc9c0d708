#pragma once
// The size a PNG stream declares in its header, read before any decoding, so a reader can
// refuse an image of the wrong or an absurd size before it allocates the pixels.

#include "framework/rtl/Types.h"

#include <cstdint>
#include <optional>
#include <span>

namespace framework {

inline constexpr std::uint8_t kPngSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

inline bool HasPngSignature(std::span<const std::uint8_t> Bytes) {
    if (Bytes.size() < sizeof kPngSignature)
        return false;
    for (std::size_t i = 0; i < sizeof kPngSignature; ++i)
        if (Bytes[i] != kPngSignature[i])
            return false;
    return true;
}

// Width and height from the IHDR chunk that must follow the signature; nullopt when the
// bytes do not start that way or declare a size beyond the int range.
inline std::optional<TSize> PngDeclaredSize(std::span<const std::uint8_t> Bytes) {
    if (Bytes.size() < 24 || !HasPngSignature(Bytes))
        return std::nullopt;
    auto be32 = [&](std::size_t at) {
        return (std::uint32_t{Bytes[at]} << 24) | (std::uint32_t{Bytes[at + 1]} << 16) |
               (std::uint32_t{Bytes[at + 2]} << 8) | std::uint32_t{Bytes[at + 3]};
    };
    if (be32(8) != 13 || Bytes[12] != 'I' || Bytes[13] != 'H' || Bytes[14] != 'D' || Bytes[15] != 'R')
        return std::nullopt;
    const std::uint32_t w = be32(16), h = be32(20);
    if (w > 0x7FFFFFFFu || h > 0x7FFFFFFFu)
        return std::nullopt;
    return TSize{static_cast<int>(w), static_cast<int>(h)};
}

}  // namespace framework
