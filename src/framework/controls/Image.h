#pragma once
// TImage: a control that shows a picture. TPicture holds the picture's bitmap and tells its
// owner of every change.

#include "framework/controls/Control.h"

#include <memory>

namespace framework {

class TPicture : public TPersistent {
public:
    TPicture();
    static const TClassInfo& ClassInfo();
    TClass ClassType() const override { return &ClassInfo(); }

    // The picture's bitmap; changes made through its canvas are not announced, so call
    // Changed (or assign the picture) after painting on it.
    TBitmap* Bitmap() const { return m_bitmap.get(); }
    void SetBitmap(const TBitmap* value);
    int Width() const { return m_bitmap->Width(); }
    int Height() const { return m_bitmap->Height(); }
    // Reads a PNG file; raises as TBitmap::LoadFromFile does and then keeps the old picture.
    void LoadFromFile(const std::string& fileName);
    void Changed();

    void Assign(const TPersistent* Source) override;
    TNotifyEvent OnChange;

private:
    std::unique_ptr<TBitmap> m_bitmap;
};

class TImage : public TGraphicControl {
public:
    explicit TImage(TComponent* AOwner);
    static const TClassInfo& ClassInfo();
    TClass ClassType() const override { return &ClassInfo(); }
    void DescribeAccessible(TAccessible& A) const override;

    TPicture* Picture() const { return m_picture.get(); }
    void SetPicture(const TPicture* value) { m_picture->Assign(value); }
    // Stretch fills the control with the picture; otherwise it stands at the top left, or in
    // the middle with Center.
    bool Stretch() const { return m_stretch; }
    void SetStretch(bool value);
    bool Center() const { return m_center; }
    void SetCenter(bool value);

protected:
    void Paint() override;

private:
    void PictureChanged(TObject*) { Invalidate(); }

    std::unique_ptr<TPicture> m_picture;
    bool m_stretch = false;
    bool m_center = false;
};

}  // namespace framework
