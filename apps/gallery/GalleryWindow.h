#pragma once
// The gallery as a tool window of the suite: a stylable window whose layout, a titled area for
// each section, is the description "Gallery.lfm" beside the program; its styler is attached
// when it is created, and its controls' state is kept in "gallery.ini" in the suite's settings
// folder.

#include "forms/TMSStyleableF.h"

#include <string>

namespace gallery {

class TGalleryWindow : public lm7::TTMSStylableForm {
public:
    explicit TGalleryWindow(framework::TComponent* AOwner);
    static const framework::TClassInfo& ClassInfo();
    framework::TClass ClassType() const override { return &ClassInfo(); }

    // In the folder the settings redirection names, else in the suite's documents folder;
    // empty (nothing kept) when neither can be found.
    std::string TheIniName() override;

    static std::string LayoutFileName();

private:
    // Connected by the layout to OnCreate: the styler comes after the creation steps.
    void FormCreated(framework::TObject* Sender);
    // The sections build unnamed controls; a tool window's controls have names, by which its
    // walks find them and its ini file keeps their state. They are named as a designer would.
    void NameComponents();
};

}  // namespace gallery
