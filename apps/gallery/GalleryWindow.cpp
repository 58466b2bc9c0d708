#include "GalleryWindow.h"

#include "GallerySection.h"

#include "framework/controls/Panel.h"
#include "framework/rtl/Exceptions.h"
#include "framework/rtl/Paths.h"
#include "settings/user_and_system_utils.h"

#include <algorithm>
#include <map>
#include <string>

using namespace framework;

namespace gallery {

namespace {
constexpr int kColumns = 2;
constexpr int kMargin = 8;
constexpr int kTitleHeight = 26;
}  // namespace

const TClassInfo& TGalleryWindow::ClassInfo() {
    static const TClassInfo info =
        TClassInfo::Derive<TGalleryWindow, lm7::TTMSStylableForm>("TGalleryWindow");
    return info;
}

TGalleryWindow::TGalleryWindow(TComponent* AOwner) : lm7::TTMSStylableForm(AOwner) {
    SetName("GalleryWindow");
    SetCaption("Gallery");
    OnShow = TNotifyEvent::Of<&TTMSStylableForm::FormShow>(static_cast<TTMSStylableForm*>(this));
    OnCreate = TNotifyEvent::Of<&TGalleryWindow::FormCreated>(this);
    LayOutSections();
}

void TGalleryWindow::FormCreated(TObject*) { AddAFormStyler(this); }

void TGalleryWindow::LayOutSections() {
    const auto& all = GallerySections();
    const int count = std::max<int>(static_cast<int>(all.size()), 1);
    const int columns = std::min(count, kColumns);
    const int rows = (count + kColumns - 1) / kColumns;
    const int cellWidth = kSectionWidth + kMargin;
    const int cellHeight = kSectionHeight + kTitleHeight + kMargin;
    SetClientWidth(columns * cellWidth + kMargin);
    SetClientHeight(rows * cellHeight + kMargin);

    for (int i = 0; i < static_cast<int>(all.size()); ++i) {
        const int x = kMargin + (i % kColumns) * cellWidth;
        const int y = kMargin + (i / kColumns) * cellHeight;
        auto* title = Create<TPanel>(this);
        title->SetBounds(x, y, kSectionWidth, kTitleHeight);
        title->SetCaption(all[static_cast<std::size_t>(i)].Title);
        title->Font()->SetStyle(fsBold);
        title->SetParent(this);
        auto* area = Create<TPanel>(this);
        area->SetBounds(x, y + kTitleHeight, kSectionWidth, kSectionHeight);
        area->SetBevelOuter(bvNone);
        area->SetCaption("");
        area->SetParentColor(true);
        area->SetParent(this);
        all[static_cast<std::size_t>(i)].Build(*area);
    }
    NameComponents();
}

void TGalleryWindow::NameComponents() {
    std::map<std::string, int> counts;
    for (int i = 0; i < ComponentCount(); ++i) {
        TComponent* c = Components(i);
        if (!c->Name().empty())
            continue;
        std::string base = c->ClassName().substr(1);  // TStyledListbox gives StyledListbox1, 2, ...
        std::string name;
        do
            name = base + std::to_string(++counts[base]);
        while (FindComponent(name));
        c->SetName(name);
    }
}

std::string TGalleryWindow::TheIniName() {
    try {
        std::string folder = lm7::Get_Ini_Folder();
        if (folder.empty())
            folder = lm7::GetMyDocumentsLumoFolder();
        return IncludeTrailingPathDelimiter(folder) + "gallery.ini";
    } catch (const Exception&) {
        return std::string();  // no home folder: the gallery keeps nothing
    }
}

}  // namespace gallery
