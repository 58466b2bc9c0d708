#pragma once
// TCustomImageList and TImageList: a row of same-sized 32-bit images with straight alpha,
// drawn by index onto a canvas. Controls point at a list (their Images property) and draw
// image ImageIndex from it; a list that goes clears those references by notification.

#include "framework/classes/Component.h"
#include "framework/graphics/Bitmap.h"

#include <string>
#include <vector>

namespace framework {

// How Draw puts an image on the canvas: blended with the blend colour at 25 % (focus) or
// 50 % (selected), over the background colour (normal), or over what is there (transparent).
enum TDrawingStyle { dsFocus, dsSelected, dsNormal, dsTransparent };

class TCustomImageList : public TComponent {
public:
    // The largest image width and height a list takes (the largest icon image there is).
    static constexpr int kMaxImageSize = 256;

    explicit TCustomImageList(TComponent* AOwner);
    static const TClassInfo& ClassInfo();
    TClass ClassType() const override { return &ClassInfo(); }

    int Width() const { return m_width; }
    int Height() const { return m_height; }
    // A new size empties the list, as the classic list does. Sizes outside 1..kMaxImageSize
    // raise EInvalidOperation "Invalid image size" and leave the list as it was.
    void SetWidth(int Value) { SetSize(Value, m_height); }
    void SetHeight(int Value) { SetSize(m_width, Value); }
    void SetSize(int AWidth, int AHeight);
    TDrawingStyle DrawingStyle() const { return m_drawingStyle; }
    void SetDrawingStyle(TDrawingStyle Value);
    // Behind the images when drawing in dsNormal; clNone draws as dsTransparent does.
    TColor BkColor() const { return m_bkColor; }
    void SetBkColor(TColor Value);
    TColor BlendColor() const { return m_blendColor; }
    void SetBlendColor(TColor Value);
    // The grow step of the image store.
    int AllocBy() const { return m_allocBy; }
    void SetAllocBy(int Value) { m_allocBy = Value < 1 ? 1 : Value; }

    int Count() const { return static_cast<int>(m_images.size()); }
    // Appends the images of a bitmap: one per full Width() of it, each cut to Height() rows
    // (rows it lacks are transparent). Answers the index of the first, or -1 when the bitmap
    // is narrower than one image.
    int Add(const TBitmap& Image);
    // Appends one image of exactly Width() x Height() pixels (0xAARRGGBB, rows top down);
    // raises EInvalidOperation for another number of pixels.
    int AddPixels(std::vector<TPixel> Pixels);
    void Delete(int Index);  // raises EListError out of range
    void Clear();
    // The pixels of one image; raises EListError out of range.
    const std::vector<TPixel>& Pixels(int Index) const;

    // Copies image Index into Image at Width() x Height(), alpha included (pf32bit). False,
    // with Image untouched, for an index outside the list or no bitmap.
    bool GetBitmap(int Index, TBitmap* Image) const;
    // Draws image Index with its top left at (X, Y) in the list's drawing style; a disabled
    // image is drawn in grey. An index outside the list draws nothing.
    void Draw(TCanvas* Canvas, int X, int Y, int Index, bool Enabled = true) const;

    // The images as a form description keeps them (its "Bitmap" data): the image-list file
    // bytes without the list's name. SetImageData raises EInvalidImage for damaged data and
    // then leaves the list as it was.
    std::string ImageData() const;
    void SetImageData(std::string_view Data);

    // Called after every change of size or images, so controls can repaint.
    TNotifyEvent OnChange;

protected:
    void Change();

private:
    int m_width = 16;
    int m_height = 16;
    TDrawingStyle m_drawingStyle = dsNormal;
    TColor m_bkColor = clNone;
    TColor m_blendColor = clNone;
    int m_allocBy = 4;
    std::vector<std::vector<TPixel>> m_images;
};

class TImageList : public TCustomImageList {
public:
    using TCustomImageList::TCustomImageList;
    static const TClassInfo& ClassInfo();
    TClass ClassType() const override { return &ClassInfo(); }
};

// For controls with an Images property: points Field at Value, moving the free notification
// from the old list to the new one, so the control's Notification can clear the reference.
void ReferenceImageList(TComponent* Self, TCustomImageList*& Field, TCustomImageList* Value);

}  // namespace framework
