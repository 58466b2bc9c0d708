#include "framework/controls/ImageList.h"

#include "framework/graphics/Colors.h"
#include "framework/rtl/Exceptions.h"
#include "framework/rtl/Format.h"

#include <algorithm>
#include <cstring>

namespace framework {

namespace {

constexpr TPixel kTransparentPixel = 0x00000000u;

// Mixes Percent % of the colour c into the pixel's colour; alpha stays.
TPixel Blend(TPixel p, TPixel c, int percent) {
    auto mix = [&](int shift) {
        const int a = static_cast<int>((p >> shift) & 0xFF);
        const int b = static_cast<int>((c >> shift) & 0xFF);
        return static_cast<TPixel>((a * (100 - percent) + b * percent + 50) / 100) << shift;
    };
    return (p & 0xFF000000u) | mix(16) | mix(8) | mix(0);
}

// The pixel laid over an opaque background colour.
TPixel Over(TPixel p, TPixel bk) {
    const unsigned a = p >> 24;
    auto mix = [&](int shift) {
        const unsigned s = (p >> shift) & 0xFF;
        const unsigned d = (bk >> shift) & 0xFF;
        return ((s * a + d * (255 - a) + 127) / 255) << shift;
    };
    return 0xFF000000u | mix(16) | mix(8) | mix(0);
}

TPixel Grey(TPixel p) {
    const unsigned r = (p >> 16) & 0xFF, g = (p >> 8) & 0xFF, b = p & 0xFF;
    const unsigned y = (r * 77 + g * 150 + b * 29 + 128) >> 8;
    return (p & 0xFF000000u) | (y << 16) | (y << 8) | y;
}

}  // namespace

const TClassInfo& TCustomImageList::ClassInfo() {
    static const TClassInfo info =
        TClassInfo::Derive<TCustomImageList, TComponent>("TCustomImageList")
            .Integer<TCustomImageList>("Width", &TCustomImageList::Width, &TCustomImageList::SetWidth, 16)
            .Integer<TCustomImageList>("Height", &TCustomImageList::Height, &TCustomImageList::SetHeight, 16)
            .Enum<TCustomImageList>("DrawingStyle", {"dsFocus", "dsSelected", "dsNormal", "dsTransparent"},
                                    &TCustomImageList::DrawingStyle, &TCustomImageList::SetDrawingStyle,
                                    dsNormal)
            .Integer<TCustomImageList>("BkColor", &TCustomImageList::BkColor, &TCustomImageList::SetBkColor,
                                       clNone)
            .Integer<TCustomImageList>("BlendColor", &TCustomImageList::BlendColor,
                                       &TCustomImageList::SetBlendColor, clNone)
            .Integer<TCustomImageList>("AllocBy", &TCustomImageList::AllocBy, &TCustomImageList::SetAllocBy,
                                       4)
            .Integer<TCustomImageList>("Count", &TCustomImageList::Count)
            .Binary<TCustomImageList>("Bitmap", &TCustomImageList::ImageData, &TCustomImageList::SetImageData)
            .StoredWhen(
                [](const TObject& list) { return static_cast<const TCustomImageList&>(list).Count() > 0; });
    return info;
}

const TClassInfo& TImageList::ClassInfo() {
    static const TClassInfo info = TClassInfo::Derive<TImageList, TCustomImageList>("TImageList");
    return info;
}

TCustomImageList::TCustomImageList(TComponent* AOwner) : TComponent(AOwner) {}

void TCustomImageList::SetSize(int AWidth, int AHeight) {
    if (AWidth < 1 || AHeight < 1 || AWidth > kMaxImageSize || AHeight > kMaxImageSize)
        throw EInvalidOperation("Invalid image size");
    if (AWidth == m_width && AHeight == m_height)
        return;
    m_width = AWidth;
    m_height = AHeight;
    m_images.clear();
    Change();
}

void TCustomImageList::SetDrawingStyle(TDrawingStyle Value) {
    if (Value < dsFocus || Value > dsTransparent)
        throw EInvalidOperation("Invalid drawing style");
    if (Value != m_drawingStyle) {
        m_drawingStyle = Value;
        Change();
    }
}

void TCustomImageList::SetBkColor(TColor Value) {
    if (Value != m_bkColor) {
        m_bkColor = Value;
        Change();
    }
}

void TCustomImageList::SetBlendColor(TColor Value) {
    if (Value != m_blendColor) {
        m_blendColor = Value;
        Change();
    }
}

int TCustomImageList::Add(const TBitmap& Image) {
    const int cells = Image.Width() / m_width;
    if (cells == 0 || Image.Height() == 0)
        return -1;
    const int first = Count();
    const int rows = std::min(Image.Height(), m_height);
    const std::size_t rowBytes = static_cast<std::size_t>(m_width) * sizeof(TPixel);
    if (m_images.capacity() < m_images.size() + static_cast<std::size_t>(cells))
        m_images.reserve(m_images.size() + static_cast<std::size_t>(std::max(cells, m_allocBy)));
    for (int c = 0; c < cells; ++c) {
        std::vector<TPixel> pixels(static_cast<std::size_t>(m_width) * static_cast<std::size_t>(m_height),
                                   kTransparentPixel);
        for (int y = 0; y < rows; ++y)
            std::memcpy(&pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(m_width)],
                        Image.ScanLine(y) + c * m_width, rowBytes);
        m_images.push_back(std::move(pixels));
    }
    Change();
    return first;
}

int TCustomImageList::AddPixels(std::vector<TPixel> Pixels) {
    if (Pixels.size() != static_cast<std::size_t>(m_width) * static_cast<std::size_t>(m_height))
        throw EInvalidOperation(Format("Image of %d pixels does not fit a list of %dx%d images",
                                       {static_cast<std::int64_t>(Pixels.size()), m_width, m_height}));
    m_images.push_back(std::move(Pixels));
    Change();
    return Count() - 1;
}

void TCustomImageList::Delete(int Index) {
    if (Index < 0 || Index >= Count())
        throw EListError(Format("List index out of bounds (%d)", {Index}));
    m_images.erase(m_images.begin() + Index);
    Change();
}

void TCustomImageList::Clear() {
    if (m_images.empty())
        return;
    m_images.clear();
    Change();
}

const std::vector<TPixel>& TCustomImageList::Pixels(int Index) const {
    if (Index < 0 || Index >= Count())
        throw EListError(Format("List index out of bounds (%d)", {Index}));
    return m_images[static_cast<std::size_t>(Index)];
}

bool TCustomImageList::GetBitmap(int Index, TBitmap* Image) const {
    if (!Image || Index < 0 || Index >= Count())
        return false;
    Image->SetSize(m_width, m_height);
    Image->SetPixelFormat(pf32bit);
    const auto& pixels = m_images[static_cast<std::size_t>(Index)];
    for (int y = 0; y < m_height; ++y)
        std::memcpy(Image->ScanLine(y),
                    &pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(m_width)],
                    static_cast<std::size_t>(m_width) * sizeof(TPixel));
    return true;
}

void TCustomImageList::Draw(TCanvas* Canvas, int X, int Y, int Index, bool Enabled) const {
    if (!Canvas || Index < 0 || Index >= Count())
        return;
    const TPixel blend = ColorToPixel(ColorToRGB(m_blendColor == clNone ? clHighlight : m_blendColor));
    const bool overBk = m_drawingStyle == dsNormal && m_bkColor != clNone;
    const TPixel bk = overBk ? ColorToPixel(ColorToRGB(m_bkColor)) : 0;
    const int percent = m_drawingStyle == dsFocus ? 25 : m_drawingStyle == dsSelected ? 50 : 0;

    TBitmap image(m_width, m_height);
    image.SetPixelFormat(pf32bit);
    const auto& pixels = m_images[static_cast<std::size_t>(Index)];
    for (int y = 0; y < m_height; ++y) {
        TPixel* row = image.ScanLine(y);
        const TPixel* src = &pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(m_width)];
        for (int x = 0; x < m_width; ++x) {
            TPixel p = src[x];
            if (!Enabled)
                p = Grey(p);
            if (percent)
                p = Blend(p, blend, percent);
            if (overBk)
                p = Over(p, bk);
            row[x] = p;
        }
    }
    Canvas->Draw(X, Y, image);
}

void TCustomImageList::Change() {
    if (OnChange)
        OnChange(this);
}

void ReferenceImageList(TComponent* Self, TCustomImageList*& Field, TCustomImageList* Value) {
    ReferenceComponent(Self, Field, Value);
}

}  // namespace framework
