#include "framework/controls/Image.h"

#include "framework/classes/TypInfo.h"

namespace framework {

const TClassInfo& TPicture::ClassInfo() {
    static const TClassInfo info = TClassInfo::Derive<TPicture, TPersistent>("TPicture");
    return info;
}

TPicture::TPicture() : m_bitmap(std::make_unique<TBitmap>()) {}

void TPicture::SetBitmap(const TBitmap* value) {
    m_bitmap->Assign(value);
    Changed();
}

void TPicture::LoadFromFile(const std::string& fileName) {
    TBitmap loaded;
    loaded.LoadFromFile(fileName);
    SetBitmap(&loaded);
}

void TPicture::Changed() {
    if (OnChange)
        OnChange(this);
}

void TPicture::Assign(const TPersistent* Source) {
    if (const auto* other = dynamic_cast<const TPicture*>(Source)) {
        SetBitmap(other->Bitmap());
        return;
    }
    if (const auto* bitmap = dynamic_cast<const TBitmap*>(Source)) {
        SetBitmap(bitmap);
        return;
    }
    TPersistent::Assign(Source);
}

const TClassInfo& TImage::ClassInfo() {
    static const TClassInfo info = TClassInfo::Derive<TImage, TGraphicControl>("TImage")
                                       .Bool<TImage>("Center", &TImage::Center, &TImage::SetCenter, false)
                                       .Bool<TImage>("Stretch", &TImage::Stretch, &TImage::SetStretch, false);
    return info;
}

TImage::TImage(TComponent* AOwner) : TGraphicControl(AOwner), m_picture(std::make_unique<TPicture>()) {
    SetBounds(0, 0, 105, 105);
    m_picture->OnChange = TNotifyEvent::Of<&TImage::PictureChanged>(this);
}

void TImage::SetStretch(bool value) {
    if (m_stretch != value) {
        m_stretch = value;
        Invalidate();
    }
}

void TImage::SetCenter(bool value) {
    if (m_center != value) {
        m_center = value;
        Invalidate();
    }
}

void TImage::Paint() {
    const TBitmap& bitmap = *m_picture->Bitmap();
    if (bitmap.Empty())
        return;
    TCanvas& canvas = *Canvas();
    if (m_stretch)
        canvas.StretchDraw(ClientRect(), bitmap);
    else if (m_center)
        canvas.Draw((Width() - bitmap.Width()) / 2, (Height() - bitmap.Height()) / 2, bitmap);
    else
        canvas.Draw(0, 0, bitmap);
}

}  // namespace framework
