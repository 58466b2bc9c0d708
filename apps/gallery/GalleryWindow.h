#pragma once
// The gallery as a tool window of the suite: a stylable window whose layout, a titled area for
// each section in a scroll box above the status line, is the description "Gallery.lfm" beside
// the program; the sections flow into as many columns as the window's width holds and scroll
// when they do not fit; its styler is attached
// when it is created, and its controls' state is kept in "gallery.ini" in the suite's settings
// folder, with what the walk over the controls does not keep (colours, margins, the views'
// selections) added by the window itself. Its status line tells what the controls report (a
// list's or view's selection, a colour chosen, a margin dragged, a tab, a check box, a spin
// value, a path chosen, the style and resolution taken), and so does its log file when it has one.

#include "forms/TMSStyleableF.h"
#include "framework/rtl/Exceptions.h"
#include "sibling/Inifilebase.h"

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
    // style and resolution. Raises EFCreateError or EWriteError when that line cannot be
    // written (a pipe nobody reads, a full device); a later failure is handed to the
    // application's HandleException once, and the log is given up.
    void SetLogFile(const std::string& FileName);
    // Shows Line in the status line and adds it to the log.
    void Report(const std::string& Line);
    // The style and the resolution the window shows, as the status line says them.
    std::string StateLine() const;
    // The ini text the window would save now: its controls' sections, then its own keys.
    std::string RememberedText();

private:
    // Connected by the layout to OnCreate: the styler comes after the creation steps.
    void FormCreated(framework::TObject* Sender);
    // Connected by the layout to OnShow: the base form's show, then the window's own state.
    void WindowShow(framework::TObject* Sender);
    // The colours of the colour pickers, the margin panels' places and the views' selections,
    // one section per control, beside what the walk keeps there.
    void WriteOwnState(sibling::TMyMemIniFile& Ini);
    void ReadOwnState(const sibling::TMyMemIniFile& Ini);
    void ShowRemembered();
    // The sections build unnamed controls; a tool window's controls have names, by which its
    // walks find them and its ini file keeps their state. They are named as a designer would.
    void NameComponents();
    // Connects the reports of the controls (lists, views, colour combos, margin panels, tabs,
    // check boxes, pickers and edits), keeping the handlers their sections gave them.
    void WatchControls();
    // Places the titled areas in rows of as many columns as fit, in the order of the layout.
    void LayOutSections(framework::TObject* Sender);
    void WMDpiChanged(framework::TMessage& Message);
    void WMBroadcastByShell(framework::TMessage& Message);
    void AppendToLog(const std::string& Line);
    // Tells the user once why the settings folder cannot be found; the gallery keeps nothing.
    void TellSettingsProblem(const framework::Exception& E);

    std::string m_log;  // the log file's name; empty without one
    bool m_settingsProblemTold = false;
    bool m_restoring = false;  // the saved state is being applied: the controls report nothing
};

}  // namespace gallery
