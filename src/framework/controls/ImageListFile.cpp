#include "framework/controls/ImageListFile.h"

#include "framework/graphics/PngHeader.h"
#include "framework/rtl/Exceptions.h"
#include "framework/rtl/Files.h"
#include "framework/rtl/Format.h"

#include <cstring>
#include <span>
#include <vector>

namespace framework {

namespace {

// The smallest PNG stream that can hold an image: signature, IHDR, IDAT and IEND chunks.
constexpr std::size_t kMinPngBytes = 8 + 25 + 12 + 12;

void PutU16(std::string& out, unsigned v) {
    out.push_back(static_cast<char>(v & 0xFF));
    out.push_back(static_cast<char>((v >> 8) & 0xFF));
}
void PutU32(std::string& out, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
}

// Reads little-endian fields from the front of the bytes, raising on a short stream.
class Reader {
public:
    Reader(std::string_view bytes, const std::string& source) : m_bytes(bytes), m_source(source) {}

    [[noreturn]] void Fail(const std::string& why) const {
        throw EInvalidImage(Format("Image list file \"%s\" is damaged: %s", {m_source, why}));
    }
    std::string_view Take(std::size_t n, const char* what) {
        if (n > Remaining())
            Fail(Format("it ends inside the %s", {what}));
        std::string_view s = m_bytes.substr(m_pos, n);
        m_pos += n;
        return s;
    }
    std::uint32_t U(std::size_t n, const char* what) {
        std::string_view s = Take(n, what);
        std::uint32_t v = 0;
        for (std::size_t i = 0; i < n; ++i)
            v |= std::uint32_t{static_cast<std::uint8_t>(s[i])} << (8 * i);
        return v;
    }
    std::size_t Remaining() const { return m_bytes.size() - m_pos; }

private:
    std::string_view m_bytes;
    const std::string& m_source;
    std::size_t m_pos = 0;
};

std::string listToBytes(const TCustomImageList& Instance, const std::string& name) {
    if (name.size() > kImageListMaxNameLength)
        throw EInvalidOperation(Format("Image list name \"%s\" is too long to store", {name}));
    std::string out(kImageListMagic);
    PutU16(out, kImageListVersion);
    out.push_back(static_cast<char>(name.size()));
    out += name;
    PutU16(out, static_cast<unsigned>(Instance.Width()));
    PutU16(out, static_cast<unsigned>(Instance.Height()));
    out.push_back(static_cast<char>(Instance.DrawingStyle()));
    PutU32(out, static_cast<std::uint32_t>(Instance.Count()));
    TBitmap image;
    std::vector<std::uint8_t> png;
    for (int i = 0; i < Instance.Count(); ++i) {
        Instance.GetBitmap(i, &image);
        png.clear();
        image.SaveToStream(png);
        PutU32(out, static_cast<std::uint32_t>(png.size()));
        out.append(reinterpret_cast<const char*>(png.data()), png.size());
    }
    return out;
}

// Data kept with a form description has no name (takeName false); the list keeps its own.
void listFromBytes(std::string_view Bytes, TCustomImageList& Instance, const std::string& Source,
                   bool takeName) {
    Reader in(Bytes, Source);
    if (in.Take(kImageListMagic.size(), "header") != kImageListMagic)
        in.Fail("it is not an image list file");
    const std::uint32_t version = in.U(2, "header");
    if (version != kImageListVersion)
        in.Fail(Format("version %d is not known", {static_cast<int>(version)}));
    const std::size_t nameLength = in.U(1, "header");
    if (nameLength > kImageListMaxNameLength)
        in.Fail("the name is too long");
    const std::string name(in.Take(nameLength, "name"));
    if (!name.empty() && !IsValidIdent(name))
        in.Fail("the name is not an identifier");
    const int width = static_cast<int>(in.U(2, "image size"));
    const int height = static_cast<int>(in.U(2, "image size"));
    if (width < 1 || height < 1 || width > TCustomImageList::kMaxImageSize ||
        height > TCustomImageList::kMaxImageSize)
        in.Fail(Format("the image size %dx%d is not allowed", {width, height}));
    const std::uint32_t style = in.U(1, "drawing style");
    if (style > dsTransparent)
        in.Fail("the drawing style is not known");
    const std::uint32_t count = in.U(4, "image count");
    // Every image needs its length field and a minimal PNG: a count the bytes cannot hold is
    // refused before anything is reserved for it.
    if (count > in.Remaining() / (4 + kMinPngBytes))
        in.Fail(Format("it holds fewer images than the %u it announces", {count}));
    if (static_cast<std::int64_t>(count) * width * height > kImageListMaxPixels)
        in.Fail("the images are too large in total");

    std::vector<std::vector<TPixel>> images;
    images.reserve(count);
    TBitmap bmp;
    for (std::uint32_t i = 0; i < count; ++i) {
        const std::uint32_t length = in.U(4, "image length");
        const std::string_view data = in.Take(length, "image data");
        const auto bytes = std::span(reinterpret_cast<const std::uint8_t*>(data.data()), data.size());
        const auto size = PngDeclaredSize(bytes);
        if (!size)
            in.Fail(Format("image %u is not a PNG image", {i}));
        if (size->cx != width || size->cy != height)
            in.Fail(Format("image %u is %dx%d, not %dx%d", {i, size->cx, size->cy, width, height}));
        try {
            bmp.LoadFromStream(bytes);
        } catch (const Exception& e) {
            in.Fail(Format("image %u cannot be decoded (%s)", {i, e.Message()}));
        }
        std::vector<TPixel> pixels(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
        for (int y = 0; y < height; ++y)
            std::memcpy(&pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width)],
                        bmp.ScanLine(y), static_cast<std::size_t>(width) * sizeof(TPixel));
        images.push_back(std::move(pixels));
    }
    if (in.Remaining() != 0)
        in.Fail("bytes follow the last image");

    // Everything was read: only now does the list change.
    if (takeName && name != Instance.Name())
        Instance.SetName(name);
    Instance.Clear();
    Instance.SetSize(width, height);
    Instance.SetDrawingStyle(static_cast<TDrawingStyle>(style));
    for (auto& pixels : images)
        Instance.AddPixels(std::move(pixels));
}

}  // namespace

std::string ImageListToBytes(const TCustomImageList& Instance) {
    return listToBytes(Instance, Instance.Name());
}

void ImageListFromBytes(std::string_view Bytes, TCustomImageList& Instance, const std::string& Source) {
    listFromBytes(Bytes, Instance, Source, true);
}

std::string TCustomImageList::ImageData() const { return listToBytes(*this, {}); }

void TCustomImageList::SetImageData(std::string_view Data) {
    listFromBytes(Data, *this, "image data of " + Name(), false);
}

void WriteComponentResFile(const std::string& FileName, const TCustomImageList& Instance) {
    WriteFileAtomic(FileName, ImageListToBytes(Instance));
}

void ReadComponentResFile(const std::string& FileName, TCustomImageList& Instance) {
    const std::int64_t size = FileSize(FileName);
    if (size > kImageListMaxFileSize)
        throw EInvalidImage(Format("Image list file \"%s\" is too large (%d bytes)", {FileName, size}));
    ImageListFromBytes(ReadFileToString(FileName, static_cast<std::size_t>(kImageListMaxFileSize)), Instance,
                       FileName);
}

}  // namespace framework
