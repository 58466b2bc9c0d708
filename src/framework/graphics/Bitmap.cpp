#include "framework/graphics/Bitmap.h"

#include "framework/classes/TypInfo.h"
#include "framework/rtl/Exceptions.h"
#include "framework/rtl/Files.h"

#include <png.h>

#include <algorithm>
#include <cerrno>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace framework {

namespace {

constexpr TPixel kWhite = 0xFFFFFFFFu;

// libpng reports errors by longjmp; the code between setjmp and the jump owns only plain C
// memory, so no C++ destructor is skipped. The message is kept for the exception.
struct PngError {
    char message[200] = "";
};

void pngErrorFn(png_structp png, png_const_charp msg) {
    auto* err = static_cast<PngError*>(png_get_error_ptr(png));
    if (err)
        std::snprintf(err->message, sizeof err->message, "%s", msg ? msg : "unknown error");
    png_longjmp(png, 1);
}

void pngWarningFn(png_structp, png_const_charp) {}

struct ReadSource {
    const std::uint8_t* data;
    std::size_t size;
    std::size_t pos;
};

void pngReadFn(png_structp png, png_bytep out, png_size_t length) {
    auto* src = static_cast<ReadSource*>(png_get_io_ptr(png));
    if (length > src->size - src->pos)
        png_error(png, "the image data is cut short");
    std::memcpy(out, src->data + src->pos, length);
    src->pos += length;
}

struct Decoded {
    TPixel* pixels = nullptr;  // malloc'd; the caller frees it
    png_uint_32 width = 0, height = 0;
};

// Decodes into 0xAARRGGBB words. Returns false with err filled on any failure.
bool decodePng(const std::uint8_t* data, std::size_t size, Decoded& out, PngError& err) {
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &err, pngErrorFn, pngWarningFn);
    if (!png) {
        std::snprintf(err.message, sizeof err.message, "out of memory");
        return false;
    }
    png_infop info = png_create_info_struct(png);
    ReadSource src{data, size, 0};
    png_bytep* volatile rows = nullptr;
    TPixel* volatile pixels = nullptr;
    if (setjmp(png_jmpbuf(png))) {
        std::free(rows);
        std::free(pixels);
        png_destroy_read_struct(&png, info ? &info : nullptr, nullptr);
        return false;
    }
    if (!info)
        png_error(png, "out of memory");
    // Refuse absurd sizes before anything is allocated for them.
    png_set_user_limits(png, TBitmap::kMaxDimension, TBitmap::kMaxDimension);
    png_set_chunk_malloc_max(png, 64u << 20);
    png_set_read_fn(png, &src, pngReadFn);
    png_read_info(png, info);
    const png_uint_32 w = png_get_image_width(png, info), h = png_get_image_height(png, info);
    if (w == 0 || h == 0 || w > TBitmap::kMaxDimension || h > TBitmap::kMaxDimension)
        png_error(png, "the image size is out of range");
    const int colorType = png_get_color_type(png, info);
    png_set_expand(png);
    png_set_strip_16(png);
    if (colorType == PNG_COLOR_TYPE_GRAY || colorType == PNG_COLOR_TYPE_GRAY_ALPHA)
        png_set_gray_to_rgb(png);
    png_set_filler(png, 0xFF, PNG_FILLER_AFTER);
    png_set_bgr(png);
    png_set_interlace_handling(png);
    png_read_update_info(png, info);
    if (png_get_rowbytes(png, info) != static_cast<std::size_t>(w) * 4)
        png_error(png, "unsupported pixel layout");
    pixels = static_cast<TPixel*>(std::malloc(static_cast<std::size_t>(w) * h * sizeof(TPixel)));
    rows = static_cast<png_bytep*>(std::malloc(h * sizeof(png_bytep)));
    if (!pixels || !rows)
        png_error(png, "out of memory");
    for (png_uint_32 y = 0; y < h; ++y)
        rows[y] = reinterpret_cast<png_bytep>(pixels + static_cast<std::size_t>(y) * w);
    png_read_image(png, rows);
    png_read_end(png, nullptr);
    std::free(rows);
    png_destroy_read_struct(&png, &info, nullptr);
    out.pixels = pixels;
    out.width = w;
    out.height = h;
    return true;
}

struct WriteSink {
    unsigned char* data = nullptr;  // malloc'd
    std::size_t size = 0, capacity = 0;
};

void pngWriteFn(png_structp png, png_bytep in, png_size_t length) {
    auto* sink = static_cast<WriteSink*>(png_get_io_ptr(png));
    if (sink->size + length > sink->capacity) {
        std::size_t cap = std::max<std::size_t>(sink->capacity * 2, sink->size + length + 4096);
        auto* grown = static_cast<unsigned char*>(std::realloc(sink->data, cap));
        if (!grown)
            png_error(png, "out of memory");
        sink->data = grown;
        sink->capacity = cap;
    }
    std::memcpy(sink->data + sink->size, in, length);
    sink->size += length;
}

void pngFlushFn(png_structp) {}

bool encodePng(const TPixel* pixels, int w, int h, bool alpha, WriteSink& sink, PngError& err) {
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &err, pngErrorFn, pngWarningFn);
    if (!png) {
        std::snprintf(err.message, sizeof err.message, "out of memory");
        return false;
    }
    png_infop info = png_create_info_struct(png);
    png_bytep* volatile rows = nullptr;
    if (setjmp(png_jmpbuf(png))) {
        std::free(rows);
        png_destroy_write_struct(&png, info ? &info : nullptr);
        return false;
    }
    if (!info)
        png_error(png, "out of memory");
    png_set_write_fn(png, &sink, pngWriteFn, pngFlushFn);
    png_set_IHDR(png, info, static_cast<png_uint_32>(w), static_cast<png_uint_32>(h), 8,
                 alpha ? PNG_COLOR_TYPE_RGB_ALPHA : PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    png_set_bgr(png);
    if (!alpha)
        png_set_filler(png, 0, PNG_FILLER_AFTER);  // drop the alpha byte of each word
    rows = static_cast<png_bytep*>(std::malloc(static_cast<std::size_t>(h) * sizeof(png_bytep)));
    if (!rows)
        png_error(png, "out of memory");
    for (int y = 0; y < h; ++y)
        rows[y] = reinterpret_cast<png_bytep>(const_cast<TPixel*>(pixels + static_cast<std::size_t>(y) * w));
    png_write_image(png, rows);
    png_write_end(png, nullptr);
    std::free(rows);
    png_destroy_write_struct(&png, &info);
    return true;
}

}  // namespace

const TClassInfo& TBitmap::ClassInfo() {
    static const TClassInfo info =
        TClassInfo::Derive<TBitmap, TPersistent>("TBitmap")
            .Integer<TBitmap>("Height", &TBitmap::Height, &TBitmap::SetHeight, 0)
            .Bool<TBitmap>("Transparent", &TBitmap::Transparent, &TBitmap::SetTransparent, false)
            .Integer<TBitmap>("Width", &TBitmap::Width, &TBitmap::SetWidth, 0);
    return info;
}

TBitmap::TBitmap() : m_canvas(std::make_unique<TCanvas>()) {}

TBitmap::TBitmap(int width, int height) : TBitmap() { SetSize(width, height); }

TBitmap::~TBitmap() = default;

void TBitmap::UpdateSurface() {
    m_canvas->SetSurface(
        TPixelSurface{m_pixels.empty() ? nullptr : m_pixels.data(), m_width, m_height, m_width});
}

void TBitmap::SetSize(int width, int height) {
    width = std::max(width, 0);
    height = std::max(height, 0);
    if (width > kMaxDimension || height > kMaxDimension)
        throw EInvalidGraphic("Bitmap size " + std::to_string(width) + " x " + std::to_string(height) +
                              " is too large");
    if (width == m_width && height == m_height)
        return;
    std::vector<TPixel> pixels(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), kWhite);
    const int keepW = std::min(width, m_width), keepH = std::min(height, m_height);
    for (int y = 0; y < keepH; ++y)
        std::copy_n(m_pixels.data() + static_cast<std::size_t>(y) * m_width, keepW,
                    pixels.data() + static_cast<std::size_t>(y) * width);
    m_pixels = std::move(pixels);
    m_width = width;
    m_height = height;
    UpdateSurface();
}

TPixel* TBitmap::ScanLine(int row) {
    return const_cast<TPixel*>(static_cast<const TBitmap*>(this)->ScanLine(row));
}

const TPixel* TBitmap::ScanLine(int row) const {
    if (row < 0 || row >= m_height)
        throw EInvalidGraphicOperation("Scan line index out of range");
    return m_pixels.data() + static_cast<std::size_t>(row) * m_width;
}

TColor TBitmap::TransparentColorValue() const {
    if (m_transparentColor != clDefault)
        return ColorToRGB(m_transparentColor) & 0xFFFFFF;
    if (Empty())
        return clNone;
    return PixelToColor(m_pixels[static_cast<std::size_t>(m_height - 1) * m_width]);
}

void TBitmap::Assign(const TPersistent* Source) {
    if (const auto* src = As<TBitmap>(const_cast<TPersistent*>(Source))) {
        if (src == this)
            return;
        m_pixels = src->m_pixels;
        m_width = src->m_width;
        m_height = src->m_height;
        m_pixelFormat = src->m_pixelFormat;
        m_transparent = src->m_transparent;
        m_transparentColor = src->m_transparentColor;
        m_canvas->Assign(src->m_canvas.get());
        UpdateSurface();
        return;
    }
    TPersistent::Assign(Source);
}

void TBitmap::Decode(std::span<const std::uint8_t> png, const std::string& source) {
    Decoded image;
    PngError err;
    if (!decodePng(png.data(), png.size(), image, err))
        throw EInvalidGraphic("Invalid PNG image " + source + ": " + err.message);
    const std::size_t count = static_cast<std::size_t>(image.width) * image.height;
    try {
        m_pixels.assign(image.pixels, image.pixels + count);
    } catch (...) {
        std::free(image.pixels);
        throw;
    }
    std::free(image.pixels);
    m_width = static_cast<int>(image.width);
    m_height = static_cast<int>(image.height);
    m_pixelFormat = pf32bit;
    UpdateSurface();
}

void TBitmap::LoadFromStream(std::span<const std::uint8_t> png) { Decode(png, "(stream)"); }

void TBitmap::LoadFromFile(const std::string& fileName) {
    const std::string bytes = ReadFileToString(fileName, kMaxFileSize);
    Decode(std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()), fileName);
}

void TBitmap::SaveToStream(std::vector<std::uint8_t>& png) const {
    if (Empty())
        throw EInvalidGraphic("Cannot save an empty bitmap");
    const bool alpha = m_pixelFormat == pf32bit && std::any_of(m_pixels.begin(), m_pixels.end(),
                                                               [](TPixel p) { return (p >> 24) != 0xFF; });
    WriteSink sink;
    PngError err;
    const bool ok = encodePng(m_pixels.data(), m_width, m_height, alpha, sink, err);
    if (ok) {
        try {
            png.assign(sink.data, sink.data + sink.size);
        } catch (...) {
            std::free(sink.data);
            throw;
        }
    }
    std::free(sink.data);
    if (!ok)
        throw EInvalidGraphic(std::string("Cannot write the PNG image: ") + err.message);
}

std::vector<std::uint8_t> TBitmap::SaveToBytes() const {
    std::vector<std::uint8_t> png;
    SaveToStream(png);
    return png;
}

void TBitmap::SaveToFile(const std::string& fileName) const {
    const std::vector<std::uint8_t> png = SaveToBytes();
    WriteFileAtomic(fileName, std::string(png.begin(), png.end()));
}

}  // namespace framework
