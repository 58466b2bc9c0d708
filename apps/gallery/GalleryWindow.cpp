#include "GalleryWindow.h"

#include "GallerySection.h"

#include "controls/ColourListBoxesAndCombos.h"
#include "controls/NotepadGrabPanel.h"
#include "framework/controls/ListBox.h"
#include "framework/controls/Panel.h"
#include "framework/forms/Application.h"
#include "framework/forms/TextForms.h"
#include "framework/rtl/Exceptions.h"
#include "framework/rtl/Format.h"
#include "framework/rtl/Paths.h"
#include "settings/user_and_system_utils.h"
#include "sibling/My_tmsstylebase.h"

#include <map>
#include <string>
#include <utility>
#include <vector>

using namespace framework;

namespace gallery {

namespace {
std::vector<GallerySection>& sections() {
    static std::vector<GallerySection> all;
    return all;
}
}  // namespace

bool RegisterGallerySection(GallerySection Section) {
    sections().push_back(std::move(Section));
    return true;
}

const std::vector<GallerySection>& GallerySections() { return sections(); }

const TClassInfo& TGalleryWindow::ClassInfo() {
    static const TClassInfo info =
        TClassInfo::Derive<TGalleryWindow, lm7::TTMSStylableForm>("TGalleryWindow")
            .Method<&TGalleryWindow::FormCreated>("FormCreated")
            .Message<TGalleryWindow>(WM_DPICHANGED, &TGalleryWindow::WMDpiChanged)
            .Message<TGalleryWindow>(lm7::WM_BROADCASTBYSHELL, &TGalleryWindow::WMBroadcastByShell);
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
    WatchControls();
    Report(StateLine());
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

void TGalleryWindow::WatchControls() {
    for (int i = 0; i < ComponentCount(); ++i) {
        TComponent* c = Components(i);
        if (auto* list = As<TCustomListBox>(c)) {
            list->OnClick = TNotifyEvent::Lambda([this, list, before = list->OnClick](TObject* Sender) {
                if (before)
                    before(Sender);
                const int index = list->ItemIndex();
                Report(Format("%s: item %d \"%s\"",
                              {list->Name(), index, index >= 0 ? list->Items()->Strings(index) : ""}));
            });
            if (list->AcceptsDroppedFiles())
                list->OnDropFiles = TEvent<TObject*, const std::vector<std::string>&, TPoint>::Lambda(
                    [this, list, before = list->OnDropFiles](
                        TObject* Sender, const std::vector<std::string>& Files, TPoint At) {
                        if (before)
                            before(Sender, Files, At);
                        Report(Format("%s: \"%s\" dropped, %d items",
                                      {list->Name(), Files.front(), list->Items()->Count()}));
                    });
        } else if (auto* combo = As<lm7::TColourSharingCombo>(c)) {
            combo->OnChange = TNotifyEvent::Lambda([this, combo, before = combo->OnChange](TObject* Sender) {
                if (before)
                    before(Sender);
                Report(Format("%s: %s", {combo->Name(), combo->SelectedColourName()}));
            });
        } else if (auto* panel = As<lm7::TNotepadGrabPanel>(c)) {
            panel->OnStateMargins = lm7::TStateMarginsEvent::Lambda(
                [this, panel, before = panel->OnStateMargins](TObject* Sender, TRect r) {
                    if (before)
                        before(Sender, r);
                    Report(Format("%s: left %d, top %d, right %d, bottom %d",
                                  {panel->Name(), r.Left, r.Top, r.Right, r.Bottom}));
                });
        }
    }
}

std::string TGalleryWindow::StateLine() const {
    const auto style = sibling::Global_TMSStyle;
    return Format("Style %d (%s), %d pixels per inch",
                  {static_cast<int>(style), std::string(vendor::TMSStyleName(style)), PixelsPerInch()});
}

void TGalleryWindow::SetLogFile(const std::string& FileName) {
    m_log.close();
    m_log.open(FileName, std::ios::app);
    if (!m_log)
        throw EFCreateError("Cannot write the log file \"" + FileName + "\"");
    m_log << StateLine() << std::endl;  // where the reports start from
}

void TGalleryWindow::Report(const std::string& Line) {
    if (auto* status = As<TPanel>(FindComponent("StatusLine")))
        status->SetCaption(" " + Line);
    if (m_log.is_open())
        m_log << Line << std::endl;  // a line at a time, for whoever follows the file
}

void TGalleryWindow::WMDpiChanged(TMessage& Message) {
    lm7::TTMSStylableForm::WMDpiChanged(Message);
    Report(StateLine());
}

void TGalleryWindow::WMBroadcastByShell(TMessage& Message) {
    const vendor::TTMSStyle before = sibling::Global_TMSStyle;
    lm7::TTMSStylableForm::WMBroadcastByShell(Message);
    if (sibling::Global_TMSStyle != before)
        Report(StateLine());
}

void TGalleryWindow::BeforeDestruction() {
    lm7::TTMSStylableForm::BeforeDestruction();  // saves the ini
    if (m_log.is_open()) {
        const std::string ini = TheIniName();
        m_log << (ini.empty() ? std::string("Closed; nothing kept") : "Closed; state kept in " + ini)
              << std::endl;
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
