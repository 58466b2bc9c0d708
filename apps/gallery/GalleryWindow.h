#pragma once
// The gallery as a tool window of the suite: a stylable window whose layout, a titled area for
// each section in a scroll box above the status line, is the description "Gallery.lfm" beside
// the program; the sections flow into as many columns as the window's width holds and scroll
// when they do not fit; its styler is attached
// when it is created, and its controls' state is kept in "gallery.ini" in the suite's settings
// folder. Its status line tells what the controls report (a list's selection, a colour chosen,
// a margin dragged, the style and resolution taken), and so does its log file when it has one.

#include "forms/TMSStyleableF.h"

#include <fstream>
#include <string>

namespace gallery {

class TGalleryWindow : public lm7::TTMSStylableForm {
public:
    explicit TGalleryWindow(framework::TComponent* AOwner);
    static const framework::TClassInfo& ClassInfo();
    framework::TClass ClassType() const override { return &ClassInfo(); }
    void BeforeDestruction() override;

    // In the folder the settings redirection names, else in the suite's documents folder;
    // empty (nothing kept) when neither can be found.
    std::string TheIniName() override;

    static std::string LayoutFileName();

    // Reports are also appended to this file, a line each, after a first line with the window's
    // style and resolution. Raises EFCreateError when it cannot be written.
    void SetLogFile(const std::string& FileName);
    // Shows Line in the status line and adds it to the log.
    void Report(const std::string& Line);
    // The style and the resolution the window shows, as the status line says them.
    std::string StateLine() const;

private:
    // Connected by the layout to OnCreate: the styler comes after the creation steps.
    void FormCreated(framework::TObject* Sender);
    // The sections build unnamed controls; a tool window's controls have names, by which its
    // walks find them and its ini file keeps their state. They are named as a designer would.
    void NameComponents();
    // Connects the reports of the list boxes, colour combos and margin panels, keeping the
    // handlers their sections gave them.
    void WatchControls();
    // Places the titled areas in rows of as many columns as fit, in the order of the layout.
    void LayOutSections(framework::TObject* Sender);
    void WMDpiChanged(framework::TMessage& Message);
    void WMBroadcastByShell(framework::TMessage& Message);

    std::ofstream m_log;
};

}  // namespace gallery
