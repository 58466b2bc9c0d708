#include "framework/graphics/Metafile.h"

#include "framework/classes/TypInfo.h"
#include "framework/rtl/Exceptions.h"
#include "framework/rtl/Files.h"

#include <algorithm>

namespace framework {

namespace {

// The record types and sizes of the enhanced metafile format that this writer uses.
constexpr std::uint32_t EMR_HEADER = 1;
constexpr std::uint32_t EMR_EOF = 14;
constexpr std::uint32_t EMR_STRETCHDIBITS = 81;
constexpr std::uint32_t kHeaderSize = 108;  // ENHMETAHEADER with the pixel-format and micrometre fields
constexpr std::uint32_t kStretchDIBitsSize = 80;
constexpr std::uint32_t kBitmapInfoHeaderSize = 40;
constexpr std::uint32_t kEofSize = 20;
constexpr std::uint32_t kEmfSignature = 0x464D4520;  // " EMF"
constexpr std::uint32_t kSrcCopy = 0x00CC0020;
// The reference device: a 1920 x 1080 screen at 96 pixels per inch, 508 x 286 millimetres.
constexpr int kDeviceWidth = 1920, kDeviceHeight = 1080;
constexpr int kDeviceWidthMM = 508, kDeviceHeightMM = 286;
constexpr int kPixelsPerMetre = 3780;  // 96 pixels per inch
// A metafile canvas starts as clear white: painting marks pixels opaque, and what is blended
// onto it comes out as it would on white paper.
constexpr TPixel kUnpainted = 0x00FFFFFFu;

class LittleEndianWriter {
public:
    explicit LittleEndianWriter(std::vector<std::uint8_t>& out) : m_out(out) {}
    void U16(std::uint16_t v) {
        m_out.push_back(static_cast<std::uint8_t>(v));
        m_out.push_back(static_cast<std::uint8_t>(v >> 8));
    }
    void U32(std::uint32_t v) {
        U16(static_cast<std::uint16_t>(v));
        U16(static_cast<std::uint16_t>(v >> 16));
    }
    void I32(std::int32_t v) { U32(static_cast<std::uint32_t>(v)); }
    // Bounds as EMF keeps them: right and bottom inclusive.
    void InclusiveRect(const TRect& r) {
        I32(r.Left);
        I32(r.Top);
        I32(r.Right - 1);
        I32(r.Bottom - 1);
    }

private:
    std::vector<std::uint8_t>& m_out;
};

// Rows of a 24-bit DIB are padded to whole 32-bit words.
std::uint32_t DibRowBytes(int width) { return (static_cast<std::uint32_t>(width) * 3 + 3) & ~3u; }

// A pixel that is not fully opaque lies on white paper: EMF bitmaps have no transparency.
void PutOnPaper(TPixel p, std::uint8_t* bgr) {
    const std::uint32_t a = p >> 24;
    for (int i = 0; i < 3; ++i) {
        const std::uint32_t c = (p >> (8 * i)) & 0xFF;
        bgr[i] = static_cast<std::uint8_t>((c * a + 255 * (255 - a) + 127) / 255);
    }
}

void WriteStretchDIBits(LittleEndianWriter& w, std::vector<std::uint8_t>& out,
                        const TMetafile::TRecord& rec) {
    const TBitmap& image = *rec.Image;
    const int iw = image.Width(), ih = image.Height();
    const std::uint32_t rowBytes = DibRowBytes(iw);
    const std::uint32_t bitsBytes = rowBytes * static_cast<std::uint32_t>(ih);
    w.U32(EMR_STRETCHDIBITS);
    w.U32(kStretchDIBitsSize + kBitmapInfoHeaderSize + bitsBytes);  // already a multiple of 4
    w.InclusiveRect(rec.Dest);
    w.I32(rec.Dest.Left);
    w.I32(rec.Dest.Top);
    w.I32(0);  // xSrc
    w.I32(0);  // ySrc
    w.I32(iw);
    w.I32(ih);
    w.U32(kStretchDIBitsSize);  // offBmiSrc
    w.U32(kBitmapInfoHeaderSize);
    w.U32(kStretchDIBitsSize + kBitmapInfoHeaderSize);  // offBitsSrc
    w.U32(bitsBytes);
    w.U32(0);  // DIB_RGB_COLORS
    w.U32(kSrcCopy);
    w.I32(rec.Dest.Width());
    w.I32(rec.Dest.Height());
    // BITMAPINFOHEADER: bottom-up rows, 24 bits, no compression.
    w.U32(kBitmapInfoHeaderSize);
    w.I32(iw);
    w.I32(ih);
    w.U16(1);
    w.U16(24);
    w.U32(0);
    w.U32(bitsBytes);
    w.I32(kPixelsPerMetre);
    w.I32(kPixelsPerMetre);
    w.U32(0);
    w.U32(0);
    const std::size_t start = out.size();
    out.resize(start + bitsBytes, 0);
    for (int y = 0; y < ih; ++y) {
        const TPixel* row = image.ScanLine(ih - 1 - y);
        std::uint8_t* dst = out.data() + start + static_cast<std::size_t>(y) * rowBytes;
        for (int x = 0; x < iw; ++x)
            PutOnPaper(row[x], dst + 3 * x);
    }
}

}  // namespace

const TClassInfo& TMetafile::ClassInfo() {
    static const TClassInfo info =
        TClassInfo::Derive<TMetafile, TPersistent>("TMetafile")
            .Integer<TMetafile>("Height", &TMetafile::Height, &TMetafile::SetHeight, 0)
            .Integer<TMetafile>("Width", &TMetafile::Width, &TMetafile::SetWidth, 0);
    return info;
}

void TMetafile::SetWidth(int value) { m_width = std::max(0, value); }

void TMetafile::SetHeight(int value) { m_height = std::max(0, value); }

void TMetafile::AddRecord(const TRect& dest, std::shared_ptr<const TBitmap> image) {
    m_records.push_back(TRecord{dest, std::move(image)});
}

void TMetafile::Clear() { m_records.clear(); }

void TMetafile::Assign(const TPersistent* Source) {
    if (const auto* other = dynamic_cast<const TMetafile*>(Source)) {
        m_width = other->m_width;
        m_height = other->m_height;
        m_records = other->m_records;
        return;
    }
    TPersistent::Assign(Source);
}

void TMetafile::Draw(TCanvas& canvas, const TRect& rect) const {
    if (m_width == 0 || m_height == 0)
        return;
    const auto scaleX = [&](int x) {
        return rect.Left + static_cast<int>(static_cast<long long>(x) * rect.Width() / m_width);
    };
    const auto scaleY = [&](int y) {
        return rect.Top + static_cast<int>(static_cast<long long>(y) * rect.Height() / m_height);
    };
    for (const TRecord& rec : m_records)
        canvas.StretchDraw(Rect(scaleX(rec.Dest.Left), scaleY(rec.Dest.Top), scaleX(rec.Dest.Right),
                                scaleY(rec.Dest.Bottom)),
                           *rec.Image);
}

std::vector<std::uint8_t> TMetafile::SaveToBytes() const {
    std::uint64_t total = kHeaderSize + kEofSize;
    for (const TRecord& rec : m_records)
        total +=
            kStretchDIBitsSize + kBitmapInfoHeaderSize +
            std::uint64_t{DibRowBytes(rec.Image->Width())} * static_cast<std::uint64_t>(rec.Image->Height());
    if (total > 0xFFFFFFFFu)
        throw EInvalidGraphic("The picture is too large for a metafile");
    std::vector<std::uint8_t> out;
    out.reserve(static_cast<std::size_t>(total));
    LittleEndianWriter w(out);

    // The bounds hold every record; an empty picture has the empty bounds (0, 0, -1, -1).
    TRect bounds = m_records.empty() ? Rect(0, 0, 0, 0) : m_records.front().Dest;
    for (const TRecord& rec : m_records) {
        bounds.Left = std::min(bounds.Left, rec.Dest.Left);
        bounds.Top = std::min(bounds.Top, rec.Dest.Top);
        bounds.Right = std::max(bounds.Right, rec.Dest.Right);
        bounds.Bottom = std::max(bounds.Bottom, rec.Dest.Bottom);
    }
    // The frame is the picture's size in hundredths of a millimetre.
    const auto hundredthsOfMM = [](int pixels) {
        return static_cast<int>((static_cast<long long>(pixels) * 2540 + 48) / 96);
    };
    w.U32(EMR_HEADER);
    w.U32(kHeaderSize);
    w.InclusiveRect(bounds);
    w.InclusiveRect(Rect(0, 0, hundredthsOfMM(m_width), hundredthsOfMM(m_height)));
    w.U32(kEmfSignature);
    w.U32(0x00010000);  // version
    w.U32(static_cast<std::uint32_t>(total));
    w.U32(static_cast<std::uint32_t>(m_records.size() + 2));
    w.U16(1);  // handles: only the reserved index 0
    w.U16(0);
    w.U32(0);  // no description
    w.U32(0);
    w.U32(0);  // no palette
    w.I32(kDeviceWidth);
    w.I32(kDeviceHeight);
    w.I32(kDeviceWidthMM);
    w.I32(kDeviceHeightMM);
    w.U32(0);  // no pixel format
    w.U32(0);
    w.U32(0);  // not OpenGL
    w.I32(kDeviceWidthMM * 1000);
    w.I32(kDeviceHeightMM * 1000);

    for (const TRecord& rec : m_records)
        WriteStretchDIBits(w, out, rec);

    w.U32(EMR_EOF);
    w.U32(kEofSize);
    w.U32(0);   // no palette entries
    w.U32(16);  // where they would start
    w.U32(kEofSize);
    return out;
}

void TMetafile::SaveToFile(const std::string& fileName) const {
    const std::vector<std::uint8_t> bytes = SaveToBytes();
    WriteFileAtomic(fileName, std::string(bytes.begin(), bytes.end()));
}

// --- TMetafileCanvas --------------------------------------------------------------------------

const TClassInfo& TMetafileCanvas::ClassInfo() {
    static const TClassInfo info = TClassInfo::Derive<TMetafileCanvas, TCanvas>("TMetafileCanvas");
    return info;
}

TMetafileCanvas::TMetafileCanvas(TMetafile* metafile)
    : m_metafile(metafile),
      m_pixels(static_cast<std::size_t>(metafile->Width()) * static_cast<std::size_t>(metafile->Height()),
               kUnpainted) {
    SetSurface(TPixelSurface{m_pixels.data(), metafile->Width(), metafile->Height(), metafile->Width()});
}

TMetafileCanvas::~TMetafileCanvas() { Complete(); }

void TMetafileCanvas::Complete() {
    const int w = m_metafile->Width(), h = m_metafile->Height();
    int left = w, top = h, right = 0, bottom = 0;
    for (int y = 0; y < h; ++y) {
        const TPixel* row = m_pixels.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(w);
        for (int x = 0; x < w; ++x)
            if (row[x] >> 24) {
                left = std::min(left, x), right = std::max(right, x + 1);
                top = std::min(top, y), bottom = std::max(bottom, y + 1);
            }
    }
    if (left >= right)
        return;
    // What was blended onto the unpainted white already lies on paper: it goes in opaque.
    auto painted = std::make_shared<TBitmap>(right - left, bottom - top);
    for (int y = top; y < bottom; ++y) {
        const TPixel* from =
            m_pixels.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(w) + left;
        TPixel* to = painted->ScanLine(y - top);
        for (int x = 0; x < right - left; ++x)
            to[x] = from[x] | 0xFF000000u;
    }
    m_metafile->AddRecord(Rect(left, top, right, bottom), std::move(painted));
}

}  // namespace framework
