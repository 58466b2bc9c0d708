#include "GalleryWindow.h"

#include "GallerySection.h"

#include "framework/forms/Application.h"
#include "framework/forms/TextForms.h"
#include "framework/rtl/Exceptions.h"
#include "framework/rtl/Paths.h"
#include "settings/user_and_system_utils.h"

#include <map>
#include <string>

using namespace framework;

namespace gallery {

const TClassInfo& TGalleryWindow::ClassInfo() {
    static const TClassInfo info = TClassInfo::Derive<TGalleryWindow, lm7::TTMSStylableForm>("TGalleryWindow")
                                       .Method<&TGalleryWindow::FormCreated>("FormCreated");
    return info;
}

std::string TGalleryWindow::LayoutFileName() {
    return IncludeTrailingPathDelimiter(ExtractFilePath(Application->ExeName())) + "Gallery.lfm";
}

TGalleryWindow::TGalleryWindow(TComponent* AOwner) : lm7::TTMSStylableForm(AOwner) {
    ReadTextFormFile(LayoutFileName(), this);
    for (const GallerySection& section : GallerySections()) {
        auto* area = As<TWinControl>(FindComponent(section.Area));
        if (!area)
            throw EComponentError("The gallery's layout has no area \"" + section.Area + "\"");
        section.Build(*area);
    }
    NameComponents();
}

void TGalleryWindow::FormCreated(TObject*) { AddAFormStyler(this); }

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
